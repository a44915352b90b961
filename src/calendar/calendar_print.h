// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class AppContext;

// The printed calendar: a plain text document of what is overdue or due for reminding now and of
// the deadlines and reminders inside a period, in time order, with CR LF line breaks.

// Content lines of the document are at most this long, and each is indented by
// calendar_content_indent blanks.
inline constexpr int calendar_content_width = 70;
inline constexpr int calendar_content_indent = 7;

// The document for the days `from` to `to`. Overdue deadlines and reminders due now are listed
// whatever the period; future ones when their moment lies between the start of `from` and the
// start of the day after `to`, both included. Database failures propagate as DbError.
QString calendar_document(AppContext& ctx, const QDate& from, const QDate& to);

// Splits `text` into lines of at most `width` characters, breaking after a full stop or at a
// blank (the blank dropped) and cutting a word longer than a line. The text's own line breaks
// are kept; blanks that begin a continued line are dropped.
QStringList wrap_content(const QString& text, int width = calendar_content_width);

// The name of the document in the program directory: "TMP.txt", or "TMP.wri" on Windows.
QString calendar_document_name();

// Writes the document for the period to the program directory, replacing the previous one
// whole, and opens it with the system. A failed write is told to the user and nothing is
// opened. True when the document was opened.
bool print_calendar(AppContext& ctx, const QDate& from, const QDate& to);

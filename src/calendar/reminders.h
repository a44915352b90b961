// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class AppContext;

inline const QString reminders_heading = QStringLiteral("Events expired or to be reminded: ");

// What one reminder check found and did.
struct ReminderCheck {
    int matched = 0;       // items whose reminder or deadline has come
    QStringList reported;  // the titles told in the message, in the order the rows came
    bool calendar = false; // the calendar was asked to open
};

// The reminder check: the items whose reminder or deadline is not later than now and that were
// not reported within the last 24 hours are told in one message, and each is marked with the
// moment of the report (all marks in one transaction, written before the message shows). The
// calendar opens when anything matched and either a message was shown or `open_calendar_if_any`
// is set. Nothing happens while the Agenda collection (position 1) is switched off. Database
// failures propagate as DbError.
ReminderCheck check_reminders(AppContext& ctx, bool open_calendar_if_any);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Date-times are stored as local-time Julian day numbers (REAL): one day is 1.0, so date
// arithmetic in SQL is plain addition, and sqlite's datetime(col) shows them readably.
namespace dates {

// The local date-time of a wall-clock date and time. A time that the clock skips when it moves
// forward (a spring-forward gap) becomes the first valid time after the gap, so that a stored
// value never turns into an invalid date-time.
QDateTime local_date_time(const QDate& date, const QTime& time);

double to_julian(const QDateTime& local);
QDateTime from_julian(double julian_day);

// The text form the program writes inside cvdate('...') in SQL: "yyyy-MM-dd hh:mm:ss".
QString sql_text(const QDateTime& local);
// cvdate('...') around sql_text, ready to paste into a statement.
QString sql_literal(const QDateTime& local);

// Reads the texts the program writes (ISO, "yyyy/MM/dd") and day-first texts users type
// ("dd/MM/yy", "dd/MM/yyyy", "dd-MM-yyyy", "dd.MM.yyyy"), each with an optional " hh:mm[:ss]".
std::optional<QDateTime> parse(const QString& text);

} // namespace dates

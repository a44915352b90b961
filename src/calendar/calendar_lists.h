// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class AppContext;
class QLocale;

// What the calendar window shows: its three lists of dated items, the 40-day strip under the
// month calendar, and the days it jumps to. Every function reads the database only; database
// failures propagate as DbError.

// The three lists: the events of the day selected in the month calendar, of today, and those
// whose deadline or reminder has passed.
enum class CalendarList { Calendar, Today, Expired };

// The locale's short date pattern, found by reading "01/02/03" as a date: day 2 and month 1 give
// "MM/dd/yy", year 2001 with month 2 and day 3 give "yy/MM/dd", anything else "dd/MM/yy".
QString short_date_pattern(const QLocale& locale);

// A list line: the visible text, blanks up to list_text_width characters, then the item number
// in 8 digits, so that a line always addresses its item whatever it shows. A visible text that
// would not leave room is cut and ends with "...".
inline constexpr int list_text_width = 255;
QString list_line(const QString& visible, qint64 item_nr);
// The item number a line ends with; 0 when it does not end with 8 digits.
qint64 item_of_line(const QString& line);

// One dated item as the calendar reads it.
struct CalendarEvent {
    qint64 item_nr = 0;
    QString collection;
    QString cat;
    QString title;
    QString content;
    std::optional<QDateTime> expiry;
    std::optional<QDateTime> remind;
};

// The visible text of an event in `list`, which shows `day` (today's date for the list of
// today), at the moment `now`; dates are written with `date_pattern` and " hh:mm". `panel_text`
// is the caption the item's panel shows in a map. The markers: " (E) " for a deadline that has
// come, " (R) " for a reminder that has come before its deadline, " (r) " for a reminder on the
// listed day ahead of a later deadline.
QString event_text(const CalendarEvent& event, CalendarList list, const QDate& day, const QDateTime& now,
                   const QString& date_pattern, const QString& panel_text);

// The lines of a list in the order the statement returns them: for Today the events of now's
// date, for Expired those whose deadline or reminder is not later than now (by deadline), for
// Calendar those whose deadline or reminder falls on `day`.
QStringList load_list(AppContext& ctx, CalendarList list, const QDate& day, const QString& date_pattern);

// The 40-day strip: cell i (0 to 39) is today + i, then the cells for the days before today and
// for the days 40 or more days ahead.
inline constexpr int strip_days = 40;
enum class CellColour { White, LightYellow, LightGrey, LightCyan, LightGreen };
struct DayStripColours {
    std::array<CellColour, strip_days> days{};
    CellColour expired = CellColour::White;
    CellColour more = CellColour::White;
};
// Weekends light grey, today light yellow, the others white; then the selected day's cell light
// cyan (light green when it is today), or the cell before or beyond the strip that holds it.
DayStripColours day_strip_colours(const QDate& today, const QDate& selected);

// The counts under the strip and the days the month calendar shows in bold. Only items with both
// a deadline and a reminder count: each counts on its deadline's day and, when it is another
// day, on its reminder's day. Read with grouped statements, not one per day.
struct DayMarks {
    std::array<int, strip_days> days{};
    int expired = 0; // days before today
    int more = 0;    // 40 or more days ahead
    // Marked days among the 42 that the month calendar shows from `first_shown` on.
    QSet<QDate> bold;
};
DayMarks mark_days(AppContext& ctx, const QDate& today, const QDate& first_shown);

// The day of the first deadline after `day` (from the start of the next day); nothing when there
// is none. previous_occupied_day: the day of the last deadline before the start of `day`.
std::optional<QDate> next_occupied_day(AppContext& ctx, const QDate& day);
std::optional<QDate> previous_occupied_day(AppContext& ctx, const QDate& day);
// The first day after `day` without a deadline (reminders do not occupy a day), and the last
// such day before it.
QDate next_free_day(AppContext& ctx, const QDate& day);
QDate previous_free_day(AppContext& ctx, const QDate& day);

// The item as the calendar shows it in its edit frame; nothing when it no longer exists.
std::optional<CalendarEvent> read_event(AppContext& ctx, qint64 item_nr);
// The date part of the reminder of `item_nr`; nothing when the item has none or is gone (the
// calendar then opens on today).
std::optional<QDate> reminder_day(AppContext& ctx, qint64 item_nr);

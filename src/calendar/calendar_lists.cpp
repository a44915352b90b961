// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_lists.h"

#include "core/app_context.h"
#include "core/dates.h"
#include "maps/map_items.h"
#include "maps/panel_facts.h"

#include <QLocale>
#include <cmath>
#include <vector>

namespace {

// The collection whose titles are dates: its panels ask nothing about repeated titles.
constexpr int journal_position = 6;
constexpr int line_number_digits = 8;

// Every moment is compared as the stored numbers are: wall-clock time as a Julian day number,
// so that the repeated autumn hour compares as the database compares it.
double wall(const QDateTime& moment) {
    return dates::to_julian(moment);
}

// The start of a day on the wall clock. A day whose midnight the clock skips still starts at
// 00:00 for the stored values, so no time zone takes part.
double start_of_day(const QDate& day) {
    return static_cast<double>(day.toJulianDay()) - 0.5;
}

// The calendar day of a stored local-time Julian day number.
QDate day_of(double julian_day) {
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(julian_day + 0.5)));
}

std::optional<QDateTime> date_of(const Statement& row, const QString& column) {
    if (row.is_null(column)) return std::nullopt;
    return dates::from_julian(row.value(column).toDouble());
}

// The item columns every reader of the calendar asks for.
constexpr const char* event_columns =
    "select item_nr, collection, cat, item_title, item_content, date_expiry, date_remind from repos ";

CalendarEvent event_of(const Statement& row) {
    CalendarEvent event;
    event.item_nr = row.value(QStringLiteral("item_nr")).toLongLong();
    event.collection = row.text(QStringLiteral("collection"));
    event.cat = row.text(QStringLiteral("cat"));
    event.title = row.text(QStringLiteral("item_title"));
    event.content = row.text(QStringLiteral("item_content"));
    event.expiry = date_of(row, QStringLiteral("date_expiry"));
    event.remind = date_of(row, QStringLiteral("date_remind"));
    return event;
}

// A date of a line: the time alone where the list's day is evident from the list itself.
QString date_text(const QDateTime& moment, CalendarList list, const QDate& day, const QDate& today,
                  const QString& date_pattern) {
    const QDate date = moment.date();
    const bool time_only = (list == CalendarList::Today && date == today) ||
                           (list == CalendarList::Calendar && date == day && day == today);
    const QString pattern = time_only ? QStringLiteral("hh:mm") : date_pattern + QStringLiteral(" hh:mm");
    return QLocale::c().toString(moment, pattern);
}

QString calendar_or_today_text(const CalendarEvent& event, CalendarList list, const QDate& day,
                               const QDateTime& now, const QString& date_pattern, const QString& panel_text) {
    const QDate today = now.date();
    const auto written = [&](const QDateTime& moment) {
        return date_text(moment, list, day, today, date_pattern);
    };
    const QDateTime& expiry = *event.expiry;
    if (wall(expiry) <= wall(now)) return written(expiry) + QStringLiteral(" (E) ") + panel_text;
    if (event.remind && wall(*event.remind) <= wall(now))
        return written(expiry) + QStringLiteral(" (R) ") + panel_text;
    // The list of today shows today's events.
    const QDate listed = list == CalendarList::Today ? today : day;
    if (event.remind && event.remind->date() == listed && expiry.date() > listed)
        return written(*event.remind) + QStringLiteral(" (r) ") + panel_text;
    return written(expiry) + QLatin1Char(' ') + panel_text;
}

// The position of an item's collection, 0 when no collection carries its name.
int position_of(const CollectionTable& collections, const QString& collection) {
    return collections.find(collection);
}

MapItem map_item_of(const CalendarEvent& event) {
    MapItem item;
    item.item_nr = event.item_nr;
    item.title = event.title;
    item.content = event.content;
    item.expiry = event.expiry;
    item.remind = event.remind;
    return item;
}

// What compose_panel_text will ask of the database about these events, to be answered with
// a few statements for the whole list.
void collect_questions(const AppContext& ctx, const std::vector<CalendarEvent>& events,
                       bool similar_indicator, QStringList& references, QStringList& titles) {
    for (const CalendarEvent& event : events) {
        if (event.title.startsWith(QLatin1Char('>')))
            references.append(title_reference(event.title));
        else if (event.content.startsWith(QLatin1Char('>')))
            references.append(content_reference(event.content));
        else if (similar_indicator && position_of(ctx.collections, event.collection) != journal_position)
            titles.append(event.title);
    }
}

std::vector<CalendarEvent> read_list_events(Database& db, CalendarList list, const QDate& day,
                                            const QDateTime& now) {
    QString sql = QLatin1String(event_columns);
    if (list == CalendarList::Expired)
        sql += QStringLiteral("where date_expiry<=?1 or date_remind<=?1 order by date_expiry, item_nr");
    else
        sql += QStringLiteral("where (date_expiry>=?1 and date_expiry<?2) or (date_remind>=?1 and "
                              "date_remind<?2) order by item_nr");
    Statement rows = db.prepare(sql);
    if (list == CalendarList::Expired) {
        rows.bind(1, wall(now));
    } else {
        rows.bind(1, start_of_day(day));
        rows.bind(2, start_of_day(day.addDays(1)));
    }
    std::vector<CalendarEvent> events;
    while (rows.next())
        events.push_back(event_of(rows));
    return events;
}

// Adds one count for `day` to the strip and marks it bold when the month calendar shows it.
void mark_day(DayMarks& marks, const QDate& day, int count, const QDate& today, const QDate& first_shown) {
    const qint64 shown = first_shown.daysTo(day);
    if (shown >= 0 && shown < 42) marks.bold.insert(day);
    const qint64 ahead = today.daysTo(day);
    if (ahead < 0)
        marks.expired += count;
    else if (ahead >= strip_days)
        marks.more += count;
    else
        marks.days.at(static_cast<std::size_t>(ahead)) += count;
}

// The deadline days from the start of `from` upwards, or before it downwards, in that order,
// read with one statement and handed to `visit` until it answers false.
template <typename Visit>
void walk_deadline_days(Database& db, const QDate& from, bool upwards, Visit visit) {
    Statement rows =
        db.prepare(upwards ? QStringLiteral("select date_expiry from repos where date_expiry>=?1 "
                                            "order by date_expiry asc")
                           : QStringLiteral("select date_expiry from repos where date_expiry<?1 "
                                            "order by date_expiry desc"));
    rows.bind(1, start_of_day(from));
    while (rows.next()) {
        if (!visit(day_of(rows.value(0).toDouble()))) return;
    }
}

} // namespace

QString short_date_pattern(const QLocale& locale) {
    const QString probe = QStringLiteral("01/02/03");
    QDate read = locale.toDate(probe, QLocale::ShortFormat);
    // Qt reads a four-digit year field strictly ("01" is no year for "yyyy/MM/dd"); the order of
    // the fields is what counts, so such a format is read again with a two-digit year.
    if (!read.isValid()) {
        QString two_digit_year = locale.dateFormat(QLocale::ShortFormat);
        two_digit_year.replace(QStringLiteral("yyyy"), QStringLiteral("yy"));
        read = locale.toDate(probe, two_digit_year);
    }
    if (read.isValid()) {
        if (read.day() == 2 && read.month() == 1) return QStringLiteral("MM/dd/yy");
        // A two-digit year may come back in either century.
        if (read.year() % 100 == 1 && read.month() == 2 && read.day() == 3) return QStringLiteral("yy/MM/dd");
    }
    return QStringLiteral("dd/MM/yy");
}

QString list_line(const QString& visible, qint64 item_nr) {
    QString text = visible;
    if (text.size() > list_text_width) text = text.left(list_text_width - 3) + QStringLiteral("...");
    return text.leftJustified(list_text_width, QLatin1Char(' ')) +
           QStringLiteral("%1").arg(item_nr, line_number_digits, 10, QLatin1Char('0'));
}

qint64 item_of_line(const QString& line) {
    if (line.size() < line_number_digits) return 0;
    const QString digits = line.right(line_number_digits);
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
    }
    return digits.toLongLong();
}

QString event_text(const CalendarEvent& event, CalendarList list, const QDate& day, const QDateTime& now,
                   const QString& date_pattern, const QString& panel_text) {
    if (!event.expiry) return panel_text;
    if (list != CalendarList::Expired)
        return calendar_or_today_text(event, list, day, now, date_pattern, panel_text);
    const QString marker =
        wall(*event.expiry) <= wall(now) ? QStringLiteral(" (E) ") : QStringLiteral(" (R) ");
    return QLocale::c().toString(*event.expiry, date_pattern + QStringLiteral(" hh:mm")) + marker +
           panel_text;
}

QStringList load_list(AppContext& ctx, CalendarList list, const QDate& day, const QString& date_pattern) {
    const QDateTime now = ctx.clock.now();
    const QDate listed = list == CalendarList::Today ? now.date() : day;
    const std::vector<CalendarEvent> events = read_list_events(*ctx.db, list, listed, now);

    const bool similar_indicator = ctx.prefs.similar_items_indicator;
    QStringList references;
    QStringList titles;
    collect_questions(ctx, events, similar_indicator, references, titles);
    const BatchedPanelFacts answers(ctx, references, titles);
    const PanelFacts facts = answers.facts();

    QStringList lines;
    lines.reserve(static_cast<qsizetype>(events.size()));
    for (const CalendarEvent& event : events) {
        const QString panel_text = compose_panel_text(
            map_item_of(event), position_of(ctx.collections, event.collection), similar_indicator, facts);
        lines.append(
            list_line(event_text(event, list, listed, now, date_pattern, panel_text), event.item_nr));
    }
    return lines;
}

DayStripColours day_strip_colours(const QDate& today, const QDate& selected) {
    DayStripColours colours;
    for (int i = 0; i < strip_days; ++i) {
        const int weekday = today.addDays(i).dayOfWeek();
        CellColour& cell = colours.days.at(static_cast<std::size_t>(i));
        if (weekday == Qt::Saturday || weekday == Qt::Sunday)
            cell = CellColour::LightGrey;
        else
            cell = i == 0 ? CellColour::LightYellow : CellColour::White;
    }
    const qint64 ahead = today.daysTo(selected);
    if (ahead < 0)
        colours.expired = CellColour::LightCyan;
    else if (ahead >= strip_days)
        colours.more = CellColour::LightCyan;
    else
        colours.days.at(static_cast<std::size_t>(ahead)) =
            ahead == 0 ? CellColour::LightGreen : CellColour::LightCyan;
    return colours;
}

DayMarks mark_days(AppContext& ctx, const QDate& today, const QDate& first_shown) {
    DayMarks marks;
    // Each item counts on its deadline's day and, when that is another day, on its reminder's.
    // The engine has no floor(); the day numbers are positive, so a cast truncates the same.
    Statement by_day = ctx.db->prepare(QStringLiteral(
        "select cast(date_expiry+0.5 as integer), count(*) from repos where date_expiry is not null and "
        "date_remind is not null group by 1 union all "
        "select cast(date_remind+0.5 as integer), count(*) from repos where date_expiry is not null and "
        "date_remind is not null and cast(date_remind+0.5 as integer)<>cast(date_expiry+0.5 as integer) "
        "group by 1"));
    while (by_day.next()) {
        const QDate day = QDate::fromJulianDay(by_day.value(0).toLongLong());
        mark_day(marks, day, by_day.value(1).toInt(), today, first_shown);
    }
    return marks;
}

std::optional<QDate> next_occupied_day(AppContext& ctx, const QDate& day) {
    std::optional<QDate> found;
    walk_deadline_days(*ctx.db, day.addDays(1), true, [&found](const QDate& deadline_day) {
        found = deadline_day;
        return false;
    });
    return found;
}

std::optional<QDate> previous_occupied_day(AppContext& ctx, const QDate& day) {
    std::optional<QDate> found;
    walk_deadline_days(*ctx.db, day, false, [&found](const QDate& deadline_day) {
        found = deadline_day;
        return false;
    });
    return found;
}

QDate next_free_day(AppContext& ctx, const QDate& day) {
    QDate last_occupied = day;
    walk_deadline_days(*ctx.db, day.addDays(1), true, [&last_occupied](const QDate& deadline_day) {
        if (last_occupied.daysTo(deadline_day) > 1) return false;
        last_occupied = deadline_day;
        return true;
    });
    return last_occupied.addDays(1);
}

QDate previous_free_day(AppContext& ctx, const QDate& day) {
    QDate last_occupied = day;
    walk_deadline_days(*ctx.db, day, false, [&last_occupied](const QDate& deadline_day) {
        if (deadline_day.daysTo(last_occupied) > 1) return false;
        last_occupied = deadline_day;
        return true;
    });
    return last_occupied.addDays(-1);
}

std::optional<CalendarEvent> read_event(AppContext& ctx, qint64 item_nr) {
    Statement row = ctx.db->prepare(QLatin1String(event_columns) + QStringLiteral("where item_nr=?1"));
    row.bind(1, item_nr);
    if (!row.next()) return std::nullopt;
    return event_of(row);
}

std::optional<QDate> reminder_day(AppContext& ctx, qint64 item_nr) {
    Statement row = ctx.db->prepare(
        QStringLiteral("select date_remind from repos where item_nr=?1 and date_remind is not null"));
    row.bind(1, item_nr);
    if (!row.next()) return std::nullopt;
    return day_of(row.value(0).toDouble());
}

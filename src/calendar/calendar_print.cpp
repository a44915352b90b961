// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_print.h"

#include "core/app_context.h"
#include "core/dates.h"
#include "core/file_helpers.h"
#include "core/format.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace {

const QString line_break = QStringLiteral("\r\n");
const QString shown_date_time = QStringLiteral("dd/mm/yy hh:nn");

// One line of the document: the moment of a deadline or reminder, its marker and title, and the
// item's content.
struct CalendarEntry {
    QString sort_key; // the moment to the minute as "yyyymmddhhnn", which sorts as time does
    QDateTime moment;
    QString heading;
    QString content;
};

enum class Marker { Expiry, Reminder };

// The wall-clock start of a day. Stored moments are wall-clock times, and a day whose midnight
// the local clock skips still starts at 00:00 for them, so no time zone takes part.
QDateTime start_of_day(const QDate& day) {
    return {day, QTime(0, 0), Qt::UTC};
}

// The moments that decide which rows a statement lists, as Julian day numbers.
struct Bounds {
    double now = 0;
    double start = 0; // the start of the first day of the period
    double end = 0;   // the start of the day after the period, itself included
};

constexpr const char* overdue_expiries =
    "Select item_title, item_content, date_expiry, date_remind from repos "
    "where date_expiry <= ?1 order by date_expiry";
constexpr const char* due_reminders =
    "Select item_title, item_content, date_expiry, date_remind from repos where date_expiry is not null "
    "and date_expiry <> date_remind and date_remind <= ?1 order by date_remind";
// Future events are listed only while their reminder is also still to come: one whose reminder
// has come is already listed as due.
constexpr const char* future_expiries =
    "Select item_title, item_content, date_expiry, date_remind from repos where date_expiry is not null "
    "and date_expiry > ?1 and date_remind > ?1 and date_expiry between ?2 and ?3 order by date_remind";
constexpr const char* future_reminders =
    "Select item_title, item_content, date_expiry, date_remind from repos where date_remind is not null "
    "and date_remind <> date_expiry and date_expiry > ?1 and date_remind > ?1 "
    "and date_remind between ?2 and ?3 order by date_remind";

CalendarEntry entry_of(const Statement& row, Marker marker) {
    const QDateTime expiry = row.is_null(QStringLiteral("date_expiry"))
                                 ? QDateTime()
                                 : dates::from_julian(row.value(QStringLiteral("date_expiry")).toDouble());
    const QString title = row.text(QStringLiteral("item_title"));
    CalendarEntry entry;
    entry.content = row.text(QStringLiteral("item_content"));
    if (marker == Marker::Expiry) {
        entry.moment = expiry;
        entry.heading = QStringLiteral(" (E) ") + title;
    } else {
        entry.moment = dates::from_julian(row.value(QStringLiteral("date_remind")).toDouble());
        entry.heading = QStringLiteral(" (R) ") + title + QStringLiteral(" (expires ") +
                        format_date(expiry, shown_date_time) + QLatin1Char(')');
    }
    entry.sort_key = format_date(entry.moment, QStringLiteral("yyyymmddhhnn"));
    return entry;
}

// One of the four statements of the document and how its rows are listed.
struct EventQuery {
    const char* sql;
    Marker marker;
    bool within_period; // binds the period's bounds as ?2 and ?3
};

void add_entries(Database& db, const EventQuery& query, const Bounds& bounds,
                 std::vector<CalendarEntry>& entries) {
    // The present moment is bound once rather than asked of now() row by row, so that every
    // statement sees the same moment and the engine can use the date indexes.
    Statement rows = db.prepare(QLatin1String(query.sql));
    rows.bind(1, bounds.now);
    if (query.within_period) {
        rows.bind(2, bounds.start);
        rows.bind(3, bounds.end);
    }
    while (rows.next())
        entries.push_back(entry_of(rows, query.marker));
}

// By moment to the minute; within a minute by marker and title, as an alphabetical list of
// the lines would order them, letter case aside.
bool comes_before(const CalendarEntry& a, const CalendarEntry& b) {
    if (a.sort_key != b.sort_key) return a.sort_key < b.sort_key;
    const int by_heading = a.heading.compare(b.heading, Qt::CaseInsensitive);
    if (by_heading != 0) return by_heading < 0;
    if (a.heading != b.heading) return a.heading < b.heading;
    return a.content < b.content;
}

QString entry_text(const CalendarEntry& entry, int present_year) {
    const QString moment_format = entry.moment.date().year() == present_year
                                      ? QStringLiteral("mmm-dd hh:nn")
                                      : QStringLiteral("yyyy-mmm-dd hh:nn");
    QString text = line_break + format_date(entry.moment, moment_format) + entry.heading;
    const QStringList lines = wrap_content(entry.content);
    if (lines.isEmpty()) return text;
    const QString indent(calendar_content_indent, QLatin1Char(' '));
    for (const QString& line : lines)
        text += line_break + (line.isEmpty() ? QString() : indent + line);
    return text;
}

// Where the next line of `text` from `at` ends: after the last full stop or before the last
// blank that keeps it within `width` characters, or at `width` when a word fills the line.
qsizetype line_end(const QString& text, qsizetype at, int width) {
    if (text.size() - at <= width) return text.size();
    for (qsizetype i = at + width; i > at; --i) {
        if (text[i] == QLatin1Char(' ')) return i;
        if (text[i - 1] == QLatin1Char('.')) return i;
    }
    return at + width;
}

void wrap_paragraph(const QString& paragraph, int width, QStringList& lines) {
    qsizetype at = 0;
    do {
        const qsizetype end = line_end(paragraph, at, width);
        lines.append(paragraph.mid(at, end - at));
        at = end;
        while (at < paragraph.size() && paragraph[at] == QLatin1Char(' '))
            ++at;
    } while (at < paragraph.size());
}

} // namespace

QStringList wrap_content(const QString& text, int width) {
    QString content = text;
    content.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    content.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    content.replace(QLatin1Char('\t'), QLatin1Char(' '));
    QStringList lines;
    // Blank lines at the end say nothing on paper.
    const QStringList paragraphs =
        content.trimmed().isEmpty() ? QStringList() : content.split(QLatin1Char('\n'));
    qsizetype last = paragraphs.size();
    while (last > 0 && paragraphs[last - 1].trimmed().isEmpty())
        --last;
    for (qsizetype i = 0; i < last; ++i)
        wrap_paragraph(paragraphs[i], std::max(width, 1), lines);
    for (QString& line : lines) {
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    }
    return lines;
}

QString calendar_document(AppContext& ctx, const QDate& from, const QDate& to) {
    const QDateTime now = ctx.clock.now();
    QString document = QString(15, QLatin1Char(' ')) + format_date(now, shown_date_time) +
                       QStringLiteral(" - Calendar from ") +
                       format_date(start_of_day(from), QStringLiteral("dd/mm/yy")) + QStringLiteral(" to ") +
                       format_date(start_of_day(to), QStringLiteral("dd/mm/yy")) + line_break + line_break;
    // Without an open database there is nothing to list.
    if (!ctx.db) return document;

    Bounds bounds;
    bounds.now = dates::to_julian(now);
    bounds.start = dates::to_julian(start_of_day(from));
    bounds.end = dates::to_julian(start_of_day(to.addDays(1)));

    std::vector<CalendarEntry> entries;
    // What is overdue or due now is listed whatever the period.
    const EventQuery queries[] = {{overdue_expiries, Marker::Expiry, false},
                                  {due_reminders, Marker::Reminder, false},
                                  {future_expiries, Marker::Expiry, true},
                                  {future_reminders, Marker::Reminder, true}};
    for (const EventQuery& query : queries)
        add_entries(*ctx.db, query, bounds, entries);
    std::stable_sort(entries.begin(), entries.end(), comes_before);

    for (const CalendarEntry& entry : entries)
        document += entry_text(entry, now.date().year());
    return document;
}

QString calendar_document_name() {
#ifdef Q_OS_WIN
    // A ".wri" document opens in the system's word processor, which shows plain text as it is.
    return QStringLiteral("TMP.wri");
#else
    return QStringLiteral("TMP.txt");
#endif
}

bool print_calendar(AppContext& ctx, const QDate& from, const QDate& to) {
    const QString document = calendar_document(ctx, from, to);
    const QString path = ctx.program_path(calendar_document_name());

    // Written beside and renamed over the old document, so that a failure leaves that one whole.
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(document.toUtf8()) >= 0 && file.commit();
    if (!written) {
        ctx.prompter.message(QStringLiteral("The calendar could not be written to ") +
                             QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
        return false;
    }
    // The shared opener for a file known to exist: it tells the user when no program opens it.
    return open_with_system(ctx.desktop, ctx.prompter, path);
}

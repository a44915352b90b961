// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_lists.h"

#include "calendar/calendar_test_helpers.h"
#include "maps/statement_counter.h"
#include "support/db_fixtures.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const QString day_first = s("dd/MM/yy");
const std::optional<QDateTime> none;

CalendarEvent event_with(std::optional<QDateTime> expiry, std::optional<QDateTime> remind) {
    CalendarEvent event;
    event.item_nr = 7;
    event.title = s("Call");
    event.expiry = std::move(expiry);
    event.remind = std::move(remind);
    return event;
}

// The visible text of the line of an item, without the blanks and the number.
QString visible_of(const QString& line) {
    return line.left(list_text_width).trimmed();
}

} // namespace

// ---------------------------------------------------------------- line texts (no database)

// Now is Saturday 14 March 2026, 09:26:53.
TEST(CalendarLineText, EachCaseOfEachListGetsItsDateAndMarker) {
    const QDateTime now = at(2026, 3, 14, 9, 26, 53);
    const QDate today = now.date();
    const QDate next_week = today.addDays(7);
    struct Case {
        const char* name;
        std::optional<QDateTime> expiry;
        std::optional<QDateTime> remind;
        CalendarList list;
        QDate day;
        QString pattern;
        const char* expected;
    };
    const Case cases[] = {
        {"no deadline", none, now.addSecs(-60), CalendarList::Today, today, day_first, "P"},
        {"no deadline, expired", none, now.addSecs(-60), CalendarList::Expired, today, day_first, "P"},
        {"deadline an hour ago, today", now.addSecs(-3600), none, CalendarList::Today, today, day_first,
         "08:26 (E) P"},
        {"deadline an hour ago, expired", now.addSecs(-3600), none, CalendarList::Expired, today, day_first,
         "14/03/26 08:26 (E) P"},
        {"deadline an hour ago, calendar on today", now.addSecs(-3600), none, CalendarList::Calendar, today,
         day_first, "08:26 (E) P"},
        {"deadline exactly now", now, none, CalendarList::Today, today, day_first, "09:26 (E) P"},
        {"deadline yesterday, today's list", now.addDays(-1), none, CalendarList::Today, today, day_first,
         "13/03/26 09:26 (E) P"},
        {"reminder passed, deadline tomorrow", now.addDays(1), now.addSecs(-60), CalendarList::Today, today,
         day_first, "15/03/26 09:26 (R) P"},
        {"reminder passed, expired list", now.addDays(1), now.addSecs(-60), CalendarList::Expired, today,
         day_first, "15/03/26 09:26 (R) P"},
        {"reminder later today, deadline next week", at(2026, 3, 21, 10), at(2026, 3, 14, 18),
         CalendarList::Today, today, day_first, "18:00 (r) P"},
        {"the same on the calendar today", at(2026, 3, 21, 10), at(2026, 3, 14, 18), CalendarList::Calendar,
         today, day_first, "18:00 (r) P"},
        {"the same on next week's day", at(2026, 3, 21, 10), at(2026, 3, 14, 18), CalendarList::Calendar,
         next_week, day_first, "21/03/26 10:00 P"},
        {"reminder on another listed day", at(2026, 3, 22, 10), at(2026, 3, 20, 9), CalendarList::Calendar,
         QDate(2026, 3, 20), s("MM/dd/yy"), "03/20/26 09:00 (r) P"},
        {"reminder and deadline on one day", at(2026, 3, 20, 15), at(2026, 3, 20, 9), CalendarList::Calendar,
         QDate(2026, 3, 20), day_first, "20/03/26 15:00 P"},
        {"future deadline, no reminder", at(2026, 3, 20, 15), none, CalendarList::Calendar,
         QDate(2026, 3, 20), s("yy/MM/dd"), "26/03/20 15:00 P"},
    };
    for (const Case& c : cases) {
        const CalendarEvent event = event_with(c.expiry, c.remind);
        EXPECT_EQ(event_text(event, c.list, c.day, now, c.pattern, s("P")), s(c.expected)) << c.name;
    }
}

TEST(CalendarLineText, TheNumberEndsEveryLine) {
    const QString line = list_line(s("08:26 (E) Call"), 42);
    EXPECT_EQ(line.size(), list_text_width + 8);
    EXPECT_TRUE(line.endsWith(s(" 00000042")));
    EXPECT_EQ(visible_of(line), s("08:26 (E) Call"));
    EXPECT_EQ(item_of_line(line), 42);

    // A visible text too long for the line is cut so that the number still ends it.
    const QString title(300, QLatin1Char('x'));
    const QString long_line = list_line(title, 12345678);
    EXPECT_EQ(long_line.size(), list_text_width + 8);
    EXPECT_EQ(long_line.left(list_text_width), QString(252, QLatin1Char('x')) + s("..."));
    EXPECT_EQ(item_of_line(long_line), 12345678);
    // Exactly 255 characters fit whole.
    EXPECT_EQ(list_line(QString(255, QLatin1Char('y')), 1).left(list_text_width),
              QString(255, QLatin1Char('y')));

    for (const char* not_a_line : {"", "1234567", "title 1234567x", "title 12 45678"})
        EXPECT_EQ(item_of_line(s(not_a_line)), 0) << not_a_line;
}

TEST(CalendarLineText, ShortDatePatternReadsTheLocalesFieldOrder) {
    EXPECT_EQ(short_date_pattern(QLocale(s("en_US"))), s("MM/dd/yy"));
    EXPECT_EQ(short_date_pattern(QLocale(s("it_IT"))), s("dd/MM/yy"));
    // "dd.MM.yy" does not read "01/02/03" at all.
    EXPECT_EQ(short_date_pattern(QLocale(s("de_DE"))), s("dd/MM/yy"));
    EXPECT_EQ(short_date_pattern(QLocale(s("eu_ES"))), s("yy/MM/dd"));
    // A four-digit year field in the locale's own format.
    EXPECT_EQ(short_date_pattern(QLocale(s("ja_JP"))), s("yy/MM/dd"));
    EXPECT_EQ(short_date_pattern(QLocale(s("en_GB"))), s("dd/MM/yy"));
}

TEST(CalendarDayStrip, WeekendsTodayAndTheSelectedDay) {
    // Monday 16 March 2026: today light yellow, the first weekend on cells 5 and 6.
    const QDate monday(2026, 3, 16);
    DayStripColours colours = day_strip_colours(monday, monday.addDays(3));
    EXPECT_EQ(colours.days[0], CellColour::LightYellow);
    EXPECT_EQ(colours.days[1], CellColour::White);
    EXPECT_EQ(colours.days[3], CellColour::LightCyan);
    EXPECT_EQ(colours.days[5], CellColour::LightGrey);
    EXPECT_EQ(colours.days[6], CellColour::LightGrey);
    EXPECT_EQ(colours.days[39], CellColour::White); // Wednesday 24 April
    EXPECT_EQ(colours.expired, CellColour::White);
    EXPECT_EQ(colours.more, CellColour::White);

    EXPECT_EQ(day_strip_colours(monday, monday).days[0], CellColour::LightGreen);
    colours = day_strip_colours(monday, monday.addDays(-1));
    EXPECT_EQ(colours.expired, CellColour::LightCyan);
    EXPECT_EQ(colours.days[0], CellColour::LightYellow);
    colours = day_strip_colours(monday, monday.addDays(40));
    EXPECT_EQ(colours.more, CellColour::LightCyan);
    EXPECT_EQ(colours.days[39], CellColour::White);
    EXPECT_EQ(day_strip_colours(monday, monday.addDays(39)).days[39], CellColour::LightCyan);

    // A Saturday today is a weekend first.
    const QDate saturday(2026, 3, 14);
    colours = day_strip_colours(saturday, saturday.addDays(2));
    EXPECT_EQ(colours.days[0], CellColour::LightGrey);
    EXPECT_EQ(colours.days[1], CellColour::LightGrey);
    EXPECT_EQ(colours.days[2], CellColour::LightCyan);
}

// ---------------------------------------------------------------- reading the database

// The clock stands at Saturday 14 March 2026, 09:26:53.
class CalendarLists : public MapsDb {
protected:
    QDateTime now() const { return t.clock.now(); }
    QDate today() const { return now().date(); }
    qint64 add_event(const QString& title, std::optional<QDateTime> expiry, std::optional<QDateTime> remind,
                     const QString& content = {}) {
        return add(
            Row{s("Agenda"), s("Scheduled"), title, content, {}, std::move(expiry), std::move(remind)});
    }
    QStringList visible(CalendarList list, const QDate& day = {}) {
        QStringList texts;
        for (const QString& line : load_list(ctx, list, day, day_first))
            texts.append(visible_of(line));
        return texts;
    }
    QList<qint64> items(CalendarList list, const QDate& day = {}) {
        QList<qint64> numbers;
        for (const QString& line : load_list(ctx, list, day, day_first))
            numbers.append(item_of_line(line));
        return numbers;
    }
};

TEST_F(CalendarLists, EachListTakesItsDaysEventsWithTheirPanelTexts) {
    const qint64 hour_ago = add_event(s("Call O'Brien"), now().addSecs(-3600), {}, s("about the roof"));
    const qint64 reminded = add_event(s("Dentist"), at(2026, 3, 21, 10), at(2026, 3, 14, 18));
    const qint64 yesterday = add_event(s("Tax"), at(2026, 3, 13, 12), at(2026, 3, 13, 8));
    const qint64 no_deadline = add_event(s("Note"), {}, at(2026, 3, 14, 7));
    // Midnight of the next day belongs to the next day.
    const qint64 tomorrow = add_event(s("Midnight"), at(2026, 3, 15), {});

    EXPECT_EQ(visible(CalendarList::Today),
              (QStringList{s("08:26 (E) 14/03/26 08:26 - Call O'Brien~"),
                           s("18:00 (r) 21/03/26 10:00 - Dentist"), s("Note")}));
    EXPECT_EQ(items(CalendarList::Calendar, today()), (QList<qint64>{hour_ago, reminded, no_deadline}));
    EXPECT_EQ(visible(CalendarList::Calendar, QDate(2026, 3, 21)),
              QStringList{s("21/03/26 10:00 21/03/26 10:00 - Dentist")});
    EXPECT_EQ(items(CalendarList::Calendar, QDate(2026, 3, 15)), QList<qint64>{tomorrow});
    // Expired by deadline, the one without a deadline first.
    EXPECT_EQ(items(CalendarList::Expired), (QList<qint64>{no_deadline, yesterday, hour_ago}));
    EXPECT_EQ(visible(CalendarList::Expired).at(1), s("13/03/26 12:00 (E) 13/03/26 12:00 - Tax"));
}

TEST_F(CalendarLists, PanelTextsTellRepeatedTitlesAndReferences) {
    ctx.prefs.similar_items_indicator = true;
    add_event(s("Meeting"), at(2026, 3, 14, 20), {});
    add_event(s("Meeting"), at(2026, 3, 14, 21), {});
    add(s("Books"), s("Novels"), s("Emma"));
    add_event(s("> Books: Novels"), at(2026, 3, 14, 22), {});
    add_event(s("> Books: Poems"), at(2026, 3, 14, 23), {});
    EXPECT_EQ(visible(CalendarList::Today),
              (QStringList{s("20:00 14/03/26 20:00 - Meeting+"), s("21:00 14/03/26 21:00 - Meeting+"),
                           s("22:00 > Books: Novels"), s("23:00 > Books: Poems !")}));
}

TEST_F(CalendarLists, TenThousandEventsOfOneDayLoadWithAFewStatements) {
    ctx.prefs.similar_items_indicator = true;
    {
        Transaction transaction(db());
        for (int i = 0; i < 10000; ++i)
            add_event(s("event %1").arg(i), at(2026, 3, 20, i % 24, i % 60), {},
                      i % 2 ? s("> Books") : QString());
        transaction.commit();
    }
    StatementCounter counter(db().handle());
    const QStringList lines = load_list(ctx, CalendarList::Calendar, QDate(2026, 3, 20), day_first);
    EXPECT_EQ(lines.size(), 10000);
    EXPECT_LE(counter.count(), 3);
    EXPECT_EQ(visible_of(lines.at(1)), s("20/03/26 01:01 event 1 >"));
    EXPECT_EQ(visible_of(lines.at(2)), s("20/03/26 02:02 20/03/26 02:02 - event 2"));
    counter.reset();
    const DayMarks marks = mark_days(ctx, today(), QDate(2026, 3, 1));
    EXPECT_EQ(marks.days[6], 0); // no reminders: not counted
    EXPECT_LE(counter.count(), 2);
}

TEST_F(CalendarLists, OnlyItemsWithBothDatesAreCountedAndBold) {
    add_event(s("deadline only"), at(2026, 3, 16, 9), {});
    add_event(s("same day"), at(2026, 3, 16, 18), at(2026, 3, 16, 8));
    add_event(s("two days"), at(2026, 3, 20, 9), at(2026, 3, 17, 9));
    add_event(s("reminder only"), {}, at(2026, 3, 18, 9));
    add_event(s("past"), at(2026, 3, 1, 9), at(2026, 2, 27, 9));
    add_event(s("far"), at(2026, 4, 23, 9), at(2026, 4, 22, 9)); // 40 and 39 days ahead
    add_event(s("before midnight"), at(2026, 3, 23, 23, 59), at(2026, 3, 23, 0, 0));

    // The month calendar shows 23 February to 5 April.
    const DayMarks marks = mark_days(ctx, today(), QDate(2026, 2, 23));
    std::array<int, strip_days> expected{};
    expected[2] = 1;  // 16 March
    expected[3] = 1;  // 17 March
    expected[6] = 1;  // 20 March
    expected[9] = 1;  // 23 March
    expected[39] = 1; // 22 April
    EXPECT_EQ(marks.days, expected);
    EXPECT_EQ(marks.expired, 2);
    EXPECT_EQ(marks.more, 1);
    EXPECT_EQ(marks.bold, (QSet<QDate>{QDate(2026, 2, 27), QDate(2026, 3, 1), QDate(2026, 3, 16),
                                       QDate(2026, 3, 17), QDate(2026, 3, 20), QDate(2026, 3, 23)}));
}

TEST_F(CalendarLists, OccupiedAndFreeDaysFollowDeadlinesOnly) {
    const QDate day(2026, 3, 20);
    for (int i = 1; i <= 3; ++i)
        add_event(s("busy %1").arg(i), QDateTime(day.addDays(i), QTime(i == 2 ? 0 : 23, 30)), {});
    add_event(s("reminded only"), {}, QDateTime(day.addDays(4), QTime(9, 0)));
    add_event(s("later"), QDateTime(day.addDays(10), QTime(9, 0)), {});
    add_event(s("before"), QDateTime(day.addDays(-3), QTime(9, 0)), {});
    add_event(s("earlier"), QDateTime(day.addDays(-4), QTime(23, 0)), {});

    EXPECT_EQ(next_free_day(ctx, day), day.addDays(4));
    EXPECT_EQ(next_free_day(ctx, day.addDays(5)), day.addDays(6));
    EXPECT_EQ(previous_free_day(ctx, day.addDays(4)), day);
    EXPECT_EQ(previous_free_day(ctx, day.addDays(-2)), day.addDays(-5));
    EXPECT_EQ(next_occupied_day(ctx, day), day.addDays(1));
    EXPECT_EQ(next_occupied_day(ctx, day.addDays(3)), day.addDays(10));
    EXPECT_EQ(next_occupied_day(ctx, day.addDays(10)), std::nullopt);
    EXPECT_EQ(previous_occupied_day(ctx, day.addDays(1)), day.addDays(-3));
    EXPECT_EQ(previous_occupied_day(ctx, day.addDays(-4)), std::nullopt);

    // A single free day between two deadlines is the free day found, either way.
    add_event(s("after the gap"), QDateTime(day.addDays(12), QTime(9, 0)), {});
    EXPECT_EQ(next_free_day(ctx, day.addDays(9)), day.addDays(11));
    EXPECT_EQ(previous_free_day(ctx, day.addDays(13)), day.addDays(11));
}

TEST_F(CalendarLists, EventsAreReadWhateverTheirNulls) {
    const qint64 bare = add(Row{s("Agenda"), {}, {}, {}, {}, {}, at(2026, 3, 18, 7, 30)});
    const std::optional<CalendarEvent> event = read_event(ctx, bare);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->item_nr, bare);
    EXPECT_TRUE(event->title.isEmpty());
    EXPECT_TRUE(event->content.isEmpty());
    EXPECT_EQ(event->expiry, std::nullopt);
    EXPECT_EQ(event->remind, at(2026, 3, 18, 7, 30));
    EXPECT_EQ(reminder_day(ctx, bare), QDate(2026, 3, 18));
    EXPECT_EQ(visible(CalendarList::Calendar, QDate(2026, 3, 18)), QStringList{QString()});

    const qint64 no_reminder = add_event(s("plain"), at(2026, 3, 18, 7, 30), {});
    EXPECT_EQ(reminder_day(ctx, no_reminder), std::nullopt);
    EXPECT_EQ(read_event(ctx, no_reminder)->title, s("plain"));
    EXPECT_EQ(read_event(ctx, 999), std::nullopt);
    EXPECT_EQ(reminder_day(ctx, 999), std::nullopt);
}

TEST_F(CalendarLists, DaysWithAClockChangeHoldTheirWallClockHours) {
    const ZoneForTest rome("Europe/Rome");
    // 29 March 2026 skips 02:00-03:00; 25 October 2026 repeats 02:00-03:00 and lasts 25 hours.
    // A wall-clock time inside the gap can only be stored as its number.
    const qint64 spring = add_event(s("spring"), {}, at(2026, 3, 28, 23, 30));
    db().exec(s("update repos set date_expiry=%1 where item_nr=%2")
                  .arg(QDate(2026, 3, 29).toJulianDay() - 0.5 + 2.5 / 24, 0, 'f', 9)
                  .arg(spring));
    const qint64 late_spring = add_event(s("late"), at(2026, 3, 29, 23, 30), at(2026, 3, 29, 9));
    const qint64 autumn = add_event(s("autumn"), at(2026, 10, 25, 2, 30), at(2026, 10, 25, 1, 30));
    const qint64 late_autumn =
        add_event(s("late autumn"), at(2026, 10, 25, 23, 30), at(2026, 10, 24, 23, 30));

    EXPECT_EQ(items(CalendarList::Calendar, QDate(2026, 3, 29)), (QList<qint64>{spring, late_spring}));
    EXPECT_EQ(items(CalendarList::Calendar, QDate(2026, 3, 30)), QList<qint64>{});
    EXPECT_EQ(visible(CalendarList::Calendar, QDate(2026, 3, 29)).at(0).left(9), s("29/03/26 "));
    EXPECT_EQ(items(CalendarList::Calendar, QDate(2026, 10, 25)), (QList<qint64>{autumn, late_autumn}));
    EXPECT_EQ(visible(CalendarList::Calendar, QDate(2026, 10, 25)).at(0).left(14), s("25/10/26 02:30"));

    const DayMarks marks = mark_days(ctx, today(), QDate(2026, 3, 1));
    EXPECT_EQ(marks.days[14], 1); // 28 March: the reminder of "spring"
    EXPECT_EQ(marks.days[15], 2); // 29 March: "spring" and "late"
    EXPECT_EQ(marks.more, 3);     // 24 and 25 October
    EXPECT_EQ(next_free_day(ctx, QDate(2026, 3, 28)), QDate(2026, 3, 30));

    // In the repeated hour, a deadline of 02:30 has come at 02:45 of either pass.
    t.clock.set(at(2026, 10, 25, 2, 45));
    EXPECT_EQ(visible(CalendarList::Today).at(0).left(10), s("02:30 (E) "));
    EXPECT_EQ(items(CalendarList::Expired), (QList<qint64>{spring, late_spring, autumn, late_autumn}));
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_editing.h"

#include "calendar/calendar_test_helpers.h"
#include "calendar/reminders.h"
#include "support/db_fixtures.h"

#include <gtest/gtest.h>

namespace {

using Outcome = SaveResult::Outcome;
using When = std::optional<QDateTime>;
const When none;

} // namespace

// The clock stands at 14 March 2026, 09:26:53; every scripted answer must be used.
class CalendarEditing : public MapsDb {
protected:
    ~CalendarEditing() override { EXPECT_TRUE(t.prompter.all_answered()) << "scripted answers left unused"; }

    QDate today() const { return t.clock.now().date(); }
    QDateTime at(int days, int hour, int minute = 0) const {
        return {today().addDays(days), QTime(hour, minute)};
    }
    // An event whose reminder is its deadline unless told otherwise.
    qint64 event(const QString& title, const When& expiry, const When& remind = {}, const When& notified = {},
                 const QString& content = {}, const QString& cat = s("Scheduled")) {
        return add(Row{s("Agenda"), cat, title, content, {}, expiry, remind ? remind : expiry, notified});
    }
    SaveResult save(EventMode mode, qint64 item, const QString& title, const When& expiry = {},
                    const When& remind = {}, const QString& content = {}) {
        return save_event(ctx, mode, item, EventDraft{title, content, expiry, remind}, false);
    }
    // "collection|cat|title|content|expiry|remind|notified", dates as days from today and time.
    QString fields(qint64 item) {
        QStringList parts;
        for (const char* name : {"collection", "cat", "item_title", "item_content"})
            parts.append(column(item, s(name)).toString());
        for (const char* name : {"date_expiry", "date_remind", "date_notified"}) {
            const auto when = date_column(item, s(name));
            parts.append(
                when ? QString::asprintf("%+lld ", static_cast<long long>(today().daysTo(when->date()))) +
                           when->time().toString(s("hh:mm"))
                     : s("-"));
        }
        return parts.join(QLatin1Char('|'));
    }
    void remove(qint64 item) { db().exec(s("delete from repos where item_nr=") + QString::number(item)); }
    QStringList messages() const { return t.prompter.messages(); }
    const FakePrompter::Shown& asked() const { return t.prompter.shown().back(); }
    void forget() {
        t.prompter.clear();
        t.windows.calls.clear();
    }
};

// ---------------------------------------------------------------- saving

TEST_F(CalendarEditing, SaveChecksComeInTheirOrderAndWriteNothing) {
    const qint64 shown = event(s("Dentist"), at(2, 10));
    const QDateTime not_a_date;
    struct Case {
        EventDraft frame;
        const char* message;
    };
    const Case cases[] = {
        {{{}, {}, at(1, 9), none}, "Date remind must be filled."},
        {{s("x"), {}, none, at(1, 9)}, "Date aexipry must be filled."},
        {{s("x"), {}, not_a_date, not_a_date}, "Date remind is not valid."},
        {{s("x"), {}, not_a_date, at(1, 9)}, "Date expiry is not valid."},
        {{{}, {}, at(1, 9), at(1, 9, 1)}, "Date remind is later than date expiry."},
        {{s("  \t "), s("content"), none, none}, " Item title should not be empty."},
    };
    const QStringList before = dump();
    for (const EventMode mode : {EventMode::Insert, EventMode::Edit}) {
        for (const Case& c : cases) {
            forget();
            EXPECT_EQ(save_event(ctx, mode, shown, c.frame, false).outcome, Outcome::Refused) << c.message;
            EXPECT_EQ(messages(), QStringList{s(c.message)});
        }
    }
    EXPECT_EQ(dump(), before);
}

TEST_F(CalendarEditing, TheSaveQuestionComesFirstAndNoWritesNothing) {
    const qint64 shown = event(s("Dentist"), at(2, 10));
    const QStringList before = dump();
    t.prompter.answer(false);
    const EventDraft frame{s("  Optician "), {}, none, at(1, 9)};
    EXPECT_EQ(save_event(ctx, EventMode::Edit, shown, frame, true).outcome, Outcome::Declined);
    EXPECT_EQ(messages(), QStringList{s("Do you want to save record \"Optician\"?")});
    EXPECT_EQ(asked().title, s("Saving changes"));
    EXPECT_EQ(dump(), before);

    remove(shown);
    t.prompter.answer(false);
    save_event(ctx, EventMode::Insert, shown, frame, true);
    EXPECT_EQ(messages().last(), s("Item not found."));
}

TEST_F(CalendarEditing, InsertMakesAScheduledAgendaItemInItsMapOrder) {
    event(s("older"), at(9, 8));
    const SaveResult saved =
        save(EventMode::Insert, 0, s(" Dentist "), at(3, 10, 30), at(2, 18), s(" card\r\n"));
    EXPECT_EQ(saved.outcome, Outcome::Saved);
    EXPECT_EQ(saved.day, today().addDays(3));
    EXPECT_EQ(fields(saved.item_nr), s("Agenda|Scheduled|Dentist|card|+3 10:30|+2 18:00|-"));
    EXPECT_EQ(seqs(s("Agenda"), s("Scheduled")), (QStringList{s("Dentist=1"), s("older=2")}));

    ctx.collections.at(1).name = s("Diary");
    const SaveResult undated =
        save(EventMode::Insert, 0, s("Call O'Brien, café ") + QString(281, QLatin1Char('x')));
    EXPECT_EQ(undated.day, std::nullopt);
    EXPECT_EQ(fields(undated.item_nr),
              s("Diary|Scheduled|Call O'Brien, café ") + QString(281, QLatin1Char('x')) + s("||-|-|-"));
    EXPECT_EQ(column(undated.item_nr, s("item_title")).toString().size(), 300);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(CalendarEditing, InsertOfAnExistingTitleReplacesItOnlyAfterYes) {
    const qint64 old = event(s("Call O'Brien"), at(5, 9), at(4, 9), {}, s("old"));
    add(Row{s("Books"), s("Scheduled"), s("Call O'Brien")});
    const QStringList before = dump();
    t.prompter.answer(false);
    EXPECT_EQ(save(EventMode::Insert, old, s("call o'brien")).outcome, Outcome::Declined);
    EXPECT_EQ(messages(), QStringList{s("Item call o'brien already exists. Replace it?")});
    EXPECT_EQ(asked().title, s("Saving last changes"));
    EXPECT_FALSE(asked().default_yes);
    EXPECT_EQ(dump(), before);

    t.prompter.answer(true);
    EXPECT_EQ(save(EventMode::Insert, old, s("Call O'Brien"), at(1, 9), at(1, 8), s("new")).item_nr, old);
    EXPECT_EQ(fields(old), s("Agenda|Scheduled|Call O'Brien|new|+1 09:00|+1 08:00|-"));
    EXPECT_EQ(rows(), 2);
}

TEST_F(CalendarEditing, ADeadlineAlreadyComeIsMarkedOnlyWhenNew) {
    const qint64 past = save(EventMode::Insert, 0, s("past"), at(0, 8), at(-1, 8)).item_nr;
    const qint64 on_time = save(EventMode::Insert, 0, s("now"), t.clock.now(), t.clock.now()).item_nr;
    EXPECT_EQ(date_column(past, s("date_notified")), t.clock.now());
    EXPECT_EQ(date_column(on_time, s("date_notified")), t.clock.now());
    EXPECT_TRUE(check_reminders(ctx, false).reported.isEmpty());

    // Replacing keeps the mark while the deadline stays, and follows a new deadline.
    t.clock.advance_seconds(3600);
    for (int i = 0; i < 3; ++i)
        t.prompter.answer(true);
    save(EventMode::Insert, 0, s("past"), at(0, 8), at(0, 7));
    EXPECT_EQ(fields(past), s("Agenda|Scheduled|past||+0 08:00|+0 07:00|+0 09:26"));
    save(EventMode::Insert, 0, s("past"), at(4, 8), at(4, 7));
    save(EventMode::Insert, 0, s("now"));
    EXPECT_EQ(fields(past).section(QLatin1Char('|'), 6), s("-"));
    EXPECT_EQ(fields(on_time), s("Agenda|Scheduled|now||-|-|-"));
}

TEST_F(CalendarEditing, EditRefusesAnotherItemsTitleAndAVanishedItem) {
    const qint64 dentist = event(s("Dentist"), at(2, 10));
    event(s("Optician"), at(3, 10));
    const QStringList before = dump();
    EXPECT_EQ(save(EventMode::Edit, dentist, s("optician")).outcome, Outcome::Refused);
    EXPECT_EQ(messages(), QStringList{s("Item already exists")});
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(save(EventMode::Edit, dentist, s("Dentist")).item_nr, dentist);

    remove(dentist);
    forget();
    EXPECT_EQ(save(EventMode::Edit, dentist, s("Dentist")).outcome, Outcome::Refused);
    EXPECT_EQ(messages(), QStringList{s("Item not found")});
    EXPECT_EQ(rows(), 1);
}

TEST_F(CalendarEditing, EditKeepsTheMapAndClearsTheMarkOnlyWhenADateChanges) {
    // A namesake made earlier in the same map: the edited item is still the one answered.
    add(Row{s("Books"), s("Novels"), s("Return it")});
    const qint64 item = event(s("Return book"), at(1, 10), at(0, 9), at(-1, 20), {}, s("Novels"));
    db().exec(s("update repos set collection='Books'"));
    const SaveResult saved = save(EventMode::Edit, item, s("Return it"), at(1, 10), at(0, 9), s("shelf 3"));
    EXPECT_EQ(saved.item_nr, item);
    EXPECT_EQ(saved.day, today().addDays(1));
    EXPECT_EQ(fields(item), s("Books|Novels|Return it|shelf 3|+1 10:00|+0 09:00|-1 20:00"));

    const auto mark_after = [&](const When& expiry, const When& remind) {
        db().exec(s("update repos set date_notified=1"));
        save(EventMode::Edit, item, s("Return it"), expiry, remind);
        return column(item, s("date_notified"));
    };
    EXPECT_TRUE(mark_after(at(2, 10), at(0, 9)).isNull());
    EXPECT_TRUE(mark_after(at(2, 10), at(1, 9)).isNull());
    EXPECT_TRUE(mark_after(none, none).isNull());
    EXPECT_EQ(mark_after(none, none).toInt(), 1);
}

TEST_F(CalendarEditing, OddRowsAreToldAndNothingIsHalfWritten) {
    // A Null title shows as an empty one, which the title check refuses.
    const qint64 untitled = event({}, at(1, 9));
    db().exec(s("update repos set item_title=null"));
    EXPECT_EQ(save(EventMode::Edit, untitled, {}, at(1, 9), at(1, 9)).outcome, Outcome::Refused);
    // A Null category matches no map, so the saved row cannot be found again: rolled back.
    db().exec(s("update repos set cat=null"));
    const QStringList before = dump();
    EXPECT_EQ(save(EventMode::Edit, untitled, s("named")).outcome, Outcome::Refused);
    EXPECT_EQ(messages(), (QStringList{s(" Item title should not be empty."), s("error 2000 11 21 14 00")}));
    EXPECT_EQ(dump(), before);
}

// ---------------------------------------------------------------- delete, set done, drop

TEST_F(CalendarEditing, DeleteAsksWithTheTitleAndTellsAVanishedItem) {
    const qint64 item = event(s("Dentist"), at(1, 9));
    t.prompter.answer(false);
    t.prompter.answer(true);
    EXPECT_FALSE(delete_event(ctx, item));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(asked().text, s("Do you really want to delete this item?\r\n\r\n   \"Dentist\""));
    EXPECT_EQ(asked().title, s("Deleting item"));
    EXPECT_FALSE(asked().default_yes);
    EXPECT_TRUE(delete_event(ctx, item));
    EXPECT_EQ(rows(), 0);
    EXPECT_FALSE(delete_event(ctx, item));
    EXPECT_EQ(messages().last(), s("Item not found"));
}

TEST_F(CalendarEditing, SetDoneMovesTheEventToTheJournalUnderItsDeadline) {
    const qint64 item = event(s("Dentist"), at(3, 10, 30), at(2, 9), at(0, 9), s("bring 'the' card"));
    const qint64 bare = event(s("Plain"), at(3, 10, 30));
    ctx.table_presets.search_text = s("stale");
    qint64 preset_when_opened = 0;
    t.windows.on_open_table_view = [&](int) { preset_when_opened = ctx.table_presets.item_nr; };
    t.prompter.answer(true);
    EXPECT_TRUE(set_event_done(ctx, item));
    EXPECT_EQ(asked().text, s("This will move the selected item to the Journal. Do you want to proceed?"
                              "\r\n\r\n   \"Dentist\""));
    EXPECT_EQ(asked().title, s("Deleting item"));
    EXPECT_EQ(fields(item), s("Journal|Done|") + at(3, 10, 30).toString(s("dd/MM/yy hh:mm")) +
                                s("|Dentist\r\nbring 'the' card|-|-|+0 09:00"));
    EXPECT_EQ(dates::parse(column(item, s("item_title")).toString()), at(3, 10, 30));
    EXPECT_EQ(t.windows.calls, QStringList{s("open_table_view 6")});
    EXPECT_EQ(preset_when_opened, item);
    EXPECT_TRUE(ctx.table_presets.search_text.isEmpty());

    forget();
    t.prompter.answer(false);
    EXPECT_FALSE(set_event_done(ctx, bare));
    ctx.collections.at(6).name = s("Diary");
    t.prompter.answer(true);
    EXPECT_TRUE(set_event_done(ctx, bare));
    EXPECT_EQ(fields(bare).section(QLatin1Char('|'), 0, 3),
              s("Diary|Done|") + at(3, 10, 30).toString(s("dd/MM/yy hh:mm")) + s("|Plain"));
    remove(bare);
    EXPECT_FALSE(set_event_done(ctx, bare));
    EXPECT_EQ(messages().last(), s("Item not found"));
    EXPECT_EQ(t.windows.calls, QStringList{s("open_table_view 6")});
}

TEST_F(CalendarEditing, ADropMovesBothDatesToMidnightAndTheReminderFollows) {
    const qint64 item = event(s("Dentist"), at(-2, 10), at(-3, 9), t.clock.now());
    EXPECT_TRUE(reschedule_event(ctx, item, today().addDays(2)));
    EXPECT_EQ(fields(item), s("Agenda|Scheduled|Dentist||+2 00:00|+2 00:00|-"));
    // The old date's mark is gone: the event is told when its new day comes.
    t.clock.set(at(2, 0, 1));
    EXPECT_EQ(check_reminders(ctx, false).reported, QStringList{s("Dentist")});

    // A day in the past is taken (the event is then expired), without a reminder at once.
    forget();
    EXPECT_TRUE(reschedule_event(ctx, item, today().addDays(-10)));
    EXPECT_EQ(fields(item), s("Agenda|Scheduled|Dentist||-10 00:00|-10 00:00|+0 00:01"));
    EXPECT_EQ(check_reminders(ctx, false).matched, 1);
    remove(item);
    EXPECT_FALSE(reschedule_event(ctx, item, today()));
    EXPECT_EQ(messages(), QStringList{s("Item not found")});
}

// ---------------------------------------------------------------- find, open

TEST_F(CalendarEditing, FindMatchesTheSearchStringLiterally) {
    const char* titles[] = {"Call O'Brien", "Rate it 5*", "Why?", "C# course", "[draft] report", "Été"};
    for (int i = 0; i < 6; ++i)
        event(s(titles[i]), at(i + 5, 9));
    event(s("Wy, room 12"), at(11, 9), {}, {}, s("see Cy"));
    event(s("meeting without deadline"), none, at(1, 9));
    const std::pair<const char*, int> found[] = {{"o'brien", 5}, {"*", 6},    {"?", 7},  {"#", 8},
                                                 {"[d", 9},      {"éTÉ", 10}, {"cy", 11}};
    for (const auto& [text, day] : found)
        EXPECT_EQ(find_event_day(ctx, s(text), today()), today().addDays(day)) << text;
    EXPECT_TRUE(messages().isEmpty());
    // "#" is no digit and "?" no letter here; events without deadline are not searched.
    for (const char* text : {"room #2", "W?y", "meeting"})
        EXPECT_EQ(find_event_day(ctx, s(text), today()), std::nullopt) << text;
    EXPECT_EQ(messages(), QStringList(3, s("String not found")));
}

TEST_F(CalendarEditing, FindLooksAfterTheSelectedDayThenInTheWholeCalendar) {
    event(s("team meeting"), at(2, 9));
    event(s("board Meeting"), at(10, 9));
    event(s("meeting at midnight"), at(12, 0));
    EXPECT_EQ(find_event_day(ctx, s("MEETING"), today()), today().addDays(2));
    // The events of the day after the selected one count; those of the selected day do not.
    EXPECT_EQ(find_event_day(ctx, s("meeting"), today().addDays(1)), today().addDays(2));
    EXPECT_EQ(find_event_day(ctx, s("meeting"), today().addDays(2)), today().addDays(10));
    EXPECT_EQ(find_event_day(ctx, s("meeting"), today().addDays(11)), today().addDays(2));
}

TEST_F(CalendarEditing, OpeningFollowsALinkAReferenceAMapTitleElseTheAgendaTable) {
    add(Row{s("Books"), s("Novels"), s("Dune")});
    const qint64 linked = event(s("Tickets"), at(1, 9), {}, {}, s("link=https://example.org/t\r\nmore"));
    const qint64 referring = event(s("Read"), at(1, 9), {}, {}, s("> Books: Novels"));
    const qint64 map_title = event(s("> Books: Novels"), at(1, 9));
    const qint64 missing_map = event(s("> Books: Poems"), at(1, 9));
    open_event(ctx, linked);
    EXPECT_EQ(t.desktop.opened, QStringList{s("https://example.org/t")});
    open_event(ctx, referring);
    ctx.collections.at(7).open_cat_as_map = true;
    open_event(ctx, referring);
    open_event(ctx, map_title);
    EXPECT_EQ(t.windows.calls, (QStringList{s("open_table_view 7"), s("open_named_map Books: Novels"),
                                            s("open_named_map Books: Novels")}));

    forget();
    ctx.table_presets.search_text = s("old search");
    ctx.table_presets.title = s("old title");
    open_event(ctx, missing_map);
    EXPECT_EQ(t.windows.calls, QStringList{s("open_table_view 1")});
    EXPECT_EQ(ctx.table_presets.item_nr, missing_map);
    EXPECT_TRUE(ctx.table_presets.search_text.isEmpty() && ctx.table_presets.title.isEmpty());
    remove(linked);
    open_event(ctx, linked);
    EXPECT_EQ(messages(), QStringList{s("Item not found")});
}

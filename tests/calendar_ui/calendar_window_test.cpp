// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window (f_calendar), offscreen in an MDI area, on a fixed clock.
#include "calendar/ui/calendar_window.h"
#include "calendar/ui/day_strip.h"
#include "calendar/ui/event_list.h"
#include "calendar/ui/optional_date_time.h"
#include "core/ui/form_place.h"
#include "support/window_fixtures.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Saturday 14 March 2026, 09:26:53 (the fake clock's start).
class CalendarWindowFixture : public MdiFixture {
protected:
    QPointer<CalendarWindow> window;
    QDateTime now;
    QDate today;
    qint64 due_today = 0;
    qint64 overdue = 0;
    qint64 next_week = 0;

    void SetUp() override {
        open_area(QStringLiteral("calendar.tdb"));
        now = tc.clock.now();
        today = now.date();
        // Due at 15:00 today, reminded from 08:00.
        due_today = add({s("Agenda"), s("Scheduled"), s("Dentist"), {}, {}, at(0, 15), at(0, 8)});
        // Its deadline passed yesterday.
        overdue = add({s("Agenda"), s("Scheduled"), s("Pay rent"), s("flat"), {}, at(-1, 12), at(-1, 12)});
        // Reminded today at 10:00, due in a week.
        next_week = add({s("Agenda"), s("Scheduled"), s("Tax return"), {}, {}, at(7, 18), at(0, 10)});
        t.windows.calendar = true;
        t.windows.then[s("refresh_calendar")] = [this] {
            if (window) window->refresh_lists();
        };
    }
    void TearDown() override {
        if (window) close_form(*window);
        settle();
        maps.reset();
    }

    QDateTime at(int days, int hour) const { return {today.addDays(days), QTime(hour, 0)}; }

    CalendarWindow& open(qint64 preset = 0) {
        window = open_calendar_window(ctx, *maps, preset, &area);
        settle();
        return *window;
    }
    template <class W> W& control(const char* name) const {
        W* found = window->findChild<W*>(s(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    QStringList lines(const char* list) const {
        QStringList texts;
        auto& events = control<EventList>(list);
        for (int row = 0; row < events.count(); ++row)
            texts.append(events.item(row)->text());
        return texts;
    }
    void select_line(const char* list, int row) {
        auto& events = control<EventList>(list);
        events.setFocus();
        events.setCurrentRow(row);
        window->show_line(events);
    }
    // What a drag of line `row` of `list` carries (the application delivers drops only while a
    // real drag runs, so the tests hand the data to the targets).
    std::unique_ptr<QMimeData> drag_line(const char* list, int row) const {
        auto& events = control<EventList>(list);
        return std::unique_ptr<QMimeData>(events.model()->mimeData({events.model()->index(row, 0)}));
    }
    QString title_of(qint64 item_nr) { return column(item_nr, s("item_title")).toString(); }
};

TEST_F(CalendarWindowFixture, OpensWithTheThreeListsTheStripAndTheBoldDays) {
    CalendarWindow& calendar = open();
    EXPECT_EQ(calendar.selected_day(), today);
    // The lists come from the logic's loading; here they only need to reach their widgets.
    ASSERT_EQ(lines("list_today").size(), 2);
    EXPECT_TRUE(lines("list_today").at(0).startsWith(s("15:00 (R) ")));
    ASSERT_EQ(lines("list_expired").size(), 2);
    EXPECT_TRUE(lines("list_expired").at(0).endsWith(s("Pay rent~")));
    // The event reminded today and due next week is counted on both days.
    auto& strip = *calendar.findChild<DayStrip*>(s("day_strip"));
    EXPECT_EQ(strip.count_cell(0).text(), s("2"));
    EXPECT_EQ(strip.count_cell(7).text(), s("1"));
    EXPECT_EQ(strip.count_cell(-1).text(), s("1"));
    EXPECT_EQ(strip.count_cell(1).text(), QString());
    auto& month = control<QCalendarWidget>("monthview");
    EXPECT_EQ(month.dateTextFormat(today.addDays(7)).fontWeight(), QFont::Bold);
    EXPECT_NE(month.dateTextFormat(today.addDays(1)).fontWeight(), QFont::Bold);
    EXPECT_EQ(calendar.form_attributes().query, s("select * from repos where date_expiry is not null"));
}

TEST_F(CalendarWindowFixture, OpensOnThePresetItemsReminderDay) {
    const qint64 later = add({s("Agenda"), s("Scheduled"), s("Holiday"), {}, {}, at(20, 9), at(19, 9)});
    CalendarWindow& calendar = open(later);
    EXPECT_EQ(calendar.selected_day(), today.addDays(19));
    EXPECT_EQ(calendar.current_item(), later);
    EXPECT_TRUE(lines("List_calendar").join(u'|').contains(s("Holiday")));
}

TEST_F(CalendarWindowFixture, AnEventAddedInTheFrameIsSavedIntoTheAgendaAndListed) {
    // The day already holds an event, listed before the new one.
    add({s("Agenda"), s("Scheduled"), s("Earlier"), {}, {}, at(2, 8), at(2, 8)});
    CalendarWindow& calendar = open();
    calendar.select_day(today.addDays(2));
    QTest::mouseClick(&control<QPushButton>("b_add"), Qt::LeftButton);
    EXPECT_EQ(calendar.mode(), EventMode::Insert);
    EXPECT_FALSE(control<EventList>("List_calendar").isEnabled());
    EXPECT_EQ(control<OptionalDateTimeEdit>("t_date_exp").value(), QDateTime(today.addDays(2), QTime(0, 0)));
    QTest::keyClicks(&control<QLineEdit>("t_item_title"), s("Call O'Brien"));
    ASSERT_TRUE(control<QPushButton>("b_save").isEnabled());
    QTest::keyClick(&control<QLineEdit>("t_item_title"), Qt::Key_F12);

    EXPECT_EQ(calendar.mode(), EventMode::Showing);
    const qint64 saved = calendar.current_item();
    ASSERT_NE(saved, 0);
    EXPECT_EQ(title_of(saved), s("Call O'Brien"));
    // The frame and the day list go on showing the saved event.
    EXPECT_EQ(control<QLineEdit>("t_item_title").text(), s("Call O'Brien"));
    EXPECT_EQ(control<EventList>("List_calendar").current_item_nr(), saved);
    EXPECT_TRUE(lines("List_calendar").join(u'|').contains(s("Call O'Brien")));
    EXPECT_TRUE(control<EventList>("List_calendar").isEnabled());
    // The day's count under the strip follows.
    EXPECT_EQ(calendar.findChild<DayStrip*>(s("day_strip"))->count_cell(2).text(), s("2"));
}

TEST_F(CalendarWindowFixture, ARefusedSaveKeepsTheModeAndTheInput) {
    CalendarWindow& calendar = open();
    calendar.begin_insert();
    QTest::keyClicks(&control<QLineEdit>("t_item_title"), s("Half typed"));
    control<OptionalDateTimeEdit>("t_date_rem").check_box().setChecked(false);
    const int before = rows();
    calendar.save_record(false);
    EXPECT_EQ(t.prompter.messages().value(0), s("Date remind must be filled."));
    EXPECT_EQ(calendar.mode(), EventMode::Insert);
    EXPECT_EQ(control<QLineEdit>("t_item_title").text(), s("Half typed"));
    EXPECT_EQ(rows(), before);
    // Escape asks to save; No leaves the frame and returns to showing.
    t.prompter.answer(false);
    QTest::keyClick(&control<QLineEdit>("t_item_title"), Qt::Key_Escape);
    EXPECT_EQ(calendar.mode(), EventMode::Showing);
    EXPECT_EQ(rows(), before);
}

TEST_F(CalendarWindowFixture, ChangingAFieldOfAShownEventEntersEditAndSavesIt) {
    CalendarWindow& calendar = open();
    select_line("list_expired", 0);
    ASSERT_EQ(calendar.current_item(), overdue);
    QTest::keyClicks(&control<QLineEdit>("t_item_title"), s(" now"));
    EXPECT_EQ(calendar.mode(), EventMode::Edit);
    QTest::mouseClick(&control<QPushButton>("b_save"), Qt::LeftButton);
    EXPECT_EQ(title_of(overdue), s("Pay rent now"));
    EXPECT_EQ(calendar.mode(), EventMode::Showing);
}

TEST_F(CalendarWindowFixture, ALineDroppedOnADayCellMovesTheEventThere) {
    CalendarWindow& calendar = open();
    auto& strip = *calendar.findChild<DayStrip*>(s("day_strip"));
    EXPECT_FALSE(strip.take_drop(3, nullptr));
    ASSERT_TRUE(strip.take_drop(3, drag_line("list_expired", 0).get()));
    EXPECT_EQ(date_column(overdue, s("date_expiry")), QDateTime(today.addDays(3), QTime(0, 0)));
    EXPECT_EQ(calendar.selected_day(), today.addDays(3));
    EXPECT_TRUE(lines("List_calendar").join(u'|').contains(s("Pay rent")));
    EXPECT_FALSE(lines("list_expired").join(u'|').contains(s("Pay rent")));
    // Dropped on the today list, it comes back to today at midnight: due, so expired again.
    ASSERT_TRUE(control<EventList>("list_today").take_drop(drag_line("List_calendar", 0).get()));
    EXPECT_TRUE(lines("list_expired").join(u'|').contains(s("Pay rent")));
}

TEST_F(CalendarWindowFixture, TheKeysOfTheWindow) {
    CalendarWindow& calendar = open();
    auto& day_list = control<EventList>("List_calendar");
    calendar.select_day(today.addDays(5));
    QTest::keyClick(&day_list, Qt::Key_F5);
    EXPECT_EQ(calendar.selected_day(), today);
    // F8 sets the shown event done: it leaves the lists for the Journal's table.
    select_line("list_expired", 0);
    t.prompter.answer(true);
    QTest::keyClick(&control<EventList>("list_expired"), Qt::Key_F8);
    EXPECT_TRUE(t.windows.calls.contains(s("open_table_view 6")));
    EXPECT_FALSE(lines("list_expired").join(u'|').contains(s("Pay rent")));
    EXPECT_EQ(calendar.current_item(), 0);
    // Delete on a list deletes the shown event after the question.
    select_line("List_calendar", 0);
    const qint64 shown = calendar.current_item();
    t.prompter.answer(true);
    QTest::keyClick(&day_list, Qt::Key_Delete);
    EXPECT_EQ(rows(QStringLiteral("item_nr=%1").arg(shown)), 0);
    // Insert begins a new event; Escape leaves it, and Escape again closes the window.
    QTest::keyClick(&day_list, Qt::Key_Insert);
    EXPECT_EQ(calendar.mode(), EventMode::Insert);
    QTest::keyClick(&control<QLineEdit>("t_item_title"), Qt::Key_Escape);
    EXPECT_EQ(calendar.mode(), EventMode::Showing);
    // Other keys go to the general keys.
    QTest::keyClick(&day_list, Qt::Key_F6);
    EXPECT_TRUE(t.windows.calls.contains(QStringLiteral("handle_hot_key 0 %1").arg(Qt::Key_F6)));
    QTest::keyClick(&day_list, Qt::Key_Escape);
    settle();
    EXPECT_TRUE(window.isNull());
}

TEST_F(CalendarWindowFixture, AChangeMadeElsewhereShowsAfterTheProgramWideRefresh) {
    open();
    add({s("Agenda"), s("Scheduled"), s("Added in a map"), {}, {}, at(0, 20), at(0, 20)});
    maps->refresh_all_windows();
    EXPECT_TRUE(lines("list_today").join(u'|').contains(s("Added in a map")));
}

} // namespace

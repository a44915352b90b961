// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"

#include <QAction>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class MapWindowAutoTest : public MapWindowFixture {
protected:
    static QTimer* timer(const MapWindow* window, const char* name) {
        return window->findChild<QTimer*>(QLatin1String(name));
    }
    static void trigger(const MapWindow* window, const char* name) {
        window->action(QLatin1String(name))->trigger();
    }
    QString param(const QString& map, const char* key) {
        return get_map_param(*ctx.db, map, QLatin1String(key));
    }
    // The map names of the open windows, in slot order.
    QStringList open_maps() const {
        QStringList names;
        for (const int number : ctx.map_windows.in_use_slots())
            names.append(ctx.map_windows.slot(number).map_name);
        return names;
    }
};

// Switched on from the menu the timer runs and steps over fillers, wraps, waits 10 seconds after
// navigation and pauses while automatic changes are off or a title is asked.
TEST_F(MapWindowAutoTest, AutoSelectionStepsOverFillersAndPauses) {
    add("Books", "Poetry", "Dante", {}, 1);
    add("Books", "Poetry", "-", {}, 2);
    add("Books", "Poetry", "Petrarca", {}, 3);
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    window->select(0);
    QTimer* autom = timer(window, "timer_autom");
    ASSERT_NE(autom, nullptr);
    EXPECT_FALSE(autom->isActive());

    trigger(window, "m_auto");
    EXPECT_TRUE(window->action(u"m_auto"_s)->isChecked());
    EXPECT_EQ(param(u"Books: Poetry"_s, "#autom"), u"-1"_s);
    EXPECT_TRUE(autom->isActive());
    EXPECT_EQ(autom->interval(), window->parameters().intervallo);
    // The step run at once finds the window opened a moment ago.
    EXPECT_EQ(window->selected_index(), 0);

    t.clock.advance_seconds(10);
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 2);
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 0);

    // An arrow key is a navigation: the steps wait another 10 seconds.
    key(window, Qt::Key_Down);
    EXPECT_EQ(window->selected_index(), 1);
    t.clock.advance_seconds(9);
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 1);
    t.clock.advance_seconds(1);

    ctx.allow_automatic_changes = false;
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 1);
    ctx.allow_automatic_changes = true;
    ctx.title_being_asked = true;
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 1);
    ctx.title_being_asked = false;
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 2);

    trigger(window, "m_auto");
    EXPECT_FALSE(autom->isActive());
    EXPECT_EQ(param(u"Books: Poetry"_s, "#autom"), u"0"_s);
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 2);
}

// The rename question holds the steps for as long as it is open.
TEST_F(MapWindowAutoTest, RenameQuestionHoldsTheStepsWhileAsked) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    trigger(window, "m_auto");
    t.clock.advance_seconds(10);
    int selected_while_asked = -1;
    t.prompter.on_input = [&](const QString&) {
        window->on_auto_timer();
        selected_while_asked = window->selected_index();
    };
    t.prompter.answer(std::optional<QString>());
    key(window, Qt::Key_F2);
    EXPECT_EQ(selected_while_asked, 0);
    // Once answered, the steps go on.
    t.prompter.on_input = nullptr;
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 1);
}

// With another kind of window active nothing is selected.
TEST_F(MapWindowAutoTest, NoStepWithAnotherWindowActive) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    trigger(window, "m_auto");
    t.clock.advance_seconds(11);

    auto* other = new QWidget; // owned by its sub-window
    other->setProperty("tag", u"f_gentabx"_s);
    QMdiSubWindow* frame = area.addSubWindow(other);
    frame->show();
    area.setActiveSubWindow(frame);
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 0);
    area.setActiveSubWindow(window->sub_window());
    window->on_auto_timer();
    EXPECT_EQ(window->selected_index(), 1);
    frame->close();
}

// The frequency answer is stored in milliseconds, given to the timer and shown.
TEST_F(MapWindowAutoTest, FrequencyIsAskedStoredAndShown) {
    add("Books", "Poetry", "Dante");
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    trigger(window, "m_auto");
    t.prompter.answer("1,5");
    trigger(window, "m_change_frequency");
    EXPECT_EQ(param(u"Books: Poetry"_s, "#intervallo"), u"1500"_s);
    EXPECT_EQ(timer(window, "timer_autom")->interval(), 1500);
    EXPECT_TRUE(window->action(u"m_change_frequency"_s)->text().contains(u"(now 1.5)"_s));

    trigger(window, "m_random");
    EXPECT_EQ(param(u"Books: Poetry"_s, "#randomico"), u"-1"_s);
    EXPECT_TRUE(window->action(u"m_random"_s)->isChecked());
    EXPECT_TRUE(timer(window, "timer_autom")->isActive());
}

// A map stored with automatic selection on starts its timer after a random part of 0.3 seconds.
TEST_F(MapWindowAutoTest, StoredAutoSelectionStartsStaggered) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    set_map_param(*ctx.db, t.prompter, u"Books: Poetry"_s, u"#autom"_s, u"-1"_s);
    set_map_param(*ctx.db, t.prompter, u"Books: Poetry"_s, u"#intervallo"_s, u"2000"_s);
    t.random.values = {0.5};
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->action(u"m_auto"_s)->isChecked());
    EXPECT_FALSE(timer(window, "timer_autom")->isActive());
    QTimer* start = timer(window, "timer_autom_start");
    ASSERT_TRUE(start->isActive());
    EXPECT_EQ(start->interval(), 150);
    window->on_auto_start_timer();
    EXPECT_TRUE(timer(window, "timer_autom")->isActive());
    EXPECT_EQ(timer(window, "timer_autom")->interval(), 2000);
    // Closing stops the timers before the window and its timers go.
    window->close();
    EXPECT_FALSE(start->isActive());
    settle();
}

// Open all opens the existing child maps only, in panel order; close all closes them and leaves the others.
TEST_F(MapWindowAutoTest, OpenAllAndCloseAllChildMaps) {
    add("Books", "Poetry", "Dante", {}, 1);
    add("Books", "Poetry", "> Media: Films", {}, 2);
    add("Books", "Poetry", "> Media: Missing", {}, 3);
    add("Books", "Poetry", "Leopardi", {}, 4);
    add("Books", "Dante", "Inferno");
    add("Media", "Films", "Casablanca");
    add("Media", "Music", "Bach");
    maps->open_map(u"Media: Music"_s);
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);

    trigger(window, "m_open_all_child_maps");
    settle();
    EXPECT_EQ(open_maps(), (QStringList{"Media: Music", "Books: Poetry", "Books: Dante", "Media: Films"}));
    EXPECT_EQ(rows("cat='Missing'"), 0);

    trigger(window, "m_close_all_child_maps");
    settle();
    EXPECT_EQ(open_maps(), (QStringList{"Media: Music", "Books: Poetry"}));
    EXPECT_EQ(area.subWindowList().size(), 2);
}

// Two maps naming each other, both opening their children: each opens once, by either way.
TEST_F(MapWindowAutoTest, AReferenceLoopOpensEachMapOnce) {
    add("Media", "A", "> Media: B");
    add("Media", "B", "> Media: A");
    add("Media", "B", "C");
    add("Media", "C", "> Media: A");
    for (const auto* name : {u"Media: A", u"Media: B", u"Media: C"})
        set_map_param(*ctx.db, t.prompter, QString::fromUtf16(name), u"#open_child_topics"_s, u"-1"_s);

    MapWindow* a = maps->open_map(u"Media: A"_s);
    ASSERT_NE(a, nullptr);
    settle();
    EXPECT_EQ(open_maps(), (QStringList{"Media: A", "Media: B", "Media: C"}));
    EXPECT_EQ(ctx.map_windows.session_count(), 3);
    EXPECT_TRUE(a->action(u"m_auto_open_child_topics"_s)->isChecked());

    // The command reopens B, whose own children are open already.
    trigger(a, "m_open_all_child_maps");
    settle();
    EXPECT_EQ(open_maps(), (QStringList{"Media: A", "Media: C", "Media: B"}));
    EXPECT_EQ(ctx.map_windows.session_count(), 4);

    trigger(a, "m_auto_open_child_topics");
    EXPECT_EQ(param(u"Media: A"_s, "#open_child_topics"), u"0"_s);
    EXPECT_FALSE(a->action(u"m_auto_open_child_topics"_s)->isChecked());
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"

#include "core/map_window_table.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace {

using MapWindowCommandsTest = MapWindowFixture;

// Each editing key reaches its command, and the window follows the outcome: panels laid out
// again, reloaded, reopened under the map's new name, or closed.
TEST_F(MapWindowCommandsTest, EditingKeysReachTheirCommandsAndTheWindowFollows) {
    add("Books", "Poetry", "zeta", {}, 1);
    add("Books", "Poetry", "Alpha", {}, 2);
    add("Books", "Poetry", "beta", {}, 3);
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    key(window, Qt::Key_F7);
    EXPECT_EQ(panel_texts(window), (QStringList{"Alpha", "beta", "zeta"}));

    window->select(0);
    t.prompter.answer("Léopardi d'Italia");
    key(window, Qt::Key_Insert);
    EXPECT_EQ(panel_texts(window), (QStringList{"Alpha", u"Léopardi d'Italia"_s, "beta", "zeta"}));
    t.prompter.answer(true);
    key(window, Qt::Key_Delete);
    EXPECT_EQ(panel_texts(window), (QStringList{"Alpha", "beta", "zeta"}));
    // A panel dropped on the background is the one removed, not the selected one.
    DragPayload drag;
    drag.title = u"zeta"_s;
    drag.source_window = window->window_number();
    drag.source_index = 2;
    t.prompter.answer(true);
    window->drop_on_background(drag);
    EXPECT_TRUE(t.prompter.shown().back().text.contains(u"\"zeta\""_s));
    EXPECT_EQ(panel_texts(window), (QStringList{"Alpha", "beta"}));

    const int old_number = window->window_number();
    t.prompter.answer("Books: Poésie d'Italie");
    key(window, Qt::Key_F2, Qt::ControlModifier);
    settle();
    EXPECT_FALSE(ctx.map_windows.slot(old_number).in_use);
    ASSERT_EQ(ctx.map_windows.in_use_count(), 1);
    MapWindow* renamed = maps->window(ctx.map_windows.in_use_slots().front());
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->windowTitle(), u"Poésie d'Italie"_s);
    EXPECT_EQ(panel_texts(renamed), (QStringList{"Alpha", "beta"}));

    t.prompter.answer(true);
    key(renamed, Qt::Key_Delete, Qt::ControlModifier);
    settle();
    EXPECT_EQ(rows("collection='Books'"), 0);
    EXPECT_EQ(ctx.map_windows.in_use_count(), 0);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_TRUE(t.prompter.all_answered());
}

// Menu commands whose logic is tested on its own: the window has to reach it and show the result.
TEST_F(MapWindowCommandsTest, MenuCommandsReachTheirLogic) {
    add("Books", "Poetry", "Reading list", u"-- Dante\r\n- L'Infinito, Émile\r\n"_s);
    ASSERT_TRUE(QDir().mkpath(ctx.program_dir));
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);

    window->action(u"m_export_map_to_wordpad"_s)->trigger();
    EXPECT_EQ(t.desktop.opened.size(), 1);

    // Items from the content go into a collection; anything else is refused.
    QAction* from_content = window->action(u"m_Create_items_from_content"_s);
    t.prompter.answer("Books: Poetry");
    from_content->trigger();
    EXPECT_EQ(t.prompter.messages().last(), u"Only collection should be selected."_s);
    t.prompter.answer("glossary");
    t.prompter.answer("To read");
    from_content->trigger();
    EXPECT_TRUE(t.prompter.all_answered());
    EXPECT_EQ(rows("collection='Glossary' and cat='To read'"), 3);

    // The start map toggle is stored, and the map opens at start.
    QAction* start = window->action(u"m_set_map_as_default_map"_s);
    EXPECT_FALSE(start->isChecked());
    start->trigger();
    EXPECT_TRUE(start->isChecked());
    maps->close_all();
    settle();
    maps->open_start_maps(false);
    ASSERT_EQ(ctx.map_windows.in_use_count(), 1);
    EXPECT_EQ(maps->window(ctx.map_windows.in_use_slots().front())->windowTitle(), u"Poetry"_s);
}

TEST_F(MapWindowCommandsTest, RefreshingOtherWindowsShowsTheChange) {
    add("Books", "Poetry", "Dante");
    add("Books", "Novels", "Manzoni");
    MapWindow* poetry = maps->open_map(u"Books: Poetry"_s);
    MapWindow* novels = maps->open_map(u"Books: Novels"_s);
    ASSERT_NE(poetry, nullptr);
    ASSERT_NE(novels, nullptr);
    add("Books", "Poetry", "Petrarca");
    add("Books", "Novels", "Verga");
    maps->refresh_all_windows(u"books: novels"_s);
    EXPECT_EQ(panel_texts(poetry), (QStringList{"Dante", "Petrarca"}));
    EXPECT_EQ(panel_texts(novels), QStringList{"Manzoni"});
    maps->refresh_open_maps();
    EXPECT_EQ(panel_texts(novels), (QStringList{"Manzoni", "Verga"}));
}

TEST_F(MapWindowCommandsTest, SavingAllKeepsEachWindowsPlaceAndColumns) {
    add("Books", "Poetry", "Dante");
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    key(window, Qt::Key_2);
    window->sub_window()->move(45, 30);
    maps->save_all();
    EXPECT_EQ(get_map_param(*ctx.db, u"Books: Poetry"_s, u"#left"_s), QString::number(45 * 15));
    EXPECT_EQ(get_map_param(*ctx.db, u"Books: Poetry"_s, u"#top"_s), QString::number(30 * 15));
    EXPECT_EQ(get_map_param(*ctx.db, u"Books: Poetry"_s, u"#nr_columns"_s), u"2"_s);
    EXPECT_TRUE(ctx.map_windows.slot(window->window_number()).in_use);
}

TEST_F(MapWindowCommandsTest, UnavailableCommandsDoNothingAndF1OrARightClickShowsTheMenu) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    for (const Qt::Key k : {Qt::Key_Space, Qt::Key_F3, Qt::Key_F10, Qt::Key_I, Qt::Key_R})
        key(window, k);
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_EQ(ctx.map_windows.in_use_count(), 1);
    key(window, Qt::Key_F1);
    EXPECT_TRUE(window->popup_menu()->isVisible());
    window->popup_menu()->hide();
    // A right click selects its panel first.
    QTest::mouseClick(window->findChild<QPushButton*>(u"pan_2"_s), Qt::RightButton);
    EXPECT_EQ(window->selected_index(), 1);
    EXPECT_TRUE(window->popup_menu()->isVisible());
    window->popup_menu()->hide();
}

TEST_F(MapWindowCommandsTest, ADragCarriesItsPanel) {
    DragPayload drag;
    drag.item_nr = 42;
    drag.title = QStringLiteral("L'été");
    drag.source_window = 7;
    drag.source_index = 3;
    drag.copy = true;
    std::unique_ptr<QMimeData> mime(panel_drag::encode(drag));
    const auto back = panel_drag::decode(mime.get());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->item_nr, 42);
    EXPECT_EQ(back->title, QStringLiteral("L'été"));
    EXPECT_EQ(back->source_window, 7);
    EXPECT_EQ(back->source_index, 3);
    EXPECT_TRUE(back->copy);
    QMimeData other;
    other.setText(QStringLiteral("plain"));
    EXPECT_FALSE(panel_drag::decode(&other).has_value());
}

// A reference or a copy waits for the user to activate the map it takes from, or to click one
// of its panels.
TEST_F(MapWindowCommandsTest, PendingOperationsAreCompletedByActivationOrAClick) {
    add("Books", "Poetry", "Dante");
    add("Books", "Novels", "Manzoni");
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    MapWindow* novels = maps->open_map(QStringLiteral("Books: Novels"));
    ASSERT_NE(poetry, nullptr);
    ASSERT_NE(novels, nullptr);
    maps->activate(poetry->window_number());
    settle();

    t.prompter.answer(true);
    key(poetry, Qt::Key_F8);
    ASSERT_TRUE(ctx.pending_map_operation.pending());
    maps->activate(novels->window_number());
    settle();
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_TRUE(panel_texts(poetry).contains("> Books: Novels"));

    ctx.pending_map_operation = {PendingMapOperation::Kind::InsertReference, poetry->window_number()};
    QTest::mouseClick(novels->findChild<QPushButton*>(QStringLiteral("pan_1")), Qt::LeftButton);
    settle();
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_EQ(rows("collection='Books' and cat='Poetry' and item_title='> Books: Novels.Manzoni'"), 1);

    maps->activate(poetry->window_number());
    settle();
    t.prompter.answer(true);
    poetry->action(QStringLiteral("m_copy_items_from_another_map"))->trigger();
    ASSERT_TRUE(ctx.pending_map_operation.pending());
    maps->activate(novels->window_number());
    settle();
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_TRUE(panel_texts(poetry).contains("Manzoni"));
}

} // namespace

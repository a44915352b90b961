// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>

namespace {

using MapWindowMenuTest = MapWindowFixture;

struct Command {
    const char* name;
    const char* caption;
    bool enabled;
};

// Every command of the pop-up menu with its caption; the ones whose windows are not part of
// this version are shown disabled.
const Command commands[] = {
    {"m_open_topic_with_name_of_item", "Open sub-topic from selected tag (double click)", true},
    {"m_open_parent_map", "Open parent map (CTL+UP)", true},
    {"m_table_view_of_this_map", "Table view of this map and tag (SPACE)", false},
    {"m_table_view_of_tag", "Table view of tag (SPACE)", false},
    {"m_search_in_this_collection", "Search in this collection and open table (F3)", false},
    {"m_popup_add_item", "Insert item into map  (INS)", true},
    {"m_popup_change_item_title", "Rename tag (F2)", true},
    {"m_change_topic_name", "Rename map (CTRL+F2)", true},
    {"m_popup_remove_item", "Delete tag (DEL or drop over background)", true},
    {"m_delete_topic", "Delete map (CTRL+DEL)", true},
    {"m_sort", "Sort tags alphabetically (F7)", true},
    {"m_sort_by_date", "Sort tags by expiry date", true},
    {"m_insert_reference_to_another_map", "Insert reference to another map (F8)", true},
    {"m_copy_items_from_another_map", "Copy items from another map", true},
    {"m_Create_items_from_content", "Create items from content of selected tag", true},
    {"M_change_nr_columns", "Number of columns (now 1)", true},
    {"m_create_topic_from_item", "Create map from selected tag (F6)", true},
    {"m_popup_view_edit_item_content", "Content box show/hide (F9)", true},
    {"m_edit_content", "Edit content (F10)", false},
    {"m_insert_link_to_a_file", "Insert/change link to file", true},
    {"m_insert_link_to_directory", "Insert/change link to directory", true},
    {"m_export_map_to_wordpad", "Print map (export to Wordpad)", true},
    {"m_auto", "Auto selection on/off", false},
    {"m_random", "Random auto selection on/off", false},
    {"m_change_frequency", "Frequency of auto selection...", false},
    {"m_auto_open_child_topics", "Auto open child maps on/off", false},
    {"m_open_all_child_maps", "Open all child maps", false},
    {"m_close_all_child_maps", "Close all child maps", false},
    {"m_random_item_of_this_map", "Random item view of this map", false},
    {"m_random_view_of_his_map", "Random map view of this map", false},
    {"m_random_map_of_cat", "Random map of selected category (R)", false},
    {"m_random_item_view_of_selected_item", "Random item view of selected item", false},
    {"m_show_other_topics_with_similar_item", "Show other maps with similar tag", false},
    {"m_set_map_as_default_map", "Set/unset this map as start map", true},
    {"m_auto_size", "Auto size on/off (F5)", true},
    {"m_refresh_topic", "Refresh map", true},
    {"m_close_map", "Close map (ESC)", true},
};

TEST_F(MapWindowMenuTest, HoldsEveryCommandWithItsCaption) {
    add("Books", "Poetry", "Dante");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    QMenu* menu = window->popup_menu();
    ASSERT_NE(menu, nullptr);
    for (const Command& command : commands) {
        SCOPED_TRACE(command.name);
        auto* found = menu->findChild<QAction*>(QLatin1String(command.name));
        ASSERT_NE(found, nullptr);
        EXPECT_TRUE(menu->actions().contains(found));
        EXPECT_EQ(found->text(), QLatin1String(command.caption));
        EXPECT_EQ(found->isEnabled(), command.enabled);
    }
}

TEST_F(MapWindowMenuTest, RightClickSelectsThePanelAndShowsTheMenu) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("pan_2")), Qt::RightButton);
    EXPECT_EQ(window->selected_index(), 1);
    EXPECT_TRUE(window->popup_menu()->isVisible());
    window->popup_menu()->hide();
}

TEST_F(MapWindowMenuTest, InsAddsAnItemAfterTheSelectedOne) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    t.prompter.answer("Léopardi d'Italia");
    key(window, Qt::Key_Insert);
    EXPECT_TRUE(t.prompter.all_answered());
    ASSERT_FALSE(t.prompter.shown().empty());
    EXPECT_EQ(t.prompter.shown().front().text, QStringLiteral("Title?"));
    EXPECT_EQ(count("collection='Books' and cat='Poetry' and item_title='Léopardi d''Italia'"), 1);
    EXPECT_EQ(panel_texts(window), (QStringList{"Dante", QStringLiteral("Léopardi d'Italia"), "Petrarca"}));
    EXPECT_EQ(titles_by_seq("Books", "Poetry"),
              (QStringList{"Dante", QStringLiteral("Léopardi d'Italia"), "Petrarca"}));
}

TEST_F(MapWindowMenuTest, DelAnsweredNoLeavesTheDatabaseAlone) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    t.prompter.answer(false);
    key(window, Qt::Key_Delete);
    ASSERT_EQ(t.prompter.shown().size(), 1U);
    EXPECT_EQ(t.prompter.shown().front().text,
              QStringLiteral("Do you really want to remove item \"Dante\" from map \"Books: Poetry\"?"));
    EXPECT_FALSE(t.prompter.shown().front().default_yes);
    EXPECT_EQ(count("collection='Books' and cat='Poetry'"), 2);
    EXPECT_EQ(panel_texts(window), (QStringList{"Dante", "Petrarca"}));

    // Yes removes it, and the window follows.
    t.prompter.answer(true);
    key(window, Qt::Key_Delete);
    EXPECT_EQ(count("collection='Books' and cat='Poetry'"), 1);
    EXPECT_EQ(panel_texts(window), QStringList{"Petrarca"});
}

TEST_F(MapWindowMenuTest, DroppingWithinTheWindowReordersThePositions) {
    add("Books", "Poetry", "Ariosto");
    add("Books", "Poetry", "Boiardo");
    add("Books", "Poetry", "Carducci");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);

    DragPayload drag;
    drag.item_nr = window->items().item(0).item_nr;
    drag.title = QStringLiteral("Ariosto");
    drag.source_window = window->window_number();
    drag.source_index = 0;
    window->drop(drag, 2);
    EXPECT_EQ(panel_texts(window), (QStringList{"Boiardo", "Carducci", "Ariosto"}));
    EXPECT_EQ(titles_by_seq("Books", "Poetry"), (QStringList{"Boiardo", "Carducci", "Ariosto"}));
}

TEST_F(MapWindowMenuTest, DroppingOnAnotherMapMovesTheItem) {
    const qint64 dante = add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    add("Books", "Classics", "Omero");
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    MapWindow* classics = maps->open_map(QStringLiteral("Books: Classics"));
    ASSERT_NE(poetry, nullptr);
    ASSERT_NE(classics, nullptr);

    DragPayload drag;
    drag.item_nr = dante;
    drag.title = QStringLiteral("Dante");
    drag.source_window = poetry->window_number();
    drag.source_index = 0;
    classics->drop(drag, 0);
    EXPECT_EQ(count("collection='Books' and cat='Classics' and item_title='Dante'"), 1);
    EXPECT_EQ(count("collection='Books' and cat='Poetry' and item_title='Dante'"), 0);
    EXPECT_TRUE(panel_texts(classics).contains("Dante"));
    EXPECT_EQ(panel_texts(poetry), QStringList{"Petrarca"});
}

TEST_F(MapWindowMenuTest, ADragCarriesItsPanel) {
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

TEST_F(MapWindowMenuTest, AReferenceWaitingForItsTargetIsCompletedByActivation) {
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
    EXPECT_EQ(count("collection='Books' and cat='Poetry' and item_title='> Books: Novels'"), 1);
    EXPECT_TRUE(panel_texts(poetry).contains("> Books: Novels"));
}

TEST_F(MapWindowMenuTest, AClickOnAPanelOfAnotherMapCompletesAWaitingReference) {
    add("Books", "Poetry", "Dante");
    add("Books", "Novels", "Manzoni");
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    MapWindow* novels = maps->open_map(QStringLiteral("Books: Novels"));
    ASSERT_NE(poetry, nullptr);
    ASSERT_NE(novels, nullptr);
    settle();
    ctx.pending_map_operation = {PendingMapOperation::Kind::InsertReference, poetry->window_number()};
    QTest::mouseClick(novels->findChild<QPushButton*>(QStringLiteral("pan_1")), Qt::LeftButton);
    settle();
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_EQ(count("collection='Books' and cat='Poetry' and item_title='> Books: Novels.Manzoni'"), 1);
}

} // namespace

TEST_F(MapWindowMenuTest, ItemsFromContentGoIntoTheChosenCollection) {
    add("Books", "Poetry", "Reading list", QStringLiteral("-- Dante\r\n- L'Infinito, Émile\r\n"));
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    QMenu* menu = window->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    auto* action = menu->findChild<QAction*>(QStringLiteral("m_Create_items_from_content"));
    ASSERT_NE(action, nullptr);

    // Anything but a collection is refused and writes nothing.
    t.prompter.answer("Books: Poetry");
    action->trigger();
    EXPECT_EQ(t.prompter.messages().last(), QStringLiteral("Only collection should be selected."));
    EXPECT_EQ(count("cat='To read'"), 0);

    t.prompter.clear();
    t.prompter.answer("glossary");
    t.prompter.answer("To read");
    action->trigger();
    EXPECT_TRUE(t.prompter.all_answered());
    EXPECT_EQ(count("collection='Glossary' and cat='To read'"), 3);
    EXPECT_EQ(count("collection='Glossary' and cat='To read' and item_title='L''Infinito'"), 1);
}

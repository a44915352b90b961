// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/map_window.h"
#include "support/window_fixtures.h"
#include "table/global_find.h"
#include "table/map_list.h"
#include "table/ui/map_list_window.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace {

class MapListWindowTest : public TableRoomFixture {
protected:
    std::vector<std::pair<int, QString>> tables;

    void SetUp() override {
        TableRoomFixture::SetUp();
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
        add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Dante"));
        add(QStringLiteral("Books"), QStringLiteral("> Media: Films"), QStringLiteral("reference"));
        add(QStringLiteral("Media"), QStringLiteral("L'été"), QStringLiteral("Film"));
    }
    void wire_table_view() {
        ctx.hooks.open_table_view = [this](int position) {
            tables.emplace_back(position, ctx.table_presets.category);
            ctx.table_presets = TablePresets{};
        };
    }
    static QStringList entries(const MapListWindow* list) { return list->entries(); }
    static void click(const MapListWindow* list, const char* button) {
        QTest::mouseClick(child<QPushButton>(list, button), Qt::LeftButton);
    }
    static void choose(const MapListWindow* list, const QString& entry) {
        auto* lista = child<QListWidget>(list, "lista");
        const auto found = lista->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        lista->setCurrentItem(found.front());
    }
};

TEST_F(MapListWindowTest, ListsAllMapsWithTheirCountAndControls) {
    MapListWindow* list = room->open_map_list(QString());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(entries(list), (QStringList{"Books: Novels", "Books: Poetry", "Media: L'été"}));
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Maps - (found: 3)"));
    EXPECT_EQ(list->selected_entry(), QStringLiteral("Books: Novels"));
    EXPECT_FALSE(child<QCheckBox>(list, "c_filter")->isChecked());
    EXPECT_EQ(child<QLabel>(list, "lab_filter")->text(), QStringLiteral("Filter"));
    EXPECT_EQ(child<QListWidget>(list, "lista")->font().family(), QStringLiteral("Courier New"));
    const std::pair<const char*, const char*> buttons[] = {
        {"b_open_item_map", "&Open item map"},
        {"b_open_collection_map", "Open &collection map"},
        {"b_open_item_table", "&Open item table"},
        {"b_open_collection_table", "Open &collection table"},
        {"b_open_top_map", "Open &top map"},
        {"b_open_top_table", "Open top table"},
        {"b_cancel", "&Cancel (ESC)"},
    };
    for (const auto& [name, caption] : buttons) {
        SCOPED_TRACE(name);
        ASSERT_NE(child<QPushButton>(list, name), nullptr);
        EXPECT_EQ(child<QPushButton>(list, name)->text(), QLatin1String(caption));
    }
    auto* storm = list->popup_menu()->findChild<QAction*>(QStringLiteral("m_storm"));
    ASSERT_NE(storm, nullptr);
    EXPECT_EQ(storm->text(), QStringLiteral("Storm"));
    EXPECT_FALSE(storm->isEnabled()) << "the tags storm is not part of the program yet";
}

TEST_F(MapListWindowTest, TypingFiltersAndTheBoxTurnsTheFilterOff) {
    MapListWindow* list = room->open_map_list(QString());
    // The list is emptied and filled again at every change of the filter.
    QAbstractItemModelTester tester(child<QListWidget>(list, "lista")->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto* filter = child<QLineEdit>(list, "t_filter");
    auto* box = child<QCheckBox>(list, "c_filter");
    type_text(filter, QStringLiteral("ÉT"));
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(entries(list), QStringList{"Media: L'été"});
    EXPECT_EQ(list->windowTitle(), QStringLiteral("Maps - (found: 1)"));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(entries(list).size(), 3) << "clearing the box lists all maps";
    EXPECT_EQ(filter->text(), QStringLiteral("ÉT"));
    filter->selectAll();
    QTest::keyClick(filter, Qt::Key_Backspace);
    EXPECT_FALSE(box->isChecked());
    type_text(filter, QStringLiteral("'"));
    EXPECT_TRUE(t.prompter.shown().empty()) << "an apostrophe is no SQL error";
    EXPECT_EQ(entries(list), QStringList{"Media: L'été"});
}

TEST_F(MapListWindowTest, OpensFilteredParentlessOrWithTheMapsOfAnotherWindow) {
    MapListWindow* filtered = room->open_map_list(QStringLiteral("poe"));
    EXPECT_EQ(entries(filtered), QStringList{"Books: Poetry"});
    EXPECT_EQ(child<QLineEdit>(filtered, "t_filter")->text(), QStringLiteral("poe"));
    EXPECT_TRUE(child<QCheckBox>(filtered, "c_filter")->isChecked());
    EXPECT_EQ(filtered->windowTitle(), QStringLiteral("Maps - (found: 1)"));

    ctx.db->exec(
        QStringLiteral("insert into topics (topic_nr, topic_name) values (1, 'Root'), (2, 'Child')"));
    ctx.db->exec(QStringLiteral("insert into items (sub_topic_nr) values (2)"));
    MapListWindow* parentless = room->open_map_list(parentless_marker);
    settle();
    EXPECT_EQ(area.subWindowList().size(), 1) << "one map list at a time";
    EXPECT_EQ(entries(parentless), QStringList{"Root"});
    EXPECT_EQ(parentless->windowTitle(), QStringLiteral("Parentless maps - (found: 1)"));

    maps->selected_maps = QStringList{"Books: Poetry.Dante", "Books: Novels.Dante"};
    MapListWindow* selected = room->open_map_list(parentless_marker);
    EXPECT_EQ(entries(selected), (QStringList{"Books: Poetry.Dante", "Books: Novels.Dante"}));
    EXPECT_EQ(selected->windowTitle(), QStringLiteral("Maps selected - (found: 2)"));
    EXPECT_EQ(selected->selected_entry(), QStringLiteral("Books: Poetry.Dante"));
    EXPECT_TRUE(maps->selected_maps.isEmpty()) << "the handed maps are taken";
}

TEST_F(MapListWindowTest, MapButtonsOpenTheEntryItsCollectionAndTheTopMap) {
    MapListWindow* list = room->open_map_list(QString());
    choose(list, QStringLiteral("Books: Poetry"));
    click(list, "b_open_item_map");
    ASSERT_EQ(ctx.map_windows.in_use_count(), 1);
    EXPECT_EQ(ctx.map_windows.slot(ctx.map_windows.in_use_slots().back()).map_name,
              QStringLiteral("Books: Poetry"));
    click(list, "b_open_collection_map");
    EXPECT_EQ(ctx.map_windows.slot(ctx.map_windows.in_use_slots().back()).map_name, QStringLiteral("Books"));
    click(list, "b_open_top_map");
    EXPECT_EQ(ctx.map_windows.slot(ctx.map_windows.in_use_slots().back()).map_name,
              QStringLiteral("Top map"));
    EXPECT_EQ(ctx.map_windows.in_use_count(), 3);
    EXPECT_NE(room->map_list(), nullptr) << "the list stays open";
}

TEST_F(MapListWindowTest, TableButtonsHandTheEntryToTheTableView) {
    wire_table_view();
    MapListWindow* list = room->open_map_list(QString());
    choose(list, QStringLiteral("Media: L'été"));
    click(list, "b_open_item_table");
    click(list, "b_open_collection_table");
    click(list, "b_open_top_table");
    EXPECT_EQ(tables, (std::vector<std::pair<int, QString>>{
                          {8, QStringLiteral("L'été")}, {8, QString()}, {45, QString()}}));

    ctx.hooks.open_table_view = nullptr;
    click(list, "b_open_collection_table");
    EXPECT_EQ(t.prompter.messages(), QStringList{table_view_missing_message});
}

TEST_F(MapListWindowTest, KeysUpIntoTheListEscapeClosesOthersGoToTheProgram) {
    std::vector<int> keys;
    ctx.hooks.handle_hot_key = [&](int shift, int key) {
        if (!is_modifier_key(key)) keys.push_back(shift * 1000 + key);
        return false;
    };
    MapListWindow* list = room->open_map_list(QString());
    auto* filter = child<QLineEdit>(list, "t_filter");
    ASSERT_EQ(focused(), filter);
    QTest::keyClick(filter, Qt::Key_Up);
    EXPECT_EQ(focused(), child<QListWidget>(list, "lista"));
    QTest::keyClick(child<QListWidget>(list, "lista"), Qt::Key_F6);
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_Up, Qt::Key_F6}));
    QPointer<QWidget> window = list;
    QTest::keyClick(child<QListWidget>(list, "lista"), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window);
    EXPECT_FALSE(get_gen_param(*ctx.db, QStringLiteral("f_list_width")).isEmpty());
}

TEST_F(MapListWindowTest, ARightClickShowsThePopupWhoseEscapeLeavesTheWindowOpen) {
    MapListWindow* list = room->open_map_list(QString());
    auto* lista = child<QListWidget>(list, "lista");
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                  lista->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(lista->viewport(), &right_click);
    ASSERT_TRUE(list->popup_menu()->isVisible());
    QTest::keyClick(list->popup_menu(), Qt::Key_Escape);
    EXPECT_FALSE(list->popup_menu()->isVisible());
    settle();
    EXPECT_EQ(room->map_list(), list);
}

TEST_F(MapListWindowTest, ActivatingTheListMakesItTheActiveWindowKind) {
    MapListWindow* list = room->open_map_list(QString());
    QMdiSubWindow* list_frame = area.activeSubWindow();
    ASSERT_NE(maps->open_map(QStringLiteral("Books: Poetry")), nullptr);
    settle();
    ASSERT_NE(area.activeSubWindow(), list_frame);
    ctx.active_kind = WindowKind::Map;
    area.setActiveSubWindow(list_frame);
    EXPECT_EQ(ctx.active_kind, WindowKind::MapList);
    EXPECT_EQ(list_frame->widget(), list);
}

TEST_F(MapListWindowTest, SimilarTagOfAMapListsTheMapsHoldingTheTitle) {
    MapWindow* map = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(map, nullptr);
    QAction* similar = map->action(QStringLiteral("m_show_other_topics_with_similar_item"));
    ASSERT_TRUE(similar->isEnabled());
    map->select(0);
    similar->trigger();
    ASSERT_NE(room->map_list(), nullptr);
    EXPECT_EQ(entries(room->map_list()), (QStringList{"Books: Poetry.Dante", "Books: Novels.Dante"}));
    EXPECT_EQ(room->map_list()->windowTitle(), QStringLiteral("Maps selected - (found: 2)"));

    choose(room->map_list(), QStringLiteral("Books: Novels.Dante"));
    click(room->map_list(), "b_open_item_map");
    const MapSlot& opened = ctx.map_windows.slot(ctx.map_windows.in_use_slots().back());
    EXPECT_EQ(opened.map_name, QStringLiteral("Books: Novels"));

    // The title is gone from every map (another window deleted it): nothing to list.
    ctx.db->exec(QStringLiteral("delete from repos where item_title='Dante'"));
    similar->trigger();
    EXPECT_EQ(t.prompter.messages(), QStringList{no_similar_maps_message});
}

} // namespace

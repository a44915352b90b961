// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"
#include "table/global_find.h"
#include "table/map_list.h"
#include "table/ui/map_list_window.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

namespace {

class MapListWindowTest : public TableRoomFixture {
protected:
    std::vector<std::pair<int, QString>> tables;

    void SetUp() override {
        TableRoomFixture::SetUp();
        add("Books", "Poetry", "Dante");
        add("Books", "Novels", "Dante");
        add("Books", "> Media: Films", "reference");
        add("Media", "L'été", "Film");
    }
    void wire_table_view() {
        t.windows.on_open_table_view = [this](int position) {
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

TEST_F(MapListWindowTest, TypingFiltersAndTheBoxTurnsTheFilterOff) {
    MapListWindow* list = room->open_map_list(QString());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(entries(list), (QStringList{"Books: Novels", "Books: Poetry", "Media: L'été"}));
    EXPECT_EQ(list->selected_entry(), "Books: Novels");
    EXPECT_FALSE(list->popup_menu()->findChild<QAction*>("m_storm")->isEnabled());
    // The list is emptied and filled again at every change of the filter.
    QAbstractItemModelTester tester(child<QListWidget>(list, "lista")->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto* filter = child<QLineEdit>(list, "t_filter");
    auto* box = child<QCheckBox>(list, "c_filter");
    type_text(filter, "ÉT");
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(entries(list), QStringList{"Media: L'été"});
    EXPECT_EQ(list->windowTitle(), "Maps - (found: 1)");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(entries(list).size(), 3) << "clearing the box lists all maps";
    EXPECT_EQ(filter->text(), "ÉT");
}

TEST_F(MapListWindowTest, OpensFilteredParentlessOrWithTheMapsOfAnotherWindow) {
    MapListWindow* filtered = room->open_map_list("poe");
    EXPECT_EQ(entries(filtered), QStringList{"Books: Poetry"});
    EXPECT_TRUE(child<QCheckBox>(filtered, "c_filter")->isChecked());

    ctx.db->exec("insert into topics (topic_nr, topic_name) values (1, 'Root'), (2, 'Child')");
    ctx.db->exec("insert into items (sub_topic_nr) values (2)");
    MapListWindow* parentless = room->open_map_list(parentless_marker);
    settle();
    EXPECT_EQ(area.subWindowList().size(), 1) << "one map list at a time";
    EXPECT_EQ(entries(parentless), QStringList{"Root"});
    EXPECT_EQ(parentless->windowTitle(), "Parentless maps - (found: 1)");

    ctx.selected_maps = QStringList{"Books: Poetry.Dante", "Books: Novels.Dante"};
    MapListWindow* selected = room->open_map_list(parentless_marker);
    EXPECT_EQ(entries(selected), (QStringList{"Books: Poetry.Dante", "Books: Novels.Dante"}));
    EXPECT_TRUE(ctx.selected_maps.isEmpty()) << "the handed maps are taken";
}

TEST_F(MapListWindowTest, ButtonsOpenTheEntrysMapsAndTables) {
    wire_table_view();
    MapListWindow* list = room->open_map_list(QString());
    choose(list, "Media: L'été");
    click(list, "b_open_item_map");
    click(list, "b_open_collection_map");
    click(list, "b_open_top_map");
    QStringList opened;
    for (const int slot : ctx.map_windows.in_use_slots())
        opened.append(ctx.map_windows.slot(slot).map_name);
    EXPECT_EQ(opened, (QStringList{"Media: L'été", "Media", "Top map"}));
    click(list, "b_open_item_table");
    click(list, "b_open_collection_table");
    click(list, "b_open_top_table");
    EXPECT_EQ(tables, (std::vector<std::pair<int, QString>>{{8, "L'été"}, {8, QString()}, {45, QString()}}));
    EXPECT_NE(room->map_list(), nullptr) << "the list stays open";
}

TEST_F(MapListWindowTest, KeysUpIntoTheListEscapeClosesOthersGoToTheProgram) {
    std::vector<int> keys;
    t.windows.on_hot_key = [&](int shift, int key) {
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
    EXPECT_FALSE(get_gen_param(*ctx.db, "f_list_width").isEmpty());
}

TEST_F(MapListWindowTest, ARightClickShowsThePopupWhoseEscapeLeavesTheWindowOpen) {
    MapListWindow* list = room->open_map_list(QString());
    auto* lista = child<QListWidget>(list, "lista");
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                  lista->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(lista->viewport(), &right_click);
    ASSERT_TRUE(list->popup_menu()->isVisible());
    QTest::keyClick(list->popup_menu(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(room->map_list(), list);
    // Activating the list makes it the active window kind.
    QMdiSubWindow* list_frame = area.activeSubWindow();
    ASSERT_NE(maps->open_map("Books: Poetry"), nullptr);
    settle();
    ctx.active_kind = WindowKind::Map;
    area.setActiveSubWindow(list_frame);
    EXPECT_EQ(ctx.active_kind, WindowKind::MapList);
}

TEST_F(MapListWindowTest, SimilarTagOfAMapListsTheMapsHoldingTheTitle) {
    MapWindow* map = maps->open_map("Books: Poetry");
    ASSERT_NE(map, nullptr);
    QAction* similar = map->action("m_show_other_topics_with_similar_item");
    map->select(0);
    similar->trigger();
    ASSERT_NE(room->map_list(), nullptr);
    EXPECT_EQ(entries(room->map_list()), (QStringList{"Books: Poetry.Dante", "Books: Novels.Dante"}));
    // The title is gone from every map (another window deleted it): nothing to list.
    ctx.db->exec("delete from repos where item_title='Dante'");
    similar->trigger();
    EXPECT_EQ(t.prompter.messages(), QStringList{no_similar_maps_message});
}

} // namespace

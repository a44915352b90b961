// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' entries that open a random item view or a tags storm: enabled exactly when the
// program has the random windows, each handing over its statement.
#include "core/ui/form_place.h"
#include "maps/ui/map_tree_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_commands.h"
#include "support/window_fixtures.h"
#include "table/ui/map_list_window.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QTreeView>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QAction* entry(const QObject* menu, const char* name) {
    auto* found = menu->findChild<QAction*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

const char* const poets_corner = "Select * from repos where collection='Books' and cat='Poet''s corner'";

using MapHandoffTest = MapWindowFixture;

TEST_F(MapHandoffTest, WithoutTheRandomWindowsTheEntriesAreDisabled) {
    ctx.prefs.cogniva = true; // shows the random item entry
    MapWindow* books = maps->open_map(s("Books"));
    ASSERT_NE(books, nullptr);
    for (const char* name : {"m_random_item_of_this_map", "m_random_view_of_his_map", "m_random_map_of_cat"})
        EXPECT_FALSE(entry(books, name)->isEnabled()) << name;
    entry(books, "m_random_view_of_his_map")->trigger();
    EXPECT_TRUE(t.windows.calls_to(s("open_storm")).isEmpty());
}

TEST_F(MapHandoffTest, TheMapWindowHandsItsMapItsCategoryOrItsItem) {
    add(s("Books"), s("Poet's corner"), s("Odes"));
    add(s("Books"), s("Novels"), s("Emma"));
    ctx.prefs.cogniva = true;
    t.windows.random_views = true;
    MapWindow* poetry = maps->open_map(s("Books: Poet's corner"));
    ASSERT_NE(poetry, nullptr);
    QAction* random_item = entry(poetry, "m_random_item_of_this_map");
    ASSERT_TRUE(random_item->isEnabled());
    random_item->trigger();
    // The selected item alone, by the key I.
    poetry->select(0);
    QTest::keyClick(poetry->findChild<QWidget*>(s("pan_pan")), Qt::Key_I);
    entry(poetry, "m_random_view_of_his_map")->trigger();

    MapWindow* books = maps->open_map(s("Books"));
    ASSERT_NE(books, nullptr);
    entry(books, "m_random_view_of_his_map")->trigger();
    for (int i = 0; i < books->items().count(); ++i)
        if (books->items().item(i).title == s("Poet's corner")) books->select(i);
    entry(books, "m_random_map_of_cat")->trigger();
    // Not the top map's selected item: its panels are maps.
    MapWindow* top = maps->open_map(s("Top map"));
    ASSERT_NE(top, nullptr);
    entry(top, "m_random_item_of_this_map")->trigger();
    entry(top, "m_random_item_view_of_selected_item")->trigger();

    EXPECT_EQ(t.windows.calls_to(s("open_random_item")),
              (QStringList{s("open_random_item ") + s(poets_corner),
                           s("open_random_item ") + s(poets_corner) + s(" and item_title='Odes'"),
                           s("open_random_item select * from repos")}));
    const QStringList storms = t.windows.calls_to(s("open_storm"));
    ASSERT_EQ(storms.size(), 3);
    EXPECT_TRUE(storms[0].startsWith(s("open_storm ") + poetry->items().last_sql()));
    EXPECT_EQ(storms[1], s("open_storm Select distinct cat from repos where collection='Books'"));
    EXPECT_EQ(storms[2], s("open_storm ") + s(poets_corner));
}

using TableHandoffTest = TableViewFixture;

TEST_F(TableHandoffTest, TheTableViewHandsItsRowsItsCategoryOrItsRecord) {
    // Disabled without the random windows: see the table view's editing tests.
    add(s("Books"), s("Poet's corner"), s("O'Neill's odes"));
    t.windows.random_views = true;
    TableView* view = tables->open_table_view(7);
    ASSERT_NE(view, nullptr);
    settle();
    ASSERT_NE(view->get_item_nr(), 0);
    auto* storm_button = control<QPushButton>(view, "b_storm");
    ASSERT_TRUE(storm_button->isEnabled());
    storm_button->click();
    entry(view, "m_storm")->trigger();
    entry(view, "m_random_map_of_current_category")->trigger();
    entry(view->popup_menu(), "m_random_item_of_filtered_records")->trigger();
    entry(view->popup_menu(), "m_random_item_of_selected_record")->trigger();
    const QString rows = view->current_statement().trimmed();
    EXPECT_EQ(
        t.windows.calls_to(s("open_storm")),
        (QStringList{s("open_storm ") + rows, s("open_storm ") + rows, s("open_storm ") + s(poets_corner)}));
    EXPECT_EQ(t.windows.calls_to(s("open_random_item")),
              (QStringList{s("open_random_item ") + rows, s("open_random_item ") + s(poets_corner) +
                                                              s(" and item_title='O''Neill''s odes'")}));
}

using TreeHandoffTest = MapWindowFixture;

TEST_F(TreeHandoffTest, TheTreeHandsTheMapOfItsSelectedNode) {
    add(s("Media"), s("Films"), s("Alien"));
    ctx.collections.at(8).visible = true;
    t.windows.random_views = true;
    MapTreeWindow* tree = open_map_tree_window(ctx, *maps, &area);
    ASSERT_NE(tree, nullptr);
    settle();
    auto* view = tree->findChild<QTreeView*>(s("tree"));
    const QModelIndexList media = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole,
                                                       s("Media"), 1, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(media.size(), 1);
    view->setCurrentIndex(media.first());
    for (const char* name : {"m_random_item", "m_random_map"}) {
        QAction* action = entry(tree->popup_menu(), name);
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }
    EXPECT_EQ(t.windows.calls_to(s("open_random_item")),
              QStringList{s("open_random_item Select * from repos where collection='Media'")});
    EXPECT_EQ(t.windows.calls_to(s("open_storm")),
              QStringList{s("open_storm Select * from repos where collection='Media'")});
    close_form(*tree);
    settle();
}

using MapListHandoffTest = TableRoomFixture;

TEST_F(MapListHandoffTest, TheMapListStormsTheSelectedMap) {
    add(s("Books"), s("Poet's corner"), s("Odes"));
    t.windows.random_views = true;
    MapListWindow* list = room->open_map_list(s("Poet"));
    ASSERT_NE(list, nullptr);
    settle();
    entry(list, "m_storm")->trigger();
    EXPECT_EQ(t.windows.calls_to(s("open_storm")), QStringList{s("open_storm ") + s(poets_corner)});
}

// The main window's general menu and toolbar.
class ShellHandoffTest : public ::testing::Test, public TestDb {
protected:
    TestContext& t = tc;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MapWindows> maps;
    std::unique_ptr<ShellCommands> commands;

    void SetUp() override {
        open_db(s("shell.tdb"));
        for (int position = 1; position <= CollectionTable::count; ++position)
            ctx.collections.at(position).visible = ctx.collections.at(position).defined;
        ctx.prefs.show_toolbar = true;
        ctx.prefs.cogniva = true;
        window = std::make_unique<MainWindow>(ctx);
        maps = std::make_unique<MapWindows>(ctx, [this] { return window->mdi_area(); });
        commands = std::make_unique<ShellCommands>(ctx, *maps, [this] { return window.get(); });
        commands->attach(*window);
    }
    void TearDown() override {
        maps->close_all();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        commands.reset();
        maps.reset();
        window.reset();
    }
    QAction* tool(const char* key) const {
        for (QAction* action : window->toolbar()->actions())
            if (action->objectName() == QLatin1String(key)) return action;
        ADD_FAILURE() << key;
        return nullptr;
    }
};

TEST_F(ShellHandoffTest, MenuEntriesAndTheToolbarOpenRandomViewsOnlyWhenThereAreSome) {
    {
        std::unique_ptr<QMenu> menu(commands->build_general_menu(nullptr));
        EXPECT_FALSE(entry(menu.get(), "m_random_item_view")->isEnabled());
        EXPECT_FALSE(entry(menu.get(), "random_single_item_frame_x_action_7")->isEnabled());
        commands->update_toolbar();
        EXPECT_FALSE(tool("random_item")->isEnabled());
    }
    t.windows.random_views = true;
    std::unique_ptr<QMenu> menu(commands->build_general_menu(nullptr));
    ctx.active_kind = WindowKind::Calendar;
    entry(menu.get(), "m_random_item_view")->trigger();
    entry(menu.get(), "random_single_item_frame_x_action_7")->trigger();
    commands->update_toolbar();
    ASSERT_TRUE(tool("random_item")->isEnabled());
    EXPECT_TRUE(tool("random_map_view")->isEnabled());
    FormAttributes calendar;
    calendar.query = s("select * from repos where date_expiry is not null");
    t.windows.attributes = calendar;
    tool("random_item")->trigger();
    EXPECT_EQ(t.windows.calls_to(s("open_random_item")),
              (QStringList{s("open_random_item Select * from repos where date_expiry is not null"),
                           s("open_random_item Select * from repos where collection='Books'"),
                           s("open_random_item select * from repos where date_expiry is not null")}));
}

} // namespace

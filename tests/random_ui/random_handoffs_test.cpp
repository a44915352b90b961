// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' entries that open a random item view: enabled exactly when the program has the
// random views, each handing over its statement.
#include "core/ui/form_place.h"
#include "maps/ui/map_tree_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_commands.h"
#include "support/db_fixtures.h"
#include "support/window_fixtures.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QTreeView>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QAction* entry(const QMenu* menu, const char* name) {
    auto* found = menu->findChild<QAction*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

using MapHandoffTest = MapWindowFixture;

TEST_F(MapHandoffTest, TheMapWindowHandsItsCategoryOrTheTopMap) {
    add(s("Books"), s("Poets' corner"), s("Ode"));
    // The entry is shown with the cogniva functions.
    ctx.prefs.cogniva = true;
    MapWindow* without = maps->open_map(s("Books: Poets' corner"));
    ASSERT_NE(without, nullptr);
    EXPECT_FALSE(without->action(s("m_random_item_of_this_map"))->isEnabled());
    maps->close_all();
    settle();

    t.windows.random_views = true;
    MapWindow* window = maps->open_map(s("Books: Poets' corner"));
    ASSERT_NE(window, nullptr);
    QAction* random_item = window->action(s("m_random_item_of_this_map"));
    ASSERT_TRUE(random_item->isEnabled());
    random_item->trigger();
    // The selected item alone, also by the key I; not from the top map, whose panels are maps.
    window->select(0);
    QTest::keyClick(window->findChild<QWidget*>(s("pan_pan")), Qt::Key_I);
    MapWindow* top = maps->open_map(s("Top map"));
    ASSERT_NE(top, nullptr);
    top->action(s("m_random_item_of_this_map"))->trigger();
    top->action(s("m_random_item_view_of_selected_item"))->trigger();
    EXPECT_EQ(
        t.windows.calls_to(s("open_random_item")),
        (QStringList{
            s("open_random_item Select * from repos where collection='Books' and cat='Poets'' corner'"),
            s("open_random_item Select * from repos where collection='Books' and cat='Poets'' corner' and "
              "item_title='Ode'"),
            s("open_random_item select * from repos")}));
}

using TableHandoffTest = TableViewFixture;

TEST_F(TableHandoffTest, TheTableViewHandsItsRowsOrItsRecord) {
    add(s("Books"), s("Novels"), s("Ocean's 11"));
    TableView* plain = tables->open_table_view(7);
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(entry(plain->popup_menu(), "m_random_item_of_filtered_records")->isEnabled());
    EXPECT_FALSE(entry(plain->popup_menu(), "m_random_item_of_selected_record")->isEnabled());
    tables->close_all();
    settle();

    t.windows.random_views = true;
    TableView* view = tables->open_table_view(7);
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->get_item_nr(), 0);
    entry(view->popup_menu(), "m_random_item_of_filtered_records")->trigger();
    entry(view->popup_menu(), "m_random_item_of_selected_record")->trigger();
    const QStringList opened = t.windows.calls_to(s("open_random_item"));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], s("open_random_item ") + view->current_statement().trimmed());
    EXPECT_EQ(opened[1],
              s("open_random_item Select * from repos where collection='Books' and cat='Novels' and "
                "item_title='Ocean''s 11'"));
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
    QAction* random_item = entry(tree->popup_menu(), "m_random_item");
    ASSERT_TRUE(random_item->isEnabled());
    QAction* random_map = entry(tree->popup_menu(), "m_random_map");
    ASSERT_TRUE(random_map->isEnabled());
    random_item->trigger();
    random_map->trigger();
    EXPECT_EQ(t.windows.calls_to(s("open_random_item")),
              QStringList{s("open_random_item Select * from repos where collection='Media'")});
    EXPECT_EQ(t.windows.calls_to(s("open_storm")),
              QStringList{s("open_storm Select * from repos where collection='Media'")});
    close_form(*tree);
    settle();
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

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "maps/navigation.h"
#include "maps/ui/map_windows.h"
#include "shell/ui/main_window.h"
#include "shell/ui/shell_commands.h"
#include "support/test_db.h"
#include "table/map_list.h"
#include "table/ui/table_views.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The main window with its general commands over a fresh database; collections visible as
// their defined flags say.
class GeneralMenuTest : public ::testing::Test, protected TestDb {
protected:
    TestContext& t = tc;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MapWindows> maps;
    std::unique_ptr<ShellCommands> commands;
    std::unique_ptr<TableViews> tables;
    QStringList quits;

    void SetUp() override {
        t.screen.width = 1600 * 15;
        t.screen.height = 1200 * 15;
        open_db(QStringLiteral("shell.tdb"));
        for (int position = 1; position <= CollectionTable::count; ++position)
            ctx.collections.at(position).visible = ctx.collections.at(position).defined;
        ctx.prefs.show_toolbar = true;
        window = std::make_unique<MainWindow>(ctx);
        maps = std::make_unique<MapWindows>(ctx, [this] { return window->mdi_area(); });
        commands = std::make_unique<ShellCommands>(ctx, *maps, [this] { return window.get(); });
        commands->quit = [this] { quits.append(QStringLiteral("quit")); };
        commands->attach(*window);
        t.windows.on_hot_key = [this](int shift, int key) { return commands->handle_hot_key(shift, key); };
        window->resize(1000, 700);
        window->show();
    }

    void TearDown() override {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu*>(widget)) widget->close();
        tables.reset();
        maps->close_all();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        commands.reset();
        maps.reset();
        window.reset();
    }

    std::unique_ptr<QMenu> menu() { return std::unique_ptr<QMenu>(commands->build_general_menu(nullptr)); }
    static QAction* entry(QMenu& menu, const char* name) {
        auto* action = menu.findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    // The table views as the program has them, and the main window active so that keys reach
    // the focused control.
    void with_table_views() {
        tables = std::make_unique<TableViews>(
            ctx, [this] { return window->mdi_area(); }, *maps);
        t.windows.on_open_table_view = [this](int position) { tables->open_table_view(position); };
        commands->update_toolbar();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // A key where the keyboard sends it: to the focused control, else to the main window.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window.get(), key, modifiers);
    }
    static bool menu_open() {
        const QWidgetList widgets = QApplication::topLevelWidgets();
        return std::any_of(widgets.begin(), widgets.end(),
                           [](QWidget* w) { return qobject_cast<QMenu*>(w) && w->isVisible(); });
    }
    int window_count() const { return static_cast<int>(window->mdi_area()->subWindowList().size()); }
    QAction* tool(const char* key) const {
        for (QAction* action : window->toolbar()->actions())
            if (action->objectName() == QLatin1String(key)) return action;
        ADD_FAILURE() << key;
        return nullptr;
    }
};

} // namespace

TEST_F(GeneralMenuTest, EntriesFollowCognivaAndDevelopmentMode) {
    for (const auto& [cogniva, development] : {std::pair{false, true}, std::pair{true, false}}) {
        ctx.prefs.cogniva = cogniva;
        ctx.development_mode = development;
        auto m = menu();
        EXPECT_EQ(entry(*m, "m_open_random_map")->isVisible(), cogniva);
        EXPECT_EQ(entry(*m, "m_random_item_view")->isVisible(), cogniva);
        EXPECT_EQ(entry(*m, "m_agenda")->isVisible(), development);
        // Myself (12) is a cogniva collection; Books (7) is always offered.
        EXPECT_EQ(entry(*m, "m_collection_x_12")->isVisible(), cogniva);
        EXPECT_EQ(entry(*m, "m_collection_map_x_12")->isVisible(), cogniva);
        EXPECT_TRUE(entry(*m, "m_collection_map_x_7")->isVisible());
        EXPECT_FALSE(entry(*m, "m_collection_map_x_20")->isVisible()); // x02 is not defined
    }
}

TEST_F(GeneralMenuTest, EntriesReachTheirCommandsAndShowTheirChecks) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    set_gen_param(*ctx.db, QStringLiteral("topic_list"), QStringLiteral("Books: Novels\r\nBooks: Gone\r\n"));
    ctx.prefs.show_toolbar = false;
    ctx.allow_automatic_changes = false;
    auto m = menu();
    EXPECT_FALSE(entry(*m, "m_show_toolbar")->isChecked());
    EXPECT_FALSE(entry(*m, "m_allow_automatic_changes")->isChecked());
    entry(*m, "m_allow_automatic_changes")->trigger();
    EXPECT_TRUE(ctx.allow_automatic_changes);
    entry(*m, "m_create_map")->trigger();
    EXPECT_EQ(t.windows.calls_to("open_create_map_dialog"), QStringList{"open_create_map_dialog"});
    ASSERT_TRUE(entry(*m, "m_file_search")->isEnabled());
    entry(*m, "m_file_search")->trigger();
    EXPECT_EQ(t.windows.calls_to("open_file_search"), QStringList{"open_file_search"});
    EXPECT_TRUE(commands->handle_hot_key(4, Qt::Key_F3)) << "ALT+F3";
    EXPECT_EQ(t.windows.calls_to("open_file_search").size(), 2);

    entry(*m, "m_resume_prev_session")->trigger();
    ASSERT_EQ(ctx.map_windows.in_use_count(), 1);
    EXPECT_EQ(ctx.map_windows.slot(ctx.map_windows.in_use_slots().front()).map_name,
              QStringLiteral("Books: Novels"));
    const QString readme = t.env.write_file(QStringLiteral("home/readme.txt"), "");
    entry(*m, "m_readme")->trigger();
    EXPECT_EQ(t.desktop.opened, QStringList{readme});
    entry(*m, "m_show_parentless_topics")->trigger();
    t.prompter.answer("Nov");
    entry(*m, "m_find_map")->trigger();
    EXPECT_EQ(t.windows.calls_to("open_map_list"),
              (QStringList{"open_map_list " + parentless_marker, "open_map_list Nov"}));
}

TEST_F(GeneralMenuTest, ToolbarIsRebuiltWithPicturesAndItsSize) {
    for (QAction* action : window->toolbar()->actions())
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    EXPECT_EQ(window->toolbar()->iconSize(), QSize(16, 16));

    ctx.prefs.large_toolbar = true;
    ctx.prefs.cogniva = true;
    commands->rebuild();
    EXPECT_EQ(window->toolbar()->iconSize(), QSize(32, 32));
    EXPECT_NE(tool("coll12"), nullptr);
}

TEST_F(GeneralMenuTest, ClickInTheTopStripShowsAHiddenToolbar) {
    commands->show_toolbar(false);
    EXPECT_TRUE(window->toolbar()->isHidden());
    EXPECT_FALSE(ctx.prefs.show_toolbar);
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("show_toolbar")), QStringLiteral("N"));
    QWidget* background = window->mdi_area()->viewport();
    QTest::mouseClick(background, Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_FALSE(window->toolbar()->isHidden());
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("show_toolbar")), QStringLiteral("Y"));
    EXPECT_TRUE(ctx.prefs.show_toolbar);
}

TEST_F(GeneralMenuTest, KeysOnTheMainWindowOpenMapsAndQuit) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // A typed shortcut on the command form opens the collection's map.
    press(Qt::Key_B);
    ASSERT_EQ(ctx.map_windows.in_use_count(), 1);
    EXPECT_EQ(ctx.map_windows.slot(ctx.map_windows.in_use_slots().front()).map_name, QStringLiteral("Books"));
    // In the map the general keys still act; the command form's keys do not.
    press(Qt::Key_0, Qt::AltModifier);
    EXPECT_EQ(ctx.map_windows.slot(ctx.map_windows.in_use_slots().back()).map_name,
              QStringLiteral("Top map"));
    press(Qt::Key_J);
    press(Qt::Key_Escape);
    EXPECT_EQ(ctx.map_windows.in_use_count(), 1) << "J opened Journal's map or Escape closed nothing";
    EXPECT_TRUE(quits.isEmpty());
    press(Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(ctx.map_windows.in_use_count(), 0);
    // Escape ends the program only when no window is open.
    press(Qt::Key_Escape);
    EXPECT_EQ(quits, QStringList{"quit"});
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits.size(), 2);
}

TEST_F(GeneralMenuTest, EditingKeysAndEnterInATextFieldStayWithTheField) {
    with_table_views();
    tables->open_table_view(7);
    auto* field = window->findChild<QLineEdit*>(QStringLiteral("t_filter_title"));
    ASSERT_NE(field, nullptr);
    field->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), field);
    QTest::keyClicks(field, QStringLiteral("Emma"));
    press(Qt::Key_Return);
    EXPECT_FALSE(menu_open());
    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), QStringLiteral("Emma"));
    press(Qt::Key_J);
    EXPECT_EQ(field->text(), QStringLiteral("j"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("Emma"));
    EXPECT_EQ(window_count(), 1);
    EXPECT_EQ(ctx.map_windows.in_use_count(), 0);
    EXPECT_FALSE(menu_open());
    // Outside a text field Ctrl+A is the general key: the grid hands it on and Agenda's table opens.
    window->findChild<QTableView*>(QStringLiteral("grid"))->setFocus();
    press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window_count(), 2);
}

TEST_F(GeneralMenuTest, CtrlF1InAMapListsTheKeysInsteadOfTheMapMenu) {
    commands->extras.hot_key_list = [] { return QStringLiteral("keys"); };
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    maps->execute(route::TopMap{});
    ASSERT_TRUE(window->mdi_area()->isAncestorOf(QApplication::focusWidget()));
    press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(t.windows.calls_to("show_text_window"), QStringList{"show_text_window Tessarin - Hot keys"});
    EXPECT_FALSE(menu_open());
}

TEST_F(GeneralMenuTest, ToolbarButtonsEitherWorkOrAreDisabled) {
    for (const char* key : {"calendar", "glimmeron"}) {
        EXPECT_FALSE(tool(key)->isEnabled()) << key;
        EXPECT_TRUE(tool(key)->toolTip().endsWith(QStringLiteral("Not available in this version"))) << key;
    }
    for (const char* key :
         {"coll7", "deadlines", "global_search", "table_view", "map_view_of_cat", "tree", "exit"})
        EXPECT_TRUE(tool(key)->isEnabled()) << key;
    tool("tree")->trigger();
    EXPECT_EQ(t.windows.calls_to("open_map_tree"), QStringList{"open_map_tree"});

    // The active-form buttons go through the selection dialog, prefilled with the active window's
    // selection, and open what was chosen there.
    t.windows.attributes = FormAttributes{{}, QStringLiteral("Books: Novels"), 7, 0, {}};
    t.windows.on_select_map = [](const MapParts& prefill, bool) { return prefill; };
    tool("map_view_of_cat")->trigger();
    tool("table_view")->trigger();
    EXPECT_EQ(t.windows.calls_to("select_map"),
              (QStringList{"select_map Books: Novels", "select_map Books: Novels"}));
    EXPECT_EQ(t.windows.calls_to("open_map"), QStringList{"open_map Books: Novels"});
    EXPECT_EQ(t.windows.calls_to("open_table_view"), QStringList{"open_table_view 7"});

    // With the picture viewer present its button opens the browser.
    t.windows.picture_viewer = true;
    commands->update_toolbar();
    ASSERT_TRUE(tool("glimmeron")->isEnabled());
    EXPECT_EQ(tool("glimmeron")->toolTip(), tool("glimmeron")->text());
    tool("glimmeron")->trigger();
    EXPECT_EQ(t.windows.calls_to("open_picture_browser"), QStringList{"open_picture_browser"});
}

TEST_F(GeneralMenuTest, PrintLooksForAnyOpenTableNotOnlyTheActiveWindow) {
    with_table_views();
    tables->open_table_view(7);
    // Another window in front: the table is still open, so there is no "open a table first".
    window->mdi_area()->addSubWindow(new QWidget)->show();
    ctx.active_kind = WindowKind::GlobalFind;
    commands->print();
    EXPECT_TRUE(t.prompter.messages().isEmpty());
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map tree window (f_tree) and its model, offscreen in an MDI area.
#include "core/ui/form_place.h"
#include "maps/links.h"
#include "maps/statement_counter.h"
#include "maps/ui/map_tree_model.h"
#include "maps/ui/map_tree_window.h"
#include "support/db_fixtures.h"
#include "support/window_fixtures.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeView>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class MapTreeFixture : public MdiFixture {
protected:
    QPointer<MapTreeWindow> window;
    qint64 alien = 0;
    qint64 ref_to_films = 0;
    qint64 ref_to_nowhere = 0;

    void SetUp() override {
        open_area(QStringLiteral("tree.tdb"));
        // Agenda stays empty; Money holds items but is switched off.
        for (int position : {1, 7, 8})
            ctx.collections.at(position).visible = true;
        add(s("Books"), s("Poetry"), s("Odes"), s("by Keats"), 1);
        ref_to_films = add(s("Books"), s("Poetry"), s("> Media: Films"), {}, 2);
        ref_to_nowhere = add(s("Books"), s("Poetry"), s("> Media: Nowhere"), {}, 3);
        add(s("Books"), s("O'Hara [*]"), s("x"));
        alien = add(s("Media"), s("Films"), s("Alien"), s("a film"));
        add(s("Media"), s("Series"), s("Lost"));
        add(s("Money"), s("Bills"), s("rent"));
    }
    void TearDown() override {
        if (window) close_form(*window);
        maps->close_all();
        settle();
        maps.reset();
        EXPECT_TRUE(t.prompter.all_answered()) << "scripted answers left unused";
    }

    MapTreeWindow* open() {
        window = open_map_tree_window(ctx, *maps, &area);
        settle();
        return window;
    }
    QTreeView* tree() const { return window->findChild<QTreeView*>(QStringLiteral("tree")); }
    QStringList children(const QModelIndex& parent) const {
        QStringList texts;
        const QAbstractItemModel* model = tree()->model();
        for (int row = 0; row < model->rowCount(parent); ++row)
            texts.append(model->index(row, 0, parent).data().toString());
        return texts;
    }
    QString current_key() const { return tree()->currentIndex().data(MapTreeModel::key_role).toString(); }
    void select(const QModelIndex& index) {
        ASSERT_TRUE(index.isValid());
        tree()->setCurrentIndex(index);
    }
    void double_click(const QModelIndex& index) {
        tree()->scrollTo(index);
        const QPoint at = tree()->visualRect(index).center();
        // The view takes a double click as the second click on the node it has just pressed.
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, at);
        settle();
    }
};

TEST_F(MapTreeFixture, ModelPassesTheTesterWhileBranchesAreReadRemovedAndReread) {
    MapTreeModel model(ctx);
    model.build_roots();
    ASSERT_EQ(model.rowCount(), 3); // Agenda, Books, Media: Money is switched off
    for (int row = 0; row < model.rowCount(); ++row) {
        EXPECT_TRUE(model.hasChildren(model.index(row, 0)));
        EXPECT_TRUE(model.canFetchMore(model.index(row, 0)));
        EXPECT_EQ(model.rowCount(model.index(row, 0)), 0);
    }
    // The tester walks the whole tree, reading every branch as a view would.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_FALSE(model.canFetchMore(model.index(2, 0)));
    EXPECT_EQ(model.rowCount(model.index(2, 0)), 2);
    // The empty collection opens empty.
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
    EXPECT_FALSE(model.hasChildren(model.index(0, 0)));

    const QModelIndex poetry = model.find(s("books"), s("POETRY"));
    ASSERT_TRUE(poetry.isValid());
    EXPECT_EQ(poetry.data(MapTreeModel::key_role).toString(), s("colcat=Books: Poetry"));
    EXPECT_FALSE(poetry.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(model.rowCount(poetry), 3);
    model.remove(model.index(0, 0, poetry));
    EXPECT_EQ(model.index(1, 0, poetry).data().toString(), s("> Media: Nowhere !"));
    model.reread(poetry);
    EXPECT_EQ(model.rowCount(poetry), 3);
    EXPECT_EQ(model.find(s("Books"), s("Poetry"), ref_to_nowhere).row(), 2);
}

TEST_F(MapTreeFixture, OpensAtTheLastSelectedItemWithItsContent) {
    maps->last_selected_item = alien;
    ASSERT_TRUE(open());
    EXPECT_EQ(ctx.active_kind, WindowKind::Tree);
    EXPECT_EQ(children({}), QStringList({s("Agenda"), s("Books"), s("Media")}));
    EXPECT_EQ(current_key(), s("item=Media: Films.Alien"));
    EXPECT_TRUE(tree()->isExpanded(tree()->currentIndex().parent()));
    EXPECT_EQ(window->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText(), s("a film"));
    const FormAttributes attributes = window->form_attributes();
    EXPECT_EQ(attributes.item_nr, alien);
    EXPECT_EQ(attributes.map_name, s("Media: Films"));
}

TEST_F(MapTreeFixture, ClickingABranchReadsItWithOneStatement) {
    ASSERT_TRUE(open());
    StatementCounter counter(db().handle(), true);
    const QModelIndex books = tree()->model()->index(1, 0);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(books).center());
    settle();
    EXPECT_EQ(children(books), QStringList({s("O'Hara [*]"), s("Poetry")}));
    EXPECT_EQ(counter.count(), 1) << counter.texts().join(s("\n")).toStdString();
    counter.reset();
    const QModelIndex poetry = tree()->model()->index(1, 0, books);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualRect(poetry).center());
    settle();
    EXPECT_EQ(children(poetry), QStringList({s("Odes~"), s("> Media: Films"), s("> Media: Nowhere !")}));
    // The items and one batch of panel facts for the whole branch.
    EXPECT_LE(counter.count(), 3) << counter.texts().join(s("\n")).toStdString();
}

TEST_F(MapTreeFixture, DoubleClickFollowsAReferenceOrOpensNothingForAMissingMap) {
    maps->last_selected_item = ref_to_nowhere;
    ASSERT_TRUE(open());
    const QModelIndex missing = tree()->currentIndex();
    double_click(missing);
    EXPECT_EQ(current_key().toStdString(), "item=Books: Poetry.> Media: Nowhere");
    double_click(window->model().find(s("Books"), s("Poetry"), ref_to_films));
    EXPECT_EQ(current_key().toStdString(), "colcat=Media: Films");
    EXPECT_TRUE(tree()->isExpanded(tree()->currentIndex()));
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(MapTreeFixture, KeysRunTheWindowsCommandsAndPassTheRestOn) {
    maps->last_selected_item = alien;
    ASSERT_TRUE(open());
    // The main window asks the active window, the tree, what is selected.
    t.windows.attributes = window->form_attributes();
    t.windows.on_select_map = [](const MapParts& prefill, bool) { return prefill; };
    QTest::keyClick(tree(), Qt::Key_Space);
    EXPECT_TRUE(t.windows.calls.contains(s("select_map Media: Films|Alien")))
        << t.windows.calls.join(s("|")).toStdString();
    EXPECT_EQ(t.windows.calls.last(), s("open_table_view 8"));

    t.windows.calls.clear();
    QTest::keyClick(tree(), Qt::Key_F5);
    EXPECT_EQ(t.windows.calls, QStringList({QStringLiteral("handle_hot_key 0 %1").arg(int(Qt::Key_F5))}));

    t.prompter.answer(true);
    QTest::keyClick(tree(), Qt::Key_Delete);
    EXPECT_EQ(rows(QStringLiteral("item_nr=%1").arg(alien)), 0);
    EXPECT_TRUE(t.windows.calls.contains(s("refresh_table_views")));
    EXPECT_EQ(children(window->model().find(s("Media"), s("Films"))), QStringList());

    QTest::keyClick(tree(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window);
}

TEST_F(MapTreeFixture, DeletingAnItemRemovedByAnotherWindowRereadsTheBranch) {
    maps->last_selected_item = ref_to_films;
    ASSERT_TRUE(open());
    db().exec(QStringLiteral("delete from repos where item_nr=%1").arg(ref_to_films));
    QTest::keyClick(tree(), Qt::Key_Delete);
    EXPECT_EQ(t.prompter.messages(), QStringList({item_vanished_message}));
    EXPECT_EQ(children(window->model().find(s("Books"), s("Poetry"))),
              QStringList({s("Odes~"), s("> Media: Nowhere !")}));
    EXPECT_EQ(rows(), 6);
}

TEST_F(MapTreeFixture, PopupOffersTheCommandsAndDisablesTheMissingOnes) {
    ASSERT_TRUE(open());
    QMenu* menu = window->findChild<QMenu*>(QStringLiteral("m_popup"));
    ASSERT_NE(menu, nullptr);
    QStringList enabled;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        if (action->isEnabled()) enabled.append(action->objectName());
    }
    EXPECT_EQ(enabled, QStringList({s("m_tagmap_view"), s("m_table_view"), s("m_delete_selected_branch")}));
}

TEST_F(MapTreeFixture, MenuCommandsActOnTheNodeUnderTheRightClick) {
    ASSERT_TRUE(open());
    const QModelIndex books = window->model().find(s("Books"));
    const QPoint at = tree()->visualRect(books).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(tree()->viewport(), &event);
    QMenu* menu = window->findChild<QMenu*>(QStringLiteral("m_popup"));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
    EXPECT_EQ(current_key().toStdString(), "collection=Books");
    menu->findChild<QAction*>(QStringLiteral("m_delete_selected_branch"))->trigger();
    EXPECT_EQ(t.prompter.messages(), QStringList({s("Collection cannot be deleted.")}));

    tree()->setCurrentIndex(window->model().find(s("Books"), s("O'Hara [*]")));
    t.windows.attributes = window->form_attributes();
    t.windows.on_select_map = [](const MapParts& prefill, bool) { return prefill; };
    menu->findChild<QAction*>(QStringLiteral("m_tagmap_view"))->trigger();
    EXPECT_EQ(t.windows.calls.last().toStdString(), "open_map Books: O'Hara [*]");
}

TEST_F(MapTreeFixture, ActivationMakesTheTreeTheActiveKindAndLockedKeysDoNothing) {
    ASSERT_TRUE(open());
    auto* other = area.addSubWindow(new QWidget);
    other->show();
    area.setActiveSubWindow(other);
    ctx.active_kind = WindowKind::Map;
    area.setActiveSubWindow(frame_of(*window));
    settle();
    EXPECT_EQ(ctx.active_kind, WindowKind::Tree);

    tree()->setCurrentIndex(window->model().find(s("Books"), s("Poetry")));
    ctx.key_lock = true;
    QTest::keyClick(tree(), Qt::Key_Delete);
    QTest::keyClick(tree(), Qt::Key_Escape);
    settle();
    EXPECT_TRUE(window);
    EXPECT_TRUE(t.prompter.shown().empty());
    ctx.key_lock = false;
    delete other;
}

TEST_F(MapTreeFixture, SplitterAndPlaceAreKeptWithTheWindow) {
    // Shares past the ends still leave both parts on screen.
    struct Case {
        const char* stored;
        double least; // the tree's part in per mille once opened
        double most;
    };
    for (const Case c : {Case{"300", 270, 330}, Case{"not a number", 670, 730}, Case{"1e30", 800, 990},
                         Case{"-4", 10, 200}}) {
        set_gen_param(db(), map_tree_splitter_key, s(c.stored));
        ASSERT_TRUE(open());
        frame_of(*window)->resize(600, 800);
        settle();
        auto* splitter = window->findChild<QSplitter*>(QStringLiteral("splitter"));
        const QList<int> sizes = splitter->sizes();
        ASSERT_EQ(sizes.size(), 2);
        const double share = sizes[0] * 1000.0 / (sizes[0] + sizes[1]);
        EXPECT_GE(share, c.least) << c.stored;
        EXPECT_LE(share, c.most) << c.stored;
        splitter->setSizes({600, 200});
        close_form(*window);
        settle();
        EXPECT_NEAR(get_gen_param(db(), map_tree_splitter_key).toInt(), 750, 30) << c.stored;
    }
    EXPECT_FALSE(get_gen_param(db(), s("f_tree_height")).isEmpty());
}

} // namespace

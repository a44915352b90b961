// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"
#include "table/table_model.h"
#include "table/table_query.h"
#include "table/ui/table_view.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>

namespace {

class TableViewTest : public TableViewFixture {
protected:
    // Lets the two seconds between queries pass and runs the waiting query.
    void run_waiting_query(TableView* view) {
        t.clock.advance_seconds(2);
        view->on_query_timer();
    }
};

} // namespace

TEST_F(TableViewTest, OpensWithCaptionCountAndCategoryOrder) {
    add("Money", "shop", "bread");
    add("Money", "bills", "gas");
    add("Books", "Novels", "other collection");
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), "Money (items found: 2)");
    EXPECT_EQ(grid_titles(view), (QStringList{"gas", "bread"}));
    EXPECT_EQ(view->model()->headerData(2, Qt::Horizontal).toString(), "Category*");
    EXPECT_TRUE(view->grid()->isColumnHidden(1));
    EXPECT_EQ(control<QLineEdit>(view, "t_item_title")->text(), "gas");
    // Opening the position again replaces the window.
    TableView* again = tables->open_table_view(5);
    settle();
    EXPECT_EQ(tables->window(5), again);
    EXPECT_EQ(area.subWindowList().size(), 1);
}

TEST_F(TableViewTest, PresetsFilterPositionAndAreCleared) {
    add("Books", "C#", "Sharp");
    const qint64 leopardi = add("Books", "C#", "Leopardi");
    add("Books", "C1", "One");
    ctx.table_presets.category = "C#"; // matched as it stands, not as a pattern
    ctx.table_presets.item_nr = leopardi;
    TableView* view = tables->open_table_view(7);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(ctx.table_presets.empty());
    EXPECT_TRUE(control<QRadioButton>(view, "o_and")->isChecked());
    EXPECT_EQ(view->items_found(), 2);
    EXPECT_EQ(view->get_item_nr(), leopardi);

    // A search preset goes into category, title and content with OR; the deadlines window
    // keeps AND.
    ctx.table_presets.search_text = "an";
    TableView* search = tables->open_table_view(45);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(control<QLineEdit>(search, "t_filter_title")->text(), "an");
    EXPECT_EQ(control<QLineEdit>(search, "t_filter_collection")->text(), "an");
    EXPECT_TRUE(control<QRadioButton>(search, "o_or")->isChecked());
    ctx.table_presets.deadlines_only = true;
    TableView* deadlines = tables->open_table_view(45);
    ASSERT_NE(deadlines, nullptr);
    EXPECT_TRUE(control<QRadioButton>(deadlines, "o_and")->isChecked());
    EXPECT_EQ(deadlines->query().sort_column(), 8);
}

TEST_F(TableViewTest, TypingWaitsForTheSpacingAndRunsOneQueryWithTheLatestText) {
    add("Money", "bills", "gas");
    add("Money", "bills", "power");
    add("Money", "shop", "bread");
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    const QString first = view->current_statement();
    auto* title = control<QLineEdit>(view, "t_filter_title");
    t.clock.advance_seconds(1);
    QTest::keyClicks(title, "po");
    // Less than two seconds after the opening query: the query waits and the window stays live.
    EXPECT_TRUE(view->query_waiting());
    EXPECT_EQ(view->current_statement(), first);
    QTest::keyClicks(title, "w");
    view->on_query_timer(); // the clock has not moved: still waiting
    EXPECT_TRUE(view->query_waiting());
    run_waiting_query(view);
    EXPECT_FALSE(view->query_waiting());
    EXPECT_EQ(grid_titles(view), QStringList{"power"});
    EXPECT_EQ(view->windowTitle(), "Money (items found: 1)");
    // Long after the last query a change runs at once.
    t.clock.advance_seconds(10);
    title->clear();
    EXPECT_FALSE(view->query_waiting());
    EXPECT_EQ(view->items_found(), 3);
}

TEST_F(TableViewTest, RefreshKeepsTheSameItemAndAPendingInsert) {
    add("Money", "a", "one");
    const qint64 two = add("Money", "b", "two");
    add("Money", "c", "three");
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    view->go_to_row(1);
    add("Money", "a", "zero"); // a new row before it
    t.clock.advance_seconds(5);
    view->refresh_table();
    EXPECT_EQ(view->items_found(), 4);
    EXPECT_EQ(view->get_item_nr(), two);
    EXPECT_EQ(view->grid()->currentIndex().row(), 2);
    // refresh_all_windows reaches every open table view, without touching an insert typed there.
    QTest::mouseClick(control<QPushButton>(view, "b_add"), Qt::LeftButton);
    control<QLineEdit>(view, "t_item_title")->setText("typed, not saved");
    add("Money", "d", "four");
    t.clock.advance_seconds(5);
    maps->refresh_all_windows();
    EXPECT_EQ(view->items_found(), 5);
    EXPECT_EQ(control<QLineEdit>(view, "t_item_title")->text(), "typed, not saved");
    EXPECT_EQ(view->edit_mode(), EditMode::Insert);
    t.prompter.answer(false); // closing at the end drops the insert
}

TEST_F(TableViewTest, F3AsksAndFillsThreeFiltersWithOrOtherKeysGoToTheProgram) {
    add("Money", "bills", "gas");
    add("Money", "gas station", "fuel");
    add("Money", "shop", "bread");
    std::vector<std::pair<int, int>> general;
    t.windows.on_hot_key = [&general](int shift, int key) {
        if (key != Qt::Key_Control) general.emplace_back(shift, key); // the modifier's own press
        return key == Qt::Key_F3 || key == Qt::Key_Q;
    };
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    t.clock.advance_seconds(5);
    control<QRadioButton>(view, "o_and")->setChecked(true);
    t.clock.advance_seconds(5);
    t.prompter.answer("gas");
    // The window's own keys come first: F3 never reaches the program's routine.
    QTest::keyClick(view->grid(), Qt::Key_F3);
    ASSERT_FALSE(t.prompter.shown().empty());
    EXPECT_EQ(t.prompter.shown().back().title, "Find records");
    EXPECT_EQ(control<QLineEdit>(view, "t_filter_content")->text(), "gas");
    EXPECT_TRUE(control<QRadioButton>(view, "o_or")->isChecked());
    EXPECT_EQ(view->items_found(), 2);
    EXPECT_TRUE(general.empty());
    // "*" shows every record; Cancel changes nothing.
    t.clock.advance_seconds(5);
    t.prompter.answer("*");
    view->find_item_in_grid();
    EXPECT_EQ(view->items_found(), 3);
    t.prompter.answer(std::optional<QString>());
    view->find_item_in_grid();
    EXPECT_EQ(view->items_found(), 3);

    QTest::keyClick(view->grid(), Qt::Key_F3, Qt::ControlModifier);
    QTest::keyClick(control<QLineEdit>(view, "t_filter_title"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(general, (std::vector<std::pair<int, int>>{{2, Qt::Key_F3}, {2, Qt::Key_Q}}));
    // Plain typing reaches the field once the general routine has declined it.
    QTest::keyClicks(control<QLineEdit>(view, "t_filter_mark"), "x");
    EXPECT_EQ(control<QLineEdit>(view, "t_filter_mark")->text(), "x");
    t.windows.on_hot_key = nullptr;
}

TEST_F(TableViewTest, PositionsWithFindPromptAskOnFirstActivationOnly) {
    add("Contacts", "friends", "Anna");
    t.prompter.answer("Anna");
    TableView* view = tables->open_table_view(2);
    ASSERT_NE(view, nullptr);
    settle();
    view->activated();
    EXPECT_TRUE(t.prompter.all_answered());
    EXPECT_EQ(control<QLineEdit>(view, "t_filter_title")->text(), "Anna");
    EXPECT_EQ(ctx.active_kind, WindowKind::Table);
    const auto asked = t.prompter.shown().size();
    view->activated();
    EXPECT_EQ(t.prompter.shown().size(), asked);
}

TEST_F(TableViewTest, BadFiltersAreMarkedInTheWindowAndKeepTheRows) {
    add("Money", "bills", "Gordon");
    add("Money", "bills", "gas");
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    auto* title = control<QLabel>(view, "lab_filter_problem");
    auto* field = control<QLineEdit>(view, "t_filter_title");
    for (const auto& [typed, refused, rows] :
         {std::tuple{"(gas", true, 2}, std::tuple{"gas)", true, 2}, std::tuple{"O'Brien", false, 0},
          std::tuple{"Gordon", false, 2}}) {
        t.clock.advance_seconds(5);
        const QString statement = view->current_statement();
        field->setText(QString::fromUtf8(typed));
        // A refused filter is said inside the window, never in a message box, and runs nothing.
        EXPECT_TRUE(t.prompter.shown().empty()) << typed;
        EXPECT_EQ(title->isVisibleTo(view), refused) << typed;
        EXPECT_EQ(field->property("refused").toBool(), refused) << typed;
        EXPECT_FALSE(view->query_waiting()) << typed;
        if (refused) {
            EXPECT_EQ(view->current_statement(), statement) << typed;
        }
        EXPECT_EQ(view->items_found(), rows) << typed;
    }
    // Typed within the two seconds, a half-typed filter schedules no query either.
    QTest::keyClicks(field, " or");
    EXPECT_FALSE(view->query_waiting());
    EXPECT_TRUE(title->isVisibleTo(view));
    QTest::keyClicks(field, " gas");
    EXPECT_FALSE(field->property("refused").toBool());
    run_waiting_query(view);
    EXPECT_EQ(view->items_found(), 2);
}

TEST_F(TableViewTest, JournalTitleThatIsNoDateRetriesWithThePlainOrder) {
    add("Journal", "2024", "01/02/2024");
    add("Journal", "2024", "holiday");
    TableView* view = tables->open_table_view(6);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(t.prompter.messages(), QStringList{"Check data format of item title"});
    EXPECT_EQ(view->items_found(), 2);
    EXPECT_FALSE(view->current_statement().contains("cvdate("));
}

TEST_F(TableViewTest, HeaderClickSortsAndMarksTheColumn) {
    add("Money", "a", "zeta");
    add("Money", "b", "alpha");
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    t.clock.advance_seconds(5);
    view->grid()->horizontalHeader()->sectionClicked(6);
    EXPECT_EQ(grid_titles(view), (QStringList{"alpha", "zeta"}));
    EXPECT_EQ(view->model()->headerData(6, Qt::Horizontal).toString(), "Title*");
    EXPECT_EQ(view->model()->headerData(2, Qt::Horizontal).toString(), "Category");
    // A click while a typed filter waits for the two seconds joins the waiting query.
    QTest::keyClicks(control<QLineEdit>(view, "t_filter_title"), "a");
    ASSERT_TRUE(view->query_waiting());
    view->grid()->horizontalHeader()->sectionClicked(6);
    run_waiting_query(view);
    EXPECT_EQ(grid_titles(view), (QStringList{"zeta", "alpha"}));
}

TEST_F(TableViewTest, ClearPictureFilterAndLookupList) {
    add("Money", "bills", "photo", "LINK=/tmp/x.gif");
    add("Money", "C#", "bread");
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    t.clock.advance_seconds(5);
    view->filter_on_pictures();
    EXPECT_EQ(grid_titles(view), QStringList{"photo"});
    EXPECT_TRUE(control<QRadioButton>(view, "o_and")->isChecked());
    t.clock.advance_seconds(5);
    control<QLineEdit>(view, "t_filter_id")->setText("7");
    t.clock.advance_seconds(5);
    QTest::mouseClick(control<QPushButton>(view, "b_clear"), Qt::LeftButton);
    // Clear empties every filter, the Id one included, and the grid shows every row again.
    EXPECT_EQ(control<QLineEdit>(view, "t_filter_id")->text(), QString());
    EXPECT_TRUE(control<QRadioButton>(view, "o_or")->isChecked());
    EXPECT_EQ(view->items_found(), 2);

    // A category chosen from List1 enters the filter in the form that matches it as it stands.
    QTest::mouseClick(control<QPushButton>(view, "look_filter_cat"), Qt::LeftButton);
    auto* list = control<QListWidget>(view, "List1");
    const QList<QListWidgetItem*> sharp = list->findItems("C#", Qt::MatchExactly);
    ASSERT_EQ(sharp.size(), 1);
    t.clock.advance_seconds(5);
    list->itemClicked(sharp.front());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(control<QLineEdit>(view, "t_filter_cat")->text(), "C[#]");
    EXPECT_EQ(grid_titles(view), QStringList{"bread"});

    // Escape hides an open list and leaves the window open.
    view->build_lookup_list(LookupTarget::FilterCollection);
    EXPECT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(tables->window(5), view);
}

TEST_F(TableViewTest, EnterRunsTheRowsItemAndTheMenuOpensItsMap) {
    add("Books", "Vol", "Preface");
    add("Books", "Vol. 2", "Chapter");
    ctx.collections.at(7).open_cat_as_map = true;
    add("Money", "links", "> Books: Vol");
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    view->grid()->setFocus();
    QTest::keyClick(view->grid(), Qt::Key_Return);
    ASSERT_NE(maps->window(ctx.map_windows.session_count()), nullptr);
    EXPECT_EQ(maps->window(ctx.map_windows.session_count())->map_name(), "Books: Vol");
    // The current row's category map opens by its parts, "Vol. 2" being no map "Vol" item "2".
    TableView* books = tables->open_table_view(7);
    ASSERT_NE(books, nullptr);
    books->go_to_row(1);
    books->popup_menu()->findChild<QAction*>("m_open_map_of_current_category")->trigger();
    EXPECT_EQ(maps->window(ctx.map_windows.session_count())->map_name(), "Books: Vol. 2");
    EXPECT_EQ(ctx.db->scalar("select count(*) from repos").toInt(), 3); // no filler made
}

TEST_F(TableViewTest, MapWindowHandsItsMapToTheTable) {
    add("Books", "Poetry", "Dante");
    const qint64 leopardi = add("Books", "Poetry", "Leopardi");
    add("Books", "Novels", "Manzoni");
    ctx.collections.at(7).open_cat_as_map = true;
    MapWindow* map = maps->open_map("Books: Poetry.Leopardi");
    ASSERT_NE(map, nullptr);
    map->action("m_table_view_of_this_map")->trigger();
    TableView* view = tables->window(7);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->items_found(), 2);
    EXPECT_EQ(view->get_item_nr(), leopardi);
    // F3 in the map opens the table with its find command started.
    t.prompter.answer("Man");
    map->action("m_search_in_this_collection")->trigger();
    settle();
    TableView* search = tables->window(7);
    ASSERT_NE(search, nullptr);
    search->activated();
    EXPECT_TRUE(t.prompter.all_answered());
    run_waiting_query(search);
    EXPECT_EQ(search->items_found(), 1);
}

TEST_F(TableViewTest, OpensOnItsFirstColumnsAndKeepsTheWidthsAtClosing) {
    // Wide stored columns and a preset row far down used to leave the grid scrolled to its far
    // right, with blank headers.
    set_gen_param(*ctx.db, "f_gentabx_5_col_6_width", "12000");
    set_gen_param(*ctx.db, "f_gentabx_5_col_7_width", "30000");
    qint64 last = 0;
    for (int i = 0; i < 60; ++i)
        last = add("Money", "bills", QStringLiteral("bill %1").arg(i, 2, 10, QLatin1Char('0')));
    ctx.table_presets.item_nr = last;
    TableView* view = tables->open_table_view(5);
    ASSERT_NE(view, nullptr);
    settle();
    EXPECT_EQ(view->get_item_nr(), last);
    EXPECT_GT(view->grid()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view->grid()->horizontalScrollBar()->value(), 0);

    view->grid()->setColumnWidth(6, 200);
    tables->close_all();
    settle();
    EXPECT_EQ(get_gen_param(*ctx.db, "f_gentabx_5_col_6_width"), "3000");
    EXPECT_FALSE(get_gen_param(*ctx.db, "f_gentabx_5_width").isEmpty());
    EXPECT_EQ(tables->open_table_view(5)->grid()->columnWidth(6), 200);
}

TEST_F(TableViewTest, TablesFollowTheFontSizeAndShowDatesInFull) {
    ctx.prefs.font_size = 14;
    const QDate day(2026, 12, 5);
    add({"Agenda", "work", "call", {}, {}, QDateTime(day, QTime(10, 0)), QDateTime(day, QTime(9, 0))});
    TableView* view = tables->open_table_view(1);
    ASSERT_NE(view, nullptr);
    EXPECT_GE(control<QLineEdit>(view, "t_item_title")->font().pointSizeF(), 14.0);
    const QFontMetrics metrics = view->grid()->fontMetrics();
    EXPECT_GE(view->grid()->verticalHeader()->defaultSectionSize(), metrics.height());
    for (int column : {8, 9}) {
        const QString shown = view->model()->text(0, column);
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_GT(view->grid()->columnWidth(column), metrics.horizontalAdvance(shown)) << column;
    }
}

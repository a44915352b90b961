// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"
#include "table/content_editor.h"
#include "table/table_model.h"
#include "table/ui/content_editor_window.h"
#include "table/ui/table_view.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableView>

namespace {

// Table views with their editing, and map windows, in an MDI area over a fresh database.
class TableEditWindow : public TableViewFixture {
protected:
    void TearDown() override {
        TableViewFixture::TearDown();
        EXPECT_TRUE(t.prompter.all_answered()) << "scripted answers left unused";
    }

    TableView* open(int position) {
        TableView* view = tables->open_table_view(position);
        EXPECT_NE(view, nullptr);
        if (view) view->setup_editing();
        return view;
    }

    static QPushButton* button(const TableView* view, const char* name) {
        return control<QPushButton>(view, name);
    }
    static QLineEdit* field(const TableView* view, const char* name) {
        return control<QLineEdit>(view, name);
    }
    static bool highlighted(const QPushButton* b) { return b->property("highlighted").toBool(); }
    static void trigger(const TableView* view, const char* name) {
        view->popup_menu()->findChild<QAction*>(QString::fromUtf8(name))->trigger();
    }

    qint64 item_titled(const QString& title) {
        Statement find = ctx.db->prepare("select item_nr from repos where item_title=?");
        find.bind(1, title);
        return find.next() ? find.value(0).toLongLong() : 0;
    }
};

TEST_F(TableEditWindow, InsertSaveAndDeleteThroughTheButtons) {
    const qint64 old = add("Books", "Novels", "Persuasion");
    add("Books", "Poetry", "Odes");
    ctx.table_presets.category = "novels"; // as a map window hands it over
    TableView* view = open(7);
    ASSERT_TRUE(view);
    QPushButton* b_add = button(view, "b_add");
    QPushButton* b_save = button(view, "b_save");
    EXPECT_FALSE(b_save->isEnabled());

    QTest::keyClick(view->grid(), Qt::Key_Insert);
    EXPECT_EQ(view->edit_mode(), EditMode::Insert);
    EXPECT_TRUE(highlighted(b_add));
    EXPECT_TRUE(b_save->isEnabled());
    for (const char* name : {"b_add", "b_edit", "b_delete", "b_find"})
        EXPECT_FALSE(button(view, name)->isEnabled()) << name;
    EXPECT_FALSE(view->grid()->isEnabled());
    EXPECT_FALSE(control<QGroupBox>(view, "fra_filters")->isVisible());
    EXPECT_EQ(field(view, "t_collection")->text(), "Books");
    EXPECT_EQ(field(view, "t_cat")->text(), "Novels") << "the category the grid is filtered to";

    QTest::keyClicks(field(view, "t_item_title"), "Emma");
    b_save->click();
    const qint64 emma = item_titled("Emma");
    ASSERT_NE(emma, 0);
    EXPECT_EQ(view->edit_mode(), EditMode::Idle);
    EXPECT_FALSE(highlighted(b_add));
    EXPECT_FALSE(b_save->isEnabled());
    EXPECT_TRUE(view->grid()->isEnabled());
    EXPECT_EQ(view->get_item_nr(), emma);

    t.prompter.answer(true);
    button(view, "b_delete")->click();
    EXPECT_EQ(rows("1=1"), 2);
    EXPECT_EQ(grid_titles(view), QStringList({"Persuasion"}));
    EXPECT_EQ(view->get_item_nr(), old);
}

TEST_F(TableEditWindow, RefusedSaveKeepsTheInsertAndEscapeGoesInSteps) {
    add("Books", "Novels", "Persuasion");
    TableView* view = open(7);
    ASSERT_TRUE(view);
    button(view, "b_add")->click();
    field(view, "t_item_id")->clear();
    QTest::keyClicks(field(view, "t_item_title"), " Emma ");
    button(view, "b_save")->click();
    EXPECT_EQ(t.prompter.messages(), QStringList({"\"Id\" should not be empty."}));
    EXPECT_EQ(view->edit_mode(), EditMode::Insert);
    EXPECT_EQ(field(view, "t_item_title")->text(), "Emma"); // trimmed, kept
    EXPECT_EQ(view->focusWidget(), field(view, "t_item_id"));

    t.prompter.answer(false);
    QTest::keyClick(field(view, "t_item_title"), Qt::Key_Escape);
    EXPECT_EQ(view->edit_mode(), EditMode::Idle);
    EXPECT_EQ(field(view, "t_item_title")->text(), "Persuasion");
    EXPECT_EQ(rows("1=1"), 1);
    QTest::keyClick(view->grid(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(tables->window(7), nullptr);
}

TEST_F(TableEditWindow, TypingStartsAnEditThatF12Saves) {
    const qint64 item = add("Money", "Bills", "Rent");
    TableView* view = open(5);
    ASSERT_TRUE(view);
    QTest::keyClicks(field(view, "t_mark"), "!");
    EXPECT_EQ(view->edit_mode(), EditMode::Edit);
    EXPECT_TRUE(highlighted(button(view, "b_edit")));
    QTest::keyClick(field(view, "t_mark"), Qt::Key_F12);
    EXPECT_EQ(view->edit_mode(), EditMode::Idle);
    EXPECT_EQ(column(item, "mark").toString(), "!");
}

TEST_F(TableEditWindow, BulkReplaceOfCategoryTakesTheOpenMapAndTheFilterAlong) {
    add("Books", "Novels", "Emma");
    add("Books", "Novels", "Persuasion");
    add("Books", "Poetry", "Odes");
    ASSERT_TRUE(maps->open_map("Books: Novels"));
    ctx.table_presets.category = "Novels";
    TableView* view = open(7);
    ASSERT_TRUE(view);
    t.prompter.answer("Novels");
    t.prompter.answer("Fiction");
    trigger(view, "m_bulk_replace_of_category");
    EXPECT_EQ(rows("cat='Novels'"), 0); // no filler left behind by a reloading map
    EXPECT_EQ(rows("cat='Fiction'"), 2);
    QStringList names;
    for (const int number : ctx.map_windows.in_use_slots())
        names.append(maps->window(number)->map_name());
    EXPECT_EQ(names, QStringList({"Books: Fiction"}));
    EXPECT_EQ(field(view, "t_filter_cat")->text(), "Fiction");
    EXPECT_EQ(view->items_found(), 2);
}

TEST_F(TableEditWindow, TypedCellsAreWrittenUndoneOrLeft) {
    const qint64 item = add("Agenda", "Work", "Call");
    TableView* view = open(1);
    ASSERT_TRUE(view);
    QTableView* grid = view->grid();
    grid->setCurrentIndex(view->model()->index(0, 6));
    QTest::keyClick(grid, 'X');
    auto* editor = control<QLineEdit>(view, "cell_editor");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(view->editing_in_grid());
    auto* status = control<QLabel>(view, "lab_cell_edit");
    EXPECT_TRUE(status->isVisible());
    QTest::keyClicks(editor, "mas");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(view->editing_in_grid());
    EXPECT_EQ(column(item, "item_title").toString(), "Xmas");
    EXPECT_EQ(field(view, "t_item_title")->text(), "Xmas");

    // Ctrl+Z in the grid puts the row back as it was before the write, once.
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(column(item, "item_title").toString(), "Call");
    EXPECT_EQ(view->model()->text(0, 6), "Call");
    EXPECT_FALSE(status->isVisible());
    EXPECT_FALSE(view->cell_undo_available());

    // A refused cell keeps its editor and its text; Escape leaves it unwritten.
    grid->setCurrentIndex(view->model()->index(0, 6));
    QTest::keyClick(grid, ' ');
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(t.prompter.messages().size(), 1);
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(view->editing_in_grid());
    EXPECT_EQ(column(item, "item_title").toString(), "Call");
    // A date column opens no editor.
    grid->setCurrentIndex(view->model()->index(0, 8));
    QTest::keyClick(grid, 'a');
    EXPECT_FALSE(view->editing_in_grid());
    EXPECT_EQ(t.prompter.messages().size(), 2);
}

TEST_F(TableEditWindow, ContentHandedInOrBrowsedStartsAChange) {
    add("Myself", "Docs", "Old");
    TableView* view = open(12);
    ASSERT_TRUE(view);
    const QString path = QDir::toNativeSeparators(t.env.path("notes.txt"));
    t.prompter.answer(path);
    button(view, "b_browse")->click();
    EXPECT_EQ(control<QPlainTextEdit>(view, "t_item_content")->toPlainText(), "LINK=" + path);
    EXPECT_EQ(view->edit_mode(), EditMode::Edit);
    // Content handed in by another window while a change is pending is refused.
    view->insert_content("other");
    EXPECT_EQ(t.prompter.messages().last(), "Content cannot be inserted now.");
    button(view, "b_save")->click();
    view->insert_content("LINK=/home/ann/notes.txt");
    EXPECT_EQ(view->edit_mode(), EditMode::Insert);
    QTest::keyClicks(field(view, "t_item_title"), "Notes");
    QTest::keyClick(field(view, "t_item_title"), Qt::Key_Return);
    EXPECT_EQ(view->edit_mode(), EditMode::Idle);
    EXPECT_EQ(column(item_titled("Notes"), "item_content").toString(), "LINK=/home/ann/notes.txt");
    EXPECT_EQ(column(item_titled("Old"), "item_content").toString(), "LINK=" + path);
}

TEST_F(TableEditWindow, RowDroppedOnTheGridMovesThere) {
    const qint64 a = add("Books", "Novels", "A");
    add("Books", "Novels", "B");
    const qint64 c = add("Books", "Novels", "C");
    ctx.db->exec("update repos set seq=item_nr");
    TableView* view = open(7);
    ASSERT_TRUE(view);
    QWidget* viewport = view->grid()->viewport();
    const QPoint on_a = view->grid()->visualRect(view->model()->index(view->model()->row_of(a), 6)).center();
    QMimeData data;
    data.setData("application/x-tessarin-item-nr", QByteArray::number(c));
    QDragEnterEvent enter(on_a, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(on_a, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(grid_titles(view), QStringList({"C", "A", "B"}));
}

TEST_F(TableEditWindow, MenuCommandsActOnTheFilteredRowsAndTheCurrentMap) {
    add("Money", "Bills", "Rent [700]");
    add("Books", "Novels", "Emma [9]");
    TableView* view = open(5);
    ASSERT_TRUE(view);
    trigger(view, "m_sum_numbers_in_square_brackes");
    EXPECT_EQ(t.prompter.messages().back(), "Total = 700");
    // The check mark of the start map follows the current row's map each time the menu opens.
    QAction* toggle = view->popup_menu()->findChild<QAction*>("m_set_map_as_default_map");
    toggle->trigger();
    EXPECT_EQ(get_map_param(*ctx.db, "Money: Bills", "#start_map"), "-1");
    Q_EMIT view->popup_menu()->aboutToShow();
    EXPECT_TRUE(toggle->isChecked());
    // The random views are not part of this version: their commands say so.
    for (const char* name : {"m_random_map_of_current_category", "m_storm",
                             "m_random_item_of_filtered_records", "m_random_item_of_selected_record"})
        EXPECT_FALSE(view->popup_menu()->findChild<QAction*>(QString::fromUtf8(name))->isEnabled()) << name;
    t.prompter.answer(true);
    trigger(view, "m_delete_all_filtered_records");
    EXPECT_EQ(rows("1=1"), 1);
    EXPECT_TRUE(grid_titles(view).isEmpty());
}

} // namespace

TEST_F(TableEditWindow, AWindowKeepingAPendingInsertIsNotReplaced) {
    TableView* view = open(45);
    ASSERT_TRUE(view);
    button(view, "b_add")->click();
    // Asked whether to save, Yes: the empty title is refused, so the window must stay.
    t.prompter.answer(true);
    ctx.table_presets.search_text = "Dante";
    EXPECT_EQ(tables->open_table_view(45), nullptr);
    settle();
    EXPECT_EQ(tables->window(45), view);
    EXPECT_EQ(view->edit_mode(), EditMode::Insert);
    EXPECT_TRUE(ctx.table_presets.empty());
    t.prompter.answer(false); // closing at the end drops the insert
}

TEST_F(TableEditWindow, ZoomOfAPendingInsertEditsTheTypedContentAndHandsItBack) {
    TableRoomWindows room(ctx, *maps, [this] { return &area; });
    tables->edit_pending_content = [&room](const EditedItem& item, const QString& text,
                                           std::function<bool(const QString&)> hand_back) {
        return room.open_content_editor_for(item, text, std::move(hand_back)) != nullptr;
    };
    TableView* view = open(10);
    ASSERT_TRUE(view);
    button(view, "b_add")->click();
    QTest::keyClicks(field(view, "t_item_title"), "Notes");
    auto* content = control<QPlainTextEdit>(view, "t_item_content");
    content->setPlainText("first line");
    QTest::keyClick(field(view, "t_item_title"), Qt::Key_F10);
    ContentEditorWindow* editor = room.editor(1);
    ASSERT_NE(editor, nullptr) << "F10 opens the editor while the insert is pending";
    EXPECT_EQ(editor->text(), "first line");
    auto* text = editor->findChild<QPlainTextEdit*>("t_testo");
    text->setPlainText("first line\nsecond line");
    editor->findChild<QPushButton*>("b_save_and_exit")->click();
    settle();
    EXPECT_EQ(room.editor(1), nullptr);
    // The text is back in the field, the insert still pending and nothing written yet.
    EXPECT_EQ(content->toPlainText(), "first line\nsecond line");
    EXPECT_EQ(view->edit_mode(), EditMode::Insert);
    EXPECT_EQ(item_titled("Notes"), 0);
    button(view, "b_save")->click();
    EXPECT_EQ(column(item_titled("Notes"), "item_content").toString(), "first line\nsecond line");

    // An editor whose change has ended meanwhile keeps its text and says why.
    button(view, "b_edit")->click();
    trigger(view, "m_expand_edit_area");
    editor = room.editor(1);
    ASSERT_NE(editor, nullptr) << "the menu entry opens it too";
    t.prompter.answer(false); // Escape: do not save the edit
    button(view, "b_exit")->click();
    editor->findChild<QPlainTextEdit*>("t_testo")->setPlainText("late");
    editor->findChild<QPushButton*>("b_save_and_exit")->click();
    settle();
    EXPECT_EQ(room.editor(1), editor);
    EXPECT_EQ(t.prompter.messages().last(), hand_back_refused_message);
    editor->findChild<QPushButton*>("b_cancel")->click();
    settle();
}

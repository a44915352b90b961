// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/dates.h"
#include "core/params.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "support/items.h"
#include "support/test_context.h"
#include "support/window_fixtures.h"
#include "table/content_editor.h"
#include "table/table_model.h"
#include "table/ui/content_editor_window.h"
#include "table/ui/table_room_windows.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

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

    QVariant value(qint64 item_nr, const char* column) {
        return ctx.db->scalar(
            QStringLiteral("select %1 from repos where item_nr=%2").arg(QLatin1String(column)).arg(item_nr));
    }
    int count(const QString& where) {
        return ctx.db->scalar(QStringLiteral("select count(*) from repos where ") + where).toInt();
    }
    qint64 item_titled(const QString& title) {
        Statement find = ctx.db->prepare(QStringLiteral("select item_nr from repos where item_title=?"));
        find.bind(1, title);
        return find.next() ? find.value(0).toLongLong() : 0;
    }
    QStringList grid_titles(const TableView* view) {
        QStringList list;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            list.append(view->model()->text(row, 6));
        return list;
    }
    QStringList map_names() {
        QStringList names;
        for (const int number : ctx.map_windows.in_use_slots())
            if (MapWindow* window = maps->window(number)) names.append(window->map_name());
        return names;
    }
};

TEST_F(TableEditWindow, InsertSaveAndDeleteThroughTheButtons) {
    const qint64 old = add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Persuasion"));
    TableView* view = open(7);
    ASSERT_TRUE(view);
    QPushButton* b_add = button(view, "b_add");
    QPushButton* b_save = button(view, "b_save");
    EXPECT_TRUE(b_add->isEnabled());
    EXPECT_FALSE(b_save->isEnabled());

    b_add->click();
    EXPECT_EQ(view->edit_mode_, EditMode::Insert);
    EXPECT_TRUE(highlighted(b_add));
    EXPECT_TRUE(b_save->isEnabled());
    for (const char* name : {"b_add", "b_edit", "b_delete", "b_find"})
        EXPECT_FALSE(button(view, name)->isEnabled()) << name;
    EXPECT_FALSE(view->grid()->isEnabled());
    EXPECT_FALSE(control<QGroupBox>(view, "fra_filters")->isVisible());
    EXPECT_EQ(field(view, "t_collection")->text(), QStringLiteral("Books"));
    EXPECT_EQ(field(view, "t_cat")->text(), QStringLiteral("Mix"));
    EXPECT_EQ(field(view, "t_item_id")->text(), QStringLiteral("1"));
    EXPECT_TRUE(field(view, "t_item_title")->text().isEmpty());

    field(view, "t_cat")->setText(QStringLiteral("Novels"));
    QTest::keyClicks(field(view, "t_item_title"), QStringLiteral("Emma"));
    b_save->click();
    EXPECT_TRUE(t.prompter.shown().empty());
    const qint64 emma = item_titled(QStringLiteral("Emma"));
    ASSERT_NE(emma, 0);
    EXPECT_EQ(value(emma, "item_id").toDouble(), 1.0);
    EXPECT_EQ(view->edit_mode_, EditMode::Idle);
    EXPECT_FALSE(highlighted(b_add));
    EXPECT_TRUE(b_add->isEnabled());
    EXPECT_FALSE(b_save->isEnabled());
    EXPECT_TRUE(view->grid()->isEnabled());
    EXPECT_EQ(view->get_item_nr(), emma);
    EXPECT_EQ(grid_titles(view).size(), 2);

    t.prompter.answer(true);
    button(view, "b_delete")->click();
    EXPECT_EQ(t.prompter.shown().back().text,
              QStringLiteral("Do you really want to delete record \"Emma\"?"));
    EXPECT_EQ(count(QStringLiteral("1=1")), 1);
    EXPECT_EQ(grid_titles(view), QStringList({QStringLiteral("Persuasion")}));
    EXPECT_EQ(view->get_item_nr(), old);
    EXPECT_EQ(view->edit_mode_, EditMode::Idle);
}

TEST_F(TableEditWindow, RefusedSaveKeepsTheInsertAndEscapeGoesInSteps) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Persuasion"));
    TableView* view = open(7);
    ASSERT_TRUE(view);
    button(view, "b_add")->click();
    field(view, "t_item_id")->clear();
    QTest::keyClicks(field(view, "t_item_title"), QStringLiteral(" Emma "));
    button(view, "b_save")->click();
    EXPECT_EQ(t.prompter.messages(), QStringList({QStringLiteral("\"Id\" should not be empty.")}));
    EXPECT_EQ(view->edit_mode_, EditMode::Insert);
    EXPECT_EQ(field(view, "t_item_title")->text(), QStringLiteral("Emma")); // trimmed, kept
    EXPECT_EQ(count(QStringLiteral("1=1")), 1);

    t.prompter.answer(false);
    QTest::keyClick(field(view, "t_item_title"), Qt::Key_Escape);
    EXPECT_EQ(t.prompter.shown().back().text, QStringLiteral("Do you want to save record \"Emma\"?"));
    EXPECT_EQ(view->edit_mode_, EditMode::Idle);
    EXPECT_EQ(field(view, "t_item_title")->text(), QStringLiteral("Persuasion"));
    EXPECT_EQ(count(QStringLiteral("1=1")), 1);

    QTest::keyClick(view->grid(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(tables->window(7), nullptr);
}

TEST_F(TableEditWindow, TypingStartsAnEditThatF12Saves) {
    const qint64 item = add(QStringLiteral("Money"), QStringLiteral("Bills"), QStringLiteral("Rent"));
    TableView* view = open(5);
    ASSERT_TRUE(view);
    QTest::keyClicks(field(view, "t_mark"), QStringLiteral("!"));
    EXPECT_EQ(view->edit_mode_, EditMode::Edit);
    EXPECT_TRUE(highlighted(button(view, "b_edit")));
    EXPECT_TRUE(button(view, "b_save")->isEnabled());
    QTest::keyClick(field(view, "t_mark"), Qt::Key_F12);
    EXPECT_EQ(view->edit_mode_, EditMode::Idle);
    EXPECT_EQ(value(item, "mark").toString(), QStringLiteral("!"));
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(TableEditWindow, AnEditOfARowDeletedElsewhereStaysPending) {
    const qint64 item = add(QStringLiteral("Money"), QStringLiteral("Bills"), QStringLiteral("Rent"));
    TableView* view = open(5);
    ASSERT_TRUE(view);
    button(view, "b_edit")->click();
    QTest::keyClicks(field(view, "t_item_title"), QStringLiteral(" paid"));
    ctx.db->exec(QStringLiteral("delete from repos where item_nr=") + QString::number(item));
    button(view, "b_save")->click();
    EXPECT_EQ(t.prompter.messages(),
              QStringList({QStringLiteral(
                  "This item no longer exists: it may have been deleted in another window.")}));
    EXPECT_EQ(view->edit_mode_, EditMode::Edit);
    EXPECT_EQ(field(view, "t_item_title")->text(), QStringLiteral("Rent paid"));
    EXPECT_EQ(count(QStringLiteral("1=1")), 0);
    t.prompter.answer(false); // the window closes at the end of the test: the change is dropped
}

TEST_F(TableEditWindow, SwitchedOffDatePickersStoreNull) {
    TableView* view = open(1);
    ASSERT_TRUE(view);
    button(view, "b_add")->click();
    auto* exp_on = control<QCheckBox>(view, "c_date_exp");
    auto* rem_on = control<QCheckBox>(view, "c_date_rem");
    EXPECT_TRUE(exp_on->isChecked());
    EXPECT_TRUE(rem_on->isChecked());
    EXPECT_EQ(control<QDateTimeEdit>(view, "t_date_exp")->dateTime(),
              QDateTime(QDate(2026, 3, 14), QTime(9, 26)));
    QTest::keyClicks(field(view, "t_item_title"), QStringLiteral("Call"));
    rem_on->setChecked(false);
    EXPECT_FALSE(control<QDateTimeEdit>(view, "t_date_rem")->isEnabled());
    button(view, "b_save")->click();
    EXPECT_EQ(t.prompter.messages(), QStringList({QStringLiteral("Date remind must be filled.")}));
    EXPECT_EQ(view->edit_mode_, EditMode::Insert);
    exp_on->setChecked(false);
    button(view, "b_save")->click();
    EXPECT_EQ(view->edit_mode_, EditMode::Idle);
    const qint64 call = item_titled(QStringLiteral("Call"));
    ASSERT_NE(call, 0);
    EXPECT_TRUE(value(call, "date_expiry").isNull());
    EXPECT_TRUE(value(call, "date_remind").isNull());
}

TEST_F(TableEditWindow, BulkReplaceOfCategoryTakesTheOpenMapAlong) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Persuasion"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Odes"));
    ASSERT_TRUE(maps->open_map(QStringLiteral("Books: Novels")));
    TableView* view = open(7);
    ASSERT_TRUE(view);
    EXPECT_EQ(field(view, "t_cat")->text(), QStringLiteral("Novels"));
    t.prompter.answer("Novels");
    t.prompter.answer("Fiction");
    view->popup_menu()->findChild<QAction*>(QStringLiteral("m_bulk_replace_of_category"))->trigger();
    EXPECT_EQ(count(QStringLiteral("cat='Novels'")), 0); // no filler left behind by a reloading map
    EXPECT_EQ(count(QStringLiteral("cat='Fiction'")), 2);
    EXPECT_EQ(map_names(), QStringList({QStringLiteral("Books: Fiction")}));
    EXPECT_EQ(field(view, "t_cat")->text(), QStringLiteral("Fiction"));
}

TEST_F(TableEditWindow, TypedCellsAreWrittenAndDateCellsRefused) {
    const qint64 item = add(QStringLiteral("Agenda"), QStringLiteral("Work"), QStringLiteral("Call"));
    TableView* view = open(1);
    ASSERT_TRUE(view);
    QTableView* grid = view->grid();
    grid->setCurrentIndex(view->model()->index(0, 6));
    QTest::keyClick(grid, 'X');
    auto* editor = control<QLineEdit>(view, "cell_editor");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(view->editing_in_grid_);
    // The cell being typed into is plainly marked, and the window says so.
    auto* status = control<QLabel>(view, "lab_cell_edit");
    EXPECT_FALSE(editor->styleSheet().isEmpty());
    EXPECT_TRUE(status->isVisible());
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("Editing cell")));
    QTest::keyClicks(editor, QStringLiteral("mas"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(view->editing_in_grid_);
    EXPECT_EQ(value(item, "item_title").toString(), QStringLiteral("Xmas"));
    EXPECT_EQ(field(view, "t_item_title")->text(), QStringLiteral("Xmas"));
    EXPECT_TRUE(status->text().contains(QStringLiteral("Ctrl+Z")));

    // Ctrl+Z in the grid puts the row back as it was before the write, once.
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(value(item, "item_title").toString(), QStringLiteral("Call"));
    EXPECT_EQ(field(view, "t_item_title")->text(), QStringLiteral("Call"));
    EXPECT_EQ(view->model()->text(0, 6), QStringLiteral("Call"));
    EXPECT_FALSE(status->isVisible());
    EXPECT_FALSE(view->cell_undo_available());
    // An empty mark written into a cell and undone is Null again.
    grid->setCurrentIndex(view->model()->index(0, 3));
    QTest::keyClick(grid, '!');
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(value(item, "mark").toString(), QStringLiteral("!"));
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(value(item, "mark").isNull());
    grid->setCurrentIndex(view->model()->index(0, 6));
    QTest::keyClick(grid, 'X');
    QTest::keyClicks(editor, QStringLiteral("mas"));
    QTest::keyClick(editor, Qt::Key_Return);

    // A refused cell keeps its editor and its text; Escape leaves it unwritten.
    grid->setCurrentIndex(view->model()->index(0, 6));
    QTest::keyClick(grid, ' ');
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(t.prompter.messages(), QStringList({QStringLiteral("\"Action\" should not be empty.")}));
    EXPECT_TRUE(view->editing_in_grid_);
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(view->editing_in_grid_);
    EXPECT_EQ(value(item, "item_title").toString(), QStringLiteral("Xmas"));
    t.prompter.clear();

    grid->setCurrentIndex(view->model()->index(0, 8));
    QTest::keyClick(grid, 'a');
    EXPECT_FALSE(view->editing_in_grid_);
    EXPECT_EQ(t.prompter.messages(),
              QStringList({QStringLiteral("This column cannot be edited directly on the "
                                          "row. You should use the \"edit\" function.")}));
}

TEST_F(TableEditWindow, ContentHandedInStartsAnInsertUnlessOneIsPending) {
    TableView* view = open(10);
    ASSERT_TRUE(view);
    view->insert_content(QStringLiteral("LINK=/home/ann/notes.txt"));
    EXPECT_EQ(view->edit_mode_, EditMode::Insert);
    EXPECT_EQ(control<QPlainTextEdit>(view, "t_item_content")->toPlainText(),
              QStringLiteral("LINK=/home/ann/notes.txt"));
    view->insert_content(QStringLiteral("other"));
    EXPECT_EQ(t.prompter.messages(), QStringList({QStringLiteral("Content cannot be inserted now.")}));
    QTest::keyClicks(field(view, "t_item_title"), QStringLiteral("Notes"));
    QTest::keyClick(field(view, "t_item_title"), Qt::Key_Return);
    EXPECT_EQ(view->edit_mode_, EditMode::Idle);
    EXPECT_EQ(value(item_titled(QStringLiteral("Notes")), "item_content").toString(),
              QStringLiteral("LINK=/home/ann/notes.txt"));
}

TEST_F(TableEditWindow, BrowseMakesTheContentALink) {
    add(QStringLiteral("Myself"), QStringLiteral("Docs"), QStringLiteral("Notes"));
    TableView* view = open(12);
    ASSERT_TRUE(view);
    const QString path = QDir::toNativeSeparators(t.env.path(QStringLiteral("notes.txt")));
    t.prompter.answer(path);
    button(view, "b_browse")->click();
    EXPECT_EQ(control<QPlainTextEdit>(view, "t_item_content")->toPlainText(), QStringLiteral("LINK=") + path);
    EXPECT_EQ(view->edit_mode_, EditMode::Edit);
    button(view, "b_save")->click();
    EXPECT_EQ(value(item_titled(QStringLiteral("Notes")), "item_content").toString(),
              QStringLiteral("LINK=") + path);
}

TEST_F(TableEditWindow, DroppedRowTakesTheTargetsPlaceAfterConfirmation) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("A"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("B"));
    const qint64 odes = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Odes"));
    ctx.db->exec(QStringLiteral("update repos set seq=item_nr"));
    TableView* view = open(7);
    ASSERT_TRUE(view);
    const int target = view->model()->row_of(item_titled(QStringLiteral("B")));
    t.prompter.answer(true);
    view->drop_on_row(odes, target);
    EXPECT_EQ(t.prompter.shown().back().text,
              QStringLiteral("Category will be changed from \"Poetry\" to \"Novels\". Proceed?"));
    EXPECT_EQ(value(odes, "cat").toString(), QStringLiteral("Novels"));
    EXPECT_EQ(grid_titles(view),
              QStringList({QStringLiteral("A"), QStringLiteral("Odes"), QStringLiteral("B")}));
}

TEST_F(TableEditWindow, RowDroppedOnTheGridMovesThere) {
    const qint64 a = add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("A"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("B"));
    const qint64 c = add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("C"));
    ctx.db->exec(QStringLiteral("update repos set seq=item_nr"));
    TableView* view = open(7);
    ASSERT_TRUE(view);
    QWidget* viewport = view->grid()->viewport();
    const QPoint on_a = view->grid()->visualRect(view->model()->index(view->model()->row_of(a), 6)).center();
    QMimeData data;
    data.setData(QStringLiteral("application/x-tessarin-item-nr"), QByteArray::number(c));
    EXPECT_TRUE(viewport->acceptDrops());
    QDragEnterEvent enter(on_a, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(on_a, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(grid_titles(view),
              QStringList({QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
}

TEST_F(TableEditWindow, MenuCommandsActOnTheFilteredRows) {
    add(QStringLiteral("Money"), QStringLiteral("Bills"), QStringLiteral("Rent [700]"));
    add(QStringLiteral("Money"), QStringLiteral("Bills"), QStringLiteral("Gas"), QStringLiteral("[45.5]"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma [9]"));
    TableView* view = open(5);
    ASSERT_TRUE(view);
    auto trigger = [view](const char* name) {
        view->popup_menu()->findChild<QAction*>(QString::fromUtf8(name))->trigger();
    };
    trigger("m_sum_numbers_in_square_brackes");
    EXPECT_EQ(t.prompter.messages().back(), QStringLiteral("Total = 746"));

    QDir().mkpath(ctx.program_dir);
    trigger("m_export_filtered_items_to_notepad");
    ASSERT_EQ(t.desktop.opened.size(), 1);

    t.prompter.answer(true);
    trigger("m_delete_all_filtered_records");
    EXPECT_EQ(t.prompter.shown().back().text, QStringLiteral("2 records will be deleted. Proceed?"));
    EXPECT_EQ(count(QStringLiteral("1=1")), 1);
    EXPECT_TRUE(grid_titles(view).isEmpty());
}

TEST_F(TableEditWindow, PopupMenuHoldsTheEditingCommands) {
    TableView* view = open(7);
    ASSERT_TRUE(view);
    const std::pair<const char*, const char*> commands[] = {
        {"m_bulk_replace_of_category", "Bulk replace of field \"category\""},
        {"m_bulk_replace_of_collection", "Bulk replace of field \"collection\""},
        {"m_expand_edit_area", "Expand edit area of current record"},
        {"m_sum_numbers_in_square_brackes", "Sum numbers in square brackets"},
        {"m_insert_separators", "Insert/update separators"},
        {"m_remove_separators", "Remove separators"},
        {"m_random_map_of_current_category", "Open random map of current category"},
        {"m_storm", "Open random map of filtered records"},
        {"m_random_item_of_filtered_records", "Open random item of filtered records"},
        {"m_random_item_of_selected_record", "Open random item of selected record"},
        {"m_export_filtered_items_to_notepad", "Print filtered items (export to Wordpad)"},
        {"m_sort_current_cat", "Sort items of current category"},
        {"m_sort_all_cat", "Sort items of all categories"},
        {"m_delete_all_filtered_records", "Delete all filtered records"},
        {"m_convert_current_content_into_items", "Create items from content of current record"},
        {"m_set_map_as_default_map", "Set current category as default map"},
    };
    for (const auto& [name, caption] : commands) {
        const QAction* action = view->popup_menu()->findChild<QAction*>(QString::fromUtf8(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromUtf8(caption)) << name;
    }
    // The random views are not part of this version: their commands say so.
    for (const char* name : {"m_random_map_of_current_category", "m_storm",
                             "m_random_item_of_filtered_records", "m_random_item_of_selected_record"})
        EXPECT_FALSE(view->popup_menu()->findChild<QAction*>(QString::fromUtf8(name))->isEnabled()) << name;
}

TEST_F(TableEditWindow, StartMapFlagOfTheCurrentRowsMap) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    TableView* view = open(7);
    ASSERT_TRUE(view);
    QAction* toggle = view->popup_menu()->findChild<QAction*>(QStringLiteral("m_set_map_as_default_map"));
    toggle->trigger();
    EXPECT_EQ(get_map_param(*ctx.db, QStringLiteral("Books: Novels"), QStringLiteral("#start_map")),
              QStringLiteral("-1"));
    Q_EMIT view->popup_menu()->aboutToShow();
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(
        get_map_param(*ctx.db, QStringLiteral("Books: Novels"), QStringLiteral("#start_map")).isEmpty());
}

} // namespace

TEST_F(TableEditWindow, AWindowKeepingAPendingInsertIsNotReplaced) {
    TableView* view = open(45);
    ASSERT_TRUE(view);
    button(view, "b_add")->click();
    ASSERT_EQ(view->edit_mode_, EditMode::Insert);
    // Asked whether to save, Yes: the empty title is refused, so the window must stay.
    t.prompter.answer(true);
    ctx.table_presets.search_text = QStringLiteral("Dante");
    EXPECT_EQ(tables->open_table_view(45), nullptr);
    settle();
    EXPECT_EQ(tables->window(45), view);
    EXPECT_EQ(view->edit_mode_, EditMode::Insert);
    EXPECT_TRUE(ctx.table_presets.empty());
    t.prompter.answer(false); // closing at the end drops the insert
}

TEST_F(TableEditWindow, ZoomOfAPendingInsertEditsTheTypedContentAndHandsItBack) {
    TableRoomWindows room(ctx, *maps, [this] { return &area; });
    room.install_hooks();
    tables->edit_pending_content = [&room](const EditedItem& item, const QString& text,
                                           std::function<bool(const QString&)> hand_back) {
        return room.open_content_editor_for(item, text, std::move(hand_back)) != nullptr;
    };
    TableView* view = open(10);
    ASSERT_TRUE(view);
    button(view, "b_add")->click();
    QTest::keyClicks(field(view, "t_item_title"), QStringLiteral("Notes"));
    auto* content = control<QPlainTextEdit>(view, "t_item_content");
    content->setPlainText(QStringLiteral("first line"));
    QTest::keyClick(field(view, "t_item_title"), Qt::Key_F10);
    ContentEditorWindow* editor = room.editor(1);
    ASSERT_NE(editor, nullptr) << "F10 opens the editor while the insert is pending";
    EXPECT_EQ(editor->text(), QStringLiteral("first line"));
    EXPECT_TRUE(editor->windowTitle().contains(QStringLiteral("Notes")));
    auto* text = editor->findChild<QPlainTextEdit*>(QStringLiteral("t_testo"));
    text->setPlainText(QStringLiteral("first line\nsecond line"));
    editor->findChild<QPushButton*>(QStringLiteral("b_save_and_exit"))->click();
    settle();
    EXPECT_EQ(room.editor(1), nullptr);
    // The text is back in the field, the insert still pending and nothing written yet.
    EXPECT_EQ(content->toPlainText(), QStringLiteral("first line\nsecond line"));
    EXPECT_EQ(view->edit_mode_, EditMode::Insert);
    EXPECT_EQ(item_titled(QStringLiteral("Notes")), 0);
    button(view, "b_save")->click();
    EXPECT_EQ(value(item_titled(QStringLiteral("Notes")), "item_content").toString(),
              QStringLiteral("first line\nsecond line"));

    // An editor whose change has ended meanwhile keeps its text and says why.
    button(view, "b_edit")->click();
    view->popup_menu_->findChild<QAction*>(QStringLiteral("m_expand_edit_area"))->trigger();
    editor = room.editor(1);
    ASSERT_NE(editor, nullptr) << "the menu entry opens it too";
    t.prompter.answer(false); // Escape: do not save the edit
    button(view, "b_exit")->click();
    ASSERT_EQ(view->edit_mode_, EditMode::Idle);
    editor->findChild<QPlainTextEdit*>(QStringLiteral("t_testo"))->setPlainText(QStringLiteral("late"));
    editor->findChild<QPushButton*>(QStringLiteral("b_save_and_exit"))->click();
    settle();
    EXPECT_EQ(room.editor(1), editor);
    EXPECT_EQ(t.prompter.messages().last(), hand_back_refused_message);
    EXPECT_EQ(value(item_titled(QStringLiteral("Notes")), "item_content").toString(),
              QStringLiteral("first line\nsecond line"));
    editor->findChild<QPushButton*>(QStringLiteral("b_cancel"))->click();
    settle();
}

TEST_F(TableEditWindow, InsertProposesTheCategoryTheGridIsFilteredTo) {
    add(QStringLiteral("Money"), QStringLiteral("Bills"), QStringLiteral("gas"));
    add(QStringLiteral("Money"), QStringLiteral("shop"), QStringLiteral("bread"));
    ctx.table_presets.category = QStringLiteral("bills"); // as a map window hands it over
    TableView* view = open(5);
    ASSERT_TRUE(view);
    QTest::keyClick(view->grid(), Qt::Key_Insert);
    ASSERT_EQ(view->edit_mode_, EditMode::Insert);
    EXPECT_EQ(field(view, "t_cat")->text(), QStringLiteral("Bills"));
    t.prompter.answer(false);
    button(view, "b_exit")->click();
    ASSERT_EQ(view->edit_mode_, EditMode::Idle);
    // Without a category filter the new item goes to "Mix".
    t.clock.advance_seconds(5);
    field(view, "t_filter_cat")->clear();
    QTest::keyClick(view->grid(), Qt::Key_Insert);
    EXPECT_EQ(field(view, "t_cat")->text(), QStringLiteral("Mix"));
    t.prompter.answer(false);
    button(view, "b_exit")->click();
}

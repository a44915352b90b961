// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The editing side of the table view: the command buttons, insert, edit, save and delete, the
// cells of the grid and rows dragged onto rows. Every decision is taken by table/table_editing
// and table/table_bulk_editing; this file reads the controls, calls them and shows the result.
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/ui/map_windows.h"
#include "table/table_bulk_editing.h"
#include "table/table_columns.h"
#include "table/table_editing.h"
#include "table/table_model.h"
#include "table/ui/table_edit_events.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using table_edit::EditRecord;

namespace {

const QString highlight_style = QStringLiteral("background-color: #c0ffff;"); // &HFFFFC0, light cyan
const QString cell_undo_hint = QStringLiteral("Cell written: Ctrl+Z in the grid puts the row back");

table_edit::EditMode logic_mode(EditMode mode) {
    switch (mode) {
    case EditMode::Insert:
        return table_edit::EditMode::Insert;
    case EditMode::Edit:
        return table_edit::EditMode::Edit;
    case EditMode::Find:
        return table_edit::EditMode::Find;
    case EditMode::Delete:
        return table_edit::EditMode::Delete;
    case EditMode::Idle:
        break;
    }
    return table_edit::EditMode::Idle;
}

bool pending(EditMode mode) {
    return mode == EditMode::Insert || mode == EditMode::Edit;
}

void highlight(QPushButton* button, bool on) {
    button->setStyleSheet(on ? highlight_style : QString());
    button->setProperty("highlighted", on);
}

} // namespace

table_edit::TableEditView TableView::edit_view() const {
    table_edit::TableEditView v;
    v.position = position();
    v.collection_name = collection_name();
    v.title_caption = table_columns::labels_for(position()).title_column;
    v.id_caption = edit_area_->id_caption();
    return v;
}

// ---------------------------------------------------------------- set-up

void TableView::setup_editing() {
    if (editing_ready_) return;
    editing_ready_ = true;

    for (QPushButton* b : {add_button_, edit_button_, delete_button_, save_button_})
        b->setToolTip(QString());
    edit_area_->enable_editing();

    connect(add_button_, &QPushButton::clicked, this, [this] { on_add(); });
    connect(edit_button_, &QPushButton::clicked, this, [this] { on_edit(); });
    connect(save_button_, &QPushButton::clicked, this, [this] { check_before_save(false); });
    connect(delete_button_, &QPushButton::clicked, this, [this] { on_delete(); });
    connect(edit_area_->browse_button(), &QPushButton::clicked, this, [this] { on_browse(); });
    connect(edit_area_->browse_dir_button(), &QPushButton::clicked, this, [this] { on_browse_dir(); });
    connect(edit_area_->zoom_button(), &QPushButton::clicked, this, [this] { expand_edit_area(); });
    connect(edit_area_, &TableEditArea::changed, this, [this] { edit_area_changed(); });
    connect(edit_area_->title_field(), &QLineEdit::returnPressed, this, [this] {
        if (save_button_->isEnabled()) check_before_save(false);
    });
    connect(edit_area_->cat_field(), &QLineEdit::returnPressed, this,
            [this] { edit_area_->title_field()->setFocus(); });

    auto* events = new TableEditEvents(this);
    edit_events_ = events;
    installEventFilter(events);
    edit_area_->content_field()->viewport()->installEventFilter(events);
    grid_->installEventFilter(events);
    grid_->viewport()->installEventFilter(events);
    grid_->viewport()->setAcceptDrops(true);

    build_edit_menu();
    set_edit_mode(edit_mode_);
}

void TableView::set_edit_mode(EditMode mode) {
    edit_mode_ = mode;
    const bool busy = pending(mode);
    for (QPushButton* b : {add_button_, edit_button_, delete_button_, find_button_})
        highlight(b, false);
    if (mode == EditMode::Insert) highlight(add_button_, true);
    if (mode == EditMode::Edit) highlight(edit_button_, true);
    add_button_->setEnabled(editing_ready_ && !busy);
    save_button_->setEnabled(busy && edit_area_->any_text());
    grid_->setEnabled(!busy);
    filter_bar_->setEnabled(!busy);
    filter_bar_->setVisible(mode != EditMode::Insert);
    update_buttons();
}

// ---------------------------------------------------------------- insert, edit, save, delete

void TableView::on_add() {
    if (!editing_ready_ || pending(edit_mode_)) return;
    if (!check_before_save(true)) return;
    EditRecord record;
    try {
        record = table_edit::insert_defaults(ctx_, edit_view(), edit_area_->collection_field()->text());
        // A grid filtered to one category proposes that category for the new item.
        const TableFilters filters = filter_bar_->read();
        const bool only_by_category =
            !filters.use_or || (filters.mark.trimmed().isEmpty() && filters.collection.trimmed().isEmpty() &&
                                filters.id.trimmed().isEmpty() && filters.title.trimmed().isEmpty() &&
                                filters.content.trimmed().isEmpty());
        record.cat =
            table_edit::insert_category(filters.cat, only_by_category,
                                        current_item_nr_ != 0 ? edit_area_->cat_field()->text() : QString());
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return;
    }
    edit_area_->write(record);
    set_edit_mode(EditMode::Insert);
    save_button_->setEnabled(true);
    edit_area_->title_field()->setFocus();
}

void TableView::on_edit() {
    if (!editing_ready_ || pending(edit_mode_) || get_item_nr() == 0) return;
    if (!check_before_save(true)) return;
    EditRecord record = edit_area_->read(get_item_nr());
    try {
        table_edit::fill_empty_id(ctx_, edit_view(), record);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    edit_area_->write(record);
    set_edit_mode(EditMode::Edit);
    save_button_->setEnabled(true);
    edit_area_->title_field()->setFocus();
}

void TableView::edit_area_changed() {
    if (!editing_ready_) return;
    if (!pending(edit_mode_)) {
        // Typing into the area of a shown row edits that row. Only the Id field is written, so
        // that the cursor of the field being typed into stays where it is.
        if (get_item_nr() == 0) return;
        EditRecord record = edit_area_->read(get_item_nr());
        const QString id_before = record.item_id;
        try {
            table_edit::fill_empty_id(ctx_, edit_view(), record);
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
        if (record.item_id != id_before) edit_area_->set_item_id(record.item_id);
        set_edit_mode(EditMode::Edit);
    }
    save_button_->setEnabled(edit_area_->any_text());
}

bool TableView::check_before_save(bool ask) {
    if (!pending(edit_mode_)) return true;
    if (grid_->cell_editor() && grid_->cell_editor()->isVisible()) cancel_cell_edit();
    EditRecord record = edit_area_->read(get_item_nr());
    const table_edit::SaveOutcome outcome =
        table_edit::check_before_save(ctx_, edit_view(), logic_mode(edit_mode_), record, ask);
    if (outcome.dropped) {
        set_edit_mode(EditMode::Idle);
        load_current_row();
        return true;
    }
    edit_area_->write(record);
    if (!outcome.go_on) {
        if (QWidget* field = edit_area_->widget_of(outcome.focus)) field->setFocus();
        return false;
    }
    after_save(outcome);
    return true;
}

void TableView::after_save(const table_edit::SaveOutcome& outcome) {
    set_edit_mode(EditMode::Idle);
    refresh_other_views();
    run_query_now(outcome.item_nr);
    if (outcome.inserted && items_found_ == 0) {
        // The filters hide every row: they are emptied so that the new item shows.
        TableFilters filters = filter_bar_->read();
        filters.mark = filters.collection = filters.cat = filters.id = filters.title = filters.content =
            QString();
        filter_bar_->write(filters);
        run_query_now(outcome.item_nr);
        if (items_found_ == 0) ctx_.prompter.message(QStringLiteral("error 2000 09 09 14 20"));
    }
}

void TableView::on_delete() {
    if (!editing_ready_ || pending(edit_mode_) || get_item_nr() == 0) return;
    if (!check_before_save(true)) return;
    const table_edit::DeleteResult result = table_edit::delete_record(ctx_, edit_area_->read(get_item_nr()));
    if (result == table_edit::DeleteResult::Declined || result == table_edit::DeleteResult::Failed) {
        grid_->setFocus();
        return;
    }
    const int row = current_row_;
    set_edit_mode(EditMode::Delete);
    run_query_now(0);
    if (items_found_ > 0) go_to_row(std::clamp(row, 0, items_found_ - 1));
    set_edit_mode(EditMode::Idle);
    refresh_other_views();
    grid_->setFocus();
}

void TableView::insert_content(const QString& text) {
    if (pending(edit_mode_)) {
        ctx_.prompter.message(table_edit::content_not_now_message);
        return;
    }
    on_add();
    if (edit_mode_ != EditMode::Insert) return;
    edit_area_->content_field()->setPlainText(text);
    edit_area_->title_field()->setFocus();
}

// ---------------------------------------------------------------- queries and refreshing

void TableView::run_query_now(qint64 item_nr) {
    query_timer_->stop();
    query_waiting_ = false;
    keep_.reset();
    preset_item_nr_ = item_nr;
    query_in_progress_ = true;
    run_query();
}

void TableView::refresh_other_views() {
    views_.maps().refresh_open_maps();
    for (int position = 1; position <= CollectionTable::count; ++position)
        if (TableView* other = views_.window(position); other && other != this) other->refresh_table();
}

// ---------------------------------------------------------------- content, links, editor

void TableView::on_browse() {
    if (const auto content = table_edit::browse_link_file(ctx_))
        edit_area_->content_field()->setPlainText(*content);
}

void TableView::on_browse_dir() {
    if (const auto content = table_edit::browse_link_directory(ctx_))
        edit_area_->content_field()->setPlainText(*content);
}

void TableView::expand_edit_area() {
    if (pending(edit_mode_)) {
        // The content typed so far goes to the editor, and what the editor saves comes back
        // into the content field, to be saved with the rest of the pending change.
        if (!views_.edit_pending_content) return;
        const EditedItem item{edit_mode_ == EditMode::Edit ? get_item_nr() : 0,
                              edit_area_->collection_field()->text(), edit_area_->cat_field()->text(),
                              edit_area_->title_field()->text(), QString()};
        const QPointer<TableView> self(this);
        views_.edit_pending_content(item, edit_area_->content_field()->toPlainText(),
                                    [self](const QString& text) {
                                        if (!self || !pending(self->edit_mode_)) return false;
                                        self->edit_area_->content_field()->setPlainText(text);
                                        return true;
                                    });
        return;
    }
    if (get_item_nr() == 0) return;
    ctx_.windows.open_content_editor(get_item_nr());
}

// ---------------------------------------------------------------- the cells of the grid

bool TableView::start_cell_edit(const QString& typed) {
    if (pending(edit_mode_) || editing_in_grid_ || !model() || current_row_ < 0) return false;
    const QModelIndex index = grid_->currentIndex();
    if (!index.isValid()) return false;
    if (!table_edit::column_editable(index.column())) {
        ctx_.prompter.message(table_edit::column_not_editable_message());
        return true;
    }
    cell_edit_label_->setText(QStringLiteral("Editing cell: Enter writes the row, Esc leaves it unchanged"));
    cell_edit_label_->show();
    editing_in_grid_ = true;
    cell_edit_column_ = index.column();
    grid_->open_cell_editor(index, typed, edit_events_);
    return true;
}

bool TableView::commit_cell_edit() {
    QLineEdit* editor = grid_->cell_editor();
    if (!editing_in_grid_ || !editor) return false;
    const qint64 item_nr = get_item_nr();
    std::optional<table_edit::CellUndo> before;
    try {
        before = table_edit::cell_before_write(*ctx_.db, item_nr, cell_edit_column_);
    } catch (const DbError&) {
        // write_cell meets the same failure and reports it.
    }
    if (!table_edit::write_cell(ctx_, edit_view(), item_nr, cell_edit_column_, editor->text())) {
        editor->setFocus();
        return false;
    }
    cancel_cell_edit();
    if (before) {
        cell_undo_ = before;
        cell_edit_label_->setText(cell_undo_hint);
        cell_edit_label_->show();
    }
    run_query_now(item_nr);
    refresh_other_views();
    return true;
}

bool TableView::undo_cell_edit() {
    if (!cell_undo_ || editing_in_grid_ || pending(edit_mode_)) return false;
    const table_edit::CellUndo undo = *cell_undo_;
    cell_undo_.reset();
    cell_edit_label_->hide();
    if (!table_edit::undo_cell_write(ctx_, undo)) return true;
    run_query_now(undo.item_nr);
    refresh_other_views();
    return true;
}

void TableView::cancel_cell_edit() {
    editing_in_grid_ = false;
    cell_edit_column_ = -1;
    if (cell_undo_)
        cell_edit_label_->setText(cell_undo_hint);
    else
        cell_edit_label_->hide();
    grid_->close_cell_editor();
}

// ---------------------------------------------------------------- dragging a row

void TableView::drop_on_row(qint64 dragged_item_nr, int target_row) {
    if (pending(edit_mode_) || !model() || target_row < 0 || target_row >= model()->rowCount()) return;
    go_to_row(target_row);
    const table_edit::DropResult result =
        table_edit::drop_row(ctx_, dragged_item_nr, model()->item_nr_at(target_row));
    if (result != table_edit::DropResult::Moved) return;
    run_query_now(get_item_nr());
    refresh_other_views();
}

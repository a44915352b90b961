// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The table view's query: the filters read when it runs, its spacing, the rows it fills, the
// current row, List1, the captions and the column widths.
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/geometry.h"
#include "core/params.h"
#include "maps/links.h"
#include "maps/map_names.h"
#include "maps/ui/map_windows.h"
#include "table/content_editor.h"
#include "table/like_condition.h"
#include "table/lookup_list.h"
#include "table/table_columns.h"
#include "table/table_item.h"
#include "table/table_model.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {

const QString find_prompt = QStringLiteral("Character string to search for?\r\n(* = show all records)");
const QString find_title = QStringLiteral("Find records");

} // namespace

// ---------------------------------------------------------------- the query

void TableView::filter_changed() {
    if (query_in_progress_) return;
    if (!loading_ && last_query_.isValid()) {
        const qint64 since = last_query_.msecsTo(ctx_.clock.now());
        if (since >= 0 && since < query_spacing_ms) {
            // The window stays live while it waits; the filters are read when the query runs.
            query_in_progress_ = true;
            query_waiting_ = true;
            query_timer_->start(static_cast<int>(query_spacing_ms - since));
            return;
        }
    }
    query_in_progress_ = true;
    run_query();
}

void TableView::on_query_timer() {
    if (!query_waiting_) return;
    const qint64 since = last_query_.msecsTo(ctx_.clock.now());
    if (since >= 0 && since < query_spacing_ms) {
        query_timer_->start(static_cast<int>(query_spacing_ms - since));
        return;
    }
    query_waiting_ = false;
    run_query();
}

void TableView::run_query() {
    query_in_progress_ = true;
    last_query_ = ctx_.clock.now();
    // A refused filter keeps the rows of the previous query; it stays as typed for the user to fix.
    if (!filter_bar_->check() || !fill_grid(query_.build(filter_bar_->read()))) {
        keep_.reset();
        query_in_progress_ = false;
        return;
    }
    items_found_ = model_->rowCount();
    set_col_widths();
    update_column_headers();

    int row = items_found_ > 0 ? 0 : -1;
    if (preset_item_nr_ != 0) {
        const int found = model_->row_of(preset_item_nr_);
        if (found >= 0) row = found;
        preset_item_nr_ = 0;
    } else if (keep_ && items_found_ >= 2) {
        const int found = model_->row_of(keep_->item_nr);
        row = found >= 0 ? found : std::clamp(keep_->row, 0, items_found_ - 1);
    }
    keep_.reset();
    current_row_ = -1;
    go_to_row(row);
    update_caption();
    update_buttons();
    check_long_content();
    query_in_progress_ = false;
}

bool TableView::fill_grid(const TableQuery::Built& built) {
    if (!loading_) save_col_widths();
    try {
        model_->fill(built.statement);
        current_statement_ = built.statement;
        return true;
    } catch (const DbError&) {
        const QString all = ctx_.collections.at(CollectionTable::all_collections).name;
        if (query_.position() == 6 ||
            (!all.isEmpty() && edit_area_->collection_field()->text().compare(all, Qt::CaseInsensitive) == 0))
            ctx_.prompter.message(QStringLiteral("Check data format of item title"));
    }
    try {
        model_->fill(built.plain);
        current_statement_ = built.plain;
        return true;
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
}

void TableView::refresh_keep_position() {
    if (query_in_progress_) return;
    keep_ = KeptPosition{current_item_nr_, current_row_};
    filter_changed();
}

void TableView::filter_edited() {
    if (loading_) return;
    // A filter that cannot be used yet ("or", "(a" while typing) is marked and runs nothing.
    if (!filter_bar_->check()) {
        if (query_waiting_) {
            query_timer_->stop();
            query_waiting_ = false;
            query_in_progress_ = false;
        }
        return;
    }
    refresh_keep_position();
}

void TableView::header_clicked(int column) {
    // A query waiting for its spacing builds its statement when it runs, so the new order
    // joins it; only a query being filled right now ignores the click.
    if (query_in_progress_ && !query_waiting_) return;
    if (query_.header_click(column) && !query_waiting_) filter_changed();
}

// ---------------------------------------------------------------- the filter commands

void TableView::find_item_in_grid() {
    if (!find_button_->isEnabled()) return;
    const std::optional<QString> answer = ctx_.prompter.input(find_prompt, find_title, QStringLiteral("*"));
    if (!answer || answer->isEmpty()) return;
    TableFilters filters = filter_bar_->read();
    filters.cat = filters.title = filters.content = *answer == QStringLiteral("*") ? QString() : *answer;
    filters.use_or = true;
    filter_bar_->write(filters);
    filter_changed();
}

void TableView::filter_on_pictures() {
    TableFilters filters = filter_bar_->read();
    filters.content = picture_filter;
    filters.use_or = false;
    filter_bar_->write(filters);
    filter_changed();
}

void TableView::clear_filters() {
    filter_bar_->write(TableFilters{});
    filter_changed();
}

// ---------------------------------------------------------------- rows

void TableView::go_to_row(int row) {
    if (!model_) return;
    const bool pending = edit_mode_ == EditMode::Insert || edit_mode_ == EditMode::Edit;
    if (row < 0 || row >= model_->rowCount()) {
        current_row_ = -1;
        if (!pending) load_current_row();
        return;
    }
    current_row_ = row;
    grid_->show_row(row, table_columns::title);
    // A refresh asked for by another window must not overwrite an insert or edit typed here.
    if (!pending) load_current_row();
}

void TableView::row_changed(int row) {
    if (row == current_row_) return;
    if (!check_before_save(true)) {
        // The pending change could not be saved: the grid stays on its row.
        go_to_row(current_row_);
        return;
    }
    current_row_ = row;
    load_current_row();
}

void TableView::load_current_row() {
    const std::vector<QVariant> row = model_ ? model_->record(current_row_) : std::vector<QVariant>{};
    current_item_nr_ =
        table_columns::item_nr < static_cast<int>(row.size()) ? row[table_columns::item_nr].toLongLong() : 0;
    edit_area_->show_row(row, ctx_.clock.now());
}

void TableView::run_current_item() {
    if (!model_ || current_row_ < 0) return;
    const std::vector<QVariant> row = model_->record(current_row_);
    if (row.size() <= table_columns::content) return;
    views_.maps().execute(
        run_table_item(ctx_, row[table_columns::title].toString(), row[table_columns::content].toString()));
}

// ---------------------------------------------------------------- List1

QLineEdit* TableView::lookup_field(LookupTarget target) const {
    if (target == LookupTarget::EditCollection) return edit_area_->collection_field();
    if (target == LookupTarget::EditCat) return edit_area_->cat_field();
    return filter_bar_->field_of(target);
}

void TableView::build_lookup_list(LookupTarget target) {
    QLineEdit* field = lookup_field(target);
    lookup_list_->clear();
    try {
        lookup_list_->addItems(
            lookup_list_entries(*ctx_.db, target,
                                {edit_area_->collection_field()->text(),
                                 filter_bar_->collection_field()->text(), query_.all_collections_view()}));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return;
    }
    list_target_ = target;
    const QPoint below = field->mapTo(this, QPoint(0, field->height()));
    lookup_list_->setGeometry(below.x(), below.y(), std::max(field->width(), 200), 200);
    lookup_list_->show();
    lookup_list_->raise();
    lookup_list_->setFocus();
}

void TableView::lookup_chosen(const QString& entry) {
    const std::optional<LookupTarget> target = list_target_;
    hide_lookup_list();
    if (!target) return;
    const bool edit_field = target == LookupTarget::EditCollection || target == LookupTarget::EditCat;
    // A filter field gets the chosen name in the form that matches it literally.
    lookup_field(*target)->setText(edit_field ? entry : literal_filter(entry));
    if (edit_field)
        edit_area_->title_field()->setFocus();
    else
        grid_->setFocus();
}

void TableView::hide_lookup_list() {
    lookup_list_->hide();
    lookup_list_->clear();
    list_target_.reset();
}

// ---------------------------------------------------------------- captions and columns

void TableView::update_column_headers() {
    if (!model_) return;
    const int remind_width = grid_->columnWidth(table_columns::date_remind) * twips_per_pixel;
    QStringList headers;
    for (int column = 0; column <= query_.last_column(); ++column) {
        QString caption = table_columns::header(query_.position(), column, remind_width);
        if (column == query_.sort_column()) caption += QLatin1Char('*');
        headers.append(caption);
    }
    model_->set_headers(headers);
    const table_columns::Labels labels = table_columns::labels_for(query_.position());
    edit_area_->set_labels(labels.title_label, labels.content_label);
}

void TableView::set_col_widths() {
    if (model_) grid_->set_col_widths(*ctx_.db, query_);
}

void TableView::save_col_widths() {
    if (!model_ || !ctx_.db) return;
    try {
        grid_->save_col_widths(*ctx_.db, query_);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void TableView::update_caption() {
    const QString caption = table_caption(query_.collection_name(), query_.deadlines_only(), items_found_);
    setWindowTitle(caption);
    if (QMdiSubWindow* sub = sub_window()) sub->setWindowTitle(caption);
}

void TableView::update_buttons() {
    const bool idle = edit_mode_ != EditMode::Insert && edit_mode_ != EditMode::Edit;
    find_button_->setEnabled(idle);
    if (editing_ready_) {
        edit_button_->setEnabled(idle && items_found_ > 0);
        delete_button_->setEnabled(idle && items_found_ > 0);
    }
}

void TableView::check_long_content() {
    // Rows that the query found but the grid cannot show point at contents too long for it.
    if (items_found_ == 0 || !isVisible() || model_->rowCount() > 0) return;
    try {
        ctx_.prompter.message(long_content_message(*ctx_.db, items_found_, model_->rowCount()));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

FormAttributes TableView::form_attributes() const {
    FormAttributes attributes;
    attributes.query = current_statement_;
    attributes.position = position();
    attributes.item_nr = current_item_nr_;
    if (ctx_.db && current_item_nr_ != 0) {
        if (const std::optional<EditedItem> item = read_edited_item(*ctx_.db, current_item_nr_)) {
            attributes.map_name = category_map_name(item->collection, item->cat);
            attributes.picture_dir = picture_dir_of_content(item->content);
        }
    }
    // Without a current row the table stands for its collection.
    if (attributes.map_name.isEmpty() && position() != CollectionTable::all_collections)
        attributes.map_name = ctx_.collections.at(position()).name;
    return attributes;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// m_popup of the table view: the commands on the rows and maps, then the editing commands that
// setup_editing adds.
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/map_items.h"
#include "maps/random_handoffs.h"
#include "maps/random_map_selection.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "table/content_editor.h"
#include "table/like_condition.h"
#include "table/table_bulk_editing.h"
#include "table/table_editing.h"
#include "table/table_model.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

using table_edit::EditRecord;

namespace {

const QString unavailable_tip = QStringLiteral("Not available in this version");

// The map windows showing the old name of a renamed map close, and the new map opens in their
// place with their parameters; an open map window would otherwise reload an emptied map.
void follow_map_rename(AppContext& ctx, MapWindows& maps, const table_edit::MapRename& rename) {
    if (rename.empty()) return;
    bool followed = false;
    for (const int number : ctx.map_windows.in_use_slots()) {
        MapWindow* window = maps.window(number);
        if (!window || !table_edit::followed_map_name(window->map_name(), rename)) continue;
        window->close(); // stores its place under the old name first
        followed = true;
    }
    if (!followed) return;
    try {
        table_edit::move_map_parameters(*ctx.db, rename.old_map, rename.new_map);
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
    }
    maps.open_category(rename.new_collection, rename.new_cat);
}

// The name of the current row's category map (as the edit area shows collection and category),
// spelt as the map window stores its settings.
QString current_map(const TableEditArea& area, const CollectionTable& collections) {
    return identify_category(collections, area.collection_field()->text(), area.cat_field()->text()).name;
}

// The collection a command on "the collection" works on: the window's own, or in the window of
// all collections the current row's.
QString command_collection(const TableView& view) {
    if (view.position() == CollectionTable::all_collections || view.collection_name().isEmpty())
        return view.edit_area()->collection_field()->text().trimmed();
    return view.collection_name();
}

QAction* add_action(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->findChild<QAction*>(name);
    if (!action) {
        action = menu->addAction(caption);
        action->setObjectName(name);
    }
    return action;
}

void add_unavailable(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(false);
    action->setToolTip(unavailable_tip);
}

} // namespace

void TableView::create_menu() {
    popup_menu_ = new QMenu(this);
    popup_menu_->setObjectName(QStringLiteral("m_popup"));
    popup_menu_->setToolTipsVisible(true);
    auto add = [this](const QString& name, const QString& caption, std::function<void()> run) {
        connect(add_action(popup_menu_, name, caption), &QAction::triggered, this,
                [run = std::move(run)] { run(); });
    };
    add(QStringLiteral("m_refresh_grid"), QStringLiteral("Refresh grid"),
        [this] { refresh_keep_position(); });
    add(QStringLiteral("m_filter_on_pictures"), QStringLiteral("Filter on images"),
        [this] { filter_on_pictures(); });
    add(QStringLiteral("m_open_map_of_current_category"), QStringLiteral("Open tag map of current category"),
        [this] {
            const std::vector<QVariant> row = model_ ? model_->record(current_row_) : std::vector<QVariant>{};
            if (row.size() > 2) views_.maps().open_category(row[1].toString(), row[2].toString());
        });
    add(QStringLiteral("m_open_map_of_collection"), QStringLiteral("Open tag map of current collection"),
        [this] {
            const std::vector<QVariant> row = model_ ? model_->record(current_row_) : std::vector<QVariant>{};
            if (row.size() > 1) views_.maps().open_map(row[1].toString());
        });
    add(QStringLiteral("m_open_collections_map"), QStringLiteral("Open top map"),
        [this] { views_.maps().execute(route::TopMap{}); });
    popup_menu_->addSeparator();
}

void TableView::open_storm_of_filtered() {
    if (!ctx_.windows.has_random_views() || current_statement().isEmpty()) return;
    ctx_.windows.open_storm(statement_storm_selection(current_statement(), collection_name(), position()));
}

void TableView::open_storm_of_category() {
    if (!ctx_.windows.has_random_views()) return;
    const std::vector<QVariant> row = model_ ? model_->record(current_row_) : std::vector<QVariant>{};
    if (row.size() <= 2) return;
    ctx_.windows.open_storm(category_storm_selection(ctx_.collections, row[1].toString(), row[2].toString()));
}

void TableView::run_saved(const std::function<void()>& command) {
    // Commands that change rows first save or drop a pending change.
    if (check_before_save(true)) command();
}

void TableView::open_random_item_of_rows() {
    if (!ctx_.windows.has_random_views() || current_statement().isEmpty()) return;
    RandomSelection selection;
    selection.query = current_statement();
    selection.position = position();
    if (position() != CollectionTable::all_collections) selection.map_name = collection_name();
    selection.item_nr = get_item_nr();
    ctx_.windows.open_random_item(selection);
}

void TableView::open_random_item_of_record() {
    if (!ctx_.windows.has_random_views() || get_item_nr() == 0) return;
    try {
        const std::optional<EditedItem> item = read_edited_item(*ctx_.db, get_item_nr());
        if (!item) return;
        ctx_.windows.open_random_item(
            random_selection_of_item(ctx_.collections, item->collection, item->cat, item->title));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void TableView::bulk_replace(bool category) {
    const QString filter = filter_bar_->cat_field()->text().trimmed();
    const QString collection = edit_area_->collection_field()->text().trimmed();
    const QString cat = edit_area_->cat_field()->text().trimmed();
    const table_edit::BulkOutcome outcome = category
                                                ? table_edit::bulk_replace_category(ctx_, collection, cat)
                                                : table_edit::bulk_replace_collection(ctx_, collection, cat);
    if (!outcome.changed) return;
    follow_map_rename(ctx_, views_.maps(), outcome.rename);
    refresh_other_views();
    // A category filter naming the old category follows it to the new one.
    if (category && !filter.isEmpty() &&
        literal_text_of_filter(filter).value_or(filter).compare(outcome.old_value, Qt::CaseInsensitive) ==
            0) {
        TableFilters filters = filter_bar_->read();
        filters.cat = literal_filter(outcome.new_value);
        filter_bar_->write(filters);
    }
    run_query_now(get_item_nr());
    if (QMdiSubWindow* sub = sub_window(); sub && sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
}

void TableView::build_edit_menu() {
    QMenu* menu = popup_menu_;
    auto add = [this, menu](const char* name, const QString& caption, std::function<void()> run) {
        QAction* action = add_action(menu, QString::fromUtf8(name), caption);
        connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
        return action;
    };
    auto saved = [this](std::function<void()> command) {
        return [this, command = std::move(command)] { run_saved(command); };
    };
    auto requery = [this](qint64 item_nr) {
        run_query_now(item_nr);
        refresh_other_views();
    };

    add("m_bulk_replace_of_category", QStringLiteral("Bulk replace of field \"category\""),
        saved([this] { bulk_replace(true); }));
    add("m_bulk_replace_of_collection", QStringLiteral("Bulk replace of field \"collection\""),
        saved([this] { bulk_replace(false); }));
    add("m_expand_edit_area", QStringLiteral("Expand edit area of current record"),
        [this] { expand_edit_area(); });
    add("m_sum_numbers_in_square_brackes", QStringLiteral("Sum numbers in square brackets"),
        [this] { table_edit::sum_numbers_in_square_brackets(ctx_, current_statement()); });
    add("m_insert_separators", QStringLiteral("Insert/update separators"), saved([this] {
            if (table_edit::insert_separators(ctx_, edit_area_->collection_field()->text().trimmed()))
                run_query_now(get_item_nr());
        }));
    add("m_remove_separators", QStringLiteral("Remove separators"), saved([this] {
            if (table_edit::remove_separators(ctx_, command_collection(*this))) run_query_now(get_item_nr());
        }));
    // The random views exist only in a program that has their windows.
    const bool random_views = ctx_.windows.has_random_views();
    for (QAction* action :
         {add("m_random_map_of_current_category", QStringLiteral("Open random map of current category"),
              [this] { open_storm_of_category(); }),
          add("m_storm", QStringLiteral("Open random map of filtered records"),
              [this] { open_storm_of_filtered(); })}) {
        action->setEnabled(random_views);
        action->setToolTip(random_views ? QString() : unavailable_tip);
    }
    if (random_views) {
        add("m_random_item_of_filtered_records", QStringLiteral("Open random item of filtered records"),
            [this] { open_random_item_of_rows(); });
        add("m_random_item_of_selected_record", QStringLiteral("Open random item of selected record"),
            [this] { open_random_item_of_record(); });
    } else {
        add_unavailable(menu, QStringLiteral("m_random_item_of_filtered_records"),
                        QStringLiteral("Open random item of filtered records"));
        add_unavailable(menu, QStringLiteral("m_random_item_of_selected_record"),
                        QStringLiteral("Open random item of selected record"));
    }
    add("m_export_filtered_items_to_notepad", QStringLiteral("Print filtered items (export to Wordpad)"),
        [this] { table_edit::export_filtered_items(ctx_, current_statement(), collection_name()); });
    add("m_sort_current_cat", QStringLiteral("Sort items of current category"), saved([this, requery] {
            table_edit::sort_current_cat(ctx_, command_collection(*this),
                                         edit_area_->cat_field()->text().trimmed());
            requery(get_item_nr());
        }));
    add("m_sort_all_cat", QStringLiteral("Sort items of all categories"), saved([this, requery] {
            table_edit::sort_all_cat(ctx_, command_collection(*this));
            requery(get_item_nr());
        }));
    add("m_delete_all_filtered_records", QStringLiteral("Delete all filtered records"),
        saved([this, requery] {
            if (table_edit::delete_all_filtered(ctx_, current_statement()) != 0) requery(0);
        }));
    add("m_convert_current_content_into_items", QStringLiteral("Create items from content of current record"),
        saved([this] {
            if (get_item_nr() == 0) return;
            try {
                const std::optional<EditRecord> record = table_edit::load_record(*ctx_.db, get_item_nr());
                if (!record) return;
                const EditOutcome outcome = table_edit::create_items_from_record(ctx_, *record);
                if (!outcome.any()) return;
                refresh_other_views();
                run_query_now(get_item_nr());
                if (!outcome.open_map.isEmpty()) views_.maps().open_map(outcome.open_map);
            } catch (const DbError& error) {
                report_error(ctx_.prompter, error);
            }
        }));
    add_start_map_command();
}

void TableView::add_start_map_command() {
    QAction* start_map = add_action(popup_menu_, QStringLiteral("m_set_map_as_default_map"),
                                    QStringLiteral("Set current category as default map"));
    connect(start_map, &QAction::triggered, this, [this] {
        if (get_item_nr() == 0) return;
        table_edit::toggle_start_map(ctx_, current_map(*edit_area_, ctx_.collections));
    });
    start_map->setCheckable(true);
    // The check mark shows the flag of the current row's map each time the menu opens.
    connect(popup_menu_, &QMenu::aboutToShow, this, [this, start_map] {
        bool on = false;
        try {
            on = get_item_nr() != 0 &&
                 table_edit::is_start_map(ctx_, current_map(*edit_area_, ctx_.collections));
        } catch (const DbError&) {
            // An unreadable flag shows unchecked; toggling reports the failure.
        }
        start_map->setChecked(on);
    });
}

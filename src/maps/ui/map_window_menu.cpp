// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map window's pop-up menu and the commands behind it.
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/overloaded.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/links.h"
#include "maps/map_auto_selection.h"
#include "maps/map_export.h"
#include "maps/map_names.h"
#include "maps/random_handoffs.h"
#include "maps/random_map_selection.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"

#include <QAction>
#include <QMenu>

namespace {

// Shown as the tool tip of the commands whose windows are not part of the program yet.
const QString unavailable_tip = QStringLiteral("Not available in this version");

} // namespace

QAction* MapWindow::add_command(const QString& object_name, const QString& caption,
                                void (MapWindow::*slot)()) {
    auto* command = menu_->addAction(caption);
    command->setObjectName(object_name);
    connect(command, &QAction::triggered, this, [this, slot] {
        if (!busy_ && !closing_) (this->*slot)();
    });
    actions_.insert(object_name, command);
    return command;
}

QAction* MapWindow::add_unavailable(const QString& object_name, const QString& caption) {
    auto* command = menu_->addAction(caption);
    command->setObjectName(object_name);
    command->setEnabled(false);
    command->setToolTip(unavailable_tip);
    command->setStatusTip(unavailable_tip);
    actions_.insert(object_name, command);
    return command;
}

void MapWindow::create_menu() {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("popup_menu"));
    menu_->setToolTipsVisible(true);

    // Navigation.
    add_command(QStringLiteral("m_open_topic_with_name_of_item"),
                QStringLiteral("Open sub-topic from selected tag (double click)"), &MapWindow::cmd_open_item);
    add_command(QStringLiteral("m_open_parent_map"), QStringLiteral("Open parent map (CTL+UP)"),
                &MapWindow::cmd_open_parent);
    add_command(QStringLiteral("m_table_view_of_this_map"),
                QStringLiteral("Table view of this map and tag (SPACE)"), &MapWindow::cmd_table_view);
    add_command(QStringLiteral("m_table_view_of_tag"), QStringLiteral("Table view of tag (SPACE)"),
                &MapWindow::cmd_table_view);
    add_command(QStringLiteral("m_search_in_this_collection"),
                QStringLiteral("Search in this collection and open table (F3)"),
                &MapWindow::cmd_search_in_collection);
    menu_->addSeparator();

    // Editing.
    add_command(QStringLiteral("m_popup_add_item"), QStringLiteral("Insert item into map  (INS)"),
                &MapWindow::cmd_add_item);
    add_command(QStringLiteral("m_popup_change_item_title"), QStringLiteral("Rename tag (F2)"),
                &MapWindow::cmd_rename_tag);
    add_command(QStringLiteral("m_change_topic_name"), QStringLiteral("Rename map (CTRL+F2)"),
                &MapWindow::cmd_rename_map);
    add_command(QStringLiteral("m_popup_remove_item"),
                QStringLiteral("Delete tag (DEL or drop over background)"), &MapWindow::cmd_remove_item);
    add_command(QStringLiteral("m_delete_topic"), QStringLiteral("Delete map (CTRL+DEL)"),
                &MapWindow::cmd_delete_map);
    add_command(QStringLiteral("m_sort"), QStringLiteral("Sort tags alphabetically (F7)"),
                &MapWindow::cmd_sort);
    add_command(QStringLiteral("m_sort_by_date"), QStringLiteral("Sort tags by expiry date"),
                &MapWindow::cmd_sort_by_date);
    add_command(QStringLiteral("m_insert_reference_to_another_map"),
                QStringLiteral("Insert reference to another map (F8)"), &MapWindow::cmd_insert_reference);
    add_command(QStringLiteral("m_copy_items_from_another_map"),
                QStringLiteral("Copy items from another map"), &MapWindow::cmd_copy_items);
    add_command(QStringLiteral("m_Create_items_from_content"),
                QStringLiteral("Create items from content of selected tag"),
                &MapWindow::cmd_items_from_content);
    add_command(QStringLiteral("M_change_nr_columns"), nr_columns_caption(1),
                &MapWindow::cmd_change_nr_columns);
    add_command(QStringLiteral("m_create_topic_from_item"),
                QStringLiteral("Create map from selected tag (F6)"), &MapWindow::cmd_create_map_from_item);
    menu_->addSeparator();

    // Content and links.
    add_command(QStringLiteral("m_popup_view_edit_item_content"),
                QStringLiteral("Content box show/hide (F9)"), &MapWindow::cmd_toggle_content_box)
        ->setCheckable(true);
    add_command(QStringLiteral("m_edit_content"), QStringLiteral("Edit content (F10)"),
                &MapWindow::cmd_edit_content);
    add_command(QStringLiteral("m_insert_link_to_a_file"), QStringLiteral("Insert/change link to file"),
                &MapWindow::cmd_link_to_file);
    add_command(QStringLiteral("m_insert_link_to_directory"),
                QStringLiteral("Insert/change link to directory"), &MapWindow::cmd_link_to_directory);
    add_command(QStringLiteral("m_export_map_to_wordpad"), QStringLiteral("Print map (export to Wordpad)"),
                &MapWindow::cmd_export);
    menu_->addSeparator();

    // Automatic selection and child maps.
    add_command(QStringLiteral("m_auto"), QStringLiteral("Auto selection on/off"),
                &MapWindow::cmd_toggle_auto)
        ->setCheckable(true);
    add_command(QStringLiteral("m_random"), QStringLiteral("Random auto selection on/off"),
                &MapWindow::cmd_toggle_random_order)
        ->setCheckable(true);
    add_command(QStringLiteral("m_change_frequency"), frequency_caption(params_.intervallo),
                &MapWindow::cmd_change_frequency);
    add_command(QStringLiteral("m_auto_open_child_topics"), QStringLiteral("Auto open child maps on/off"),
                &MapWindow::cmd_toggle_open_child_maps)
        ->setCheckable(true);
    add_command(QStringLiteral("m_open_all_child_maps"), QStringLiteral("Open all child maps"),
                &MapWindow::cmd_open_child_maps);
    add_command(QStringLiteral("m_close_all_child_maps"), QStringLiteral("Close all child maps"),
                &MapWindow::cmd_close_child_maps);
    menu_->addSeparator();

    // The random views.
    if (ctx_.windows.has_random_views())
        add_command(QStringLiteral("m_random_item_of_this_map"),
                    QStringLiteral("Random item view of this map"), &MapWindow::cmd_random_item_of_map);
    else
        add_unavailable(QStringLiteral("m_random_item_of_this_map"),
                        QStringLiteral("Random item view of this map"));
    if (ctx_.windows.has_random_views()) {
        add_command(QStringLiteral("m_random_view_of_his_map"), QStringLiteral("Random map view of this map"),
                    &MapWindow::cmd_random_map_of_this_map);
        add_command(QStringLiteral("m_random_map_of_cat"),
                    QStringLiteral("Random map of selected category (R)"),
                    &MapWindow::cmd_random_map_of_category);
    } else {
        add_unavailable(QStringLiteral("m_random_view_of_his_map"),
                        QStringLiteral("Random map view of this map"));
        add_unavailable(QStringLiteral("m_random_map_of_cat"),
                        QStringLiteral("Random map of selected category (R)"));
    }
    if (ctx_.windows.has_random_views())
        add_command(QStringLiteral("m_random_item_view_of_selected_item"),
                    QStringLiteral("Random item view of selected item"),
                    &MapWindow::cmd_random_item_of_selected);
    else
        add_unavailable(QStringLiteral("m_random_item_view_of_selected_item"),
                        QStringLiteral("Random item view of selected item"));
    add_command(QStringLiteral("m_show_other_topics_with_similar_item"),
                QStringLiteral("Show other maps with similar tag"), &MapWindow::cmd_show_similar_tags);
    menu_->addSeparator();

    // The window.
    add_command(QStringLiteral("m_set_map_as_default_map"), QStringLiteral("Set/unset this map as start map"),
                &MapWindow::cmd_toggle_start_map)
        ->setCheckable(true);
    add_command(QStringLiteral("m_auto_size"), QStringLiteral("Auto size on/off (F5)"),
                &MapWindow::cmd_toggle_auto_size)
        ->setCheckable(true);
    add_command(QStringLiteral("m_refresh_topic"), QStringLiteral("Refresh map"), &MapWindow::cmd_refresh);
    add_command(QStringLiteral("m_close_map"), QStringLiteral("Close map (ESC)"), &MapWindow::cmd_close);
}

void MapWindow::update_menu() {
    const MapIdentity& id = items_.identity();
    action(QStringLiteral("M_change_nr_columns"))->setText(nr_columns_caption(params_.nr_columns));
    action(QStringLiteral("m_set_map_as_default_map"))->setChecked(params_.start_map);
    action(QStringLiteral("m_auto_size"))->setChecked(params_.auto_size);
    action(QStringLiteral("m_auto"))->setChecked(params_.autom);
    action(QStringLiteral("m_random"))->setChecked(params_.randomico);
    action(QStringLiteral("m_change_frequency"))->setText(frequency_caption(params_.intervallo));
    action(QStringLiteral("m_auto_open_child_topics"))->setChecked(params_.open_child_topics);
    action(QStringLiteral("m_popup_view_edit_item_content"))->setChecked(content_visible_);
    const bool cogniva = ctx_.prefs.cogniva;
    action(QStringLiteral("m_random_view_of_his_map"))->setVisible(cogniva);
    action(QStringLiteral("m_random_item_of_this_map"))->setVisible(cogniva);
    action(QStringLiteral("m_random_map_of_cat"))->setVisible(id.collection_map());
    // The random map views exist only in a program that has their windows.
    const bool random_views = ctx_.windows.has_random_views();
    for (const char* name : {"m_random_view_of_his_map", "m_random_map_of_cat"}) {
        QAction* command = action(QString::fromLatin1(name));
        command->setEnabled(random_views);
        command->setToolTip(random_views ? QString() : unavailable_tip);
        command->setStatusTip(random_views ? QString() : unavailable_tip);
    }
}

void MapWindow::cmd_random_map_of_this_map() {
    if (!ctx_.windows.has_random_views()) return;
    ctx_.windows.open_storm(map_storm_selection(items_.identity(), items_.last_sql()));
}

void MapWindow::cmd_random_map_of_category() {
    const MapItem* item = selected_item();
    if (!ctx_.windows.has_random_views() || !items_.identity().collection_map() || !item) return;
    ctx_.windows.open_storm(
        category_storm_selection(ctx_.collections, items_.identity().collection, item->title));
}

// ---------------------------------------------------------------- commands

void MapWindow::cmd_open_item() {
    open_selected(false);
}

void MapWindow::cmd_open_parent() {
    windows_.execute(parent_map_of(ctx_.collections, map_name()));
}

void MapWindow::cmd_add_item() {
    apply(add_item(ctx_, items_, selected_));
}

void MapWindow::cmd_rename_tag() {
    apply(rename_tag(ctx_, items_, selected_));
}

void MapWindow::cmd_rename_map() {
    apply(rename_map(ctx_, items_));
}

void MapWindow::cmd_remove_item() {
    apply(remove_item(ctx_, items_, selected_));
}

void MapWindow::cmd_delete_map() {
    apply(delete_map(ctx_, items_));
}

void MapWindow::cmd_sort() {
    apply(sort_by_text(ctx_, items_, selected_));
}

void MapWindow::cmd_sort_by_date() {
    apply(sort_by_expiry(ctx_, items_, selected_));
}

void MapWindow::cmd_insert_reference() {
    apply(start_insert_reference(ctx_, items_, window_number_));
}

void MapWindow::cmd_items_from_content() {
    // The collections offered in menus: defined, visible, and cogniva ones only while those are on.
    QStringList names;
    for (int position = 1; position < CollectionTable::all_collections; ++position) {
        const Collection& collection = ctx_.collections.at(position);
        if (collection.defined && collection.visible && (!collection.cogniva || ctx_.prefs.cogniva))
            names.append(collection.name);
    }
    const auto chosen = ctx_.prompter.choose(QStringLiteral("Collection of the new map?"),
                                             QStringLiteral("Select collection"), names);
    if (!chosen || chosen->trimmed().isEmpty()) return;
    const int position = collection_index(ctx_.collections, chosen->trimmed());
    if (position == 0) {
        ctx_.prompter.message(QStringLiteral("Only collection should be selected."));
        return;
    }
    apply(create_items_from_content(ctx_, items_, selected_, ctx_.collections.at(position).name));
}

void MapWindow::cmd_copy_items() {
    apply(start_copy_items(ctx_, items_, window_number_));
}

void MapWindow::cmd_change_nr_columns() {
    apply(change_nr_columns(ctx_, items_, params_.nr_columns));
}

void MapWindow::set_columns(int columns) {
    apply(set_nr_columns(ctx_, items_, columns));
}

void MapWindow::cmd_create_map_from_item() {
    apply(create_map_from_item(ctx_));
}

void MapWindow::cmd_toggle_content_box() {
    content_visible_ = !content_visible_;
    update_menu();
    build_panels();
    fill_content_box();
}

void MapWindow::cmd_link_to_file() {
    MapItem entry = entry_at(selected_);
    if (insert_link_to_file(ctx_, items_.identity(), entry) != LinkInsertion::Changed) return;
    if (selected_ >= 0 && selected_ < items_.count()) items_.item(selected_) = entry;
    update_panel_texts();
    fill_content_box();
    windows_.refresh_all_windows(map_name());
}

void MapWindow::cmd_link_to_directory() {
    MapItem entry = entry_at(selected_);
    if (insert_link_to_directory(ctx_, items_.identity(), entry) != LinkInsertion::Changed) return;
    if (selected_ >= 0 && selected_ < items_.count()) items_.item(selected_) = entry;
    update_panel_texts();
    fill_content_box();
    windows_.refresh_all_windows(map_name());
}

void MapWindow::cmd_export() {
    export_map(ctx_, items_);
}

void MapWindow::cmd_table_view() {
    if (const std::optional<int> position = table_view_of_map(ctx_, items_.identity(), selected_item()))
        ctx_.windows.open_table_view(*position);
}

void MapWindow::cmd_search_in_collection() {
    const int position = items_.identity().position;
    ctx_.table_presets = TablePresets{};
    if (position >= 1 && position <= CollectionTable::count) ctx_.windows.open_table_search(position);
}

void MapWindow::cmd_edit_content() {
    const MapItem* item = selected_item();
    if (!item) return;
    const MapIdentity& id = items_.identity();
    try {
        const QString refusal = edit_content_refusal(ctx_, id.top_map(), id.collection_map(), item->title);
        if (!refusal.isEmpty()) return ctx_.prompter.message(refusal);
    } catch (const DbError& error) {
        return report_error(ctx_.prompter, error);
    }
    ctx_.windows.open_content_editor(item->item_nr);
}

void MapWindow::cmd_random_item_of_map() {
    if (ctx_.windows.has_random_views()) ctx_.windows.open_random_item(random_selection_of_map(identity()));
}

void MapWindow::cmd_random_item_of_selected() {
    // Only an item of a category map: the panels of the top map and of collection maps are maps.
    const MapItem* item = selected_item();
    if (!ctx_.windows.has_random_views() || !item || item->item_nr == 0 ||
        items_.identity().collection_map() || items_.identity().top_map())
        return;
    ctx_.windows.open_random_item(random_selection_of_item(ctx_.collections, items_.identity().collection,
                                                           items_.identity().cat, item->title));
}

void MapWindow::cmd_show_similar_tags() {
    const MapItem* item = selected_item();
    if (!item) return;
    QStringList similar;
    try {
        similar = similar_tag_maps(*ctx_.db, item->title);
    } catch (const DbError& error) {
        return report_error(ctx_.prompter, error);
    }
    if (similar.isEmpty()) return ctx_.prompter.message(no_similar_maps_message);
    ctx_.selected_maps = similar;
    ctx_.windows.open_map_list(QString());
}

void MapWindow::cmd_toggle_start_map() {
    params_.start_map = !params_.start_map;
    if (params_.start_map)
        set_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#start_map"), map_flag_text(true));
    else
        delete_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#start_map"));
    update_menu();
}

void MapWindow::cmd_toggle_auto_size() {
    params_.auto_size = !params_.auto_size;
    set_map_param(*ctx_.db, ctx_.prompter, map_name(), QStringLiteral("#auto_size"),
                  map_flag_text(params_.auto_size));
    update_menu();
    if (params_.auto_size) build_panels();
}

void MapWindow::cmd_refresh() {
    refresh();
}

void MapWindow::cmd_close() {
    close();
}

// ---------------------------------------------------------------- opening the selected item

void MapWindow::open_selected(bool invert) {
    // A second request arriving while one is handled does nothing.
    if (opening_item_ || busy_ || closing_ || selected_ < 0) return;
    opening_item_ = true;
    const MapItem entry = entry_at(selected_);
    const MapIdentity& id = items_.identity();
    const PanelWindow window{id.top_map(), id.collection_map(), id.collection, id.cat};
    const PanelItem item{entry.title, entry.content, selected_ + 1};
    try {
        const PanelAction action = open_panel_item(ctx_, window, item, invert);
        std::visit(Overloaded{
                       [&](const panel_action::RunLink& link) { open_link(ctx_, link.target, true); },
                       [&](const panel_action::OpenWebAddress& web) { shell_open_url(ctx_, web.address); },
                       [&](const panel_action::ToggleContentBox&) { cmd_toggle_content_box(); },
                       [&](const panel_action::ShowMessage& shown) { ctx_.prompter.message(shown.text); },
                       [&](const panel_action::CreateMapThenOpen& create) {
                           // A reference to a map that does not exist yet makes that map, with
                           // one filler; this window then shows the reference as valid.
                           create_map(ctx_, create.name);
                           refresh();
                           windows_.execute(route_of(ctx_, action));
                       },
                       [&](const auto&) { windows_.execute(route_of(ctx_, action)); },
                   },
                   action);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    opening_item_ = false;
}

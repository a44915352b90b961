// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/navigation.h"

#include "core/app_context.h"
#include "core/file_helpers.h"
#include "maps/map_items.h"
#include "maps/map_names.h"

namespace {

const QString reference_prefix = QStringLiteral("> ");

QString first_line(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) return text.left(i);
    return text;
}

QString not_found_message(const QString& name) {
    return QLatin1Char('"') + name + QStringLiteral("\" not found");
}

// A category holding "." followed by more text, stored before such names were refused, reaches
// here by name (references, the list of open maps, start maps): the name is its map, not a map
// and an item,
// when that category exists and the map before the "." does not. Opening the shorter map would
// write a filler under a category nobody made.
std::optional<std::pair<QString, QString>> stored_category_with_dot(AppContext& ctx, const QString& name,
                                                                    const SplitName& parts) {
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    if (parts.item.isEmpty() || colon < 0 || name.at(parts.map.size()) != QLatin1Char('.'))
        return std::nullopt;
    const QString collection = collection_of(ctx.collections, name);
    const QString whole_cat = name.mid(colon + 1).trimmed();
    if (map_exists(ctx, parts.map, true) || !category_map_exists(ctx, collection, whole_cat, true))
        return std::nullopt;
    return std::make_pair(collection, whole_cat);
}

// Steps 1 and 2 of opening an item, for a reference text (title, or content's first line) that
// begins with "> ". Nothing when there is no target after the prefix.
std::optional<PanelAction> reference_action(AppContext& ctx, const QString& reference, bool invert) {
    const QString target = reference.mid(reference_prefix.size()).trimmed();
    if (target.isEmpty()) return std::nullopt;
    if (is_top_map_name(target)) return panel_action::OpenTopMap{};
    if (map_exists(ctx, target, true)) return panel_action::OpenMapOrTable{target, invert};
    if (const auto whole = stored_category_with_dot(ctx, target, split_map_name(target)))
        return panel_action::OpenCategory{whole->first, whole->second, invert};
    // Only a category map can be created; a name without ":" that is no collection names nothing.
    if (!target.contains(QLatin1Char(':'))) return panel_action::ShowMessage{not_found_message(target)};
    return panel_action::CreateMapThenOpen{target, invert};
}

} // namespace

Route open_collection(AppContext& ctx, int position, bool invert) {
    if (position < 1 || position > CollectionTable::count) return {};
    const Collection& collection = ctx.collections.at(position);
    if (collection.open_coll_as_map == invert) return route::Table{position, {}, {}};
    if (position == CollectionTable::all_collections) return route::TopMap{};
    if (collection.name.isEmpty()) return {};
    return route::Map{collection.name};
}

Route open_map_or_table(AppContext& ctx, const QString& name, bool invert) {
    if (name.trimmed().isEmpty()) return {};
    if (is_top_map_name(name)) return route::TopMap{};
    const SplitName parts = split_map_name(name);
    const bool collection_map = is_collection_map(ctx.collections, parts.map);
    const int position = collection_index(ctx.collections, collection_of(ctx.collections, parts.map));
    if (position == 0) return route::Map{name};
    const Collection& collection = ctx.collections.at(position);
    const bool as_map = collection_map ? collection.open_coll_as_map : collection.open_cat_as_map;
    if (as_map == invert) {
        if (collection_map) return route::Table{position, {}, {}};
        return route::Table{position, cat_of(parts.map), parts.item};
    }
    if (position == CollectionTable::all_collections) return route::TopMap{};
    return route::Map{name};
}

Route open_category_or_table(AppContext& ctx, const QString& collection, const QString& cat, bool invert) {
    const int position = collection_index(ctx.collections, collection.trimmed());
    if (position == 0) return route::CategoryMap{collection, cat};
    if (ctx.collections.at(position).open_cat_as_map == invert) return route::Table{position, cat, {}};
    if (position == CollectionTable::all_collections) return route::TopMap{};
    return route::CategoryMap{collection, cat};
}

Route open_collection_by_name(AppContext& ctx, const QString& name) {
    const int position = collection_index(ctx.collections, name.trimmed());
    if (position == 0) return {};
    return route::Table{position, {}, {}};
}

Route open_named(AppContext& ctx, const QString& name) {
    if (name.trimmed().isEmpty()) return {};
    if (name.contains(QLatin1Char(':'))) return route::Map{name};
    if (is_top_map_name(name)) return route::TopMap{};
    Route table = open_collection_by_name(ctx, name);
    if (std::holds_alternative<std::monostate>(table)) ctx.prompter.message(not_found_message(name));
    return table;
}

Route follow_reference(AppContext& ctx, const QString& text, bool invert) {
    if (!text.startsWith(reference_prefix)) return {};
    const QString target = first_line(text).mid(reference_prefix.size()).trimmed();
    if (target.isEmpty()) return {};
    if (is_top_map_name(target)) return route::TopMap{};
    if (!map_exists(ctx, target, true)) return {};
    return open_map_or_table(ctx, target, invert);
}

Route parent_map_of(const CollectionTable& collections, const QString& map_name) {
    if (is_top_map_name(map_name)) return {};
    if (is_collection_map(collections, map_name)) return route::TopMap{};
    const QString collection = collection_of(collections, map_name);
    if (collection.isEmpty()) return {};
    return route::Map{collection};
}

QStringList open_start_maps(AppContext& ctx, bool interactive) {
    QStringList names;
    bool any_row = false;
    Statement rows = ctx.db->prepare(QStringLiteral("Select * from map_params where param='#start_map'"));
    while (rows.next()) {
        any_row = true;
        const QString name = canonical_map_name(ctx.collections, rows.text(QStringLiteral("colcat")));
        if (names.contains(name, Qt::CaseInsensitive)) continue;
        if (is_top_map_name(name) || map_exists(ctx, name, true)) names.append(name);
    }
    if (!any_row && interactive) ctx.prompter.message(no_start_map_message);
    return names;
}

std::optional<MapOpening> begin_open_map(AppContext& ctx, const QString& name) {
    if (name.trimmed().isEmpty()) return std::nullopt;
    MapWindowTable& table = ctx.map_windows;
    // Refused before anything is closed, so the window the user had stays.
    if (!table.can_reserve()) {
        ctx.prompter.message(MapWindowTable::full_message);
        return std::nullopt;
    }
    const SplitName parts = split_map_name(name);
    if (const auto whole = stored_category_with_dot(ctx, name, parts))
        return begin_open_category(ctx, whole->first, whole->second);
    // "Books" and "books:" are one map: its window is found by the one spelling of its name.
    table.close_windows_showing(canonical_map_name(ctx.collections, parts.map));
    const std::optional<int> slot = table.reserve_slot();
    if (!slot) return std::nullopt;
    MapOpening opening;
    opening.slot = *slot;
    opening.name = name;
    opening.map = parts.map;
    opening.item = parts.item;
    return opening;
}

std::optional<MapOpening> begin_open_category(AppContext& ctx, const QString& collection,
                                              const QString& cat) {
    MapWindowTable& table = ctx.map_windows;
    if (!table.can_reserve()) {
        ctx.prompter.message(MapWindowTable::full_message);
        return std::nullopt;
    }
    const QString name = identify_category(ctx.collections, collection, cat).name;
    table.close_windows_showing(name);
    const std::optional<int> slot = table.reserve_slot();
    if (!slot) return std::nullopt;
    MapOpening opening;
    opening.slot = *slot;
    opening.name = name;
    opening.map = name;
    opening.by_parts = true;
    opening.collection = collection;
    opening.cat = cat;
    return opening;
}

PanelAction open_panel_item(AppContext& ctx, const PanelWindow& window, const PanelItem& item, bool invert) {
    const QString& title = item.title;
    if (title.startsWith(reference_prefix)) {
        if (auto action = reference_action(ctx, title, invert)) return *action;
    }
    if (item.content.startsWith(reference_prefix)) {
        if (auto action = reference_action(ctx, first_line(item.content), invert)) return *action;
    }
    if (window.top_map) return panel_action::OpenCollection{item.position, invert};
    if (window.collection_map) {
        // Categories may live only inside comma lists, which the like test finds. The map is
        // opened by its parts: a category such as "Vol. 2" would not survive being parsed again.
        if (category_map_exists(ctx, window.collection, title, false))
            return panel_action::OpenCategory{window.collection, title, invert};
    }
    if (map_exists(ctx, title, true)) return panel_action::OpenMap{title};
    if (item.content.startsWith(QStringLiteral("LINK="), Qt::CaseInsensitive))
        return panel_action::RunLink{first_line(item.content.mid(5)).trimmed()};
    if (is_web_address(item.content)) return panel_action::OpenWebAddress{first_line(item.content).trimmed()};
    if (is_web_address(title)) return panel_action::OpenWebAddress{first_line(title).trimmed()};
    return panel_action::ToggleContentBox{};
}

Route route_of(AppContext& ctx, const PanelAction& action) {
    if (std::holds_alternative<panel_action::OpenTopMap>(action)) return route::TopMap{};
    if (const auto* open = std::get_if<panel_action::OpenMapOrTable>(&action))
        return open_map_or_table(ctx, open->name, open->invert);
    if (const auto* create = std::get_if<panel_action::CreateMapThenOpen>(&action))
        return open_map_or_table(ctx, create->name, create->invert);
    if (const auto* category = std::get_if<panel_action::OpenCategory>(&action))
        return open_category_or_table(ctx, category->collection, category->cat, category->invert);
    if (const auto* collection = std::get_if<panel_action::OpenCollection>(&action))
        return open_collection(ctx, collection->position, collection->invert);
    if (const auto* map = std::get_if<panel_action::OpenMap>(&action)) return route::Map{map->name};
    return {};
}

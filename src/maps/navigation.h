// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

class AppContext;
class CollectionTable;

// Where a navigation command leads. The decisions are made here; windows carry them out.
namespace route {
struct TopMap {};
// open_map of the name, which may carry an item part to select.
struct Map {
    QString name;
};
// The category map of `collection` and `cat` given by its parts, so that a category holding a
// "." is not taken apart again.
struct CategoryMap {
    QString collection;
    QString cat;
};
// The table view of the collection at `position` (45: all collections), filtered to `cat` when
// it is not empty and positioned on the item titled `title` when that is not empty.
struct Table {
    int position = 0;
    QString cat;
    QString title;
};
} // namespace route
// monostate: nothing to open (any message has been shown already).
using Route = std::variant<std::monostate, route::TopMap, route::Map, route::CategoryMap, route::Table>;

// The collection at `position`: its map when its "open as map" flag, reversed by `invert` (Alt
// held), is set (the top map for position 45), else its table view.
Route open_collection(AppContext& ctx, int position, bool invert);
// The same choice for a map name by the flags of its collection: the category flag for a
// category map, the collection flag for a collection map. The table is filtered to the map's
// category and positioned on the item part. A collection that is not in the table can only be
// shown as a map.
Route open_map_or_table(AppContext& ctx, const QString& name, bool invert);
// The same choice for the category map of `collection` and `cat` given by its parts.
Route open_category_or_table(AppContext& ctx, const QString& collection, const QString& cat, bool invert);
// The table view of the collection named `name`; nothing when no collection has that name.
Route open_collection_by_name(AppContext& ctx, const QString& name);
// A name with ":" opens as a map, a collection name as its table view, "Top map" as the top
// map; anything else shows `"` + name + `" not found`. A blank name opens nothing.
Route open_named(AppContext& ctx, const QString& name);
// For a text beginning with "> " (only its first line counts): the referenced map or table when
// the map exists; nothing otherwise.
Route follow_reference(AppContext& ctx, const QString& text, bool invert);

// The map an "Open parent map" leads to: the collection map from a category map, the top map
// from a collection map, nothing from the top map.
Route parent_map_of(const CollectionTable& collections, const QString& map_name);

inline const QString no_start_map_message =
    QStringLiteral("No start map is defined. To define a start map, open a map and call the function \"set "
                   "this map as start "
                   "map\".");

// The start maps to open, in the order they are stored, each once; maps that no longer exist are
// left out. Without any start map stored, an interactive call says so.
QStringList open_start_maps(AppContext& ctx, bool interactive);

// The first steps of open_map, before a window is made: a blank name opens nothing; the windows
// already showing the map are closed (reopening gives a freshly loaded window); the next slot is
// taken. When the session has used every slot, MapWindowTable::full_message is shown and nothing
// is closed.
struct MapOpening {
    int slot = 0;
    QString name; // handed to the window as its pending name, item part included
    QString map;  // the map part
    QString item; // the title of the panel to select
    // Set when the map is a category map given by its parts: the window takes these as they are
    // instead of parsing `map`.
    bool by_parts = false;
    QString collection;
    QString cat;
};
std::optional<MapOpening> begin_open_map(AppContext& ctx, const QString& name);
// The same for the category map of `collection` and `cat` given by its parts.
std::optional<MapOpening> begin_open_category(AppContext& ctx, const QString& collection, const QString& cat);

// Opening a panel's item (double click or Enter; Alt inverts the map/table choice).
struct PanelWindow {
    bool top_map = false;
    bool collection_map = false;
    QString collection;
    QString cat;
};
struct PanelItem {
    QString title;
    QString content;
    int position = 0; // in the top map: the collection position the panel stands for
};

namespace panel_action {
struct OpenTopMap {};
struct OpenMapOrTable {
    QString name;
    bool invert = false;
};
// The reference names a map that does not exist: create_map it, reload this window (it shows the
// reference as valid now), then open it as OpenMapOrTable.
struct CreateMapThenOpen {
    QString name;
    bool invert = false;
};
// A category panel of a collection map: the category map by its parts, or its table view.
struct OpenCategory {
    QString collection;
    QString cat;
    bool invert = false;
};
struct OpenCollection {
    int position = 0;
    bool invert = false;
};
struct OpenMap {
    QString name;
};
// The link target: the first line after "LINK=", trimmed.
struct RunLink {
    QString target;
};
struct OpenWebAddress {
    QString address;
};
struct ToggleContentBox {};
// A reference to a name that can be no map (no ":" and no collection).
struct ShowMessage {
    QString text;
};
} // namespace panel_action

using PanelAction =
    std::variant<panel_action::OpenTopMap, panel_action::OpenMapOrTable, panel_action::CreateMapThenOpen,
                 panel_action::OpenCategory, panel_action::OpenCollection, panel_action::OpenMap,
                 panel_action::RunLink, panel_action::OpenWebAddress, panel_action::ToggleContentBox,
                 panel_action::ShowMessage>;

// Decides what opening the item does, in this order: a "> Top map" title; a "> " reference in
// the title, then in the content's first line; in the top map the panel's collection; in a
// collection map the category map of the panel; a title naming a map; a "LINK=" content; a web
// address in the content, then in the title; otherwise the content box is toggled.
PanelAction open_panel_item(AppContext& ctx, const PanelWindow& window, const PanelItem& item, bool invert);

// The route of an opening action (after create_map for CreateMapThenOpen); nothing for actions
// that open no map or table.
Route route_of(AppContext& ctx, const PanelAction& action);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class AppContext;
struct OpenSession;
class CollectionTable;
class Database;

// Map names: "Top map", a collection name (optionally followed by ":"), or
// collection + ": " + category, optionally followed by an item part after "." or ">".
// Every comparison ignores letter case.

inline const QString top_map_name = QStringLiteral("Top map");
inline const QString map_already_exists_message = QStringLiteral("Map already exists");

// "Top map" in any letter case, blanks around it ignored.
bool is_top_map_name(const QString& name);

// Text before the first ":", trimmed; a collection map name without ":" gives the whole name.
// A known collection comes back spelt as in the collection table.
QString collection_of(const CollectionTable& collections, const QString& name);
// Text after the ":" up to the separating "." (see split_map_name), trimmed; "" without ":".
QString cat_of(const QString& name);

struct SplitName {
    QString map;  // the map part
    QString item; // the title of the panel to select; "" when none
};
// Separates the item part: the first "." that is neither the last character nor followed by
// another "."; or a ">" at the second character or later (the ">" belongs to the item part).
SplitName split_map_name(const QString& name);

// The one spelling of a map name, used wherever map names are compared or stored: "Top map";
// a collection map as its collection alone ("Books", also for "books:"); a category map as
// collection + ": " + category ("Books: " for the empty category). The collection is spelt as in
// the collection table. `name` is a map name without an item part.
QString canonical_map_name(const CollectionTable& collections, const QString& name);
// The name of the category map of `collection` and `cat`, built from its parts.
QString category_map_name(const QString& collection, const QString& cat);

// Whether the map-name rule would split a category of this name (a "." followed by more text),
// so that a map name made of it would not lead back to it.
bool category_splits_map_name(const QString& cat);
// The refusal of such a name for a new or renamed category.
QString category_name_refused_message(const QString& cat);

// Position 1..45 whose collection name equals `name`, 0 when none.
int collection_index(const CollectionTable& collections, const QString& name);
bool is_collection(const CollectionTable& collections, const QString& name);
// No category, and the name without a trailing ":" is a collection.
bool is_collection_map(const CollectionTable& collections, const QString& name);

// collection + ": " + cat of the item; "" when the item does not exist.
QString map_name_of_item(const OpenSession& session, qint64 item_nr);

// Whether a map (exact: its category equal; otherwise the category contained in a comma list)
// holds at least one item. A name without ":" answers is_collection_map.
bool map_exists(const OpenSession& session, const QString& name, bool exact);
// The same for a category map given by its parts, whatever characters its category holds.
bool category_map_exists(const OpenSession& session, const QString& collection, const QString& cat,
                         bool exact);
bool item_exists(const OpenSession& session, const QString& map_name, const QString& title);
// For the text after "> ": the addressed item when it holds a ".", else the map.
bool reference_is_valid(const OpenSession& session, const QString& text);

// Creates a map with one filler item; refuses with "Map already exists" when it exists.
// Returns true when created.
bool create_map(AppContext& ctx, const QString& name);

inline const QString no_similar_maps_message = QStringLiteral("No other maps exist with same item.");
inline constexpr int max_selected_maps = 1000;
// The maps holding an item titled `title`, each as collection + ": " + category + "." + title so
// that opening it selects the item; at most max_selected_maps.
QStringList similar_tag_maps(Database& db, const QString& title);

// Why the map window refuses to open the editor on a panel, or "" when it may: the panels of
// the top map and of collection maps stand for collections and categories, and an item titled
// with the name of an existing map stands for that map.
QString edit_content_refusal(const OpenSession& session, bool top_map, bool collection_map,
                             const QString& title);

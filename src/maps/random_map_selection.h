// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/random_selection.h"
#include "maps/map_items.h"

#include <QString>

class CollectionTable;

// What the map, tree and table windows hand to a random map view (the tags storm).

// The items of a category: "Select * from repos where collection='c' and cat='k'".
RandomSelection category_storm_selection(const CollectionTable& collections, const QString& collection,
                                         const QString& cat);
// The map a window shows: the collections for the top map, the categories of a collection map
// (a "select distinct" statement), the items of a category map by the statement the window
// loaded them with (`statement`, or the category's items when it has none).
RandomSelection map_storm_selection(const MapIdentity& map, const QString& statement);
// What a window's attributes select: its statement unless it lists categories, else its map's
// items, else every item.
RandomSelection attributes_storm_selection(const CollectionTable& collections,
                                           const FormAttributes& attributes);
// A statement with no map of its own (a table view's filtered rows), shown under `map_name`.
RandomSelection statement_storm_selection(const QString& statement, const QString& map_name, int position);

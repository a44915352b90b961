// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/random_selection.h"

#include <QString>

class CollectionTable;
struct MapIdentity;

// The selections the windows hand to a random item view: the statement of the candidate items
// with the map they were made for. User values pass through sql_quote.

// "Select * from repos where collection='c'", with " and cat='k'" when a category is given.
QString items_of_map_statement(const QString& collection, const QString& cat = {});

// A map window's map: its category's items, its collection's, or every item for the top map.
RandomSelection random_selection_of_map(const MapIdentity& map);

// One item of a category, by title (the table view's selected record, an item chosen in the
// selection dialog).
RandomSelection random_selection_of_item(const CollectionTable& collections, const QString& collection,
                                         const QString& cat, const QString& title);

// What a window's attributes give: its statement when it has one that is not a "select
// distinct"; else the items of its map (a collection, or a collection's category); else every
// item. The window's map, position, item and picture directory go with it.
RandomSelection random_selection_of_attributes(const CollectionTable& collections,
                                               const FormAttributes& attributes);

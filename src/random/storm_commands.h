// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/random_selection.h"
#include "random/storm_tags.h"

#include <QString>
#include <optional>
#include <vector>

class AppContext;
class CollectionTable;
class Prompter;

// The commands of a storm's tags. Each asks through ctx.prompter, reports database failures as
// "Error N - description" and leaves the board and the database as they were after a refusal.

// The map a storm was opened on, where its new tags go.
struct StormMap {
    QString name;
    QString collection;
    QString cat;
    int position = 0;

    // Items can be added only to a storm of one category map.
    bool category_map() const { return !collection.isEmpty() && !cat.isEmpty(); }
};
StormMap storm_map_of(const CollectionTable& collections, const RandomSelection& selection);

// Insert (INS): asks "Title?" and adds the item to the storm's map; the new tag, or nothing
// when the board is full, the answer is empty or refused, or the map is no category map.
std::optional<StormTag> insert_storm_tag(AppContext& ctx, const StormMap& map, int tag_count);

// Rename tag: the map room's title change on the tag's item; the new title when it changed.
std::optional<QString> rename_storm_tag(AppContext& ctx, qint64 item_nr);

// Delete tag: asks first (No preselected); true when the item was deleted.
bool delete_storm_tag(AppContext& ctx, qint64 item_nr);

// Table view of tag: the table view of the item's collection on its category and item.
bool table_view_of_tag(AppContext& ctx, qint64 item_nr);
// Map view of tag: the map of the item's category, the item selected.
bool map_view_of_tag(AppContext& ctx, qint64 item_nr);

// Find (F3): asks "text?"; the index of the first caption holding the text (case ignored),
// "text not found" and nothing when none does, nothing for an empty answer.
std::optional<int> find_storm_tag(Prompter& prompter, const std::vector<QString>& captions);

// Told when a tag's item has gone (deleted in another window).
QString missing_item_message();

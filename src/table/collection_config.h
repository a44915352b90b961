// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <map>
#include <vector>

class CollectionTable;
class Database;

// Per collection position: offered in menus and toolbar, the collection opened as its map, its
// categories opened as maps. The flags are stored as "-1" / "0" under "coll" + NN + "_visible",
// "coll" + NN + "_open_as_table" and "cat" + NN + "_open_as_table" (NN the position as two
// digits); the "_open_as_table" names are historical: a non-zero value opens the map.

inline const QString collection_config_form = QStringLiteral("f_config");
inline const QString collection_config_caption = QStringLiteral("Collection preferences");

struct CollectionFlags {
    bool visible = false;
    bool coll_as_map = false;
    bool cat_as_map = false;
    bool operator==(const CollectionFlags&) const = default;
};

// The positions the window offers, in order: the spare positions 19 to 42 always, and 12 to 18
// before them unless the cogniva functions are on.
std::vector<int> config_positions(bool cogniva);

// The flags of a position as the collection table holds them.
CollectionFlags flags_of(const CollectionTable& collections, int position);

// Saving: the three keys of every position 1 to 45 are written in one transaction. Positions in
// `rows` take the flags of their boxes, in the stored keys and in the collection table; the
// others write back what is stored (the same defaults as at loading: visible unless stored
// otherwise, opened as tables).
void save_collection_config(Database& db, CollectionTable& collections,
                            const std::map<int, CollectionFlags>& rows);

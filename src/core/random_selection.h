// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a random item view or a tags storm is opened on: the statement whose rows are its items,
// the map it was made for, or a directory of pictures.
struct RandomSelection {
    QString query;       // the statement of the candidate items ("" for a picture selection)
    QString map_name;    // collection + ": " + category, a collection, "Top map", or ""
    int position = 0;    // the collection position of that map; 0 when none
    QString picture_dir; // a directory of pictures, ending in "/"; "" for an item selection
    qint64 item_nr = 0;  // the item the caller had selected; 0 when none

    bool empty() const { return query.isEmpty() && picture_dir.isEmpty(); }
};

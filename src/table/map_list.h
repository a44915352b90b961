// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_names.h"

#include <QString>
#include <QStringList>
#include <functional>

class AppContext;
class CollectionTable;
class Database;

// The map list: map names (collection + ": " + category) filtered by a text, the maps chosen by
// another window, or the maps of the older topic list that have no parent.

inline const QString map_list_form = QStringLiteral("f_list");
// Handed as the filter to ask for the parentless maps instead of a filtered list.
inline const QString parentless_marker = QStringLiteral("~show~parentless~topics~");

// show_topic_list: the maps of repos in collection and category order, those whose category
// begins with "> " left out. With the filter on, only maps whose collection or category holds
// the text anywhere, without regard to case.
struct TopicList {
    QStringList entries;
    int rows_read = 0; // the caption counts every row read, left-out ones included
};
TopicList show_topic_list(Database& db, const QString& filter, bool filter_on);

// Typing into the filter field ticks the filter box exactly when the trimmed text is not empty.
bool filter_box_for(const QString& text);

// Topics of the older topic list that no item points to as its sub-topic, by name.
QStringList parentless_maps(Database& db);

// What the window shows when it opens, decided from the maps handed by another window and the
// filter it was opened with.
struct MapListOpening {
    enum class Mode { Selected, Filter, Parentless };
    Mode mode = Mode::Filter;
    QStringList entries; // Selected: the handed maps; Parentless: filled by the window
    QString filter;      // Filter: the text for the filter field
    QString caption;     // "Maps selected", "Maps" or "Parentless maps"
};
MapListOpening map_list_opening(const QStringList& selected, const QString& filter);

// caption + " - (found: " + count + ")"
QString map_list_caption(const QString& caption, int found);

// The collection table or the category's table of a list entry, through `open_table`; the
// category becomes the category preset. A collection that is not in the table opens nothing.
bool open_entry_table(AppContext& ctx, const QString& entry, bool with_cat,
                      const std::function<void(int)>& open_table);

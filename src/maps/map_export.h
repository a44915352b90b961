// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

class AppContext;
class CollectionTable;
class MapItems;
struct MapIdentity;
struct MapItem;

// A map handed outside its window: as a text document for printing, or to the table view.

// The document the export writes into the program directory, overwritten each time: a plain
// text file that the system opens in its text editor ("TMP.wri", for WordPad, on Windows).
QString export_file_name();

// The document: the date-time "dd/mm/yy hh:nn", the map name ("TOP MAP" for the top map)
// underlined with "-", then one entry per panel: in a category map "-- " + title (+ " " + the
// expiry date "dd/mmm/yy") followed by the trimmed content, each line indented by three blanks;
// in a collection map "-- " + each category; in the top map "-- " + each collection. Fillers
// and positions of the collection table that hold no collection are left out. Lines end in "\n".
QString map_export_text(const MapItems& map, const CollectionTable& collections, const QDateTime& now);

// Writes the document as UTF-8 (replacing the previous one only once it is complete) and opens
// it with the system. A failure is reported to the user; answers whether the document opened.
bool export_map(AppContext& ctx, const MapItems& map);

// The same document for any list of items (the filtered rows of a table view): the date-time,
// the heading underlined, then each item laid out as in a category map.
QString items_export_text(const QString& heading, const std::vector<MapItem>& items, const QDateTime& now);
// Writes `text` as the export document and opens it; `what` names the exported thing in the
// failure messages ("The map", "The items").
bool write_export_document(AppContext& ctx, const QString& text, const QString& what);

// "Table view of this map and tag": fills ctx.table_presets for the table view and answers the
// collection position whose table view is to open (nullopt when the map's collection is not in
// the collection table). The top map opens position 45 without filters; a collection map its
// collection filtered to the selected category; a category map its collection filtered to its
// category and positioned on the selected item.
std::optional<int> table_view_of_map(AppContext& ctx, const MapIdentity& map, const MapItem* selected);

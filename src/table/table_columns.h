// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;

// The grid's columns by position: 0 item_nr, 1 collection, 2 cat, 3 mark, 4 item_id, 5 seq,
// 6 item_title, 7 item_content, and in the date positions 8 date_expiry, 9 date_remind,
// 10 Expired. Their captions, widths (twips) and visibility depend on the collection position.
namespace table_columns {

inline constexpr int item_nr = 0;
inline constexpr int collection = 1;
inline constexpr int cat = 2;
inline constexpr int mark = 3;
inline constexpr int item_id = 4;
inline constexpr int seq = 5;
inline constexpr int title = 6;
inline constexpr int content = 7;
inline constexpr int date_expiry = 8;
inline constexpr int date_remind = 9;
inline constexpr int expired = 10;

// A remind column narrower than this gets the short date headers.
inline constexpr int wide_date_header_twips = 990;
// The width of the sequence column, which takes no part in the stored widths.
inline constexpr int seq_width_twips = 450;

struct Labels {
    QString title_column;
    QString content_column;
    QString title_label;
    QString content_label;
};
Labels labels_for(int position);

// The header of `column` in `position`, without the sort mark. `remind_width` (twips) chooses
// between the short and the long date headers.
QString header(int position, int column, int remind_width);

// Column 1 is shown only in position 45, column 4 only in 7, 8 and 45; column 0 never.
bool hidden(int position, int column);
// Column 4 (Id) is right-aligned.
bool right_aligned(int column);
// Default width in twips.
int default_width(int column);
// "f_gentabx_" + position + "_col_" + column + "_width"
QString width_key(int position, int column);
// The width a column gets: 0 when hidden; 1220 for the date titles of position 6; else the
// stored parameter when it is non-empty and numeric, else the default.
int width(Database& db, int position, int column);
// Stores the widths of columns 1 to `last_column` (not 5); `width_of(column)` gives the
// grid's current width in twips; hidden columns are stored as 0.
template <class WidthOf> void save_widths(Database& db, int position, int last_column, WidthOf width_of);
void save_width(Database& db, int position, int column, int twips);

} // namespace table_columns

// The window caption: collection name + " (items found: n)", or in a deadlines window
// collection name + " - DEADLINES ONLY (items found: n)".
QString table_caption(const QString& collection_name, bool deadlines_only, int items_found);

template <class WidthOf>
void table_columns::save_widths(Database& db, int position, int last_column, WidthOf width_of) {
    for (int column = 1; column <= last_column; ++column) {
        if (column == seq) continue;
        save_width(db, position, column, hidden(position, column) ? 0 : width_of(column));
    }
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_items.h"

#include <QString>
#include <optional>

class AppContext;

// The commands of a map window that change the database. Each asks its questions through
// ctx.prompter, writes in one transaction (a refusal or a failure writes nothing; database
// failures are reported as "Error N - description") and answers what the window does next.
//
// Indexes are 0-based entries of the MapItems; `selected` may be -1 (nothing selected) or point
// past the entries, at a grid filler that exists only in the window.

// What the window does after a command, in this order:
//   1. this window: `reload` (refresh_map) or `relayout` (lay_out_panels over the entries as they
//      now stand: the command changed them in memory), then selects `select_index` or the entry
//      of `select_item`;
//   2. `renamed_to`: the window takes that name and saves its parameters under it;
//   3. the other windows: every other map window (`refresh_other_maps`), the table views and
//      the calendar (`refresh_tables`), and the map window numbered `refresh_window`
//      (save_map_parameters, load_map_items, lay_out_panels); then `activate_window` is activated;
//   4. `open_map` is opened, and this window closes when `close`.
struct EditOutcome {
    bool reload = false;
    bool relayout = false;
    int select_index = -1;
    qint64 select_item = 0;
    int nr_columns = 0; // the new number of columns, 0 when unchanged
    QString renamed_to;
    bool refresh_other_maps = false;
    bool refresh_tables = false;
    int refresh_window = 0;
    int activate_window = 0;
    QString open_map;
    bool close = false;

    // refresh_all_windows: this window reloads and every other window refreshes.
    void refresh_all() { reload = refresh_other_maps = refresh_tables = true; }
    bool any() const;
};

// "Insert item into map  (INS)": a category in a collection map, a dated entry in the journal
// (position 6), a titled item elsewhere, placed just after the selected panel. A new category
// is appended to the entries in place.
EditOutcome add_item(AppContext& ctx, MapItems& map, int selected);

// "Rename tag (F2)": a category of a collection map (in repos and cat_seq) or an item's title.
EditOutcome rename_tag(AppContext& ctx, const MapItems& map, int selected);

// "Rename map (CTRL+F2)": moves every item of the map to the new address, possibly in another
// collection. The window reopens under `renamed_to`/`open_map` and closes.
EditOutcome rename_map(AppContext& ctx, const MapItems& map);

// "Delete tag (DEL or drop over background)": a category with its items, or one item.
EditOutcome remove_item(AppContext& ctx, const MapItems& map, int selected);

// "Delete map (CTRL+DEL)".
EditOutcome delete_map(AppContext& ctx, const MapItems& map);

// "Sort tags alphabetically (F7)" (panel texts, case ignored) and "Sort tags by expiry date";
// titles "-" go last. The entries are reordered in place and the positions written.
EditOutcome sort_by_text(AppContext& ctx, MapItems& map, int selected);
EditOutcome sort_by_expiry(AppContext& ctx, MapItems& map, int selected);

// Writes the order of the entries: `seq` of each item that moved or whose title or content
// differs from its panel (only those rows), or `cat_seq` rows for the categories of a collection
// map. An item deleted meanwhile shows "Error 2000 09 12 1415" and is skipped; the others are
// still written. Runs inside the caller's transaction when there is one (`in_transaction`).
// Answers false when an item had vanished. Database failures propagate as DbError.
bool write_positions(AppContext& ctx, const MapItems& map, bool in_transaction = false);

// What a drag carries from its source panel.
struct DragPayload {
    qint64 item_nr = 0; // 0 for a category or a collection
    QString title;
    int source_window = 0;
    int source_index = -1;
    bool copy = false; // Shift was held when the drag started
};

// A drop inside the window the drag started in: the entry moves to `to`, the others shift.
EditOutcome drop_within(AppContext& ctx, MapItems& map, int from, int to);

// A drop on `target` (this window) of a drag that started in the window showing `source`: a
// category moves between collection maps; an item moves (or is copied) into a category map,
// first in its order. Dropped on "tomorrow" of the Agenda (position 1), its reminder and
// deadline become tomorrow at 00:00 and its notification is cleared. The source window is named
// in `refresh_window`.
EditOutcome drop_between(AppContext& ctx, const MapIdentity& source, const DragPayload& drag,
                         const MapItems& target);

// "Insert reference to another map (F8)": asks, then records the pending operation of window
// `window`.
EditOutcome start_insert_reference(AppContext& ctx, const MapItems& map, int window);
// The address a click on a panel gives a pending reference: collection + ": " + title in a
// collection map, the collection itself in the top map, map name + "." + title otherwise.
QString panel_address(const MapIdentity& map, const QString& title);
// Completes a pending reference on the window `target_window` activated (target: its map name)
// or clicked (target: panel_address). `requester_map` is the map of the requesting window,
// nullopt when it has closed. Nothing happens while the target is the requester itself.
EditOutcome complete_insert_reference(AppContext& ctx, const std::optional<QString>& requester_map,
                                      int target_window, const QString& target_name);

// "Copy items from another map": asks, then records the pending operation of window `window`.
EditOutcome start_copy_items(AppContext& ctx, const MapItems& map, int window);
// Completes a pending copy on activation of the window `source_window` showing `source_map`:
// its items whose titles the requester lacks are copied into the requester's map.
EditOutcome complete_copy_items(AppContext& ctx, const std::optional<QString>& requester_map,
                                int source_window, const QString& source_map);

// The titles "Create items from content" makes of a content: pieces cut at line ends and ",",
// trimmed, without a leading "-- " or "- ", empty pieces left out.
QStringList content_pieces(const QString& content);
// "Create items from content of selected tag": `collection` comes from the selection dialog.
EditOutcome create_items_from_content(AppContext& ctx, const MapItems& map, int selected,
                                      const QString& collection);

// "Number of columns (now N)": asks until the answer is a whole number from 1 to 10.
EditOutcome change_nr_columns(AppContext& ctx, const MapItems& map, int current);
// The keys 1 to 6, and the answer of the question: stores "#nr_columns" and drops the empty
// fillers that kept places in the old grid.
EditOutcome set_nr_columns(AppContext& ctx, const MapItems& map, int columns);
QString nr_columns_caption(int columns);

// "Create map from selected tag (F6)".
EditOutcome create_map_from_item(AppContext& ctx);

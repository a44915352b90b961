// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_editing.h"
#include "table/table_editing.h"

#include <QString>
#include <QVariant>
#include <optional>

class AppContext;
class Database;

// The commands of the table view's pop-up menu that change many rows, the drag of a row onto
// another, cell edits in the grid, links and the start-map flag. Each writes in one transaction;
// a refusal or a failure writes nothing, and database failures are reported to the user.
namespace table_edit {

// ---------------------------------------------------------------- bulk replace

// The two names of a map that changed its address; the open map windows of `old_map` take
// `new_map` before they reload, instead of reloading an emptied map.
struct MapRename {
    QString old_map;
    QString new_map;
    // The parts of `new_map`, by which it opens whatever characters its category holds.
    QString new_collection;
    QString new_cat;
    bool empty() const { return old_map.isEmpty(); }
};
// The name a map window showing `shown` takes after `rename`; nullopt when it is not concerned.
std::optional<QString> followed_map_name(const QString& shown, const MapRename& rename);

// The per-map parameters (place, columns, start-map flag...) of a map whose items moved to
// `new_map` go with them, unless `new_map` has parameters of its own; then the old ones are
// dropped. Database failures propagate.
void move_map_parameters(Database& db, const QString& old_map, const QString& new_map);

struct BulkOutcome {
    bool changed = false;
    int rows = 0;      // rows rewritten
    QString old_value; // the category (or collection) replaced
    QString new_value; // its replacement
    MapRename rename;  // for the open map windows
};

inline const QString bulk_needs_collection_message = QStringLiteral("Error 2000 09 20 1400");

// "Bulk replace of field \"category\"": asks the category to change (proposing `current_cat`)
// and the new one, then moves every item of that category of `collection`.
BulkOutcome bulk_replace_category(AppContext& ctx, const QString& collection, const QString& current_cat);
// "Bulk replace of field \"collection\"": asks the collection to change (proposing
// `collection`) and the new one, then moves the items of category `cat` of that collection.
BulkOutcome bulk_replace_collection(AppContext& ctx, const QString& collection, const QString& cat);

// ---------------------------------------------------------------- filtered records

// Rows of a statement of the window; Database failures propagate.
int count_rows(Database& db, const QString& statement);

// "Delete all filtered records": asks count + " records will be deleted. Proceed?" and
// deletes every row of `statement`. Answers the number of rows deleted (0: nothing done).
int delete_all_filtered(AppContext& ctx, const QString& statement);

// The numbers between "[" and "]" of one text added to `total`; the first number text longer
// than 15 characters is answered (and nothing of this text added after it).
std::optional<QString> add_bracketed_numbers(const QString& text, double& total);
// "Sum numbers in square brackets" over the titles and contents of the rows of `statement`:
// shows "Total = " + the total, or "Number too long: " + the text. Answers the total shown.
std::optional<double> sum_numbers_in_square_brackets(AppContext& ctx, const QString& statement);
QString total_message(double total);

// "Print filtered items": the rows of `statement` under the heading `collection_name`, written
// to the export document in the program directory and opened with the system.
bool export_filtered_items(AppContext& ctx, const QString& statement, const QString& collection_name);

// ---------------------------------------------------------------- sequence and separators

// "Sort items of current category": seq follows title and content.
int sort_current_cat(AppContext& ctx, const QString& collection, const QString& cat);
// "Sort items of all categories": the same in every category of the collection.
int sort_all_cat(AppContext& ctx, const QString& collection);

inline const QString separators_need_collection_message = QStringLiteral("Error 2000 09 20 1445");
// The separator of a category is titled as map_edit::separator_title makes it.
// "Remove separators" of a collection. Answers whether the command ran.
bool remove_separators(AppContext& ctx, const QString& collection);
// "Insert/update separators": one separator per category of the collection, old ones removed.
bool insert_separators(AppContext& ctx, const QString& collection);

// ---------------------------------------------------------------- moving a row

inline const QString move_question_title = QStringLiteral("Moving record");
// The confirmation of a drop into another map; "" when the map stays the same.
QString move_question(const EditRecord& dragged, const EditRecord& target);

enum class DropResult { Nothing, Declined, Moved, Failed };
// A row dragged onto another: the dragged item takes the target row's place in the target's
// map, after a confirmation when that map differs. Nothing happens on a Journal row.
DropResult drop_row(AppContext& ctx, qint64 dragged_item_nr, qint64 target_item_nr);

// ---------------------------------------------------------------- cells of the grid

QString column_not_editable_message();
// Columns 1 to 7 can be typed into in the grid; the date columns cannot.
bool column_editable(int column);
// Writes a cell typed in the grid (columns 1 to 7) into the row of `item_nr`. Refuses an empty
// collection, category or title and a non-numeric Id or sequence with the save's messages.
bool write_cell(AppContext& ctx, const TableEditView& view, qint64 item_nr, int column, const QString& text);

// What a cell write replaces: the stored value of that cell, so that the row can be put back.
struct CellUndo {
    qint64 item_nr = 0;
    int column = 0;
    QVariant before;
};
// The value a write of `column` would replace; nullopt when the row or the column does not exist.
std::optional<CellUndo> cell_before_write(Database& db, qint64 item_nr, int column);
// Writes the cell back as it was. A row deleted meanwhile is reported and nothing is written.
bool undo_cell_write(AppContext& ctx, const CellUndo& undo);

// ---------------------------------------------------------------- other commands

// "Create items from content of current record": the collection is chosen from the offered
// collections, the category is asked, and one item is made of each piece of the content.
EditOutcome create_items_from_record(AppContext& ctx, const EditRecord& record);

// b_browse and b_browse_dir: the content "LINK=" + the chosen path (files in the program
// directory keep their full path); "last_link_path" is stored. nullopt when cancelled.
std::optional<QString> browse_link_file(AppContext& ctx);
std::optional<QString> browse_link_directory(AppContext& ctx);

// "Set current category as default map": toggles the "#start_map" flag of the map as the map
// window's command does. Answers whether the map is now a start map.
bool toggle_start_map(AppContext& ctx, const QString& map_name);
bool is_start_map(AppContext& ctx, const QString& map_name);

} // namespace table_edit

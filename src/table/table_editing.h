// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

class AppContext;
class CollectionTable;
class Database;
class Statement;

// Editing one item in the edit area of a table view: the record the area holds, the save
// routine with its checks, insert defaults, Id numbering, deletion and the renumbering of a
// map's sequence. The window reads its fields into an EditRecord, calls these functions and
// writes back what they answer; every question and message goes through ctx.prompter.
namespace table_edit {

// What the edit area is doing. Find and Delete are passed through on the way back to Idle.
enum class EditMode { Idle, Insert, Edit, Find, Delete };

inline bool pending(EditMode mode) {
    return mode == EditMode::Insert || mode == EditMode::Edit;
}

// The fields of the edit area as plain values. A date that is nullopt belongs to a switched-off
// picker and is stored as Null; an invalid QDateTime is a picker holding something that is no
// date.
struct EditRecord {
    QString collection;
    QString cat;
    QString mark;
    QString item_id;
    QString title;
    QString content;
    std::optional<QDateTime> expiry;
    std::optional<QDateTime> remind;
    qint64 item_nr = 0; // the row the area shows; 0 for none
};

// The edit-area fields a message sends the focus back to.
enum class EditField { None, Collection, Cat, Mark, ItemId, Title, Content, Expiry, Remind };

// What the window is: its collection position and the captions the messages quote.
struct TableEditView {
    int position = 0;
    QString collection_name; // the window's collection (the name of its position)
    QString title_caption;   // the caption of grid column 6 ("Title", "Author", "Year"...)
    QString id_caption = QStringLiteral("Id");
};

// Positions 1, 44 and 45 show the date columns and the date pickers.
bool date_position(int position);
// Positions 7 and 8 number their items with an Id.
bool id_position(int position);

// One failed check: the message shown and the field that takes the focus.
struct CheckFailure {
    QString message;
    EditField field = EditField::None;
};

// The checks of a save, in their order; the first that fails answers. Needs no database: the
// collection check reads the collection table only.
std::optional<CheckFailure> check_record(const CollectionTable& collections, const TableEditView& view,
                                         const EditRecord& record);

// Blanks around collection, mark, category, title and content (and the Id) removed.
void trim_record(EditRecord& record);

inline const QString save_question_title = QStringLiteral("Saving last changes");
QString save_question(const QString& title);
QString replace_question(const QString& title);
inline const QString not_found_after_save_message = QStringLiteral("error 2000 09 09 14 00");

// What check_before_save answers the window.
struct SaveOutcome {
    bool go_on = true;    // the caller may carry on; false keeps the mode and the fields as typed
    bool dropped = false; // the user declined to save: reload the area from the current row
    bool saved = false;   // a row was written: end the mode, refresh every view
    bool inserted = false;
    qint64 item_nr = 0;                // the saved row (an overwritten duplicate keeps its number)
    QString map_name;                  // collection + ": " + category of the saved row, whose map refreshes
    EditField focus = EditField::None; // where the focus goes after a refusal
    QString message;                   // the message the user was shown, "" when none
};

// The save routine of b_save, F12 and every command that leaves a pending change. With `ask`
// it first asks whether to save. `record` comes back trimmed. A check that fails, a refused
// replacement, a row deleted meanwhile (item_vanished_message of maps/links.h) and a database
// failure keep the change pending and write nothing; a save writes the row and renumbers its
// map's sequence in one transaction.
SaveOutcome check_before_save(AppContext& ctx, const TableEditView& view, EditMode mode, EditRecord& record,
                              bool ask);

// "Select max (item_id) from repos where collection ='...'" plus one, as text; "1" for a
// collection without numbered items.
QString next_item_id(Database& db, const QString& collection);

// The fields a new record starts with: the window's collection (in position 45 the collection
// of the row shown before, `previous_collection`), category "Mix", in the date positions both
// dates at the present minute, in positions 7 and 8 the next Id.
EditRecord insert_defaults(AppContext& ctx, const TableEditView& view, const QString& previous_collection);

// The category a new record proposes: the category the grid is filtered to, when the category
// filter is one plain word or phrase (no wildcard, no "and"/"or", no parentheses) and selects
// the rows by itself (AND, or the only filter in use). `shown_cat` is the category of the row
// shown, which then carries its stored letter case; without a row the filter's text is taken.
// Otherwise "Mix".
QString insert_category(const QString& cat_filter, bool only_by_category, const QString& shown_cat);

// An edit started in positions 7 and 8 with an empty Id gets the next one.
void fill_empty_id(AppContext& ctx, const TableEditView& view, EditRecord& record);

// The row of `item_nr` as the edit area shows it; nullopt when it does not exist. Database
// failures propagate as DbError.
std::optional<EditRecord> load_record(Database& db, qint64 item_nr);
// The one reader of an item row of "select * from repos" for the table room's windows.
EditRecord read_item_row(const Statement& row);

// Gives the rows of the map seq 1, 2, 3... in the order collection, cat, seq, item_title,
// writing only the rows whose seq is Null or differs in its "000" form. Joins the caller's
// transaction when there is one. Answers the number of rows written.
int regenerate_sequence_within_category(Database& db, const QString& collection, const QString& cat);

inline const QString delete_question_title = QStringLiteral("Deleting record");
QString delete_question(const QString& title);

enum class DeleteResult { Declined, Deleted, Vanished, Failed };
// Asks, then deletes the row of `record.item_nr`. A row deleted meanwhile is reported.
DeleteResult delete_record(AppContext& ctx, const EditRecord& record);

// "Content cannot be inserted now." while an insert or edit is pending; insert_content is
// otherwise an insert whose content is the given text.
inline const QString content_not_now_message = QStringLiteral("Content cannot be inserted now.");

} // namespace table_edit

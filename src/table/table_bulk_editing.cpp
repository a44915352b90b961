// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_bulk_editing.h"

#include "core/app_context.h"
#include "core/format.h"
#include "core/params.h"
#include "maps/links.h"
#include "maps/map_edit_support.h"
#include "maps/map_export.h"
#include "maps/map_items.h"
#include "maps/map_names.h"
#include "maps/map_parameters.h"
#include "table/table_edit_support.h"

#include <QRegularExpression>

namespace table_edit {

namespace {

constexpr int journal_position = 6;
const QString link_prefix = QStringLiteral("LINK=");
const QString start_map_key = QStringLiteral("#start_map");

QString in_quotes(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The name a map window showing the category map of `collection` and `cat` carries.
QString map_of(const CollectionTable& collections, const QString& collection, const QString& cat) {
    return identify_category(collections, collection, cat).name;
}

// Runs a command; a database failure is reported and answers `failed` (its transaction has
// rolled back).
template <class Result, class Body> Result reported(AppContext& ctx, Result failed, Body&& body) {
    try {
        return body();
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return failed;
    }
}

std::optional<QString> asked(AppContext& ctx, const QString& prompt, const QString& title,
                             const QString& proposed = {}) {
    const QString answer = ctx.prompter.input(prompt, title, proposed).value_or(QString()).trimmed();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
}

std::vector<qint64> item_numbers(Database& db, const QString& statement) {
    std::vector<qint64> numbers;
    Statement rows = db.prepare(statement);
    const int column = rows.column_index(QStringLiteral("item_nr"));
    while (rows.next())
        numbers.push_back(rows.value(column).toLongLong());
    return numbers;
}

bool has_column(const Statement& statement, const QString& name) {
    for (int index = 0; index < statement.column_count(); ++index)
        if (same_text(statement.column_name(index), name)) return true;
    return false;
}

// The rows of a map in the order of its sequence.
std::vector<SeqRow> map_rows(Database& db, const QString& collection, const QString& cat) {
    Statement select = db.prepare(QStringLiteral("Select item_nr, seq from repos where collection=? and "
                                                 "cat=? order by collection, cat,seq,item_title"));
    select.bind(1, collection);
    select.bind(2, cat);
    std::vector<SeqRow> rows;
    while (select.next())
        rows.push_back({select.value(0).toLongLong(), select.value(1)});
    return rows;
}

const char* const column_names[] = {nullptr,   "collection", "cat",        "mark",
                                    "item_id", "seq",        "item_title", "item_content"};

} // namespace

// ---------------------------------------------------------------- bulk replace

std::optional<QString> followed_map_name(const QString& shown, const MapRename& rename) {
    if (rename.empty() || !same_text(shown.trimmed(), rename.old_map)) return std::nullopt;
    return rename.new_map;
}

void move_map_parameters(Database& db, const QString& old_map, const QString& new_map) {
    if (same_text(old_map, new_map)) return;
    Transaction transaction(db);
    Statement has = db.prepare(QStringLiteral("select count(*) from map_params where colcat=?"));
    has.bind(1, new_map);
    has.next();
    const bool taken = has.value(0).toInt() > 0;
    Statement move = db.prepare(taken ? QStringLiteral("delete from map_params where colcat=?")
                                      : QStringLiteral("update map_params set colcat=? where colcat=?"));
    if (taken) {
        move.bind(1, old_map);
    } else {
        move.bind(1, new_map);
        move.bind(2, old_map);
    }
    move.next();
    transaction.commit();
}

BulkOutcome bulk_replace_category(AppContext& ctx, const QString& collection, const QString& current_cat) {
    if (collection.trimmed().isEmpty()) {
        ctx.prompter.message(bulk_needs_collection_message);
        return {};
    }
    const QString title = QStringLiteral("Bulk replace of category of collection ") + in_quotes(collection);
    const auto old_cat = asked(ctx, QStringLiteral("Category to be changed?"), title, current_cat);
    if (!old_cat) return {};
    const auto new_cat = asked(ctx, QStringLiteral("New category?"), title);
    if (!new_cat) return {};
    return reported(ctx, BulkOutcome{}, [&] {
        Database& db = *ctx.db;
        Transaction transaction(db);
        Statement update =
            db.prepare(QStringLiteral("update repos set cat=? where collection= ? and cat = ?"));
        update.bind(1, *new_cat);
        update.bind(2, collection);
        update.bind(3, *old_cat);
        update.next();
        BulkOutcome outcome;
        outcome.rows = db.changes();
        transaction.commit();
        outcome.changed = true;
        outcome.old_value = *old_cat;
        outcome.new_value = *new_cat;
        outcome.rename = {map_of(ctx.collections, collection, *old_cat),
                          map_of(ctx.collections, collection, *new_cat), collection, *new_cat};
        return outcome;
    });
}

BulkOutcome bulk_replace_collection(AppContext& ctx, const QString& collection, const QString& cat) {
    if (collection.trimmed().isEmpty()) {
        ctx.prompter.message(bulk_needs_collection_message);
        return {};
    }
    const QString title = QStringLiteral("Bulk replace of collection ") + in_quotes(collection) +
                          QStringLiteral(" for category ") + in_quotes(cat);
    const auto old_collection = asked(ctx, QStringLiteral("Collection to be changed?"), title, collection);
    if (!old_collection) return {};
    const auto new_collection = asked(ctx, QStringLiteral("New collection?"), title);
    if (!new_collection) return {};
    return reported(ctx, BulkOutcome{}, [&] {
        Database& db = *ctx.db;
        Transaction transaction(db);
        Statement update =
            db.prepare(QStringLiteral("update repos set collection=? where collection= ? and cat = ?"));
        update.bind(1, *new_collection);
        update.bind(2, *old_collection);
        update.bind(3, cat);
        update.next();
        BulkOutcome outcome;
        outcome.rows = db.changes();
        transaction.commit();
        outcome.changed = true;
        outcome.old_value = *old_collection;
        outcome.new_value = *new_collection;
        outcome.rename = {map_of(ctx.collections, *old_collection, cat),
                          map_of(ctx.collections, *new_collection, cat), *new_collection, cat};
        return outcome;
    });
}

// ---------------------------------------------------------------- filtered records

int count_rows(Database& db, const QString& statement) {
    Statement rows = db.prepare(statement);
    int count = 0;
    while (rows.next())
        ++count;
    return count;
}

int delete_all_filtered(AppContext& ctx, const QString& statement) {
    return reported(ctx, 0, [&] {
        Database& db = *ctx.db;
        const std::vector<qint64> numbers = item_numbers(db, statement);
        if (numbers.empty()) return 0;
        if (!ctx.prompter.yes_no(QString::number(numbers.size()) +
                                     QStringLiteral(" records will be deleted. Proceed?"),
                                 QStringLiteral("Deleting records"), false))
            return 0;
        Transaction transaction(db);
        Statement remove = db.prepare(QStringLiteral("delete from repos where item_nr=?"));
        int deleted = 0;
        for (const qint64 item_nr : numbers) {
            remove.reset();
            remove.bind(1, item_nr);
            remove.next();
            deleted += db.changes();
        }
        transaction.commit();
        return deleted;
    });
}

std::optional<QString> add_bracketed_numbers(const QString& text, double& total) {
    static const QRegularExpression bracketed(QStringLiteral("\\[([^\\[\\]]*)\\]"));
    for (auto match = bracketed.globalMatch(text); match.hasNext();) {
        const QString inside = match.next().captured(1);
        const std::optional<double> number = numeric_value(inside);
        if (!number) continue;
        // Beyond 15 characters a number loses digits in a double.
        if (inside.size() > 15) return inside;
        total += *number;
    }
    return std::nullopt;
}

QString total_message(double total) {
    return QStringLiteral("Total = ") + format_number(total, QStringLiteral("###,###,###,###,###"));
}

std::optional<double> sum_numbers_in_square_brackets(AppContext& ctx, const QString& statement) {
    return reported(ctx, std::optional<double>(), [&]() -> std::optional<double> {
        Statement rows = ctx.db->prepare(statement);
        const int title = rows.column_index(QStringLiteral("item_title"));
        const int content = rows.column_index(QStringLiteral("item_content"));
        double total = 0;
        while (rows.next()) {
            for (const int column : {title, content}) {
                if (const auto too_long = add_bracketed_numbers(rows.value(column).toString(), total)) {
                    ctx.prompter.message(QStringLiteral("Number too long: ") + *too_long);
                    return std::nullopt;
                }
            }
        }
        ctx.prompter.message(total_message(total));
        return total;
    });
}

bool export_filtered_items(AppContext& ctx, const QString& statement, const QString& collection_name) {
    std::vector<MapItem> items;
    const bool read = reported(ctx, false, [&] {
        Statement rows = ctx.db->prepare(statement);
        const bool dated = has_column(rows, QStringLiteral("date_expiry"));
        while (rows.next()) {
            MapItem item;
            item.title = rows.text(QStringLiteral("item_title"));
            item.content = rows.text(QStringLiteral("item_content"));
            if (dated) item.expiry = date_of(rows.value(QStringLiteral("date_expiry")));
            items.push_back(std::move(item));
        }
        return true;
    });
    if (!read) return false;
    return write_export_document(ctx, items_export_text(collection_name, items, ctx.clock.now()),
                                 QStringLiteral("The items"));
}

// ---------------------------------------------------------------- sequence and separators

int sort_current_cat(AppContext& ctx, const QString& collection, const QString& cat) {
    return reported(ctx, 0, [&] {
        Database& db = *ctx.db;
        std::vector<SeqRow> rows;
        {
            Statement select = db.prepare(QStringLiteral("select item_nr, seq from repos where collection =? "
                                                         "and cat=? order by item_title,item_content"));
            select.bind(1, collection);
            select.bind(2, cat);
            while (select.next())
                rows.push_back({select.value(0).toLongLong(), select.value(1)});
        }
        Transaction transaction(db);
        const int written = write_sequence(db, rows);
        transaction.commit();
        return written;
    });
}

int sort_all_cat(AppContext& ctx, const QString& collection) {
    return reported(ctx, 0, [&] {
        Database& db = *ctx.db;
        // One run of rows per category, each numbered from 1.
        std::vector<std::vector<SeqRow>> runs;
        {
            Statement select =
                db.prepare(QStringLiteral("select item_nr, seq, cat from repos where collection =? order by "
                                          "cat,item_title,item_content"));
            select.bind(1, collection);
            QString run_cat;
            while (select.next()) {
                const QString cat = select.value(2).toString();
                if (runs.empty() || !same_text(cat, run_cat)) runs.emplace_back();
                run_cat = cat;
                runs.back().push_back({select.value(0).toLongLong(), select.value(1)});
            }
        }
        Transaction transaction(db);
        int written = 0;
        for (const auto& run : runs)
            written += write_sequence(db, run);
        transaction.commit();
        return written;
    });
}

namespace {

void delete_separators(Database& db, const QString& collection) {
    Statement remove = db.prepare(QStringLiteral("delete from repos where item_title like ' _____ *' and "
                                                 "item_title like ' * _____' and collection=?"));
    remove.bind(1, collection);
    remove.next();
}

} // namespace

bool remove_separators(AppContext& ctx, const QString& collection) {
    return reported(ctx, false, [&] {
        delete_separators(*ctx.db, collection);
        return true;
    });
}

bool insert_separators(AppContext& ctx, const QString& collection) {
    if (collection.trimmed().isEmpty()) {
        ctx.prompter.message(separators_need_collection_message);
        return false;
    }
    return reported(ctx, false, [&] {
        Database& db = *ctx.db;
        Transaction transaction(db);
        delete_separators(db, collection);
        QStringList cats;
        {
            Statement select = db.prepare(
                QStringLiteral("select distinct cat from repos where collection = ? order by cat"));
            select.bind(1, collection);
            while (select.next())
                cats.append(select.value(0).toString());
        }
        Statement insert =
            db.prepare(QStringLiteral("Insert into repos (collection,cat,item_title) values (?,?,?)"));
        for (const QString& cat : cats) {
            insert.reset();
            insert.bind(1, collection);
            insert.bind(2, cat);
            insert.bind(3, map_edit::separator_title(cat));
            insert.next();
        }
        transaction.commit();
        return true;
    });
}

// ---------------------------------------------------------------- moving a row

QString move_question(const EditRecord& dragged, const EditRecord& target) {
    const bool collection_changes = !same_text(dragged.collection, target.collection);
    const bool cat_changes = !same_text(dragged.cat, target.cat);
    if (collection_changes && cat_changes)
        return QStringLiteral("Collection will be changed from ") + in_quotes(dragged.collection) +
               QStringLiteral(" to ") + in_quotes(target.collection) + QStringLiteral(" and category from ") +
               in_quotes(dragged.cat) + QStringLiteral(" to ") + in_quotes(target.cat) +
               QStringLiteral(". Proceed?");
    if (collection_changes)
        return QStringLiteral("Collection will be changed from ") + in_quotes(dragged.collection) +
               QStringLiteral(" to ") + in_quotes(target.collection) + QStringLiteral(". Proceed?");
    if (cat_changes)
        return QStringLiteral("Category will be changed from ") + in_quotes(dragged.cat) +
               QStringLiteral(" to ") + in_quotes(target.cat) + QStringLiteral(". Proceed?");
    return {};
}

DropResult drop_row(AppContext& ctx, qint64 dragged_item_nr, qint64 target_item_nr) {
    if (dragged_item_nr == 0 || target_item_nr == 0 || dragged_item_nr == target_item_nr)
        return DropResult::Nothing;
    return reported(ctx, DropResult::Failed, [&] {
        Database& db = *ctx.db;
        const std::optional<EditRecord> dragged = load_record(db, dragged_item_nr);
        const std::optional<EditRecord> target = load_record(db, target_item_nr);
        if (!dragged || !target) {
            ctx.prompter.message(item_vanished_message);
            return DropResult::Failed;
        }
        // The journal keeps its entries in date order, under its default name or a new one.
        if (same_text(target->collection, QStringLiteral("Journal")) ||
            same_text(target->collection, ctx.collections.at(journal_position).name))
            return DropResult::Nothing;
        const QString question = move_question(*dragged, *target);
        if (!question.isEmpty() && !ctx.prompter.yes_no(question, move_question_title, false))
            return DropResult::Declined;

        // The target map in its order, the dragged item placed just before the target row.
        std::vector<SeqRow> order;
        for (const SeqRow& row : map_rows(db, target->collection, target->cat)) {
            if (row.item_nr == dragged_item_nr) continue;
            if (row.item_nr == target_item_nr) order.push_back({dragged_item_nr, QVariant()});
            order.push_back(row);
        }
        Transaction transaction(db);
        Statement move = db.prepare(QStringLiteral("update repos set collection=?, cat=? where item_nr=?"));
        move.bind(1, target->collection);
        move.bind(2, target->cat);
        move.bind(3, dragged_item_nr);
        move.next();
        write_sequence(db, order);
        transaction.commit();
        return DropResult::Moved;
    });
}

// ---------------------------------------------------------------- cells of the grid

QString column_not_editable_message() {
    return QStringLiteral("This column cannot be edited directly on the row. You should use the \"edit\" "
                          "function.");
}

bool column_editable(int column) {
    return column >= 1 && column <= 7;
}

bool write_cell(AppContext& ctx, const TableEditView& view, qint64 item_nr, int column, const QString& text) {
    if (!column_editable(column)) {
        ctx.prompter.message(column_not_editable_message());
        return false;
    }
    return reported(ctx, false, [&] {
        Database& db = *ctx.db;
        std::optional<EditRecord> record = load_record(db, item_nr);
        if (!record) {
            ctx.prompter.message(item_vanished_message);
            return false;
        }
        const QString value = text.trimmed();
        QVariant stored = value;
        switch (column) {
        case 1:
            record->collection = value;
            break;
        case 2:
            record->cat = value;
            break;
        case 3:
            record->mark = value;
            stored = null_if_empty(value);
            break;
        case 4:
            record->item_id = value;
            break;
        case 6:
            record->title = value;
            break;
        case 7:
            record->content = value;
            break;
        default:
            break;
        }
        if (column == 4 || column == 5) {
            const std::optional<double> number = numeric_value(value);
            if (!value.isEmpty() && !number) {
                ctx.prompter.message(in_quotes(column == 4 ? view.id_caption : QStringLiteral("Seq")) +
                                     QStringLiteral(" should be numeric."));
                return false;
            }
            stored = number ? QVariant(*number) : QVariant();
        }
        // The dates are not typed in the grid: only the typed cell is checked.
        record->expiry.reset();
        record->remind.reset();
        if (const auto failed = check_record(ctx.collections, view, *record)) {
            ctx.prompter.message(failed->message);
            return false;
        }
        Statement update =
            db.prepare(QStringLiteral("update repos set ") + QLatin1String(column_names[column]) +
                       QStringLiteral("=? where item_nr=?"));
        update.bind(1, stored);
        update.bind(2, item_nr);
        update.next();
        return true;
    });
}

std::optional<CellUndo> cell_before_write(Database& db, qint64 item_nr, int column) {
    if (!column_editable(column)) return std::nullopt;
    Statement row = db.prepare(QStringLiteral("select ") + QLatin1String(column_names[column]) +
                               QStringLiteral(" from repos where item_nr=?"));
    row.bind(1, item_nr);
    if (!row.next()) return std::nullopt;
    return CellUndo{item_nr, column, row.value(0)};
}

bool undo_cell_write(AppContext& ctx, const CellUndo& undo) {
    if (!column_editable(undo.column)) return false;
    return reported(ctx, false, [&] {
        Database& db = *ctx.db;
        if (!load_record(db, undo.item_nr)) {
            ctx.prompter.message(item_vanished_message);
            return false;
        }
        Statement update =
            db.prepare(QStringLiteral("update repos set ") + QLatin1String(column_names[undo.column]) +
                       QStringLiteral("=? where item_nr=?"));
        update.bind(1, undo.before);
        update.bind(2, undo.item_nr);
        update.next();
        return true;
    });
}

// ---------------------------------------------------------------- other commands

EditOutcome create_items_from_record(AppContext& ctx, const EditRecord& record) {
    if (record.item_nr == 0 || record.content.trimmed().isEmpty()) return {};
    QStringList names;
    for (int position = 1; position < CollectionTable::all_collections; ++position) {
        const Collection& collection = ctx.collections.at(position);
        if (collection.defined && collection.visible && (!collection.cogniva || ctx.prefs.cogniva))
            names.append(collection.name);
    }
    const auto chosen = ctx.prompter.choose(QStringLiteral("Collection of the new map?"),
                                            QStringLiteral("Select collection"), names);
    if (!chosen || chosen->trimmed().isEmpty()) return {};
    const int position = collection_index(ctx.collections, chosen->trimmed());
    if (position == 0 || position == CollectionTable::all_collections) {
        ctx.prompter.message(QStringLiteral("Only collection should be selected."));
        return {};
    }
    MapItems source(identify_category(ctx.collections, record.collection, record.cat));
    MapItem item;
    item.item_nr = record.item_nr;
    item.title = record.title;
    item.content = record.content;
    source.append(std::move(item));
    return create_items_from_content(ctx, source, 0, ctx.collections.at(position).name);
}

std::optional<QString> browse_link_file(AppContext& ctx) {
    return reported(ctx, std::optional<QString>(), [&]() -> std::optional<QString> {
        const auto chosen = choose_link_file(ctx);
        if (!chosen) return std::nullopt;
        remember_link_path(ctx, *chosen);
        return link_prefix + *chosen;
    });
}

std::optional<QString> browse_link_directory(AppContext& ctx) {
    return reported(ctx, std::optional<QString>(), [&]() -> std::optional<QString> {
        const auto chosen = choose_link_directory(ctx);
        if (!chosen) return std::nullopt;
        remember_link_path(ctx, *chosen);
        return link_prefix + *chosen;
    });
}

bool is_start_map(AppContext& ctx, const QString& map_name) {
    return get_map_param(*ctx.db, map_name, start_map_key) == map_flag_text(true);
}

bool toggle_start_map(AppContext& ctx, const QString& map_name) {
    const bool was = reported(ctx, false, [&] { return is_start_map(ctx, map_name); });
    if (was)
        delete_map_param(*ctx.db, ctx.prompter, map_name, start_map_key);
    else
        set_map_param(*ctx.db, ctx.prompter, map_name, start_map_key, map_flag_text(true));
    return reported(ctx, was, [&] { return is_start_map(ctx, map_name); });
}

} // namespace table_edit

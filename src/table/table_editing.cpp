// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_editing.h"

#include "core/app_context.h"
#include "core/dates.h"
#include "core/format.h"
#include "core/params.h"
#include "maps/links.h"
#include "maps/map_names.h"
#include "table/like_condition.h"
#include "table/table_edit_support.h"

#include <QRegularExpression>

namespace table_edit {

namespace {

const QChar quote = QLatin1Char('"');

QString in_quotes(const QString& text) {
    return quote + text + quote;
}

CheckFailure failure(QString message, EditField field) {
    return CheckFailure{std::move(message), field};
}

// The row of an insert: the duplicate in the same map, or the row just written.
std::optional<qint64> same_title_in_map(Database& db, const EditRecord& record) {
    Statement find = db.prepare(
        QStringLiteral("Select item_nr from repos where collection =? and cat =? and item_title = ?"));
    find.bind(1, record.collection);
    find.bind(2, record.cat);
    find.bind(3, record.title);
    if (!find.next()) return std::nullopt;
    return find.value(0).toLongLong();
}

// Writes the fields of the edit area into the row; the dates only where the window has
// pickers. An empty mark or Id is stored as Null.
void write_row(Database& db, qint64 item_nr, const EditRecord& record, bool with_dates, bool clear_notified) {
    QString sql = QStringLiteral(
        "update repos set collection=?, cat=?, mark=?, item_id=?, item_title=?, item_content=?");
    if (with_dates) sql += QStringLiteral(", date_remind=?, date_expiry=?");
    if (clear_notified) sql += QStringLiteral(", date_notified=Null");
    sql += QStringLiteral(" where item_nr=?");
    Statement update = db.prepare(sql);
    int index = 1;
    update.bind(index++, record.collection);
    update.bind(index++, record.cat);
    update.bind(index++, null_if_empty(record.mark));
    const std::optional<double> id = numeric_value(record.item_id);
    update.bind(index++, id ? QVariant(*id) : QVariant());
    update.bind(index++, record.title);
    update.bind(index++, record.content);
    if (with_dates) {
        update.bind(index++, julian_or_null(record.remind));
        update.bind(index++, julian_or_null(record.expiry));
    }
    update.bind(index, item_nr);
    update.next();
}

bool row_exists(Database& db, qint64 item_nr) {
    Statement find = db.prepare(QStringLiteral("select item_nr from repos where item_nr=?"));
    find.bind(1, item_nr);
    return find.next();
}

SaveOutcome refused(AppContext& ctx, const QString& message, EditField field) {
    ctx.prompter.message(message);
    SaveOutcome outcome;
    outcome.go_on = false;
    outcome.message = message;
    outcome.focus = field;
    return outcome;
}

SaveOutcome stopped() {
    SaveOutcome outcome;
    outcome.go_on = false;
    return outcome;
}

} // namespace

bool date_position(int position) {
    return position == 1 || position == 44 || position == 45;
}

bool id_position(int position) {
    return position == 7 || position == 8;
}

std::optional<CheckFailure> check_record(const CollectionTable& collections, const TableEditView& view,
                                         const EditRecord& r) {
    // Both dates are needed as soon as one picker is switched on.
    if (date_position(view.position) && (r.expiry || r.remind)) {
        if (!r.remind) return failure(QStringLiteral("Date remind must be filled."), EditField::Remind);
        if (!r.expiry) return failure(QStringLiteral("Date aexipry must be filled."), EditField::Expiry);
        if (!r.remind->isValid())
            return failure(QStringLiteral("Date remind is not valid."), EditField::Remind);
        if (!r.expiry->isValid())
            return failure(QStringLiteral("Date expiry is not valid."), EditField::Expiry);
        if (*r.remind > *r.expiry)
            return failure(QStringLiteral("Date remind is later than date expiry."), EditField::Remind);
    }
    const QString all_collections = collections.at(CollectionTable::all_collections).name;
    if ((view.position == 6 || same_text(r.collection, all_collections)) && !dates::parse(r.title))
        return failure(in_quotes(r.title) + QStringLiteral(" is not a valid date"), EditField::Title);
    if (id_position(view.position) && r.item_id.isEmpty())
        return failure(QStringLiteral("\"Id\" should not be empty."), EditField::ItemId);
    // The Id column holds numbers in every position; only 7 and 8 require one.
    if (!r.item_id.isEmpty() && !numeric_value(r.item_id))
        return failure(in_quotes(view.id_caption) + QStringLiteral(" should be numeric."), EditField::ItemId);
    if (r.title.isEmpty())
        return failure(in_quotes(view.title_caption) + QStringLiteral(" should not be empty."),
                       EditField::Title);
    if (r.collection.isEmpty())
        return failure(QStringLiteral("Collection should not be empty."), EditField::Collection);
    if (r.cat.isEmpty()) return failure(QStringLiteral("Category should not be empty."), EditField::Cat);
    if ((view.position == 11 || view.position == 13) && !numeric_value(r.title))
        return failure(QStringLiteral("\"Year\" should be numeric."), EditField::Title);
    if (view.position == CollectionTable::all_collections && !is_collection(collections, r.collection))
        return failure(QStringLiteral("Collection is not valid."), EditField::Collection);
    return std::nullopt;
}

void trim_record(EditRecord& record) {
    for (QString* field :
         {&record.collection, &record.mark, &record.cat, &record.title, &record.content, &record.item_id})
        *field = field->trimmed();
}

QString save_question(const QString& title) {
    return QStringLiteral("Do you want to save record ") + in_quotes(title) + QStringLiteral("?");
}

QString replace_question(const QString& title) {
    return QStringLiteral("Item ") + title + QStringLiteral(" already exists. Replace it?");
}

QString delete_question(const QString& title) {
    return QStringLiteral("Do you really want to delete record ") + in_quotes(title) + QStringLiteral("?");
}

SaveOutcome check_before_save(AppContext& ctx, const TableEditView& view, EditMode mode, EditRecord& record,
                              bool ask) {
    if (!pending(mode)) return {};
    trim_record(record);
    if (ask && !ctx.prompter.yes_no(save_question(record.title), save_question_title, true)) {
        SaveOutcome outcome;
        outcome.dropped = true;
        return outcome;
    }
    if (const auto failed = check_record(ctx.collections, view, record))
        return refused(ctx, failed->message, failed->field);

    Database& db = *ctx.db;
    const bool with_dates = date_position(view.position);
    try {
        std::optional<qint64> duplicate;
        if (mode == EditMode::Insert) {
            // Asked before the transaction opens: other windows may use the connection while the
            // question is shown.
            duplicate = same_title_in_map(db, record);
            if (duplicate && !ctx.prompter.yes_no(replace_question(record.title), save_question_title, false))
                return stopped();
        }
        Transaction transaction(db);
        qint64 item_nr = record.item_nr;
        if (mode == EditMode::Edit) {
            if (item_nr == 0 || !row_exists(db, item_nr))
                return refused(ctx, item_vanished_message, EditField::None);
            write_row(db, item_nr, record, with_dates, false);
        } else {
            if (duplicate && row_exists(db, *duplicate)) {
                item_nr = *duplicate;
            } else {
                Statement insert = db.prepare(
                    QStringLiteral("Insert into repos (collection,cat,item_title) values (?,?,?)"));
                insert.bind(1, record.collection);
                insert.bind(2, record.cat);
                insert.bind(3, record.title);
                insert.next();
                item_nr = db.last_insert_id();
            }
            write_row(db, item_nr, record, with_dates, true);
            const std::optional<qint64> written = same_title_in_map(db, record);
            if (!written) return refused(ctx, not_found_after_save_message, EditField::Title);
            item_nr = *written;
        }
        // Items saved through "All collections" belong to no map of their own.
        if (!same_text(record.collection, ctx.collections.at(CollectionTable::all_collections).name))
            regenerate_sequence_within_category(db, record.collection, record.cat);
        transaction.commit();

        SaveOutcome outcome;
        outcome.saved = true;
        outcome.inserted = mode == EditMode::Insert;
        outcome.item_nr = item_nr;
        outcome.map_name = record.collection + QStringLiteral(": ") + record.cat;
        record.item_nr = item_nr;
        return outcome;
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return stopped();
    }
}

QString next_item_id(Database& db, const QString& collection) {
    Statement max = db.prepare(QStringLiteral("Select max (item_id) from repos where collection =?"));
    max.bind(1, collection);
    if (!max.next() || max.value(0).isNull()) return QStringLiteral("1");
    bool ok = false;
    const double highest = max.value(0).toDouble(&ok);
    if (!ok) return QStringLiteral("1");
    return QString::number(highest + 1, 'g', 15);
}

EditRecord insert_defaults(AppContext& ctx, const TableEditView& view, const QString& previous_collection) {
    EditRecord record;
    record.collection =
        view.position == CollectionTable::all_collections ? previous_collection : view.collection_name;
    record.cat = QStringLiteral("Mix");
    if (date_position(view.position)) {
        const QDateTime now = ctx.clock.now();
        const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute()));
        record.expiry = minute;
        record.remind = minute;
    }
    if (id_position(view.position)) record.item_id = next_item_id(*ctx.db, record.collection);
    return record;
}

QString insert_category(const QString& cat_filter, bool only_by_category, const QString& shown_cat) {
    const QString filter = cat_filter.trimmed();
    static const QRegularExpression joined(QStringLiteral("[*?#\\[\\]()]|\\b(and|or)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (filter.isEmpty() || !only_by_category) return QStringLiteral("Mix");
    // A category handed over from a map stands in the filter in its literal form ("C[#]").
    const std::optional<QString> literal = literal_text_of_filter(filter);
    if (!literal && filter.contains(joined)) return QStringLiteral("Mix");
    QString cat = literal ? literal->trimmed() : filter;
    if (!shown_cat.trimmed().isEmpty() && shown_cat.contains(cat, Qt::CaseInsensitive))
        return shown_cat.trimmed();
    return cat;
}

void fill_empty_id(AppContext& ctx, const TableEditView& view, EditRecord& record) {
    if (id_position(view.position) && record.item_id.trimmed().isEmpty())
        record.item_id = next_item_id(*ctx.db, record.collection);
}

std::optional<EditRecord> load_record(Database& db, qint64 item_nr) {
    Statement row = db.prepare(QStringLiteral("select * from repos where item_nr=?"));
    row.bind(1, item_nr);
    if (!row.next()) return std::nullopt;
    return read_item_row(row);
}

EditRecord read_item_row(const Statement& row) {
    EditRecord record;
    record.item_nr = row.value(QStringLiteral("item_nr")).toLongLong();
    record.collection = row.text(QStringLiteral("collection"));
    record.cat = row.text(QStringLiteral("cat"));
    record.mark = row.text(QStringLiteral("mark"));
    record.item_id = number_text(row.value(QStringLiteral("item_id")));
    record.title = row.text(QStringLiteral("item_title"));
    record.content = row.text(QStringLiteral("item_content"));
    record.expiry = date_of(row.value(QStringLiteral("date_expiry")));
    record.remind = date_of(row.value(QStringLiteral("date_remind")));
    return record;
}

int regenerate_sequence_within_category(Database& db, const QString& collection, const QString& cat) {
    JoinedTransaction transaction(db);
    std::vector<SeqRow> rows;
    {
        Statement select = db.prepare(QStringLiteral("Select item_nr, seq from repos where collection=? and "
                                                     "cat=? order by collection, cat,seq,item_title"));
        select.bind(1, collection);
        select.bind(2, cat);
        while (select.next())
            rows.push_back({select.value(0).toLongLong(), select.value(1)});
    }
    const int written = write_sequence(db, rows);
    transaction.commit();
    return written;
}

DeleteResult delete_record(AppContext& ctx, const EditRecord& record) {
    if (record.item_nr == 0) return DeleteResult::Declined;
    if (!ctx.prompter.yes_no(delete_question(record.title), delete_question_title, false))
        return DeleteResult::Declined;
    try {
        Statement remove = ctx.db->prepare(QStringLiteral("delete from repos where item_nr=?"));
        remove.bind(1, record.item_nr);
        remove.next();
        if (ctx.db->changes() == 0) {
            ctx.prompter.message(item_vanished_message);
            return DeleteResult::Vanished;
        }
        return DeleteResult::Deleted;
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return DeleteResult::Failed;
    }
}

} // namespace table_edit

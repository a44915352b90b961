// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/dates.h"
#include "core/schema.h"
#include "support/items.h"
#include "support/test_context.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

// A new database with the schema at `path`, open, for tests that need no program context.
inline std::unique_ptr<Database> new_database(const QString& path, const Clock* clock) {
    make_database(path, {}, 0, clock);
    return Database::open(path, {}, clock);
}

// The one way a test gets a database to work on: a program context on fakes (tc), a database file
// with the schema in the test's scratch directory, opened into the context as the program opens
// a file, and the default collections. Items go in with bound values, so that the data does not
// depend on the quoting the tests examine.
class TestDb {
public:
    TestContext tc;
    AppContext& ctx = tc.ctx;

    // Creates `file` (plain unless a password is given) with `items` items titled "item N" in
    // "Books: Novels", then opens it afresh into ctx.
    Database& open_db(const QString& file, const QString& password = {}, int items = 0) {
        QDir().mkpath(ctx.program_dir);
        ctx.db_path = tc.env.path(file);
        ctx.db_title = QFileInfo(file).completeBaseName();
        make_database(ctx.db_path, password, items, &tc.clock);
        ctx.db = Database::open(ctx.db_path, password, &tc.clock);
        ctx.collections.init_collections();
        return *ctx.db;
    }
    Database& db() { return *ctx.db; }

    // Rows are written positionally, the leading columns given and the rest left out.
    struct Row {
        Row() = default;
        Row(QString collection_name, QString category, QString item_title, QString item_content = {},
            std::optional<double> sequence = {}, std::optional<QDateTime> date_expiry = {},
            std::optional<QDateTime> date_remind = {}, std::optional<QDateTime> date_notified = {},
            QString item_mark = {}, std::optional<double> item_id = {})
            : collection(std::move(collection_name)), cat(std::move(category)), title(std::move(item_title)),
              content(std::move(item_content)), seq(sequence), expiry(std::move(date_expiry)),
              remind(std::move(date_remind)), notified(std::move(date_notified)), mark(std::move(item_mark)),
              id(item_id) {}

        QString collection;
        QString cat;
        QString title;
        QString content; // a null text is stored as NULL, as the program's own inserts leave it
        std::optional<double> seq;
        std::optional<QDateTime> expiry;
        std::optional<QDateTime> remind;
        std::optional<QDateTime> notified;
        QString mark;
        std::optional<double> id;
    };
    qint64 add(const Row& row) {
        Statement insert = db().prepare(
            QStringLiteral("insert into repos (collection, cat, item_title, item_content, seq, date_expiry, "
                           "date_remind, date_notified, mark, item_id) values (?,?,?,?,?,?,?,?,?,?)"));
        const QVariant values[] = {row.collection,
                                   row.cat,
                                   row.title,
                                   text_or_null(row.content),
                                   number(row.seq),
                                   julian(row.expiry),
                                   julian(row.remind),
                                   julian(row.notified),
                                   text_or_null(row.mark),
                                   number(row.id)};
        for (int i = 0; i < 10; ++i)
            insert.bind(i + 1, values[i]);
        insert.next();
        return db().last_insert_id();
    }
    qint64 add(const QString& collection, const QString& cat, const QString& title,
               const QString& content = {}, std::optional<double> seq = std::nullopt) {
        Row row;
        row.collection = collection;
        row.cat = cat;
        row.title = title;
        row.content = content;
        row.seq = seq;
        return add(row);
    }
    // A filler as a new map gets it: the title alone, no content at all.
    qint64 add_filler(const QString& collection, const QString& cat) {
        return add(collection, cat, QStringLiteral("-"));
    }
    // `count` items titled prefix + number (zero-padded, so that title order is number order).
    void add_many(const QString& collection, const QString& cat, int count,
                  const QString& prefix = QStringLiteral("tag ")) {
        Transaction transaction(db());
        for (int i = 1; i <= count; ++i)
            add(collection, cat, prefix + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')));
        transaction.commit();
    }

    int rows() { return db().scalar(QStringLiteral("select count(*) from repos")).toInt(); }
    int rows(const QString& where) {
        return db().scalar(QStringLiteral("select count(*) from repos where ") + where).toInt();
    }

    QVariant column(qint64 item_nr, const QString& name) {
        return db().scalar(QStringLiteral("select ") + name + QStringLiteral(" from repos where item_nr=") +
                           QString::number(item_nr));
    }
    std::optional<QDateTime> date_column(qint64 item_nr, const QString& name) {
        const QVariant value = column(item_nr, name);
        if (value.isNull()) return std::nullopt;
        return dates::from_julian(value.toDouble());
    }
    QString content_of(qint64 item_nr) { return column(item_nr, QStringLiteral("item_content")).toString(); }

    // Titles of the items whose collection and category are exactly these texts (no collation,
    // no wildcards), in insertion order.
    QStringList titles_in(const QString& collection, const QString& cat) {
        return texts(QStringLiteral("select item_title from repos where collection = ? collate binary and "
                                    "cat = ? collate binary order by item_nr"),
                     collection, cat);
    }
    // Titles of a map in the order of their stored positions.
    QStringList titles_by_seq(const QString& collection, const QString& cat) {
        return texts(QStringLiteral("select item_title from repos where collection = ? and cat = ? "
                                    "order by seq, item_title"),
                     collection, cat);
    }
    // "title=seq" of every item of a map, in the map's order.
    QStringList seqs(const QString& collection, const QString& cat) {
        Statement select = db().prepare(QStringLiteral(
            "select item_title, seq from repos where collection=? and cat=? order by seq, item_title"));
        select.bind(1, collection);
        select.bind(2, cat);
        QStringList result;
        while (select.next())
            result.append(select.value(0).toString() + QLatin1Char('=') +
                          (select.value(1).isNull() ? QStringLiteral("null") : select.value(1).toString()));
        return result;
    }

    // Every row of the tables the editing commands write, with the storage class of each value.
    QStringList dump() {
        QStringList lines;
        for (const char* table : {"repos", "cat_seq", "map_params"}) {
            Statement select =
                db().prepare(QStringLiteral("select * from %1 order by rowid").arg(QLatin1String(table)));
            while (select.next()) {
                QString line = QLatin1String(table);
                for (int c = 0; c < select.column_count(); ++c) {
                    const QVariant value = select.value(c);
                    line += QLatin1Char('|') + (value.isNull() ? QStringLiteral("<null>") : value.toString());
                }
                lines.append(line);
            }
        }
        return lines;
    }

private:
    static QVariant text_or_null(const QString& text) { return text.isNull() ? QVariant() : QVariant(text); }
    static QVariant number(const std::optional<double>& value) {
        return value ? QVariant(*value) : QVariant();
    }
    static QVariant julian(const std::optional<QDateTime>& when) {
        return when ? QVariant(dates::to_julian(*when)) : QVariant();
    }
    QStringList texts(const QString& sql, const QString& collection, const QString& cat) {
        Statement select = db().prepare(sql);
        select.bind(1, collection);
        select.bind(2, cat);
        QStringList result;
        while (select.next())
            result.append(select.value(0).toString());
        return result;
    }
};

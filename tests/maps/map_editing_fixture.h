// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app_context.h"
#include "core/database.h"
#include "core/dates.h"
#include "core/schema.h"
#include "maps/map_editing.h"
#include "maps/map_items.h"
#include "support/test_context.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) {
        PrintTo(text, out);
        *out << ' ';
    }
    *out << '}';
}

// A context on a fresh database with the default collections; script answers on `script`.
class EditFixture : public ::testing::Test {
protected:
    TestContext tc;
    FakePrompter& script = tc.prompter;
    FakePrompter& prompter = tc.prompter;
    AppContext ctx{{prompter, tc.desktop, tc.clock, tc.random, tc.screen},
                   tc.settings,
                   tc.env.path(QStringLiteral("home")),
                   tc.windows};

    EditFixture() {
        ctx.db =
            Database::open(tc.env.path(QStringLiteral("edit.tdb")), {}, &tc.clock, Database::Mode::CreateNew);
        schema::upgrade(*ctx.db);
        ctx.collections.init_collections();
    }
    ~EditFixture() override { EXPECT_TRUE(script.all_answered()) << "scripted answers left unused"; }

    Database& db() { return *ctx.db; }

    struct Row {
        QString collection;
        QString cat;
        QString title;
        QString content;
        std::optional<double> seq;
        std::optional<QDateTime> expiry;
        std::optional<QDateTime> remind;
        std::optional<QDateTime> notified;
        QString mark;
        std::optional<double> id;
    };

    static QVariant julian(const std::optional<QDateTime>& when) {
        return when ? QVariant(dates::to_julian(*when)) : QVariant();
    }

    qint64 add(const Row& row) {
        Statement insert = db().prepare(
            QStringLiteral("insert into repos (collection, cat, item_title, item_content, seq, date_expiry, "
                           "date_remind, date_notified, mark, item_id) values (?,?,?,?,?,?,?,?,?,?)"));
        insert.bind(1, row.collection);
        insert.bind(2, row.cat);
        insert.bind(3, row.title);
        insert.bind(4, row.content);
        insert.bind(5, row.seq ? QVariant(*row.seq) : QVariant());
        insert.bind(6, julian(row.expiry));
        insert.bind(7, julian(row.remind));
        insert.bind(8, julian(row.notified));
        insert.bind(9, row.mark);
        insert.bind(10, row.id ? QVariant(*row.id) : QVariant());
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
        Statement insert =
            db().prepare(QStringLiteral("insert into repos (collection, cat, item_title) values (?,?,'-')"));
        insert.bind(1, collection);
        insert.bind(2, cat);
        insert.next();
        return db().last_insert_id();
    }

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

    // The map as a freshly opened window holds it.
    MapItems load(const QString& name) {
        MapItems map(identify_map(ctx.collections, name));
        load_map_items(ctx, map, {});
        return map;
    }
    QStringList titles(const QString& name) {
        QStringList result;
        const MapItems map = load(name);
        for (const MapItem& item : map.items())
            result.append(item.title);
        return result;
    }
    static int index_of(const MapItems& map, const QString& title) {
        for (int i = 0; i < map.count(); ++i)
            if (map.item(i).title == title) return i;
        return -1;
    }

    // Every row of the tables the editing commands write, with the storage class of each value.
    QStringList dump() {
        QStringList lines;
        for (const char* table : {"repos", "cat_seq", "map_params"}) {
            Statement rows =
                db().prepare(QStringLiteral("select * from %1 order by rowid").arg(QLatin1String(table)));
            while (rows.next()) {
                QString line = QLatin1String(table);
                for (int c = 0; c < rows.column_count(); ++c) {
                    const QVariant value = rows.value(c);
                    line += QLatin1Char('|') + (value.isNull() ? QStringLiteral("<null>") : value.toString());
                }
                lines.append(line);
            }
        }
        return lines;
    }

    QStringList shown_texts() const { return script.messages(); }
    const FakePrompter::Shown& last_shown() const { return script.shown().back(); }
};

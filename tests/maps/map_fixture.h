// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/dates.h"
#include "core/schema.h"
#include "maps/map_items.h"
#include "support/test_context.h"

#include <gtest/gtest.h>
#include <optional>

// A context on a fresh database with the schema and the default collections.
class MapFixture : public ::testing::Test {
protected:
    TestContext tc;
    AppContext& ctx = tc.ctx;

    MapFixture() {
        ctx.db =
            Database::open(tc.env.path(QStringLiteral("maps.tdb")), {}, &tc.clock, Database::Mode::CreateNew);
        schema::upgrade(*ctx.db);
        ctx.collections.init_collections();
    }

    Database& db() { return *ctx.db; }

    struct Row {
        QString collection;
        QString cat;
        QString title;
        QString content;
        std::optional<double> seq;
        std::optional<QDateTime> expiry;
    };

    qint64 add(const Row& row) {
        Statement insert =
            db().prepare(QStringLiteral("insert into repos (collection, cat, item_title, item_content, seq, "
                                        "date_expiry) values (?,?,?,?,?,?)"));
        insert.bind(1, row.collection);
        insert.bind(2, row.cat);
        insert.bind(3, row.title);
        insert.bind(4, row.content);
        insert.bind(5, row.seq ? QVariant(*row.seq) : QVariant());
        insert.bind(6, row.expiry ? QVariant(dates::to_julian(*row.expiry)) : QVariant());
        insert.next();
        return db().last_insert_id();
    }
    qint64 add(const QString& collection, const QString& cat, const QString& title,
               const QString& content = {}) {
        return add(Row{collection, cat, title, content, std::nullopt, std::nullopt});
    }
    // `count` items titled prefix + number (zero-padded, so that title order is number order).
    void add_many(const QString& collection, const QString& cat, int count, const QString& prefix = "tag ") {
        Transaction transaction(db());
        for (int i = 1; i <= count; ++i)
            add(collection, cat, prefix + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')));
        transaction.commit();
    }
    int rows(const QString& where) {
        return db().scalar(QStringLiteral("select count(*) from repos where ") + where).toInt();
    }
};

inline QStringList titles_of(const std::vector<MapItem>& items) {
    QStringList titles;
    for (const MapItem& item : items)
        titles.append(item.title);
    return titles;
}

inline QStringList texts_of(const std::vector<MapItem>& items) {
    QStringList texts;
    for (const MapItem& item : items)
        texts.append(item.panel_text);
    return texts;
}

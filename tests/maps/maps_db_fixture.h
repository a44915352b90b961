// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "support/items.h"
#include "support/test_context.h"

#include <gtest/gtest.h>

// A program context on an empty database with the default collections. Items are inserted with
// bound values, so that the data does not depend on the quoting the tests examine.
class MapsDb : public ::testing::Test {
protected:
    TestContext t;
    AppContext& ctx = t.ctx;

    void SetUp() override {
        const QString path = t.env.path(QStringLiteral("maps.tdb"));
        make_database(path, {}, 0, &t.clock);
        ctx.db = Database::open(path, {}, &t.clock);
        ctx.collections.init_collections();
    }

    qint64 add(const QString& collection, const QString& cat, const QString& title,
               const QString& content = {}) {
        return insert_item(*ctx.db, collection, cat, title, content);
    }

    // Items whose collection and category are exactly these texts (no collation, no wildcards).
    QStringList titles_in(const QString& collection, const QString& cat) {
        Statement select = ctx.db->prepare(QStringLiteral(
            "select item_title from repos where collection = ? collate binary and cat = ? collate binary "
            "order by item_nr"));
        select.bind(1, collection);
        select.bind(2, cat);
        QStringList titles;
        while (select.next())
            titles.append(select.text(QStringLiteral("item_title")));
        return titles;
    }

    int rows() { return ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(); }
};

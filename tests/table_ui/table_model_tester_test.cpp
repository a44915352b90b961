// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The table model on its own, under QAbstractItemModelTester (which needs Qt Test).
#include "support/db_fixtures.h"
#include "table/table_model.h"
#include "table/table_query.h"

#include <QAbstractItemModelTester>

using TableDb = MapsDb;

TEST_F(TableDb, ModelPassesTheTesterAndReadsPagesLazily) {
    Transaction transaction(*ctx.db);
    for (int i = 0; i < 1000; ++i)
        add("Money", QStringLiteral("cat %1").arg(i % 7),
            QStringLiteral("t%1").arg(i, 4, 10, QLatin1Char('0')),
            QStringLiteral("first line %1\nsecond line").arg(i));
    transaction.commit();
    const TableQuery query(5, "Money", false);
    TableModel model(ctx.db, query.select_from(), 8);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.fill(query.build({}).statement);
    EXPECT_EQ(model.rowCount(), 1000);
    EXPECT_EQ(model.columnCount(), 8);
    const int read_by_tester = model.pages_read();
    // The content cell shows its first line only; the record has it whole.
    const int row = model.row_of(model.item_nr_at(500));
    EXPECT_EQ(row, 500);
    EXPECT_TRUE(model.text(500, 7).startsWith("first line"));
    EXPECT_FALSE(model.text(500, 7).contains("second"));
    EXPECT_TRUE(model.record(500)[7].toString().endsWith("second line"));
    // Walking every row keeps only a few pages.
    for (int r = 0; r < model.rowCount(); ++r)
        model.text(r, 6);
    EXPECT_LE(model.cached_pages(), TableModel::kept_pages);
    EXPECT_GE(model.pages_read() - read_by_tester, 1000 / TableModel::page_rows);
    // Rows are in the statement's order: category, then title.
    EXPECT_LE(model.text(0, 2), model.text(999, 2));
    model.set_headers({"Nr", "Collection"});
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Collection");
    model.fill(query.build({}).statement + " limit 0");
    EXPECT_EQ(model.rowCount(), 0);
}

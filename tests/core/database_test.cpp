// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "support/fakes.h"
#include "support/temp_env.h"
#include "support/test_db.h"

#include <gtest/gtest.h>

// A command that fails half-way must leave nothing behind on the connection it shares with
// every window, not only in the file.
TEST(Transaction, LeftUncommittedWritesNothingOnTheOpenConnection) {
    TempEnv env;
    FakeClock clock;
    auto db = new_database(env.path(QStringLiteral("t.tdb")), &clock);
    {
        Transaction transaction(*db);
        db->exec(QStringLiteral("insert into repos (collection, cat, item_title) values ('A', 'B', 'C')"));
    }
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 0);
    Transaction next(*db);
    db->exec(QStringLiteral("insert into repos (collection, cat, item_title) values ('A', 'B', 'D')"));
    next.commit();
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 1);
}

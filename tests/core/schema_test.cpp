// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/schema.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

TEST(Schema, NewDatabaseGetsEveryTableAndVersion) {
    TempEnv env;
    FakeClock clock;
    auto db = Database::open(env.path("new.tdb"), {}, &clock, Database::Mode::CreateNew);
    schema::upgrade(*db);
    EXPECT_EQ(db->user_version(), schema::current_version);
    for (const char* table : {"repos", "cat_seq", "gen_params", "map_params", "session_log", "topics", "items",
                              "contacts"})
        EXPECT_TRUE(db->table_names().contains(QString::fromLatin1(table))) << table;
    db->exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('Books','x','y')"));
    EXPECT_EQ(db->last_insert_id(), 1);
}

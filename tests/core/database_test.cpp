// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_db.h"

#include <gtest/gtest.h>

// A command that fails half-way must leave nothing behind on the connection it shares with
// every window, not only in the file.
TEST(Transaction, LeftUncommittedWritesNothingOnTheOpenConnection) {
    TestDb t;
    Database* db = &t.open_db(QStringLiteral("t.tdb"));
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

TEST(Schema, NewDatabaseGetsEveryTableAndVersion) {
    TestDb t;
    Database* db = &t.open_db(QStringLiteral("new.tdb"));
    EXPECT_EQ(db->user_version(), schema::current_version);
    for (const char* table :
         {"repos", "cat_seq", "gen_params", "map_params", "session_log", "topics", "items", "contacts"})
        EXPECT_TRUE(db->table_names().contains(QString::fromLatin1(table))) << table;
    db->exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('Books','x','y')"));
    EXPECT_EQ(db->last_insert_id(), 1);
}

// A file of version 1 kept per-map settings and the open-map list under names such as "Books:"
// that the maps no longer go by.
TEST(Schema, StepTwoMovesSettingsToTheCanonicalMapName) {
    TestDb t;
    Database* db = &t.open_db(QStringLiteral("old.tdb"));
    db->set_user_version(1);
    db->exec(QStringLiteral(
        "INSERT INTO map_params (colcat, param, value) VALUES ('Books:', '#top', '10'), "
        "('Books', '#left', '20'), ('Books:', '#left', '99'), ('Books:Vol. 2 ', '#top', '30'), "
        "('Books: ', '#top', '40'), ('top MAP', '#top', '50'), ('Media :', '#start_map', 'si')"));
    db->exec(
        QStringLiteral("INSERT INTO gen_params (param, value) VALUES "
                       "('topic_list', 'Books:' || char(13, 10) || 'Books' || char(13, 10) || 'Media: x ')"));
    schema::upgrade(*db);

    EXPECT_EQ(db->user_version(), 2);
    Statement rows =
        db->prepare(QStringLiteral("SELECT colcat || '|' || param || '|' || value FROM map_params "
                                   "ORDER BY colcat COLLATE BINARY, param COLLATE BINARY"));
    QStringList stored;
    while (rows.next())
        stored.append(rows.value(0).toString());
    EXPECT_EQ(stored, QStringList({"Books|#left|20", "Books|#top|10", "Books: |#top|40",
                                   "Books: Vol. 2|#top|30", "Media|#start_map|si", "Top map|#top|50"}));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT value FROM gen_params WHERE param='topic_list'")).toString(),
              QStringLiteral("Books\r\nMedia: x\r\n"));
}

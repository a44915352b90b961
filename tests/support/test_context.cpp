// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_context.h"

#include "core/database.h"
#include "core/schema.h"

void make_database(const QString& path, const QString& password, int items, const Clock* clock) {
    auto db = Database::open(path, password, clock, Database::Mode::CreateNew);
    schema::upgrade(*db);
    Transaction transaction(*db);
    Statement insert = db->prepare(QStringLiteral(
        "insert into repos (collection, cat, item_title, item_content) values ('Books', 'Novels', ?, ?)"));
    for (int i = 1; i <= items; ++i) {
        insert.reset();
        insert.bind(1, QStringLiteral("item %1 l'été").arg(i));
        insert.bind(2, QStringLiteral("secret content number %1 ").arg(i).repeated(8));
        insert.next();
    }
    transaction.commit();
}

int count_items(const QString& path, const QString& password, const Clock* clock) {
    auto db = Database::open(path, password, clock);
    return db->scalar(QStringLiteral("select count(*) from repos")).toInt();
}

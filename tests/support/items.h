// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"

// Inserts an item with bound values (no quoting involved) and returns its item number; a null
// content stays NULL, as the program's own inserts leave it.
inline qint64 insert_item(Database& db, const QString& collection, const QString& cat, const QString& title,
                          const QString& content = {}) {
    Statement insert = db.prepare(
        QStringLiteral("insert into repos (collection, cat, item_title, item_content) values (?, ?, ?, ?)"));
    insert.bind(1, collection);
    insert.bind(2, cat);
    insert.bind(3, title);
    insert.bind(4, content.isNull() ? QVariant() : QVariant(content));
    insert.next();
    return db.last_insert_id();
}

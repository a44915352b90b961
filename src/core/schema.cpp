// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/schema.h"

#include "core/database.h"

#include <QHash>
#include <QStringList>

namespace {

struct TableDef {
    const char* name;
    const char* columns; // column definitions, in order
};

// Text columns compare without regard to letter case, as every lookup of the program expects.
const TableDef tables[] = {
    {"repos", "item_nr INTEGER PRIMARY KEY AUTOINCREMENT, collection TEXT COLLATE NOCASE, "
              "cat TEXT COLLATE NOCASE, mark TEXT COLLATE NOCASE, item_id REAL, seq REAL, "
              "item_title TEXT COLLATE NOCASE, item_content TEXT COLLATE NOCASE, date_expiry REAL, "
              "date_remind REAL, date_notified REAL"},
    {"cat_seq", "collection TEXT COLLATE NOCASE, cat TEXT COLLATE NOCASE, seq REAL"},
    {"gen_params", "param TEXT COLLATE NOCASE, value TEXT"},
    {"map_params", "colcat TEXT COLLATE NOCASE, param TEXT COLLATE NOCASE, value TEXT"},
    {"session_log", "start_time REAL, end_time REAL, duration_seconds REAL"},
    {"topics", "topic_nr INTEGER, topic_name TEXT COLLATE NOCASE"},
    {"items", "item_nr INTEGER, sub_topic_nr INTEGER, item_title TEXT COLLATE NOCASE"},
    {"contacts", "item_nr INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT COLLATE NOCASE, "
                 "address TEXT COLLATE NOCASE, phone TEXT COLLATE NOCASE, email TEXT COLLATE NOCASE"},
};

// Indexes for the lookups the windows issue most: maps by collection and category, titles,
// the calendar's dates, parameter keys and the session row by its start.
const char* const indexes[] = {
    "CREATE INDEX IF NOT EXISTS repos_colcat ON repos (collection, cat, seq)",
    "CREATE INDEX IF NOT EXISTS repos_title ON repos (item_title)",
    "CREATE INDEX IF NOT EXISTS repos_expiry ON repos (date_expiry)",
    "CREATE INDEX IF NOT EXISTS repos_remind ON repos (date_remind)",
    "CREATE INDEX IF NOT EXISTS cat_seq_colcat ON cat_seq (collection, cat)",
    "CREATE UNIQUE INDEX IF NOT EXISTS gen_params_param ON gen_params (param)",
    "CREATE INDEX IF NOT EXISTS map_params_key ON map_params (colcat, param)",
    "CREATE INDEX IF NOT EXISTS session_log_start ON session_log (start_time)",
};

QStringList column_names(Database& db, const QString& table) {
    QStringList names;
    Statement info = db.prepare(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    while (info.next())
        names.append(info.text(QStringLiteral("name")).toLower());
    return names;
}

QStringList declared_columns(const TableDef& def) {
    QStringList names;
    for (const QString& part : QString::fromLatin1(def.columns).split(QLatin1Char(',')))
        names.append(part.trimmed().section(QLatin1Char(' '), 0, 0).toLower());
    return names;
}

// Rebuilds an existing table with the declared columns and collations, keeping every row and
// every column both forms share; columns the program does not know are kept at the end.
void rebuild(Database& db, const TableDef& def) {
    const QString name = QString::fromLatin1(def.name);
    const QStringList existing = column_names(db, name);
    const QStringList declared = declared_columns(def);
    QString columns = QString::fromLatin1(def.columns);
    QStringList shared;
    for (const QString& column : existing) {
        if (declared.contains(column)) {
            shared.append(column);
        } else {
            columns += QStringLiteral(", \"%1\"").arg(column);
            shared.append(QStringLiteral("\"%1\"").arg(column));
        }
    }
    const QString temp = name + QStringLiteral("_upgrade");
    db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(temp, columns));
    if (!shared.isEmpty()) {
        const QString list = shared.join(QLatin1Char(','));
        db.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(temp, list, name));
    }
    db.exec(QStringLiteral("DROP TABLE %1").arg(name));
    db.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(temp, name));
}

// Step 1: the tables of the data model with their collations, and the indexes.
void step_1(Database& db) {
    const QStringList present = db.table_names();
    for (const TableDef& def : tables) {
        const QString name = QString::fromLatin1(def.name);
        bool found = false;
        for (const QString& table : present)
            found = found || table.compare(name, Qt::CaseInsensitive) == 0;
        if (found)
            rebuild(db, def);
        else
            db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(name, QString::fromLatin1(def.columns)));
    }
    // Duplicate parameter rows from older files would block the unique index: keep the newest.
    db.exec(QStringLiteral("DELETE FROM gen_params WHERE rowid NOT IN (SELECT max(rowid) FROM gen_params "
                           "GROUP BY param)"));
    for (const char* index : indexes)
        db.exec(QString::fromLatin1(index));
}

} // namespace

namespace schema {

void upgrade(Database& db) {
    const int version = db.user_version();
    if (version >= current_version) return;
    Transaction transaction(db);
    if (version < 1) step_1(db);
    db.set_user_version(current_version);
    transaction.commit();
}

} // namespace schema

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/schema.h"

#include "core/database.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <vector>

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

// The one spelling of a stored map name, from its text alone (the collection table is not known
// yet when the file opens): a collection map as its collection ("Books:" -> "Books"), a category
// map as collection + ": " + category ("Books:Vol " -> "Books: Vol", "Books: " stays the map of the
// empty category). Letter case is left as it is: the stored names compare without it.
QString canonical_stored_map_name(const QString& name) {
    QString trimmed = name.trimmed();
    if (trimmed.compare(QLatin1String("Top map"), Qt::CaseInsensitive) == 0) return QStringLiteral("Top map");
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    if (colon < 0) return trimmed;
    QString collection = name.left(colon).trimmed();
    const QString rest = name.mid(colon + 1);
    if (rest.isEmpty()) return collection;
    return collection + QStringLiteral(": ") + rest.trimmed();
}

// Per-map parameters kept under a name that is not the one spelling of their map: they move to
// it. Where the map already has the parameter under its canonical name that row stays, otherwise
// the newest row of the group does.
void canonical_map_params(Database& db) {
    struct Row {
        qint64 rowid;
        QString colcat;
    };
    QHash<QString, std::vector<Row>> groups;
    QHash<QString, QString> canonical_of_group;
    Statement rows = db.prepare(QStringLiteral("SELECT rowid, colcat, param FROM map_params ORDER BY rowid"));
    while (rows.next()) {
        const QString colcat = rows.text(QStringLiteral("colcat"));
        const QString canonical = canonical_stored_map_name(colcat);
        const QString key =
            canonical.toCaseFolded() + QChar(0) + rows.text(QStringLiteral("param")).toCaseFolded();
        groups[key].push_back({rows.value(0).toLongLong(), colcat});
        canonical_of_group.insert(key, canonical);
    }
    Statement remove = db.prepare(QStringLiteral("DELETE FROM map_params WHERE rowid=?"));
    Statement rename = db.prepare(QStringLiteral("UPDATE map_params SET colcat=? WHERE rowid=?"));
    for (auto group = groups.cbegin(); group != groups.cend(); ++group) {
        const QString canonical = canonical_of_group.value(group.key());
        const std::vector<Row>& members = group.value();
        const Row* kept = &members.back();
        for (const Row& row : members)
            if (row.colcat.compare(canonical, Qt::CaseInsensitive) == 0) kept = &row;
        for (const Row& row : members) {
            if (&row == kept) continue;
            remove.reset();
            remove.bind(1, row.rowid);
            remove.next();
        }
        if (kept->colcat == canonical) continue;
        rename.reset();
        rename.bind(1, canonical);
        rename.bind(2, kept->rowid);
        rename.next();
    }
}

// The list of maps open at the end of the last session, one name a line, in canonical spelling
// and without a map named twice.
void canonical_open_maps(Database& db) {
    Statement read = db.prepare(QStringLiteral("SELECT value FROM gen_params WHERE param='topic_list'"));
    if (!read.next()) return;
    const QString list = read.text(QStringLiteral("value"));
    QStringList names;
    for (const QString& line :
         list.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts)) {
        const QString name = canonical_stored_map_name(line);
        if (name.isEmpty()) continue;
        bool seen = false;
        for (const QString& kept : names)
            seen = seen || kept.compare(name, Qt::CaseInsensitive) == 0;
        if (!seen) names.append(name);
    }
    QString text;
    for (const QString& name : names)
        text += name + QStringLiteral("\r\n");
    if (text == list) return;
    Statement write = db.prepare(QStringLiteral("UPDATE gen_params SET value=? WHERE param='topic_list'"));
    write.bind(1, text);
    write.next();
}

// Step 2: every stored map name in its one spelling, so that "Books:" settings reach "Books".
void step_2(Database& db) {
    canonical_map_params(db);
    canonical_open_maps(db);
}

} // namespace

namespace schema {

void upgrade(Database& db) {
    const int version = db.user_version();
    if (version >= current_version) return;
    Transaction transaction(db);
    if (version < 1) step_1(db);
    if (version < 2) step_2(db);
    db.set_user_version(current_version);
    transaction.commit();
}

} // namespace schema

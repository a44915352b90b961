// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"

#include "core/database.h"
#include "core/seams.h"
#include "core/sql_text.h"

#include <cmath>

namespace {

QString map_where(const QString& map_name, const QString& key) {
    return QStringLiteral(" where colcat='") + sql_quote(map_name) + QStringLiteral("' and param='") + key +
           QStringLiteral("'");
}

bool same_text(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString get_gen_param(Database& db, const QString& key) {
    return db.scalar(QStringLiteral("select value from gen_params where param='") + key + QStringLiteral("'"))
        .toString();
}

void set_gen_param(Database& db, const QString& key, const QString& value) {
    Statement current =
        db.prepare(QStringLiteral("select * from gen_params where param='") + key + QStringLiteral("'"));
    if (!current.next()) {
        Statement insert = db.prepare(QStringLiteral("insert into gen_params (param, value) values (?, ?)"));
        insert.bind(1, key);
        insert.bind(2, value);
        insert.next();
        return;
    }
    if (same_text(current.text(QStringLiteral("value")), value)) return;
    Statement update = db.prepare(QStringLiteral("update gen_params set value=? where param=?"));
    update.bind(1, value);
    update.bind(2, key);
    update.next();
}

QString get_map_param(Database& db, const QString& map_name, const QString& key) {
    return db.scalar(QStringLiteral("select value from map_params") + map_where(map_name, key)).toString();
}

void set_map_param(Database& db, Prompter& prompter, const QString& map_name, const QString& key,
                   const QString& value) {
    try {
        Statement current = db.prepare(QStringLiteral("select * from map_params") + map_where(map_name, key));
        if (!current.next()) {
            Statement insert =
                db.prepare(QStringLiteral("insert into map_params (colcat, param, value) values (?, ?, ?)"));
            insert.bind(1, map_name);
            insert.bind(2, key);
            insert.bind(3, value);
            insert.next();
            return;
        }
        if (same_text(current.text(QStringLiteral("value")), value)) return;
        Statement update =
            db.prepare(QStringLiteral("update map_params set value=?") + map_where(map_name, key));
        update.bind(1, value);
        update.next();
    } catch (const DbError& error) {
        report_error(prompter, error);
    }
}

void delete_map_param(Database& db, Prompter& prompter, const QString& map_name, const QString& key) {
    try {
        db.exec(QStringLiteral("delete from map_params") + map_where(map_name, key));
    } catch (const DbError& error) {
        report_error(prompter, error);
    }
}

void report_error(Prompter& prompter, const DbError& error) {
    prompter.message(QStringLiteral("Error %1 - %2").arg(error.number()).arg(error.description()));
}

std::optional<double> numeric_value(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    // "inf" and "nan" parse, but no stored setting means them.
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

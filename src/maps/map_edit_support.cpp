// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_edit_support.h"

#include "core/column_values.h"
#include "core/dates.h"
#include "core/format.h"
#include "core/sql_text.h"
#include "maps/panel_facts.h"

namespace map_edit {

namespace {

MapItem read_row(const Statement& row) {
    MapItem item;
    item.item_nr = row.value(QStringLiteral("item_nr")).toLongLong();
    item.title = row.text(QStringLiteral("item_title"));
    item.content = row.text(QStringLiteral("item_content"));
    item.expiry = date_of(row.value(QStringLiteral("date_expiry")));
    item.remind = date_of(row.value(QStringLiteral("date_remind")));
    item.notified = date_of(row.value(QStringLiteral("date_notified")));
    item.mark = row.text(QStringLiteral("mark"));
    item.id = number_of(row.value(QStringLiteral("item_id")));
    item.seq = number_of(row.value(QStringLiteral("seq")));
    return item;
}

bool holds_category(const QString& cats, const QString& cat) {
    if (same_text(cats, cat)) return true;
    if (!cats.contains(QLatin1Char(','))) return false;
    for (const QString& part : cats.split(QLatin1Char(',')))
        if (same_text(part.trimmed(), cat)) return true;
    return false;
}

} // namespace

bool same_text(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString title_key(const QString& title) {
    return title.toCaseFolded();
}

QString eq(const QString& value) {
    return equality_text(value);
}

QString map_condition(const QString& collection, const QString& cat) {
    return QStringLiteral("collection='") + eq(collection) + QStringLiteral("' and cat='") + eq(cat) +
           QStringLiteral("'");
}

bool has_row(Database& db, const QString& sql) {
    Statement statement = db.prepare(sql);
    return statement.next();
}

std::optional<MapItem> find_item(Database& db, const QString& sql) {
    Statement row = db.prepare(sql);
    if (!row.next()) return std::nullopt;
    return read_row(row);
}

std::vector<MapItem> category_items(Database& db, const MapIdentity& map) {
    // The like finds the category inside comma lists; the exact test below drops rows where it
    // is only part of another category's name.
    const QString sql = map.cat.isEmpty()
                            ? QStringLiteral("select * from repos where collection='") + eq(map.collection) +
                                  QStringLiteral("' and cat ='' order by seq,item_title")
                            : QStringLiteral("select * from repos where collection='") + eq(map.collection) +
                                  QStringLiteral("' and cat like '*") + like_escaped(map.cat) +
                                  QStringLiteral("*' order by seq,item_title");
    std::vector<MapItem> items;
    Statement rows = db.prepare(sql);
    const QString separator = separator_title(map.cat);
    while (rows.next()) {
        if (!holds_category(rows.text(QStringLiteral("cat")), map.cat)) continue;
        MapItem item = read_row(rows);
        if (same_text(item.title, separator)) continue;
        items.push_back(std::move(item));
    }
    return items;
}

QString separator_title(const QString& cat) {
    return QStringLiteral(" _____ ") + cat + QStringLiteral(" _____");
}

void delete_fillers(Database& db, const QString& collection, const QString& cat) {
    QStringList others;
    {
        Statement rows = db.prepare(QStringLiteral("select item_title from repos where ") +
                                    map_condition(collection, cat) + QStringLiteral(" and item_title<>'-'"));
        while (others.size() < 2 && rows.next())
            others.append(rows.value(0).toString());
    }
    if (others.isEmpty()) return;
    if (others.size() == 1 && same_text(others.front(), separator_title(cat))) return;
    db.exec(QStringLiteral("Delete from repos where collection ='") + eq(collection) +
            QStringLiteral("' and cat='") + eq(cat) + QStringLiteral("' and item_title = '-'"));
}

QVariant date_value(const std::optional<QDateTime>& when) {
    return when ? QVariant(dates::to_julian(*when)) : QVariant();
}

QString position_text(int position) {
    return format_number(position, QStringLiteral("000"));
}

} // namespace map_edit

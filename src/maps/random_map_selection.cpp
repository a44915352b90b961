// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/random_map_selection.h"

#include "core/collections.h"
#include "core/sql_text.h"
#include "maps/map_names.h"

namespace {

QString items_of(const QString& collection, const QString& cat) {
    QString statement =
        QStringLiteral("Select * from repos where collection='") + sql_quote(collection) + QLatin1Char('\'');
    if (!cat.isEmpty()) statement += QStringLiteral(" and cat='") + sql_quote(cat) + QLatin1Char('\'');
    return statement;
}

RandomSelection top_map_selection() {
    RandomSelection selection;
    selection.query = QStringLiteral("Select * from repos");
    selection.map_name = top_map_name;
    selection.position = CollectionTable::all_collections;
    return selection;
}

} // namespace

RandomSelection category_storm_selection(const CollectionTable& collections, const QString& collection,
                                         const QString& cat) {
    RandomSelection selection;
    selection.query = items_of(collection, cat);
    selection.map_name = collection + QStringLiteral(": ") + cat;
    selection.position = collections.find(collection);
    return selection;
}

RandomSelection map_storm_selection(const MapIdentity& map, const QString& statement) {
    if (map.top_map()) return top_map_selection();
    RandomSelection selection;
    selection.map_name = map.name;
    selection.position = map.position;
    if (map.collection_map()) {
        selection.query = QStringLiteral("Select distinct cat from repos where collection='") +
                          sql_quote(map.collection) + QLatin1Char('\'');
    } else {
        selection.query = statement.isEmpty() ? items_of(map.collection, map.cat) : statement;
    }
    return selection;
}

RandomSelection attributes_storm_selection(const CollectionTable& collections,
                                           const FormAttributes& attributes) {
    if (is_top_map_name(attributes.map_name)) return top_map_selection();
    RandomSelection selection;
    selection.map_name = attributes.map_name;
    selection.position = attributes.position;
    selection.item_nr = attributes.item_nr;
    if (!attributes.query.isEmpty() &&
        !attributes.query.contains(QStringLiteral("select distinct"), Qt::CaseInsensitive)) {
        selection.query = attributes.query;
    } else if (!attributes.map_name.isEmpty()) {
        selection.query =
            items_of(collection_of(collections, attributes.map_name), cat_of(attributes.map_name));
    } else {
        selection.query = QStringLiteral("Select * from repos");
    }
    return selection;
}

RandomSelection statement_storm_selection(const QString& statement, const QString& map_name, int position) {
    RandomSelection selection;
    selection.query = statement;
    selection.map_name = map_name;
    selection.position = position;
    return selection;
}

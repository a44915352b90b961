// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/random_handoffs.h"

#include "core/collections.h"
#include "core/sql_text.h"
#include "maps/map_items.h"
#include "maps/map_names.h"

namespace {

const QString every_item_statement = QStringLiteral("Select * from repos");

} // namespace

QString items_of_map_statement(const QString& collection, const QString& cat) {
    QString statement =
        QStringLiteral("Select * from repos where collection='") + sql_quote(collection) + QLatin1Char('\'');
    if (!cat.isEmpty()) statement += QStringLiteral(" and cat='") + sql_quote(cat) + QLatin1Char('\'');
    return statement;
}

RandomSelection random_selection_of_map(const MapIdentity& map) {
    RandomSelection selection;
    selection.map_name = map.name;
    selection.position = map.position;
    if (map.top_map())
        selection.query = QStringLiteral("select * from repos");
    else
        selection.query = items_of_map_statement(map.collection, map.collection_map() ? QString() : map.cat);
    return selection;
}

RandomSelection random_selection_of_item(const CollectionTable& collections, const QString& collection,
                                         const QString& cat, const QString& title) {
    RandomSelection selection;
    selection.query = items_of_map_statement(collection, cat) + QStringLiteral(" and item_title='") +
                      sql_quote(title) + QLatin1Char('\'');
    selection.map_name = collection + QStringLiteral(": ") + cat;
    selection.position = collection_index(collections, collection);
    return selection;
}

RandomSelection random_selection_of_attributes(const CollectionTable& collections,
                                               const FormAttributes& attributes) {
    RandomSelection selection;
    selection.map_name = attributes.map_name;
    selection.position = attributes.position;
    selection.item_nr = attributes.item_nr;
    selection.picture_dir = attributes.picture_dir;
    if (!attributes.query.isEmpty() &&
        !attributes.query.contains(QStringLiteral("select distinct"), Qt::CaseInsensitive)) {
        selection.query = attributes.query;
    } else if (!attributes.map_name.isEmpty() && !is_top_map_name(attributes.map_name)) {
        selection.query = items_of_map_statement(collection_of(collections, attributes.map_name),
                                                 cat_of(attributes.map_name));
    } else {
        selection.query = every_item_statement;
    }
    return selection;
}

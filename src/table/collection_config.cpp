// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/collection_config.h"

#include "core/collections.h"
#include "core/database.h"
#include "core/params.h"

#include <cmath>

namespace {

QString key(const char* prefix, int position, const char* suffix) {
    return QLatin1String(prefix) + QStringLiteral("%1").arg(position, 2, 10, QLatin1Char('0')) +
           QLatin1String(suffix);
}

QString flag_text(bool on) {
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

bool stored_flag(Database& db, const QString& name, bool fallback) {
    const auto value = numeric_value(get_gen_param(db, name));
    return value ? std::round(*value) != 0.0 : fallback;
}

} // namespace

std::vector<int> config_positions(bool cogniva) {
    std::vector<int> positions;
    for (int position = cogniva ? 19 : 12; position <= 42; ++position)
        positions.push_back(position);
    return positions;
}

CollectionFlags flags_of(const CollectionTable& collections, int position) {
    const Collection& collection = collections.at(position);
    return CollectionFlags{collection.visible, collection.open_coll_as_map, collection.open_cat_as_map};
}

void save_collection_config(Database& db, CollectionTable& collections,
                            const std::map<int, CollectionFlags>& rows) {
    std::map<int, CollectionFlags> written;
    for (int position = 1; position <= CollectionTable::count; ++position) {
        const auto row = rows.find(position);
        if (row != rows.end()) {
            written[position] = row->second;
            continue;
        }
        written[position] = CollectionFlags{stored_flag(db, key("coll", position, "_visible"), true),
                                            stored_flag(db, key("coll", position, "_open_as_table"), false),
                                            stored_flag(db, key("cat", position, "_open_as_table"), false)};
    }
    Transaction transaction(db);
    for (const auto& [position, flags] : written) {
        set_gen_param(db, key("coll", position, "_visible"), flag_text(flags.visible));
        set_gen_param(db, key("coll", position, "_open_as_table"), flag_text(flags.coll_as_map));
        set_gen_param(db, key("cat", position, "_open_as_table"), flag_text(flags.cat_as_map));
    }
    transaction.commit();
    // The table changes only once everything is stored, so a failure leaves both as they were.
    for (const auto& [position, flags] : rows) {
        Collection& collection = collections.at(position);
        collection.visible = flags.visible;
        collection.open_coll_as_map = flags.coll_as_map;
        collection.open_cat_as_map = flags.cat_as_map;
    }
}

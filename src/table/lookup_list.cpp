// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/lookup_list.h"

#include "core/database.h"
#include "core/sql_text.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<LookupTarget, QString>, 4> target_names{{
    {LookupTarget::EditCollection, QStringLiteral("edit_or_ins_collection")},
    {LookupTarget::EditCat, QStringLiteral("edit_or_ins_cat")},
    {LookupTarget::FilterCollection, QStringLiteral("filter_collection")},
    {LookupTarget::FilterCat, QStringLiteral("filter_cat")},
}};

} // namespace

std::optional<LookupTarget> lookup_target_named(const QString& name) {
    for (const auto& [target, target_name] : target_names)
        if (target_name == name) return target;
    return std::nullopt;
}

QString lookup_target_name(LookupTarget target) {
    for (const auto& [each, name] : target_names)
        if (each == target) return name;
    return {};
}

QString lookup_list_statement(LookupTarget target, const LookupSource& source) {
    if (target == LookupTarget::EditCollection || target == LookupTarget::FilterCollection)
        return QStringLiteral("select distinct collection from repos order by collection");
    QString collection = source.edit_collection;
    const QString filter_collection = source.filter_collection.trimmed();
    if (target == LookupTarget::FilterCat) {
        if (!filter_collection.isEmpty())
            collection = filter_collection;
        else if (source.all_collections_view)
            return QStringLiteral("select distinct cat from repos order by cat");
    }
    return QStringLiteral("select distinct cat from repos where collection = '") + sql_quote(collection) +
           QStringLiteral("' order by cat");
}

QStringList lookup_list_entries(Database& db, LookupTarget target, const LookupSource& source) {
    QStringList entries;
    Statement rows = db.prepare(lookup_list_statement(target, source));
    while (rows.next())
        entries.append(rows.value(0).toString());
    return entries;
}

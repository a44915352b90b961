// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/map_list.h"

#include "core/app_context.h"
#include "core/database.h"
#include "core/sql_text.h"
#include "maps/map_names.h"
#include "table/global_find.h"

namespace {

const QString reference_prefix = QStringLiteral("> ");

bool has_column(Database& db, const QString& table, const QString& column) {
    Statement info = db.prepare(QStringLiteral("pragma table_info(") + table + QLatin1Char(')'));
    while (info.next())
        if (info.text(QStringLiteral("name")).compare(column, Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

TopicList show_topic_list(Database& db, const QString& filter, bool filter_on) {
    QString sql = QStringLiteral("select distinct collection,cat from repos ");
    if (filter_on && !filter.isEmpty()) {
        const QString quoted = sql_quote(filter);
        sql += QStringLiteral(" where  cat like '*") + quoted + QStringLiteral("*' or collection like '*") +
               quoted + QStringLiteral("*'");
    }
    sql += QStringLiteral(" order by collection,cat");
    TopicList list;
    Statement rows = db.prepare(sql);
    while (rows.next()) {
        ++list.rows_read;
        const QString cat = rows.text(QStringLiteral("cat"));
        if (cat.startsWith(reference_prefix)) continue;
        list.entries.append(rows.text(QStringLiteral("collection")) + QStringLiteral(": ") + cat);
    }
    return list;
}

bool filter_box_for(const QString& text) {
    return !text.trimmed().isEmpty();
}

QStringList parentless_maps(Database& db) {
    // Older files keep the parent's number in items.topic_nr; without that column an item can
    // only point to a sub-topic, so the self-reference test is left out.
    const bool with_parent_column = has_column(db, QStringLiteral("items"), QStringLiteral("topic_nr"));
    QStringList names;
    Statement topics = db.prepare(QStringLiteral("select * from topics order by topic_name"));
    while (topics.next()) {
        const QString number = QString::number(topics.value(QStringLiteral("topic_nr")).toLongLong());
        QString sql = QStringLiteral("select * from items where sub_topic_nr = ") + number;
        if (with_parent_column) sql += QStringLiteral(" and topic_nr <> ") + number;
        Statement children = db.prepare(sql);
        if (!children.next()) names.append(topics.text(QStringLiteral("topic_name")));
    }
    return names;
}

MapListOpening map_list_opening(const QStringList& selected, const QString& filter) {
    MapListOpening opening;
    if (!selected.isEmpty()) {
        opening.mode = MapListOpening::Mode::Selected;
        opening.entries = selected.mid(0, max_selected_maps);
        opening.caption = QStringLiteral("Maps selected");
    } else if (filter != parentless_marker) {
        opening.mode = MapListOpening::Mode::Filter;
        opening.filter = filter;
        opening.caption = QStringLiteral("Maps");
    } else {
        opening.mode = MapListOpening::Mode::Parentless;
        opening.caption = QStringLiteral("Parentless maps");
    }
    return opening;
}

QString map_list_caption(const QString& caption, int found) {
    return caption + QStringLiteral(" - (found: ") + QString::number(found) + QLatin1Char(')');
}

bool open_entry_table(AppContext& ctx, const QString& entry, bool with_cat,
                      const std::function<void(int)>& open_table) {
    const int position = collection_index(ctx.collections, collection_of(ctx.collections, entry));
    if (position == 0) return false;
    ctx.table_presets = TablePresets{};
    if (with_cat) ctx.table_presets.category = cat_of(entry);
    return hand_to_table_view(ctx, position, open_table);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/storm_tags.h"

#include "core/collections.h"
#include "core/database.h"
#include "core/picture_names.h"
#include "maps/map_names.h"
#include "random/random_item_display.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace {

constexpr int tool_tip_length = 120;

bool is_top_map(const RandomSelection& selection) {
    return is_top_map_name(selection.map_name) || (selection.position == CollectionTable::all_collections &&
                                                   selection.map_name.isEmpty() && selection.query.isEmpty());
}

void collection_tags(const CollectionTable& collections, std::vector<StormTag>& tags) {
    for (int position = 1; position < CollectionTable::all_collections; ++position) {
        const Collection& collection = collections.at(position);
        if (!collection.defined || collection.name.isEmpty()) continue;
        StormTag tag;
        tag.title = collection.name;
        tags.push_back(tag);
    }
}

void category_tags(Database& db, const QString& query, std::vector<StormTag>& tags) {
    Statement rows = db.prepare(query);
    const int cat_column = rows.column_index(QStringLiteral("cat"));
    while (rows.next()) {
        StormTag tag;
        tag.cat = rows.value(cat_column < 0 ? 0 : cat_column).toString();
        tag.title = tag.cat;
        tags.push_back(tag);
    }
}

void item_tags(Database& db, const QString& query, std::vector<StormTag>& tags) {
    Statement rows = db.prepare(query);
    while (rows.next()) {
        StormTag tag;
        tag.title = rows.text(QStringLiteral("item_title"));
        tag.cat = rows.text(QStringLiteral("cat"));
        if (tag.title == QLatin1String("-") || is_category_separator(tag.title, tag.cat)) continue;
        tag.item_nr = rows.value(QStringLiteral("item_nr")).toLongLong();
        tag.content = rows.text(QStringLiteral("item_content"));
        tag.picture = linked_picture(tag.content);
        tags.push_back(tag);
    }
}

void picture_tags(const QStringList& paths, std::vector<StormTag>& tags) {
    for (const QString& path : paths) {
        StormTag tag;
        tag.title = QFileInfo(path).fileName();
        tag.picture = path;
        tags.push_back(tag);
    }
}

} // namespace

QString tag_limit_message() {
    return QStringLiteral("Max number of tags (%1) exceeded.").arg(storm_tag_limit);
}

StormTags load_storm_tags(Database& db, const CollectionTable& collections, const RandomSelection& selection,
                          const QStringList& viewer_list) {
    StormTags result;
    result.caption = storm_caption(selection);
    const bool pictures = !selection.picture_dir.isEmpty();
    if (pictures) {
        picture_tags(selection.picture_dir == viewer_list_marker
                         ? viewer_list
                         : list_pictures(selection.picture_dir, std::numeric_limits<qsizetype>::max()),
                     result.tags);
    } else if (is_top_map(selection)) {
        collection_tags(collections, result.tags);
    } else if (selection.query.contains(QStringLiteral("select distinct"), Qt::CaseInsensitive)) {
        category_tags(db, selection.query, result.tags);
    } else {
        item_tags(db, selection.query, result.tags);
    }
    const int count = static_cast<int>(result.tags.size());
    if (count > storm_tag_limit) {
        result.left_out = count - storm_tag_limit;
        result.tags.resize(storm_tag_limit);
        result.limit_message = QStringLiteral("Max number of tags (%1) exceeded. ").arg(storm_tag_limit);
        result.limit_message +=
            pictures ? QString::number(result.left_out) + QStringLiteral(" tags will not be shown.")
                     : QStringLiteral("Some tags will not be shown.");
    }
    return result;
}

QString storm_caption(const RandomSelection& selection) {
    if (selection.picture_dir == viewer_list_marker)
        return QStringLiteral("Random map of pictures from image viewer list");
    if (!selection.picture_dir.isEmpty())
        return QStringLiteral("Random map of pictures in ") + QDir::toNativeSeparators(selection.picture_dir);
    if (is_top_map(selection)) return QStringLiteral("TOP MAP");
    if (!selection.map_name.isEmpty()) return selection.map_name;
    return QStringLiteral("Random map");
}

QString linked_picture(const QString& content) {
    const QString first_line = content.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r')).trimmed();
    if (!first_line.startsWith(QLatin1String("LINK="), Qt::CaseInsensitive)) return {};
    const QString target = first_line.mid(5).trimmed();
    return is_picture_file_name(target) ? target : QString();
}

QString tag_caption(const QString& title) {
    return QLatin1Char(' ') + title + QLatin1Char(' ');
}

QString tag_tool_tip(const QString& content) {
    if (content.size() <= tool_tip_length) return content;
    return content.left(tool_tip_length) + QStringLiteral("...");
}

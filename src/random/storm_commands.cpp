// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/storm_commands.h"

#include "core/app_context.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/map_edit_support.h"
#include "maps/map_editing.h"
#include "maps/map_names.h"

namespace {

// The chronologies: their titles are numbers.
constexpr int first_chronology = 11;
constexpr int second_chronology = 13;

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The item of a tag as it now stands in the database; the user is told when it is gone.
std::optional<MapItem> current_item(AppContext& ctx, qint64 item_nr) {
    std::optional<MapItem> item = map_edit::find_item(
        *ctx.db, QStringLiteral("Select * from repos where item_nr = ") + QString::number(item_nr));
    if (!item) ctx.prompter.message(missing_item_message());
    return item;
}

struct ItemPlace {
    QString collection;
    QString cat;
};

std::optional<ItemPlace> place_of(Database& db, qint64 item_nr) {
    Statement row = db.prepare(QStringLiteral("select collection, cat from repos where item_nr = ?"));
    row.bind(1, item_nr);
    if (!row.next()) return std::nullopt;
    return ItemPlace{row.text(QStringLiteral("collection")), row.text(QStringLiteral("cat"))};
}

std::optional<StormTag> add_storm_item(AppContext& ctx, const StormMap& map, const QString& title) {
    Database& db = *ctx.db;
    Statement existing =
        db.prepare(QStringLiteral("select item_nr from repos where collection=? and cat=? and item_title=?"));
    existing.bind(1, map.collection);
    existing.bind(2, map.cat);
    existing.bind(3, title);
    if (existing.next()) {
        ctx.prompter.message(QStringLiteral("Item already exists."));
        return std::nullopt;
    }
    Transaction transaction(db);
    Statement insert =
        db.prepare(QStringLiteral("Insert into repos (collection,cat,item_title) values (?,?,?)"));
    insert.bind(1, map.collection);
    insert.bind(2, map.cat);
    insert.bind(3, title);
    insert.next();
    map_edit::delete_fillers(db, map.collection, map.cat);
    const qint64 item_nr = db.last_insert_id();
    Statement added = db.prepare(QStringLiteral("select * from repos where item_nr=?"));
    added.bind(1, item_nr);
    if (!added.next()) {
        ctx.prompter.message(QStringLiteral("error 001227"));
        return std::nullopt;
    }
    StormTag tag;
    tag.item_nr = item_nr;
    tag.title = added.text(QStringLiteral("item_title"));
    tag.cat = added.text(QStringLiteral("cat"));
    transaction.commit();
    return tag;
}

} // namespace

QString missing_item_message() {
    return QStringLiteral("This item no longer exists: it was deleted or moved in another window.");
}

StormMap storm_map_of(const CollectionTable& collections, const RandomSelection& selection) {
    StormMap map;
    if (selection.map_name.isEmpty() || is_top_map_name(selection.map_name)) return map;
    map.name = selection.map_name;
    map.collection = collection_of(collections, selection.map_name);
    map.cat = cat_of(selection.map_name);
    map.position = collections.find(map.collection);
    return map;
}

std::optional<StormTag> insert_storm_tag(AppContext& ctx, const StormMap& map, int tag_count) {
    if (tag_count >= storm_tag_limit) {
        ctx.prompter.message(tag_limit_message());
        return std::nullopt;
    }
    if (!map.category_map()) {
        ctx.prompter.message(
            QStringLiteral("Items can be added only to the random map of one category map."));
        return std::nullopt;
    }
    std::optional<QString> answer;
    {
        const TitleQuestionScope asking(ctx);
        answer = ctx.prompter.input(QStringLiteral("Title?"),
                                    QStringLiteral("Adding item to ") + quoted(map.name));
    }
    const QString title = answer.value_or(QString()).trimmed();
    if (title.isEmpty()) return std::nullopt;
    if ((map.position == first_chronology || map.position == second_chronology) && !numeric_value(title)) {
        ctx.prompter.message(QStringLiteral("Item title should be numeric"));
        return std::nullopt;
    }
    try {
        return add_storm_item(ctx, map, title);
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return std::nullopt;
    }
}

std::optional<QString> rename_storm_tag(AppContext& ctx, qint64 item_nr) {
    try {
        const std::optional<MapItem> item = current_item(ctx, item_nr);
        const std::optional<ItemPlace> place = place_of(*ctx.db, item_nr);
        if (!item || !place) return std::nullopt;
        MapItems map(identify_category(ctx.collections, place->collection, place->cat));
        map.append(*item);
        const EditOutcome outcome = rename_tag(ctx, map, 0);
        if (!outcome.refresh_other_maps) return std::nullopt;
        const std::optional<MapItem> renamed = map_edit::find_item(
            *ctx.db, QStringLiteral("Select * from repos where item_nr = ") + QString::number(item_nr));
        if (!renamed || renamed->title == item->title) return std::nullopt;
        return renamed->title;
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return std::nullopt;
    }
}

bool delete_storm_tag(AppContext& ctx, qint64 item_nr) {
    try {
        const std::optional<MapItem> item = current_item(ctx, item_nr);
        if (!item) return false;
        if (!ctx.prompter.yes_no(QStringLiteral("Do you want to delete item ") + quoted(item->title) +
                                     QLatin1Char('?'),
                                 QStringLiteral("Deleting item"), false))
            return false;
        Statement remove = ctx.db->prepare(QStringLiteral("Delete from repos where item_nr = ?"));
        remove.bind(1, item_nr);
        remove.next();
        return true;
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return false;
    }
}

bool table_view_of_tag(AppContext& ctx, qint64 item_nr) {
    try {
        const std::optional<MapItem> item = current_item(ctx, item_nr);
        const std::optional<ItemPlace> place = place_of(*ctx.db, item_nr);
        if (!item || !place) return false;
        const int position = ctx.collections.find(place->collection);
        if (position == 0) {
            ctx.prompter.message(QStringLiteral("Collection ") + quoted(place->collection) +
                                 QStringLiteral(" does not exist."));
            return false;
        }
        ctx.table_presets = TablePresets{};
        ctx.table_presets.category = place->cat;
        ctx.table_presets.item_nr = item_nr;
        ctx.windows.open_table_view(position);
        return true;
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return false;
    }
}

bool map_view_of_tag(AppContext& ctx, qint64 item_nr) {
    try {
        const std::optional<MapItem> item = current_item(ctx, item_nr);
        const std::optional<ItemPlace> place = place_of(*ctx.db, item_nr);
        if (!item || !place) return false;
        ctx.windows.open_map(MapParts{place->collection, place->cat, item->title});
        return true;
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return false;
    }
}

std::optional<int> find_storm_tag(Prompter& prompter, const std::vector<QString>& captions) {
    const QString text =
        prompter.input(QStringLiteral("text?"), QStringLiteral("Find item")).value_or(QString());
    if (text.trimmed().isEmpty()) return std::nullopt;
    for (std::size_t i = 0; i < captions.size(); ++i)
        if (captions[i].contains(text, Qt::CaseInsensitive)) return static_cast<int>(i);
    prompter.message(QStringLiteral("text not found"));
    return std::nullopt;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/random_requests.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/links.h"
#include "maps/map_names.h"
#include "maps/random_handoffs.h"
#include "random/random_choice.h"

namespace {

const QString dated_items_selection = QStringLiteral("Select * from repos where date_expiry is not null");

// The directory an item's "PICDIR=" content names; "" when it names none.
QString picture_dir_of_item(Database& db, const MapParts& item) {
    Statement row = db.prepare(
        QStringLiteral("select item_content from repos where collection=? and cat=? and item_title=?"));
    row.bind(1, item.collection);
    row.bind(2, item.cat);
    row.bind(3, item.item);
    return row.next() ? picture_dir_of_content(row.value(0).toString()) : QString();
}

bool names_a_collection(const CollectionTable& collections, int position) {
    return position >= 1 && position < CollectionTable::all_collections &&
           !collections.at(position).name.isEmpty();
}

} // namespace

RandomSelection selection_of_choice(OpenSession& session, const MapParts& choice) {
    if (choice.collection.isEmpty()) {
        RandomSelection every;
        every.query = all_items_selection;
        return every;
    }
    if (!choice.item.isEmpty()) {
        RandomSelection one =
            random_selection_of_item(session.collections, choice.collection, choice.cat, choice.item);
        if (session.db) one.picture_dir = picture_dir_of_item(*session.db, choice);
        return one;
    }
    RandomSelection map;
    map.query = map_items_selection(choice.collection, choice.cat);
    map.map_name =
        choice.cat.isEmpty() ? choice.collection : choice.collection + QStringLiteral(": ") + choice.cat;
    map.position = collection_index(session.collections, choice.collection);
    return map;
}

RandomSelection random_item_view_selection(AppContext& ctx) {
    RandomSelection selection;
    selection.query = all_items_selection;
    if (ctx.active_kind == WindowKind::Calendar) {
        selection.query = dated_items_selection;
    } else if (ctx.active_kind == WindowKind::Map || ctx.active_kind == WindowKind::Table) {
        const std::optional<FormAttributes> attributes = ctx.windows.active_form_attributes();
        if (attributes && names_a_collection(ctx.collections, attributes->position)) {
            const QString& name = ctx.collections.at(attributes->position).name;
            selection.query = map_items_selection(name);
            selection.map_name = name;
            selection.position = attributes->position;
        }
    }
    return selection;
}

void open_random_item_view(AppContext& ctx) {
    ctx.windows.open_random_item(random_item_view_selection(ctx));
}

void open_random_item_of_collection(AppContext& ctx, int position) {
    if (!names_a_collection(ctx.collections, position)) return;
    RandomSelection selection;
    selection.map_name = ctx.collections.at(position).name;
    selection.query = map_items_selection(selection.map_name);
    selection.position = position;
    ctx.windows.open_random_item(selection);
}

void open_random_item_of_active_form(AppContext& ctx) {
    // A random view answers with its own selection, which would only open the same view again.
    const std::optional<FormAttributes> attributes =
        ctx.active_kind == WindowKind::RandomItem ? std::nullopt : ctx.windows.active_form_attributes();
    if (const std::optional<RandomSelection> selection = selection_of_form(ctx.collections, attributes)) {
        ctx.windows.open_random_item(*selection);
        return;
    }
    try {
        const std::optional<MapParts> choice = ctx.windows.select_map(MapParts{}, false);
        if (!choice) return;
        ctx.windows.open_random_item(selection_of_choice(ctx, *choice));
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
    }
}

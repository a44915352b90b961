// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/active_selection.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/map_names.h"

namespace {

// The dialog's answer for the active window's selection; nothing when the user cancelled.
std::optional<MapParts> choose_from_active_form(AppContext& ctx) {
    const std::optional<FormAttributes> attributes = ctx.windows.active_form_attributes();
    const MapParts prefill = attributes && ctx.db ? parts_of_attributes(ctx, *attributes) : MapParts{};
    return ctx.windows.select_map(prefill, false);
}

} // namespace

MapParts parts_of_attributes(const OpenSession& session, const FormAttributes& attributes) {
    MapParts parts;
    const QString& name = attributes.map_name;
    if (is_top_map_name(name)) return parts;
    // The name never carries an item part here, so the category is everything after the ":"
    // (a category such as "Vol. 2" stays whole).
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    parts.collection = collection_of(session.collections, colon < 0 ? name : name.left(colon));
    if (colon >= 0) parts.cat = name.mid(colon + 1).trimmed();
    if (attributes.item_nr == 0 || parts.cat.isEmpty()) return parts;
    Statement item = session.db->prepare(QStringLiteral("Select * from repos where item_nr=") +
                                         QString::number(attributes.item_nr));
    // Only an item of the map itself is offered: a window may answer with an item selected in
    // another map, or one deleted meanwhile.
    if (item.next() &&
        item.text(QStringLiteral("collection")).compare(parts.collection, Qt::CaseInsensitive) == 0 &&
        item.text(QStringLiteral("cat")).compare(parts.cat, Qt::CaseInsensitive) == 0)
        parts.item = item.text(QStringLiteral("item_title"));
    return parts;
}

void open_map_view_of_active_form(AppContext& ctx) {
    try {
        const std::optional<MapParts> choice = choose_from_active_form(ctx);
        if (!choice) return;
        if (choice->collection.isEmpty()) {
            ctx.prompter.message(invalid_selection_message);
            return;
        }
        ctx.windows.open_map(*choice);
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
    }
}

void open_table_view_of_active_form(AppContext& ctx) {
    try {
        const std::optional<MapParts> choice = choose_from_active_form(ctx);
        if (!choice) return;
        const int position = collection_index(ctx.collections, choice->collection);
        if (position == 0) {
            ctx.prompter.message(invalid_selection_message);
            return;
        }
        ctx.table_presets = TablePresets{};
        ctx.table_presets.category = choice->cat;
        ctx.table_presets.title = choice->item;
        ctx.windows.open_table_view(position);
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
    }
}

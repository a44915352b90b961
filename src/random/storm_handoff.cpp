// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/storm_handoff.h"

#include "core/app_context.h"
#include "core/collections.h"
#include "core/windows.h"
#include "maps/map_names.h"
#include "random/random_choice.h"
#include "random/storm_tags.h"

#include <optional>

namespace {

// The selection the dialog's choice names: a collection, or one of its categories.
std::optional<RandomSelection> selection_of_choice(const CollectionTable& collections,
                                                   const MapParts& choice) {
    if (choice.collection.isEmpty()) return std::nullopt;
    const int position = collections.find(choice.collection);
    if (position == 0) return std::nullopt;
    RandomSelection selection;
    selection.query = map_items_selection(choice.collection, choice.cat);
    selection.map_name =
        choice.cat.isEmpty() ? choice.collection : choice.collection + QStringLiteral(": ") + choice.cat;
    selection.position = position;
    return selection;
}

} // namespace

RandomSelection collection_storm_selection(const CollectionTable& collections, int position) {
    RandomSelection selection;
    selection.map_name = collections.at(position).name;
    selection.query = map_items_selection(selection.map_name);
    selection.position = position;
    return selection;
}

void open_storm_of_active_form(AppContext& ctx) {
    if (!ctx.windows.has_random_views()) return;
    // With the picture browser active, the storm shows the pictures of its search result.
    if (ctx.active_kind == WindowKind::PictureBrowser) {
        RandomSelection pictures;
        pictures.picture_dir = viewer_list_marker;
        ctx.windows.open_storm(pictures);
        return;
    }
    const bool random_view_active =
        ctx.active_kind == WindowKind::Storm || ctx.active_kind == WindowKind::RandomItem;
    std::optional<RandomSelection> selection;
    if (!random_view_active)
        selection = selection_of_form(ctx.collections, ctx.windows.active_form_attributes());
    if (!selection) {
        const std::optional<MapParts> choice = ctx.windows.select_map(MapParts{}, false);
        if (!choice) return;
        selection = selection_of_choice(ctx.collections, *choice);
    }
    if (!selection || selection->empty()) {
        ctx.prompter.message(QStringLiteral("Invalid selection."));
        return;
    }
    ctx.windows.open_storm(*selection);
}

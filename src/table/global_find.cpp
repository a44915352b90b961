// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/global_find.h"

#include "core/app_context.h"
#include "core/collections.h"

#include <algorithm>

TwipsRect global_find_place(Database& db, const ScreenInfo& screen) {
    TwipsRect place = restore_form_position(db, screen, global_find_form, true,
                                            TwipsRect{0, 0, global_find_width, global_find_height});
    place.top = std::max(place.top, 0);
    place.left = std::max(place.left, 0);
    return place;
}

void save_global_find_place(Database& db, const TwipsRect& place, bool minimised) {
    save_form_position(db, global_find_form, true, place, minimised);
}

bool hand_to_table_view(AppContext& ctx, int position, const std::function<void(int)>& open_table) {
    if (!open_table) {
        ctx.table_presets = TablePresets{};
        ctx.prompter.message(table_view_missing_message);
        return false;
    }
    open_table(position);
    return true;
}

bool start_global_find(AppContext& ctx, const QString& typed, const std::function<bool(int)>& open_table) {
    ctx.table_presets = TablePresets{};
    ctx.table_presets.search_text = typed.trimmed();
    if (!open_table) return hand_to_table_view(ctx, CollectionTable::all_collections, {});
    const bool opened = open_table(CollectionTable::all_collections);
    ctx.table_presets = TablePresets{};
    return opened;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"

#include <QString>
#include <functional>

class AppContext;
class Database;
class ScreenInfo;

// The global find window asks for one string and hands it to the table view of all collections,
// which searches categories, titles and contents for it.

inline const QString global_find_form = QStringLiteral("f_global_find");
inline const QString global_find_caption = QStringLiteral("Global search");
inline const QString table_view_missing_message =
    QStringLiteral("The table view is not available in this version.");

// The window keeps only its position; its size is fixed.
inline constexpr int global_find_width = 5800;
inline constexpr int global_find_height = 2200;

TwipsRect global_find_place(Database& db, const ScreenInfo& screen);
void save_global_find_place(Database& db, const TwipsRect& place, bool minimised);

// Opens the table view of `position` with what ctx.table_presets holds; the caller sets the
// presets first. Without a table view in the program the presets are cleared (they must not
// reach a later window), the user is told, and the answer is false.
bool hand_to_table_view(AppContext& ctx, int position, const std::function<void(int)>& open_table);

// Starts the search: the trimmed text becomes the search preset and the table view of all
// collections opens through `open_table` (which replaces an open one and answers whether it
// did). An empty text lists every item. False when there is no table view to hand to, or when
// the open one refused to close (it keeps a pending edit): the search then stays with the
// caller, and no preset is left behind.
bool start_global_find(AppContext& ctx, const QString& typed, const std::function<bool(int)>& open_table);

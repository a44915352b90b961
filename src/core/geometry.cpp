// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry.h"

#include "core/params.h"
#include "core/seams.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Values from 45000 up come from a window that was off screen (or minimised) when saved.
constexpr double off_screen = 45000;

std::optional<int> stored(Database& db, const QString& key) {
    const auto value = numeric_value(get_gen_param(db, key));
    if (!value) return std::nullopt;
    return static_cast<int>(std::lround(*value));
}

} // namespace

TwipsRect restore_form_position(Database& db, const ScreenInfo& screen, const QString& name,
                                bool position_only, const TwipsRect& current) {
    TwipsRect place = current;
    if (!position_only) {
        const auto width = stored(db, name + QStringLiteral("_width"));
        place.width = width ? std::min(*width, screen.width_twips() - 1000) : 5000;
        const auto height = stored(db, name + QStringLiteral("_height"));
        place.height = height ? std::min(*height, screen.height_twips() - 900) : 6000;
    }
    const auto top = stored(db, name + QStringLiteral("_top"));
    place.top = top ? (*top < off_screen ? *top : 0) : (screen.height_twips() - place.height) / 2;
    const auto left = stored(db, name + QStringLiteral("_left"));
    place.left = left ? (*left < off_screen ? *left : 0) : (screen.width_twips() - place.width) / 2;
    return place;
}

void save_form_position(Database& db, const QString& name, bool position_only, const TwipsRect& place,
                        bool minimised) {
    if (minimised) return;
    set_gen_param(db, name + QStringLiteral("_top"), QString::number(place.top));
    set_gen_param(db, name + QStringLiteral("_left"), QString::number(place.left));
    if (position_only) return;
    set_gen_param(db, name + QStringLiteral("_width"), QString::number(place.width));
    set_gen_param(db, name + QStringLiteral("_height"), QString::number(place.height));
}

TwipsRect restore_main_window_geometry(Database& db, const ScreenInfo& screen) {
    const int screen_w = screen.width_twips();
    const int screen_h = screen.height_twips();
    auto usable = [&](const QString& key) -> std::optional<int> {
        const auto value = stored(db, key);
        if (value && *value < off_screen) return value;
        return std::nullopt;
    };
    TwipsRect place;
    place.width = usable(QStringLiteral("mdiform_width")).value_or(screen_w);
    place.height = usable(QStringLiteral("mdiform_height")).value_or(screen_h - 400);
    place.top = usable(QStringLiteral("mdiform_top")).value_or((screen_h - 400 - place.height) / 2);
    place.left = usable(QStringLiteral("mdiform_left")).value_or((screen_w - place.width) / 2);
    // Keep the window on the screen: no larger than it, and no part outside it.
    place.width = std::clamp(place.width, 1, screen_w);
    place.height = std::clamp(place.height, 1, screen_h);
    place.left = std::clamp(place.left, 0, screen_w - place.width);
    place.top = std::clamp(place.top, 0, screen_h - place.height);
    return place;
}

void save_main_window_geometry(Database& db, const TwipsRect& place, bool loaded, bool minimised) {
    if (!loaded || minimised) return;
    set_gen_param(db, QStringLiteral("mdiform_width"), QString::number(place.width));
    set_gen_param(db, QStringLiteral("mdiform_height"), QString::number(place.height));
    set_gen_param(db, QStringLiteral("mdiform_top"), QString::number(place.top));
    set_gen_param(db, QStringLiteral("mdiform_left"), QString::number(place.left));
}

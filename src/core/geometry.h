// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;
class ScreenInfo;

// A window's place in twips (15 twips to a pixel); widgets convert at their edge.
struct TwipsRect {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

inline constexpr int twips_per_pixel = 15;

// Geometry of a window kept under name + "_top", "_left", "_width", "_height". A stored top or
// left of 45000 or more gives 0; nothing stored centres the window. Sizes are kept below the
// screen (less 1000 wide, 900 high); defaults 5000 by 6000. With position_only the size stays
// as `current` has it.
TwipsRect restore_form_position(Database& db, const ScreenInfo& screen, const QString& name,
                                bool position_only, const TwipsRect& current);
// Nothing is stored for a minimised window.
void save_form_position(Database& db, const QString& name, bool position_only, const TwipsRect& place,
                        bool minimised);

// The main window: screen-sized by default, kept on the screen.
TwipsRect restore_main_window_geometry(Database& db, const ScreenInfo& screen);
void save_main_window_geometry(Database& db, const TwipsRect& place, bool loaded, bool minimised);

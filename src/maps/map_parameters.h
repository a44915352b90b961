// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"

#include <QString>

class AppContext;

// The per-map settings a map window reads when it opens and writes back as it changes.
struct MapParameters {
    TwipsRect place;       // "#top", "#left", "#width", "#height" (without the content box)
    int nr_columns = 1;    // 1..10
    bool auto_size = true; // "#auto_size"
    bool open_child_topics = false;
    bool autom = false;     // automatic selection
    bool randomico = false; // automatic selection in random order
    int intervallo = 1000;  // automatic selection interval in milliseconds
    bool start_map = false; // "#start_map" (written by its own toggle)
};

// What the window looks like when its parameters are saved.
struct MapWindowState {
    TwipsRect place; // outer geometry in twips, content box included when shown
    bool minimised = false;
    bool content_box_visible = false;
};

inline constexpr int map_default_width = 2000;
inline constexpr int map_default_height = 5000;
inline constexpr int map_max_columns = 10;
// The content box below the grid: 1000 twips rounded down to whole pixels.
inline constexpr int content_box_height = 990;

// Reads every parameter of the map with one statement. Missing or unreadable values take their
// defaults: a position centred on the screen, shifted by -1999 plus a random 0..1999 twips so
// that maps opened together do not cover one another; 2000 by 5000 twips with the height kept
// below the screen height less 850; one column (also for stored values outside 1..10); auto
// size on; an interval of 1000..1500 ms chosen at random when missing or 0.
MapParameters load_map_parameters(AppContext& ctx, const QString& map_name);

// Writes "#top", "#left", "#height", "#width" (not for a minimised window; the height without
// the content box when it is shown), then "#nr_columns", "#randomico", "#intervallo" and "#autom".
// Values equal to the stored ones are not written again. Failures are reported to the user.
void save_map_parameters(AppContext& ctx, const QString& map_name, const MapParameters& params,
                         const MapWindowState& window);

// The geometry alone, as a closing window saves it.
void save_map_position(AppContext& ctx, const QString& map_name, const MapWindowState& window);

// Flags are stored as "-1" (on) and "0" (off), as the check boxes of the map window write them.
QString map_flag_text(bool on);

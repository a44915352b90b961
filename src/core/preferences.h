// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The global preferences read after every database opening.
struct Preferences {
    bool open_start_maps = false; // "global_search_auto_start"
    int lock_interval = 180;      // seconds; 0 = no auto-lock
    float font_size = 10.0F;
    float change_interval = 3.0F; // seconds between random item changes
    bool cogniva = false;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/collections.h"
#include "core/database.h"
#include "core/link_hooks.h"
#include "core/preferences.h"
#include "core/seams.h"
#include "core/table_presets.h"
#include "core/window_hooks.h"
#include "maps/map_window_table.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

class Settings;

// The world the logic talks to, handed in by main (Qt implementations) or by tests (fakes).
struct Seams {
    Prompter& prompter;
    Desktop& desktop;
    Clock& clock;
    RandomSource& random;
    ScreenInfo& screen;
};

// A cross-map operation started in one map window ("insert reference", "copy items") that
// completes when the user activates another map window. Only one is pending at a time.
struct PendingMapOperation {
    enum class Kind { None, InsertReference, CopyItems };
    Kind kind = Kind::None;
    int requester = 0; // window number of the map window that started it

    bool pending() const { return kind != Kind::None; }
};

// Program-wide state: one per process, created by main and passed by reference.
class AppContext {
public:
    AppContext(Seams seams, Settings& settings_store, QString data_dir)
        : prompter(seams.prompter), desktop(seams.desktop), clock(seams.clock), random(seams.random),
          screen(seams.screen), settings(settings_store), program_dir(std::move(data_dir)) {}

    Prompter& prompter;
    Desktop& desktop;
    Clock& clock;
    RandomSource& random;
    ScreenInfo& screen;
    Settings& settings;

    // Per-user data directory holding log.txt, tips.txt, tmp/, the renaming file...
    QString program_dir;
    QString program_path(const QString& name) const { return program_dir + QLatin1Char('/') + name; }

    // The open database and what opening it decided.
    std::unique_ptr<Database> db;
    QString db_path;
    QString db_title;
    QString map_to_open;

    CollectionTable collections;
    // The open map windows of this session.
    MapWindowTable map_windows;
    Preferences prefs;
    PictureSettings pictures;
    // The directory of pictures the random views show, set from an item's "PICDIR=" content;
    // it ends with "/".
    QString picture_dir;

    // Hand-over values for the next window to open.
    TablePresets table_presets;
    LinkHooks link_hooks;
    WindowHooks hooks;

    // The window activated last; the map window keeps its slot in map_windows.
    WindowKind active_kind = WindowKind::None;
    // Seconds without mouse or key input; the auto-lock compares it with prefs.lock_interval.
    int inactivity = 0;
    // Set while a modal flow must not be disturbed by keys reaching the windows.
    bool key_lock = false;

    int language = 1;
    bool allow_automatic_changes = true;
    bool development_mode = false;
    bool recompilation_needed = false;
    bool small_screen = false;
    bool image_viewer_button = true; // the renaming file may remove the picture viewer's button

    PendingMapOperation pending_map_operation;

    QDateTime session_start;
    bool restarting = false;
    bool main_window_loaded = false;
};

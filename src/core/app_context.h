// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/collections.h"
#include "core/database.h"
#include "core/map_window_table.h"
#include "core/preferences.h"
#include "core/seams.h"
#include "core/table_presets.h"
#include "core/window_kind.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

class Settings;
class Windows;

// The world the logic talks to, handed in by main (Qt implementations) or by tests (fakes).
struct Seams {
    Prompter& prompter;
    Desktop& desktop;
    Clock& clock;
    RandomSource& random;
    ScreenInfo& screen;
};

// The services of the process: the outside world and where the program keeps its own files.
struct Services {
    Services(Seams seams, Settings& settings_store, QString data_dir)
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
};

// The running session: the open database, what opening it decided, and the choices made at
// start-up.
struct OpenSession {
    std::unique_ptr<Database> db;
    QString db_path;
    QString db_title;
    QString map_to_open;

    CollectionTable collections;
    Preferences prefs;
    PictureSettings pictures;
    // The directory of pictures the random views show, set from an item's "PICDIR=" content;
    // it ends with "/".
    QString picture_dir;

    int language = 1;
    bool allow_automatic_changes = true;
    bool development_mode = false;
    bool recompilation_needed = false;
    bool small_screen = false;
    bool image_viewer_button = true; // the renaming file may remove the picture viewer's button

    QDateTime session_start;
    bool restarting = false;
};

// A cross-map operation started in one map window ("insert reference", "copy items") that
// completes when the user activates another map window. Only one is pending at a time.
struct PendingMapOperation {
    enum class Kind { None, InsertReference, CopyItems };
    Kind kind = Kind::None;
    int requester = 0; // window number of the map window that started it

    bool pending() const { return kind != Kind::None; }
};

// What the windows share: the way to ask them for something, and their common state.
struct WindowState {
    explicit WindowState(Windows& window_layer) : windows(window_layer) {}

    Windows& windows;
    // The open map windows of this session.
    MapWindowTable map_windows;
    // Hand-over values for the next table view to open.
    TablePresets table_presets;
    // The window activated last; the map window keeps its slot in map_windows.
    WindowKind active_kind = WindowKind::None;
    // Seconds without mouse or key input; the auto-lock compares it with prefs.lock_interval.
    int inactivity = 0;
    // Set while a modal flow must not be disturbed by keys reaching the windows.
    bool key_lock = false;
    // Set while an input box asks for an item's title (TitleQuestionScope): timers that change
    // what the windows show (automatic selection, random views, storms) wait, so that the answer
    // is not given about a tag that has moved on.
    bool title_being_asked = false;
    PendingMapOperation pending_map_operation;
    // Maps chosen by a window for the next map list to show under "Maps selected" (each name may
    // carry an item part); the map list takes them and leaves this empty.
    QStringList selected_maps;
    bool main_window_loaded = false;
};

// Marks a title question open for as long as it lives.
class TitleQuestionScope {
public:
    explicit TitleQuestionScope(WindowState& state) : state_(state), was_open_(state.title_being_asked) {
        state_.title_being_asked = true;
    }
    ~TitleQuestionScope() { state_.title_being_asked = was_open_; }
    TitleQuestionScope(const TitleQuestionScope&) = delete;
    TitleQuestionScope& operator=(const TitleQuestionScope&) = delete;

private:
    WindowState& state_;
    bool was_open_;
};

// Program-wide state: one per process, created by main and passed by reference. A function that
// needs only one of its parts takes that part.
class AppContext : public Services, public OpenSession, public WindowState {
public:
    AppContext(Seams seams, Settings& settings_store, QString data_dir, Windows& window_layer)
        : Services(seams, settings_store, std::move(data_dir)), WindowState(window_layer) {}
};

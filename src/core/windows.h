// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/random_selection.h"

#include <QString>
#include <optional>

// Everything the logic, and the windows of one room, may ask of the program's windows. The
// window layer implements it once (ProgramWindows); tests use a recording fake. It is the only
// way up from logic to windows and across the rooms' windows, so a request without an
// implementation is a build error rather than a call that silently does nothing.
class Windows {
public:
    virtual ~Windows() = default;

    // --- The main window and the general commands
    // The general key routine every window calls before handling a key itself: shift is the
    // sum of 1 Shift, 2 Ctrl, 4 Alt; key is a Qt::Key. True when the key was consumed.
    virtual bool handle_hot_key(int shift, int key) = 0;
    // The general pop-up menu at the mouse position.
    virtual void show_general_menu() = 0;
    // Long read-only text with an OK button, modeless.
    virtual void show_text_window(const QString& text, const QString& caption) = 0;
    // Rebuilds the main window's toolbar and menus without ending the session.
    virtual void rebuild_main_window() = 0;
    // The hidden form carrying the general menu, and its one-second timer (auto-lock, caption).
    virtual void show_command_form() = 0;
    virtual void start_command_timer() = 0;
    virtual void show_tips() = 0;

    // --- Map windows
    // Start of a session: no map window is open and their numbers start again.
    virtual void reset_map_windows() = 0;
    // A map or collection name as typed (command line, dialogs).
    virtual void open_named_map(const QString& name) = 0;
    // The map window of a map given by its parts, with its item selected when one is given
    // (a collection alone: the collection map; "Top map": the top map).
    virtual void open_map(const MapParts& map) = 0;
    virtual void open_start_maps(bool interactive) = 0;
    // Stores the list of open maps and every open window's parameters (the session ends).
    virtual void save_open_maps() = 0;
    virtual void close_map_windows() = 0;
    // The open map windows lay out their panels again (the font size changed).
    virtual void relayout_map_windows() = 0;

    // --- Choosing and browsing maps
    // What the active window has selected; nothing when the active window does not answer
    // (an editor, a list) or no window is open.
    virtual std::optional<FormAttributes> active_form_attributes() = 0;
    // The modal selection dialog (f_select_map), its boxes filled from `prefill`; with
    // `collection_only` it offers collections alone. Nothing when the user cancelled.
    virtual std::optional<MapParts> select_map(const MapParts& prefill, bool collection_only) = 0;
    // The open-or-create dialog (f_create_map), modal.
    virtual void open_create_map_dialog() = 0;
    // The map tree (f_tree): closes an open one and opens it afresh.
    virtual void open_map_tree() = 0;

    // --- Table views and the windows of the table room
    // The table view of a collection position (45: all collections); it applies and clears
    // the context's table presets.
    virtual void open_table_view(int position) = 0;
    // The same, starting its find command as soon as it is active.
    virtual void open_table_search(int position) = 0;
    // Every open table view re-runs its query, keeping its place.
    virtual void refresh_table_views() = 0;
    virtual void close_table_views() = 0;
    virtual void open_content_editor(qint64 item_nr) = 0;
    // These close the open window of their kind and open a fresh one.
    virtual void open_pad() = 0;
    virtual void open_global_find() = 0;
    // The map list filtered by `filter` ("" = all maps).
    virtual void open_map_list(const QString& filter) = 0;
    virtual void open_collection_config() = 0;
    // The file search window (one at a time: an open one comes forward with its results).
    virtual void open_file_search() = 0;

    // --- Windows that not every build has: their commands are disabled without them.
    virtual bool has_calendar() const = 0;
    virtual void open_calendar() = 0;
    // The open calendar reloads its lists and day marks (nothing when it is closed).
    virtual void refresh_calendar() = 0;
    // Reminders due now are shown (open_calendar_if_any: the calendar opens when one is due).
    virtual void check_reminders(bool open_calendar_if_any) = 0;
    // The random item views and the tags storms (up to 25 of each; one more is refused with a
    // message).
    virtual bool has_random_views() const = 0;
    virtual void open_random_item(const RandomSelection& selection) = 0;
    virtual void open_storm(const RandomSelection& selection) = 0;
    // The picture viewer: picture windows (up to 200; one more is refused with a message) and
    // the picture browser.
    virtual bool has_picture_viewer() const = 0;
    // Makes the picture the current one and shows it in a picture window.
    virtual void show_picture(const QString& path) = 0;
    // The picture browser (f_start): one at a time, an open one comes forward.
    virtual void open_picture_browser() = 0;
    // Back to the organizer from the picture viewer: the main window comes forward, or, when
    // the program started as the picture viewer, the database is chosen and opened as at
    // start-up.
    virtual void open_organizer() = 0;
};

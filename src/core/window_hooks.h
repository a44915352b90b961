// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// The kind of window that was activated last; menus and toolbar act on it.
enum class WindowKind {
    None,
    Map,
    Table,
    Calendar,
    Tree,
    Storm,
    RandomItem,
    GlobalFind,
    MapList,
    FileSearch
};

// Windows of one subsystem that another reaches. main fills each member once the window it
// stands for is part of the program; an empty member means the window does not exist yet, and
// the commands leading to it are disabled.
struct WindowHooks {
    // The general key routine every window calls before handling a key itself: shift is the
    // sum of 1 Shift, 2 Ctrl, 4 Alt; key is a Qt::Key. True when the key was consumed.
    std::function<bool(int shift, int key)> handle_hot_key;
    // The general pop-up menu at the mouse position.
    std::function<void()> show_general_menu;
    // Long read-only text with an OK button, modeless.
    std::function<void(const QString& text, const QString& caption)> show_text_window;
    // Rebuilds the main window (toolbar, menus) without ending the session.
    std::function<void()> rebuild_main_window;

    // The table view of a collection position (45: all collections); it applies and clears
    // ctx.table_presets.
    std::function<void(int position)> open_table_view;
    // Every open table view re-runs its query, keeping its place.
    std::function<void()> refresh_table_views;
    // Closes every table view.
    std::function<void()> close_table_views;
    // The content editor of an item.
    std::function<void(qint64 item_nr)> open_content_editor;
    // Closes and reopens the notepad.
    std::function<void()> open_pad;
    // Closes and reopens the global find window.
    std::function<void()> open_global_find;
    // Closes and reopens the map list filtered by `filter` ("" = all maps).
    std::function<void(const QString& filter)> open_map_list;
    // Closes and reopens the collection configuration.
    std::function<void()> open_collection_config;
    // The calendar; reminders checked now (open_calendar_if_any: open it when something is due).
    std::function<void()> open_calendar;
    std::function<void(bool open_calendar_if_any)> check_reminders;
};

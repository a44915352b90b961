// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class AppContext;

// The global preferences read after every database opening.
struct Preferences {
    bool open_start_maps = false; // "global_search_auto_start"
    int lock_interval = 180;      // seconds; 0 = no auto-lock
    float font_size = 10.0F;
    float change_interval = 3.0F; // seconds between random item changes
    bool cogniva = false;
    bool similar_items_indicator = false; // "+" on panels whose title occurs more than once
    bool show_toolbar = false;            // "show_toolbar"
    bool large_toolbar = false;           // "large_toolbar": 32-pixel buttons instead of 16
    bool mdiform_min_size = false;        // "mdiform_min_size": the main window hugs its windows
};

// The picture viewer's start-up values from the settings store; paths naming nothing are empty.
struct PictureSettings {
    QString picture_editor;
    QString last_picture_file;
    QString last_slide_show;
    QString last_thumbnail_file;
    QString last_slide_show_dir; // the directory the last slide show was built from
    QString init_dir_for_search;
    int interval = 0; // slide-show interval in milliseconds; 0 when not set
    // Pictures deleted during this run: every viewer skips them.
    QStringList deleted;
    // The picture browser's search result (List1), full paths in the order found; the storm of
    // the browser's list shows these.
    QStringList search_results;

    bool is_deleted(const QString& path) const { return deleted.contains(path); }
};

// Reads the global parameters of the open database into ctx.prefs, applies the collection
// renaming file and sets the visible and open-as flags of every collection position. Expects
// ctx.db open and the collection table reset to its defaults.
void load_preferences(AppContext& ctx);

// Applies the renaming file beside the program: "<database name>.dat", else "general.dat".
// A line naming no collection is reported and ends the program (throws ProgramEnd).
void load_collection_names(AppContext& ctx);

// The renaming file for the database at db_path, or "" when neither candidate exists.
QString collection_names_file(const QString& program_dir, const QString& db_path);

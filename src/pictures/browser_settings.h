// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"

#include <QString>

class ScreenInfo;
class Settings;
struct PictureSettings;

// What the picture browser (f_start) shows in its boxes, check boxes and options, read from the
// settings store when it opens, and each change stored at once under its key.
struct BrowserSettings {
    QString init_dir_for_search; // as the box shows it: "C:\" (or nothing stored) is the home directory
    QString picture_editor;
    QString interval; // the stored text; "" when nothing numeric is stored
    QString last_slide_show;
    QString last_thumbnail_file;
    bool autom = false;
    bool random = false;
    bool fit_mode = false;
    bool black_screen = false;
    bool sort_descending = false;
    bool sort_by_datetime = false;
};

// The keys of the check boxes and options.
inline const QString autom_key = QStringLiteral("autom");
inline const QString random_key = QStringLiteral("random");
inline const QString fit_mode_key = QStringLiteral("fit_mode");
inline const QString black_screen_key = QStringLiteral("black_screen");
inline const QString sort_descending_key = QStringLiteral("sort_descending");
inline const QString sort_by_datetime_key = QStringLiteral("sort_by_datetime");
inline const QString interval_key = QStringLiteral("interval");
inline const QString picture_editor_key = QStringLiteral("picture_editor");
inline const QString browser_init_dir_key = QStringLiteral("init_dir_for_search");

BrowserSettings read_browser_settings(const Settings& settings, const PictureSettings& pictures);

// A flag as stored: "-1" (a check box's true) or "0". Read back, any non-zero number is on.
void store_flag(Settings& settings, const QString& key, bool on);
bool read_flag(const Settings& settings, const QString& key);

// Stores a typed interval when it is a whole number of milliseconds above zero (and keeps it in
// `pictures`); anything else is not stored. True when stored.
bool store_interval(Settings& settings, PictureSettings& pictures, const QString& typed);
// The interval box when automatic advance is switched on: "2000" in an empty box.
QString interval_for_automatic(const QString& typed);

// Stores the search root the user chose; the box shows it in the platform's form.
QString store_search_root(Settings& settings, PictureSettings& pictures, const QString& chosen);
// Stores the editor the user chose.
void store_picture_editor(Settings& settings, PictureSettings& pictures, const QString& chosen);

// The browser's place and size in twips, kept in the settings store ("f_start_top"...), never
// beyond the screen; the default is a window in the middle of the screen.
TwipsRect browser_place(const Settings& settings, const ScreenInfo& screen);
void save_browser_place(Settings& settings, const TwipsRect& place);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/directory_walk.h"
#include "core/geometry.h"

#include <QString>
#include <QStringList>

class AppContext;
class Database;
class ScreenInfo;
class Settings;

// The file search window finds files below an initial directory by a part of their name and
// turns a found file into a link item of "Internet URLs" or "File links".

inline const QString file_search_form = QStringLiteral("f_file_search");
inline const QString init_dir_setting = QStringLiteral("init_dir_for_search");
// The initial directory stored by default: the root of the system drive on Windows, which on
// this platform stands for the user's home directory.
inline const QString default_init_dir = QStringLiteral("C:\\");

inline constexpr int file_search_width = 7800;
inline constexpr int file_search_height = 6600;

TwipsRect file_search_place(Database& db, const ScreenInfo& screen);
void save_file_search_place(Database& db, const TwipsRect& place, bool minimised);

// The stored initial directory for the window's field; when nothing is stored, "C:\" is
// stored and the home directory answered.
QString initial_search_dir(Settings& settings);

// The question asked before a search of `typed` in `dir`.
QString search_question(const QString& typed, const QString& dir);

// "directories searched: 3  --  files searched: 12  --  files or directories found: 2 "
QString search_progress_caption(int directories, int files, int found);

// The file search's walk (DirectoryWalk): every entry not descended into is matched by name,
// plain files and also hidden or linked directories, which are never entered.
class FileSearchWalk : public DirectorySearch {
public:
    // `needle` is matched without regard to letter case against each file's name, or with
    // `whole_path` against its whole path; an empty needle matches every file. `root` is a
    // directory as search_directory gives it.
    FileSearchWalk(const QString& root, const QString& needle, bool whole_path);

    // Examines up to `max_entries` entries; false once the walk is over (finished or cancelled).
    bool step(int max_entries);

private:
    NameNeedle needle_;
    bool whole_path_ = false;
};

// What creating a link from a found file hands to the table view: web shortcuts and pages
// (".url", ".htm", ".html") go to "Internet URLs" (position 4), which prompts for a find on
// its first activation; every other file goes to "File links" (position 3) without the prompt.
struct FileLinkHandOff {
    int position = 0;
    bool no_auto_find = false;
    QString content;
};
FileLinkHandOff file_link_hand_off(const QString& path);

// Opens the table view of the hand-off with its content waiting to be inserted: the table view
// starts an insert with it and the focus in the title, and the user types the title and saves.
void create_file_link(AppContext& ctx, const QString& path);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <string>

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

// The directory typed or stored, as this platform names it: trimmed, "C:\" (any case, with or
// without the backslash) becomes the home directory, a trailing separator is dropped (so the
// directory is searched once), the root stays "/".
QString search_directory(const QString& typed);
// The stored initial directory for the window's field; when nothing is stored, "C:\" is
// stored and the home directory answered.
QString initial_search_dir(Settings& settings);

// The question asked before a search of `typed` in `dir`.
QString search_question(const QString& typed, const QString& dir);

// "directories searched: 3  --  files searched: 12  --  files or directories found: 2 "
QString search_progress_caption(int directories, int files, int found);

// A breadth-first walk below one directory, run in slices so that the window's event loop goes
// on between them. Every entry that is not descended into is a "file": plain files, and also
// directories that are hidden (a name starting with ".") or symbolic links, which are matched
// by name and never entered, so that a loop through links cannot make the walk loop. A
// directory that cannot be read is counted and skipped.
class FileSearchWalk {
public:
    // `needle` is matched without regard to letter case against each file's name, or with
    // `whole_path` against its whole path; an empty needle matches every file. `root` is a
    // directory as search_directory gives it.
    FileSearchWalk(const QString& root, const QString& needle, bool whole_path);
    ~FileSearchWalk();
    FileSearchWalk(const FileSearchWalk&) = delete;
    FileSearchWalk& operator=(const FileSearchWalk&) = delete;

    // Examines up to `max_entries` entries; false once the walk is over (finished or cancelled).
    bool step(int max_entries);
    // Stops the walk; what was found stays.
    void cancel();
    bool finished() const { return queue_.empty() && !listing_; }

    int directories_searched() const { return directories_; }
    int files_searched() const { return files_; }
    int unreadable_directories() const { return unreadable_; }
    const QStringList& found() const { return found_; }
    // The paths found since the last call (the window adds them to its list in batches).
    QStringList take_new_found();

private:
    struct Listing;
    bool open_next_directory();
    void examine(const std::string& dir, const char* name, bool descend);
    bool matches(const std::string& dir, const char* name) const;

    std::deque<std::string> queue_;
    std::unique_ptr<Listing> listing_;
    std::string needle_utf8_; // lower-case; used when the needle is plain ASCII
    QString needle_;
    bool ascii_needle_ = true;
    bool whole_path_ = false;
    int directories_ = 0;
    int files_ = 0;
    int unreadable_ = 0;
    QStringList found_;
    qsizetype reported_ = 0;
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

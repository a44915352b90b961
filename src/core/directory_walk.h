// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>

// The breadth-first walk below one directory that the file search and the picture search share,
// and the case-insensitive name test both run on every entry.

// The directory typed or stored, as this platform names it: trimmed, "C:\" (any case, with or
// without the backslash) becomes the home directory, a trailing separator is dropped (so the
// directory is searched once), the root stays "/".
QString search_directory(const QString& typed);

// Joins a directory and a name with one "/" between them.
std::string joined_path(const std::string& dir, const char* name);

// A breadth-first walk, run in slices so that a window's event loop goes on between them:
// shallower directories come first, and the entries of one directory in name order. Every entry
// that is not descended into is handed to the visitor as a "file": plain files, and also
// directories that are hidden (a name starting with ".") or symbolic links, which are never
// entered, so that a loop through links cannot make the walk loop. A directory that cannot be
// read is counted and skipped.
class DirectoryWalk {
public:
    // The directory (as the file system spells it) and the name of one entry not descended into.
    using Visitor = std::function<void(const std::string& dir, const char* name)>;

    explicit DirectoryWalk(const QString& root);
    ~DirectoryWalk();
    DirectoryWalk(const DirectoryWalk&) = delete;
    DirectoryWalk& operator=(const DirectoryWalk&) = delete;

    // Examines up to `max_entries` entries; false once the walk is over (finished or cancelled).
    bool step(int max_entries, const Visitor& visit);
    // Stops the walk; the counts stay.
    void cancel();
    bool finished() const { return queue_.empty() && !listing_; }

    int directories_searched() const { return directories_; }
    int files_searched() const { return files_; }
    int unreadable_directories() const { return unreadable_; }

private:
    struct Listing;
    bool open_next_directory();

    std::deque<std::string> queue_;
    std::unique_ptr<Listing> listing_;
    int directories_ = 0;
    int files_ = 0;
    int unreadable_ = 0;
};

// A text looked for in names without regard to letter case. Names come as the file system
// spells them (local 8-bit encoding); plain ASCII is compared byte by byte, anything else through
// Qt's case folding, so "é" finds "É" and a Kelvin sign finds "k".
class NameNeedle {
public:
    explicit NameNeedle(const QString& needle);
    bool empty() const { return needle_.isEmpty(); }
    bool found_in(const char* text, std::size_t length) const;
    bool found_in(const std::string& text) const { return found_in(text.data(), text.size()); }

private:
    QString needle_;
    std::string ascii_lower_; // the needle in lower case, used when it is plain ASCII
    bool ascii_ = true;
};

// A search over a DirectoryWalk: the counts, what it found in the order found, and the paths
// found since the window last asked. A search decides in its own step which entries it takes.
class DirectorySearch {
public:
    // Stops the walk; what was found stays.
    void cancel() { walk_.cancel(); }
    bool finished() const { return walk_.finished(); }

    int directories_searched() const { return walk_.directories_searched(); }
    int files_searched() const { return walk_.files_searched(); }
    int unreadable_directories() const { return walk_.unreadable_directories(); }
    const QStringList& found() const { return found_; }
    // The paths found since the last call (the window adds them to its list in batches).
    QStringList take_new_found();

protected:
    explicit DirectorySearch(const QString& root) : walk_(root) {}
    ~DirectorySearch() = default;
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    DirectoryWalk& walk() { return walk_; }
    void add_found(const std::string& path);

private:
    DirectoryWalk walk_;
    QStringList found_;
    qsizetype reported_ = 0;
};

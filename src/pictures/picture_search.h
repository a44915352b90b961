// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/directory_walk.h"

#include <QString>
#include <QStringList>
#include <vector>

// The picture browser's search: every picture below a directory whose name contains the search
// boxes' strings, all of them (AND) or any (OR), without regard to letter case.

// The boxes "find 1".."find 3" as typed, and how they combine.
struct PictureSearchTerms {
    QStringList strings;
    bool and_join = true;
};

// The strings of the boxes that are not empty after trimming, trimmed.
QStringList filled_search_strings(const QStringList& boxes);

// The question asked before a search of `shown_root` (the root as the box shows it).
QString picture_search_question(const PictureSearchTerms& terms, const QString& shown_root);

// "directories searched: 3  --  files searched: 12  --  files found: 2"
QString picture_search_progress(int directories, int files, int found);

// "Search results (N files)"
QString picture_search_results_caption(int count);

// The breadth-first walk of the search (DirectoryWalk), run in slices by the browser window:
// pictures (is_picture_file_name) whose names match are found as full paths, in the order found.
class PictureSearch : public DirectorySearch {
public:
    // `root` is a directory as search_directory gives it.
    PictureSearch(const QString& root, const PictureSearchTerms& terms);

    // Examines up to `max_entries` entries; false once the walk is over (finished or cancelled).
    bool step(int max_entries);

private:
    bool matches(const char* name, std::size_t length) const;

    std::vector<NameNeedle> needles_;
    bool and_join_ = true;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

// One picture of a slide show or build: its full path and its file's date-time.
struct PictureEntry {
    QString path;
    QDateTime modified;
};

// The pictures a slide show walks or a build writes, in their order; at most max_picture_list.
using PictureList = std::vector<PictureEntry>;

constexpr int max_picture_list = 1000;

// How a build orders its pictures: by file name (letter case ignored) or by file date-time.
struct BuildOrder {
    bool by_date = false;
    bool descending = false;
};

// The pictures of a directory, read once.
struct DirectoryPictures {
    PictureList pictures; // in the directory's order (file names, letter case ignored)
    bool readable = true; // false when the directory is missing or cannot be listed
};

// Lists the picture files (is_picture_file_name) of `directory`, not its subdirectories, with
// their date-times. Only names are checked: an empty or damaged file is listed like any other.
DirectoryPictures list_directory_pictures(const QString& directory);

// Sorts `pictures` in `order`. Pictures that compare equal keep their places relative to each
// other, so two pictures of the same date-time stay in the directory's order.
void sort_pictures(PictureList& pictures, BuildOrder order);

// Keeps the first `limit` pictures; true when some were dropped.
bool limit_pictures(PictureList& pictures, int limit = max_picture_list);

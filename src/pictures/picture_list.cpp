// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_list.h"

#include "core/picture_names.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

DirectoryPictures list_directory_pictures(const QString& directory) {
    DirectoryPictures result;
    const QDir dir(directory);
    const QFileInfo info(directory);
    if (!info.isDir() || !info.isReadable()) {
        result.readable = false;
        return result;
    }
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        if (is_picture_file_name(entry.fileName()))
            result.pictures.push_back({entry.absoluteFilePath(), entry.lastModified()});
    return result;
}

void sort_pictures(PictureList& pictures, BuildOrder order) {
    // A stable sort: equal neighbours are never swapped, whichever the direction.
    auto key_less = [order](const PictureEntry& a, const PictureEntry& b) {
        if (order.by_date) return a.modified < b.modified;
        return QFileInfo(a.path).fileName().compare(QFileInfo(b.path).fileName(), Qt::CaseInsensitive) < 0;
    };
    if (order.descending)
        std::stable_sort(pictures.begin(), pictures.end(),
                         [&](const PictureEntry& a, const PictureEntry& b) { return key_less(b, a); });
    else
        std::stable_sort(pictures.begin(), pictures.end(), key_less);
}

bool limit_pictures(PictureList& pictures, int limit) {
    if (static_cast<int>(pictures.size()) <= limit) return false;
    pictures.resize(static_cast<std::size_t>(limit));
    return true;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

// Makes each file named by a path relative to `root` (directories on the way are made too);
// a path ending in "/" makes just the directory. Answers whether all were made.
inline bool make_file_tree(const QString& root, const QStringList& paths) {
    for (const QString& path : paths) {
        const QString full = root + QLatin1Char('/') + path;
        if (path.endsWith(QLatin1Char('/'))) {
            if (!QDir().mkpath(full)) return false;
            continue;
        }
        if (!QDir().mkpath(QFileInfo(full).path())) return false;
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly)) return false;
    }
    return true;
}

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

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A picture read for showing: decoded at the size it is shown (a JPEG decodes at 1/2, 1/4 or
// 1/8 of its size directly), turned upright by its EXIF orientation. A full-size decode of a
// large picture is never needed. `error` is set, and `image` null, when the file is missing,
// unreadable or not a picture.
struct PictureRead {
    QImage image;
    QSize full_size; // the picture's own size, upright
    QString error;   // "Error " + number + " - " + description
};

// The picture's own size, upright, read from its header; invalid when it cannot be read.
QSize picture_size(const QString& path);

// The size `full` takes inside `bounds` with its proportions kept; a smaller picture keeps its
// size unless `enlarge`. Never below 1 x 1.
QSize fit_size(QSize full, QSize bounds, bool enlarge);

// Reads `path` scaled to `shown` (its proportions are the caller's business; an invalid size
// reads the picture at its own size).
PictureRead read_picture(const QString& path, QSize shown);

// Reads `path` fitted into `bounds` with its proportions kept (see fit_size).
PictureRead read_picture_fitted(const QString& path, QSize bounds, bool enlarge);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "random/random_item.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

class RandomSource;

// How the random item view shows an entry: its captions, the picture or sound its link names,
// the pictures of a directory, and where the window goes next.

inline constexpr int large_caption_points = 24;
inline constexpr int small_caption_points = 10;
// A trimmed caption longer than this is shown small and wrapped.
inline constexpr int long_caption_length = 60;
// The most pictures a directory gives a window.
inline constexpr int max_random_pictures = 1000;

// The texts of lab_collection, lab_cat and lab_item, the item label's tool tip and font.
struct RandomCaptions {
    QString collection;
    QString cat;
    QString item;
    QString tool_tip;
    int point_size = large_caption_points;
    bool wrap = false;
};

// The captions of an item of collection position `position`: the Journal (6) shows its content,
// Books and Media (7, 8) title and content at 10 points, any other its title with the content as
// tool tip. Long captions, and any caption beside a picture, are small and wrapped.
RandomCaptions item_captions(const RandomItemRow& row, int position, bool picture_shown);
// The captions of a picture of a directory: its file name beside the picture, the map the
// directory came from above.
RandomCaptions picture_captions(const QString& path, const QString& collection, const QString& cat);

// What an item's link names, when its content's first line is "LINK=" and a target that exists.
struct LinkMedia {
    enum class Kind { None, Picture, Sound };
    Kind kind = Kind::None;
    QString path;
};
LinkMedia link_media(const QString& content);

// The readable pictures of a directory (not of its subdirectories), sorted by name with case
// ignored, full paths, at most `limit` of them; empty when the directory does not exist.
QStringList list_pictures(const QString& dir, qsizetype limit = max_random_pictures);

// A random place for the window inside the main window's inner area, all in twips: left within
// the width less the window's and 1000, top within the height less the window's, 200 higher;
// never above or left of the area.
QPoint random_window_place(RandomSource& random, QSize inner, QSize window);

// The size a picture is read at: its natural size, scaled down (aspect kept) to fit `limit`.
// An unknown natural size gives an empty size.
QSize fitted_picture_size(QSize natural, QSize limit);

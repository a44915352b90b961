// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "random/random_item.h"

#include "core/random_selection.h"

#include <QString>
#include <QStringList>
#include <vector>

class CollectionTable;
class Database;

// The tags of a storm: what each label stands for, read from the selection the storm was opened on.

// A storm shows at most this many labels.
inline constexpr int storm_tag_limit = 400;

struct StormTag {
    qint64 item_nr = 0; // 0 for a collection, a category or a picture
    QString title;      // the item's title, the collection or category, or the picture's file name
    QString content;
    QString cat;
    QString picture; // the picture the tag can show: its "LINK=" target or the picture file; "" for none
};

struct StormTags {
    QString caption;
    std::vector<StormTag> tags;
    // Tags beyond the limit that are not shown, and the message telling so ("" when none).
    int left_out = 0;
    QString limit_message;
};

// Reads the tags of `selection`: the collection names for the top map; one tag per category of a
// "select distinct" statement; one per row of any other statement (fillers and the category
// separators left out); the pictures of a directory; with viewer_list_marker the pictures of the
// picture browser's list (`viewer_list`). Database failures propagate as DbError.
StormTags load_storm_tags(Database& db, const CollectionTable& collections, const RandomSelection& selection,
                          const QStringList& viewer_list = {});

// The picture_dir that stands for the picture browser's search result rather than a directory.
inline const QString viewer_list_marker = QStringLiteral("\u00a7from_f_start_list\u00a7");

// The window's caption for a selection: the map name, "TOP MAP", or what the pictures come from.
QString storm_caption(const RandomSelection& selection);

// The picture the first line of a content links to ("LINK=" and a ".jpg", ".gif" or ".bmp" file,
// case ignored); "" when it links to none.
QString linked_picture(const QString& content);

// A label's caption: the title between blanks.
QString tag_caption(const QString& title);
// A label's tool tip: the first 120 characters of the content, "..." after a longer one.
QString tag_tool_tip(const QString& content);

// The message of a board that is full ("Max number of tags (400) exceeded.").
QString tag_limit_message();

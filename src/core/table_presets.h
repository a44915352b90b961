// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a window hands to the table view it is about to open: the table view applies these
// values as its first filters and clears them, so that they never reach a later window.
struct TablePresets {
    QString search_text; // put into several filters at once
    QString category;    // a category to filter on
    QString title;       // a title to filter on
    qint64 item_nr = 0;  // the item to position the grid on; 0 = none
    bool deadlines_only = false;
    QString insert_content;    // an insert started with this content once the window is open
    bool no_auto_find = false; // no find prompt on the window's first activation

    bool empty() const {
        return search_text.isEmpty() && category.isEmpty() && title.isEmpty() && item_nr == 0 &&
               !deadlines_only && insert_content.isEmpty() && !no_auto_find;
    }
};

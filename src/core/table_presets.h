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

    bool empty() const {
        return search_text.isEmpty() && category.isEmpty() && title.isEmpty() && item_nr == 0 &&
               !deadlines_only;
    }
};

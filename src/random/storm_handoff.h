// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/random_selection.h"

class AppContext;
class CollectionTable;

// How the main window's menus and toolbar open a tags storm.

// "Open random map for collection...": the items of the collection at `position`.
RandomSelection collection_storm_selection(const CollectionTable& collections, int position);

// The toolbar's "Random map view of active form": the active window's selection; with no window
// answering, or a random view or storm active, the selection dialog chooses (cancelling opens
// nothing); with the picture browser active, the pictures of its search result. "Invalid
// selection." when neither gives a usable selection.
void open_storm_of_active_form(AppContext& ctx);

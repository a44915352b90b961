// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/random_selection.h"

#include <optional>

class AppContext;
struct OpenSession;

// The main window's requests for a random item view: each builds the selection and hands it to
// ctx.windows.open_random_item.

// The selection of what the user chose in the selection dialog: every item for an empty choice,
// a collection's or a category's items, or one item (whose "PICDIR=" content, when it names a
// directory, makes a picture selection).
RandomSelection selection_of_choice(OpenSession& session, const MapParts& choice);

// "Open random item from all collections": the dated items with the calendar active, the active
// map's or table's collection, else every item.
RandomSelection random_item_view_selection(AppContext& ctx);
void open_random_item_view(AppContext& ctx);

// "Open random item for collection...": the items of the collection at `position`.
void open_random_item_of_collection(AppContext& ctx, int position);

// The toolbar's "Random item view of active form": the active window's selection; with a random
// view active or no window answering, the selection dialog chooses (cancel: nothing opens).
void open_random_item_of_active_form(AppContext& ctx);

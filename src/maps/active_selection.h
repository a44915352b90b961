// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"

#include <QString>

class AppContext;
struct OpenSession;

// The commands that act on what the active window has selected: each asks the active window
// (Windows::active_form_attributes), fills the selection dialog with the answer and acts on
// what the user chose there. A cancelled dialog does nothing.

inline const QString invalid_selection_message = QStringLiteral("Invalid selection.");

// The selection dialog's boxes for what a window answered: its map's collection and category,
// and the title of its selected item when that item belongs to the map.
MapParts parts_of_attributes(const OpenSession& session, const FormAttributes& attributes);

// "Tag map view of active form": opens the chosen map, with the chosen item selected.
void open_map_view_of_active_form(AppContext& ctx);
// "Table view of active form": the table view of the chosen collection, filtered to the chosen
// category and positioned on the chosen item.
void open_table_view_of_active_form(AppContext& ctx);

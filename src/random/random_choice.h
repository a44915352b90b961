// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "core/random_selection.h"

#include <QColor>
#include <optional>

class CollectionTable;
class RandomSource;

// What the random item views and the tags storms share: their light colours and the selection
// the toolbar's random commands take from the active window.

// A light colour: red, green and blue drawn from 0 to 255 each until their sum is at least 356.
QColor random_light_colour(RandomSource& random);

// The statement of every item.
inline const QString all_items_selection = QStringLiteral("Select * from repos");

// The selection of the active window's attributes: its statement when it has one that is not a
// "select distinct"; else the items of its map (a collection, or a collection's category); else
// every item. The window's map, position and item go with it. Nothing when no window answered
// (the caller then asks with the selection dialog).
std::optional<RandomSelection> selection_of_form(const CollectionTable& collections,
                                                 const std::optional<FormAttributes>& attributes);

// The items of a collection, or of one of its categories when `cat` is not empty.
QString map_items_selection(const QString& collection, const QString& cat = {});

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the active window has selected, as the main window's commands ask it ("Table view of
// active form", "Tag map view of active form", the random views). Every field may be empty.
struct FormAttributes {
    QString query;       // the statement of what the window shows ("" when it has none)
    QString map_name;    // "Top map", a collection, or collection + ": " + category
    int position = 0;    // the collection position of that map; 0 when none
    qint64 item_nr = 0;  // the selected item; 0 when none
    QString picture_dir; // the directory of a selected "PICDIR=" content, ending in "/"
};

// A window that can tell what it has selected. Map windows, table views and the map tree
// answer; the windows that only edit or list do not.
class FormAttributeSource {
public:
    virtual ~FormAttributeSource() = default;
    virtual FormAttributes form_attributes() const = 0;
};

// A map named by its parts, as the selection dialogs fill them: a collection alone names the
// collection map, with a category the category map, with an item title too that item of it.
// Kept apart rather than joined into one name, so that a category holding a "." is not taken
// apart again.
struct MapParts {
    QString collection;
    QString cat;
    QString item;

    bool empty() const { return collection.isEmpty() && cat.isEmpty() && item.isEmpty(); }
    bool operator==(const MapParts&) const = default;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// One position of the collection table.
struct Collection {
    QString name;
    QString shortcut;
    bool cogniva = false;          // offered only while the cogniva functions are on
    bool defined = false;          // the position holds a collection
    bool visible = false;          // offered in menus and toolbar
    bool open_coll_as_map = false; // collection opens as its map (else as its table view)
    bool open_cat_as_map = false;  // its category maps open as maps (else as tables)
};

// Positions 1..45; index 0 is unused so that positions read as they are numbered.
class CollectionTable {
public:
    static constexpr int count = 45;
    static constexpr int all_collections = 45; // stands for the top map and for all collections

    Collection& at(int position) { return items_.at(static_cast<std::size_t>(position)); }
    const Collection& at(int position) const { return items_.at(static_cast<std::size_t>(position)); }
    // Position whose name equals `name` without regard to case, or 0.
    int find(const QString& name) const;

    // Fills the table with the defaults (names, shortcuts, cogniva and defined flags).
    void init_collections();

private:
    std::array<Collection, count + 1> items_{};
};

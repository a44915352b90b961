// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"

#include <QString>
#include <QStringList>
#include <optional>

class AppContext;
class CollectionTable;
class Database;
struct OpenSession;
class Prompter;

// What the two map dialogs decide: the selection dialog (f_select_map) and the open-or-create
// dialog (f_create_map). The dialogs show the boxes and the list; every check, statement and
// message is here.

inline const QString select_collection_first_message = QStringLiteral("Select collection first.");
inline const QString select_cat_first_message = QStringLiteral("Select cat first.");
inline const QString selection_missing_message = QStringLiteral("Selected elements do not exist.");

// The boxes filled from a pending map name: its collection, its category and its item part.
MapParts parts_of_map_name(const CollectionTable& collections, const QString& name);
// collection, then ": " and the category when there is one, then "." and the item when there is
// one.
QString map_name_of_parts(const MapParts& parts);

// What the list shows.
enum class SelectionList { None, Collections, Categories, Items };

// The collection names of the 45 positions, in position order (positions without a name are
// left out).
QStringList collection_entries(const CollectionTable& collections);
// The categories of a collection, each stored comma list split into its parts, sorted and each
// once.
QStringList category_entries(Database& db, const QString& collection);
// The titles of the items of a map, in the order the statement gives them.
QStringList item_entries(Database& db, const QString& collection, const QString& cat);

// Whether the dialog may accept these boxes: a collection alone when it is a collection, a
// category when a map of it exists (a part of a comma list counts), an item when the map holds it.
bool selection_exists(const OpenSession& session, const MapParts& parts);

// The state of a selection or open-or-create dialog: its boxes, what its list shows, and the
// steps the user takes. Refusals are told through the prompter and change nothing.
class MapSelection {
public:
    MapSelection(const OpenSession& session, Prompter& prompter, MapParts prefill, bool collection_only);

    MapParts boxes;
    bool collection_only() const { return collection_only_; }
    SelectionList list() const { return list_; }
    const QStringList& entries() const { return entries_; }

    // The list buttons; false (and a message) when a box they need is empty.
    bool look_collections();
    bool look_categories();
    bool look_items();
    // Hides the list.
    void hide_list();

    // A click on entry `index` of the list: the entry goes into its box; a collection moves on
    // to its categories (unless only collections are asked for). True when the click accepts the
    // dialog (a category or an item was chosen); accept() then decides.
    bool click(int index);

    // The choice, or nothing (and "Selected elements do not exist.") when the boxes name
    // nothing that exists.
    std::optional<MapParts> accept();

private:
    const OpenSession& session_;
    Prompter& prompter_;
    bool collection_only_;
    SelectionList list_ = SelectionList::None;
    QStringList entries_;
};

// The open-or-create dialog's "&Create map": "Map already exists" when the category map
// exists; otherwise its first filler item is inserted. True when created. A missing collection or
// category is refused with the selection dialog's messages.
bool create_map_of_parts(AppContext& ctx, const QString& collection, const QString& cat);

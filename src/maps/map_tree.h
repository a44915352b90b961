// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class AppContext;
class CollectionTable;
class Database;

// The map tree (f_tree) shows every map as one outline: collections, their categories, and the
// items of each category. This file holds what the tree decides; the tree window and its model
// only show the nodes and carry the decisions out.

enum class TreeNodeKind { Collection, Category, Item };

// What one node of the tree stands for.
struct TreeNode {
    TreeNodeKind kind = TreeNodeKind::Collection;
    QString collection;
    QString cat;        // categories and items
    QString title;      // items
    qint64 item_nr = 0; // items

    // The node's key, unique in the tree: "collection=" + collection; "colcat=" + the category
    // map's name; "item=" + the map's name + "." + the item's title.
    QString key() const;
    // collection, or collection + ": " + category for categories and items.
    QString map_name() const;
    bool operator==(const TreeNode&) const = default;
};

// The node a key names (without an item number). nullopt for a text that is no tree key. A
// category holding "." followed by more text cannot be told from an item part in an item key;
// such names are refused for new categories, and the window keeps the parts of each node anyway.
std::optional<TreeNode> parse_tree_key(const QString& key);

// ---------------------------------------------------------------- branches

// Collections of the visible positions 1 to 44, in position order.
struct TreeCollection {
    QString name;
    int position = 0;
};
std::vector<TreeCollection> tree_collections(const CollectionTable& collections);

// The statement that lists the categories of a collection, in the order the user gave them
// (cat_seq), then by name.
QString category_branch_statement(const QString& collection);
// The statement that lists the items of a category map, in their map order.
QString item_branch_statement(const QString& collection, const QString& cat);

// The categories of a collection as they are stored (a comma list stays one category), each
// once whatever its letter case. One statement.
QStringList load_tree_categories(Database& db, const QString& collection);

// One item of a category branch.
struct TreeItem {
    qint64 item_nr = 0;
    QString title;
    QString panel_text;
    // For a reference (a title beginning with ">"): the position of the referenced collection,
    // whose picture the node shows; 0 (no picture) for other items and for a reference to no
    // collection.
    int picture_position = 0;
};
struct TreeItems {
    std::vector<TreeItem> items;
    int statements = 0; // statements this branch cost: its own and the panel facts' batch
};
// The items of the category map of `collection` and `cat` with their panel texts, the panel
// facts answered for the whole branch at once. Database failures propagate as DbError.
TreeItems load_tree_items(AppContext& ctx, const QString& collection, const QString& cat);

// ---------------------------------------------------------------- what is selected

// The tree's answer to "what is selected": the node's map, its collection position, the
// statement of the selected branch and, for an item, the item.
FormAttributes tree_form_attributes(const CollectionTable& collections, const TreeNode& node);

// The branch the tree opens at: the category of the last selected item (and the item), or
// else the active map window's category map; nullopt when there is neither (or the item has
// been deleted).
struct TreeTarget {
    QString collection;
    QString cat;        // empty: the collection node alone
    QString item_title; // set when an item is to be selected
    qint64 item_nr = 0;
    bool operator==(const TreeTarget&) const = default;
};
std::optional<TreeTarget> tree_opening_target(AppContext& ctx, qint64 last_selected_item);

// The content box text of an item node, read afresh; empty when the item no longer exists.
QString tree_item_content(Database& db, qint64 item_nr);

// ---------------------------------------------------------------- opening an item node

// What a double click on an item node leads to.
struct TreeItemOpening {
    enum class Kind {
        Nothing,   // not a reference, a reference to a missing map, or a plain item
        ExpandMap, // expand and select `target` in the tree
        LinkRan,   // the item's link was run (or reported as not found)
        Vanished,  // the item was deleted meanwhile; the user was told
    };
    Kind kind = Kind::Nothing;
    TreeTarget target;
};
TreeItemOpening open_tree_item(AppContext& ctx, const TreeNode& node);
// The tree branch a reference text (after "> ") names, when that map exists.
std::optional<TreeTarget> reference_target(AppContext& ctx, const QString& reference);

// ---------------------------------------------------------------- deleting a branch

inline const QString collection_not_deletable_message = QStringLiteral("Collection cannot be deleted.");
inline const QString last_category_message =
    QStringLiteral("Last category of a collection cannot be deleted.");

QString delete_category_question(const QString& cat);
QString delete_item_question(const QString& title);

enum class BranchDeletion {
    Refused,   // a collection, or the last category of a collection; the user was told
    Cancelled, // the user answered No
    Deleted,   // the rows are gone: refresh the windows and remove the node
    Vanished,  // deleted meanwhile elsewhere; the user was told, the branch should be read again
    Failed,    // the database failed; reported, nothing written
};
// Asks and deletes the node's branch: a category with all its items, or one item.
BranchDeletion delete_tree_branch(AppContext& ctx, const TreeNode& node);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_tree.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <memory>
#include <vector>

class AppContext;

// The outline of the map tree: collections at the top, their categories and items below. A
// branch is read when it is first opened (one statement for a collection's categories; one for
// a category's items plus one batch for their panel facts), never one statement per node.
class MapTreeModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    // The role that answers a node's key ("collection=...", "colcat=...", "item=...").
    static constexpr int key_role = Qt::UserRole + 1;

    explicit MapTreeModel(AppContext& ctx, QObject* parent = nullptr);
    ~MapTreeModel() override;

    // One node per visible collection of positions 1 to 44; every branch unread.
    void build_roots();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // What the node stands for; nullptr for an invalid index.
    const TreeNode* node(const QModelIndex& index) const;
    // The collection node of `collection`, or its category node of `cat`, or the item node of
    // `item_nr` in it, reading the branches on the way; invalid when there is no such node.
    // Names compare without regard to letter case.
    QModelIndex find(const QString& collection, const QString& cat = {}, qint64 item_nr = 0,
                     const QString& item_title = {});
    // Removes the node and its branch (after the rows were deleted).
    void remove(const QModelIndex& index);
    // Reads the branch of a collection or category node again.
    void reread(const QModelIndex& branch);

private:
    struct Node;
    Node* node_at(const QModelIndex& index) const;
    QModelIndex index_of(const Node* node) const;
    void fill(Node& node);

    AppContext& ctx_;
    std::unique_ptr<Node> root_;
    std::vector<QIcon> pictures_; // one per collection position 0..45; 0 is blank
};

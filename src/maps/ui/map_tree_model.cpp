// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/map_tree_model.h"

#include "core/app_context.h"
#include "core/collections.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/icons.h"
#include "maps/map_names.h"

struct MapTreeModel::Node {
    TreeNode data;
    QString text;
    int picture = 0;
    Node* parent = nullptr;
    int row = 0;
    bool fetched = false; // items have no branch: they count as read
    std::vector<std::unique_ptr<Node>> children;

    Node* add(TreeNode node_data, QString node_text, int node_picture) {
        auto child = std::make_unique<Node>();
        child->data = std::move(node_data);
        child->text = std::move(node_text);
        child->picture = node_picture;
        child->parent = this;
        child->row = static_cast<int>(children.size());
        child->fetched = child->data.kind == TreeNodeKind::Item;
        children.push_back(std::move(child));
        return children.back().get();
    }
};

namespace {

bool same_text(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

MapTreeModel::MapTreeModel(AppContext& ctx, QObject* parent)
    : QAbstractItemModel(parent), ctx_(ctx), root_(std::make_unique<Node>()) {
    root_->fetched = true;
}

MapTreeModel::~MapTreeModel() = default;

void MapTreeModel::build_roots() {
    beginResetModel();
    root_->children.clear();
    if (pictures_.empty()) {
        pictures_.resize(CollectionTable::count + 1);
        for (int position = 1; position <= CollectionTable::count; ++position)
            pictures_[static_cast<std::size_t>(position)] = collection_icon(ctx_.program_dir, position);
    }
    for (const TreeCollection& collection : tree_collections(ctx_.collections)) {
        TreeNode node;
        node.kind = TreeNodeKind::Collection;
        node.collection = collection.name;
        root_->add(std::move(node), collection.name, collection.position);
    }
    endResetModel();
}

MapTreeModel::Node* MapTreeModel::node_at(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : root_.get();
}

QModelIndex MapTreeModel::index_of(const Node* node) const {
    if (!node || node == root_.get()) return {};
    return createIndex(node->row, 0, const_cast<Node*>(node));
}

QModelIndex MapTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const Node* owner = node_at(parent);
    if (row >= static_cast<int>(owner->children.size())) return {};
    return createIndex(row, 0, owner->children[static_cast<std::size_t>(row)].get());
}

QModelIndex MapTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    return index_of(node_at(child)->parent);
}

int MapTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return static_cast<int>(node_at(parent)->children.size());
}

int MapTreeModel::columnCount(const QModelIndex& /*parent*/) const {
    return 1;
}

QVariant MapTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Node* node = node_at(index);
    switch (role) {
    case Qt::DisplayRole:
        return node->text;
    case Qt::DecorationRole:
        if (node->picture > 0 && node->picture < static_cast<int>(pictures_.size()))
            return pictures_[static_cast<std::size_t>(node->picture)];
        return {};
    case key_role:
        return node->data.key();
    default:
        return {};
    }
}

bool MapTreeModel::hasChildren(const QModelIndex& parent) const {
    if (parent.column() > 0) return false;
    const Node* node = node_at(parent);
    // An unread branch may hold nodes: the view shows it as one that opens.
    if (!node->fetched) return true;
    return !node->children.empty();
}

bool MapTreeModel::canFetchMore(const QModelIndex& parent) const {
    return !node_at(parent)->fetched;
}

void MapTreeModel::fetchMore(const QModelIndex& parent) {
    Node* node = node_at(parent);
    if (!node->fetched) fill(*node);
}

void MapTreeModel::fill(Node& node) {
    node.fetched = true;
    struct Entry {
        TreeNode data;
        QString text;
        int picture = 0;
    };
    std::vector<Entry> entries;
    try {
        const TreeNode& branch = node.data;
        if (branch.kind == TreeNodeKind::Collection) {
            const int picture = collection_index(ctx_.collections, branch.collection);
            for (const QString& cat : load_tree_categories(*ctx_.db, branch.collection))
                entries.push_back(
                    {TreeNode{TreeNodeKind::Category, branch.collection, cat, {}, 0}, cat, picture});
        } else if (branch.kind == TreeNodeKind::Category) {
            TreeItems items = load_tree_items(ctx_, branch.collection, branch.cat);
            entries.reserve(items.items.size());
            for (TreeItem& item : items.items)
                entries.push_back(
                    {TreeNode{TreeNodeKind::Item, branch.collection, branch.cat, item.title, item.item_nr},
                     std::move(item.panel_text), item.picture_position});
        }
    } catch (const DbError& error) {
        // The branch stays empty until it is read again; the user knows why.
        report_error(ctx_.prompter, error);
        return;
    }
    if (entries.empty()) return;
    beginInsertRows(index_of(&node), 0, static_cast<int>(entries.size()) - 1);
    node.children.reserve(entries.size());
    for (Entry& entry : entries)
        node.add(std::move(entry.data), std::move(entry.text), entry.picture);
    endInsertRows();
}

const TreeNode* MapTreeModel::node(const QModelIndex& index) const {
    return index.isValid() ? &node_at(index)->data : nullptr;
}

QModelIndex MapTreeModel::find(const QString& collection, const QString& cat, qint64 item_nr,
                               const QString& item_title) {
    const auto child_where = [this](Node& owner, auto&& matches) -> Node* {
        if (!owner.fetched) fill(owner);
        for (const auto& child : owner.children)
            if (matches(child->data)) return child.get();
        return nullptr;
    };
    Node* found =
        child_where(*root_, [&](const TreeNode& node) { return same_text(node.collection, collection); });
    if (!found || (cat.isEmpty() && item_nr == 0 && item_title.isEmpty())) return index_of(found);
    found = child_where(*found, [&](const TreeNode& node) { return same_text(node.cat, cat); });
    if (!found || (item_nr == 0 && item_title.isEmpty())) return index_of(found);
    Node* item = child_where(*found, [&](const TreeNode& node) {
        return item_nr != 0 ? node.item_nr == item_nr : same_text(node.title, item_title);
    });
    // An item that is no longer there leaves its category selected.
    return index_of(item ? item : found);
}

void MapTreeModel::remove(const QModelIndex& index) {
    if (!index.isValid()) return;
    Node* node = node_at(index);
    Node* owner = node->parent;
    const int row = node->row;
    beginRemoveRows(index_of(owner), row, row);
    owner->children.erase(owner->children.begin() + row);
    for (std::size_t i = static_cast<std::size_t>(row); i < owner->children.size(); ++i)
        owner->children[i]->row = static_cast<int>(i);
    endRemoveRows();
}

void MapTreeModel::reread(const QModelIndex& branch) {
    if (!branch.isValid()) {
        build_roots();
        return;
    }
    Node* node = node_at(branch);
    if (node->data.kind == TreeNodeKind::Item) return;
    if (!node->children.empty()) {
        beginRemoveRows(branch, 0, static_cast<int>(node->children.size()) - 1);
        node->children.clear();
        endRemoveRows();
    }
    node->fetched = false;
    fill(*node);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_tree.h"

#include "core/app_context.h"
#include "core/collections.h"
#include "core/column_values.h"
#include "core/database.h"
#include "core/db_error.h"
#include "core/file_helpers.h"
#include "core/params.h"
#include "maps/links.h"
#include "maps/map_items.h"
#include "maps/map_names.h"
#include "maps/panel_facts.h"

#include <QSet>

namespace {

const QString collection_prefix = QStringLiteral("collection=");
const QString category_prefix = QStringLiteral("colcat=");
const QString item_prefix = QStringLiteral("item=");
const QString map_separator = QStringLiteral(": ");
constexpr int last_tree_position = 44;

const QString category_vanished_message =
    QStringLiteral("This category no longer exists: it may have been deleted in another window.");

// Splits "collection: category" at its first ":" (collection names hold none).
bool split_category_name(const QString& name, QString& collection, QString& cat) {
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    if (colon <= 0) return false;
    collection = name.left(colon);
    cat = name.mid(colon + 1);
    if (cat.startsWith(QLatin1Char(' '))) cat.remove(0, 1);
    return true;
}

// The map-name rule for the "." that starts an item part: neither the last character nor
// followed by another ".".
qsizetype item_separator(const QString& text) {
    for (qsizetype at = text.indexOf(QLatin1Char('.')); at >= 0;
         at = text.indexOf(QLatin1Char('.'), at + 1)) {
        if (at + 1 < text.size() && text[at + 1] != QLatin1Char('.')) return at;
        // ".." stays inside the name: skip both dots.
        if (at + 1 < text.size()) ++at;
    }
    return -1;
}

QString branch_condition(const QString& collection) {
    return QStringLiteral("Select * from repos where collection='") + equality_text(collection) +
           QLatin1Char('\'');
}

QString map_condition(const QString& collection, const QString& cat) {
    return branch_condition(collection) + QStringLiteral(" and cat='") + equality_text(cat) +
           QLatin1Char('\'');
}

// A content that runs as a link, as a map panel's content does.
bool is_link_content(const QString& content) {
    return content.startsWith(QLatin1String("LINK="), Qt::CaseInsensitive) || is_web_address(content);
}

} // namespace

// ---------------------------------------------------------------- keys

QString TreeNode::map_name() const {
    return kind == TreeNodeKind::Collection ? collection : category_map_name(collection, cat);
}

QString TreeNode::key() const {
    switch (kind) {
    case TreeNodeKind::Collection:
        return collection_prefix + collection;
    case TreeNodeKind::Category:
        return category_prefix + map_name();
    case TreeNodeKind::Item:
        break;
    }
    return item_prefix + map_name() + QLatin1Char('.') + title;
}

std::optional<TreeNode> parse_tree_key(const QString& key) {
    TreeNode node;
    if (key.startsWith(collection_prefix)) {
        node.kind = TreeNodeKind::Collection;
        node.collection = key.mid(collection_prefix.size());
        if (node.collection.isEmpty()) return std::nullopt;
        return node;
    }
    if (key.startsWith(category_prefix)) {
        node.kind = TreeNodeKind::Category;
        if (!split_category_name(key.mid(category_prefix.size()), node.collection, node.cat))
            return std::nullopt;
        return node;
    }
    if (!key.startsWith(item_prefix)) return std::nullopt;
    node.kind = TreeNodeKind::Item;
    QString rest;
    if (!split_category_name(key.mid(item_prefix.size()), node.collection, rest)) return std::nullopt;
    const qsizetype dot = item_separator(rest);
    if (dot < 0) return std::nullopt;
    node.cat = rest.left(dot);
    node.title = rest.mid(dot + 1);
    return node;
}

// ---------------------------------------------------------------- branches

std::vector<TreeCollection> tree_collections(const CollectionTable& collections) {
    std::vector<TreeCollection> result;
    for (int position = 1; position <= last_tree_position; ++position) {
        const Collection& collection = collections.at(position);
        if (collection.visible && !collection.name.isEmpty()) result.push_back({collection.name, position});
    }
    return result;
}

QString category_branch_statement(const QString& collection) {
    return QStringLiteral("select distinct cat_seq.seq,repos.cat from repos left join cat_seq on "
                          "repos.collection=cat_seq.collection and repos.cat=cat_seq.cat where "
                          "repos.collection='") +
           equality_text(collection) + QStringLiteral("' order by cat_seq.seq,repos.cat");
}

QString item_branch_statement(const QString& collection, const QString& cat) {
    return QStringLiteral("select * from repos where collection='") + equality_text(collection) +
           QStringLiteral("' and cat='") + equality_text(cat) + QStringLiteral("' order by seq,item_title");
}

QStringList load_tree_categories(Database& db, const QString& collection) {
    Statement rows = db.prepare(category_branch_statement(collection));
    const int cat_column = rows.column_index(QStringLiteral("cat"));
    QStringList cats;
    // A category listed twice in cat_seq, or stored in two letter cases, is one node.
    QSet<QString> seen;
    while (rows.next()) {
        const QString cat = rows.value(cat_column).toString();
        if (seen.contains(cat.toCaseFolded())) continue;
        seen.insert(cat.toCaseFolded());
        cats.append(cat);
    }
    return cats;
}

TreeItems load_tree_items(AppContext& ctx, const QString& collection, const QString& cat) {
    TreeItems result;
    std::vector<MapItem> items;
    {
        Statement rows = ctx.db->prepare(item_branch_statement(collection, cat));
        ++result.statements;
        const int nr = rows.column_index(QStringLiteral("item_nr"));
        const int title = rows.column_index(QStringLiteral("item_title"));
        const int content = rows.column_index(QStringLiteral("item_content"));
        const int expiry = rows.column_index(QStringLiteral("date_expiry"));
        while (rows.next()) {
            MapItem item;
            item.item_nr = rows.value(nr).toLongLong();
            item.title = rows.value(title).toString();
            item.content = rows.value(content).toString();
            item.expiry = date_of(rows.value(expiry));
            items.push_back(std::move(item));
        }
    }
    const int position = collection_index(ctx.collections, collection);
    const bool similar = ctx.prefs.similar_items_indicator;
    QStringList references;
    QStringList titles;
    for (const MapItem& item : items) {
        if (item.title.startsWith(QLatin1Char('>')))
            references.append(title_reference(item.title));
        else if (item.content.startsWith(QLatin1Char('>')))
            references.append(content_reference(item.content));
        else if (similar)
            titles.append(item.title);
    }
    const BatchedPanelFacts facts(ctx, references, titles);
    result.statements += facts.statements();
    const PanelFacts answers = facts.facts();
    result.items.reserve(items.size());
    for (const MapItem& item : items) {
        TreeItem entry;
        entry.item_nr = item.item_nr;
        entry.title = item.title;
        entry.panel_text = compose_panel_text(item, position, similar, answers);
        if (item.title.startsWith(QLatin1Char('>')))
            entry.picture_position = collection_index(
                ctx.collections,
                collection_of(ctx.collections, split_map_name(title_reference(item.title)).map));
        result.items.push_back(std::move(entry));
    }
    return result;
}

// ---------------------------------------------------------------- what is selected

FormAttributes tree_form_attributes(const CollectionTable& collections, const TreeNode& node) {
    FormAttributes attributes;
    attributes.map_name = node.map_name();
    attributes.position = collection_index(collections, node.collection);
    attributes.query = node.kind == TreeNodeKind::Collection ? branch_condition(node.collection)
                                                             : map_condition(node.collection, node.cat);
    if (node.kind == TreeNodeKind::Item) attributes.item_nr = node.item_nr;
    return attributes;
}

std::optional<TreeTarget> tree_opening_target(AppContext& ctx, qint64 last_selected_item) {
    if (last_selected_item > 0) {
        Statement item = ctx.db->prepare(QStringLiteral("Select * from repos where item_nr=") +
                                         QString::number(last_selected_item));
        if (item.next())
            return TreeTarget{item.text(QStringLiteral("collection")), item.text(QStringLiteral("cat")),
                              item.text(QStringLiteral("item_title")), last_selected_item};
    }
    const int active = ctx.map_windows.active_slot();
    if (active == 0) return std::nullopt;
    const MapSlot& slot = ctx.map_windows.slot(active);
    if (!slot.in_use || !slot.map_name.contains(QLatin1Char(':')) || slot.collection.isEmpty())
        return std::nullopt;
    return TreeTarget{slot.collection, slot.cat, {}, 0};
}

QString tree_item_content(Database& db, qint64 item_nr) {
    return db
        .scalar(QStringLiteral("Select item_content from repos where item_nr=") + QString::number(item_nr))
        .toString();
}

// ---------------------------------------------------------------- opening an item node

std::optional<TreeTarget> reference_target(AppContext& ctx, const QString& reference) {
    const SplitName split = split_map_name(reference.trimmed());
    const QString collection = collection_of(ctx.collections, split.map);
    if (!split.map.contains(QLatin1Char(':'))) {
        if (!is_collection(ctx.collections, collection)) return std::nullopt;
        return TreeTarget{collection, {}, {}, 0};
    }
    const QString cat = cat_of(split.map);
    if (!category_map_exists(ctx, collection, cat, true)) return std::nullopt;
    return TreeTarget{collection, cat, split.item, 0};
}

TreeItemOpening open_tree_item(AppContext& ctx, const TreeNode& node) {
    TreeItemOpening opening;
    try {
        // A title beginning with "> " refers to another map: its key holds ".> ".
        if (node.title.startsWith(QStringLiteral("> "))) {
            if (auto target = reference_target(ctx, title_reference(node.title))) {
                opening.kind = TreeItemOpening::Kind::ExpandMap;
                opening.target = *target;
            }
            return opening;
        }
        Statement item =
            ctx.db->prepare(map_condition(node.collection, node.cat) + QStringLiteral(" and item_title='") +
                            equality_text(node.title) + QLatin1Char('\''));
        if (!item.next()) {
            ctx.prompter.message(item_vanished_message);
            opening.kind = TreeItemOpening::Kind::Vanished;
            return opening;
        }
        const QString content = item.text(QStringLiteral("item_content"));
        if (is_link_content(content)) {
            open_link(ctx, content, true);
            opening.kind = TreeItemOpening::Kind::LinkRan;
        } else if (content.startsWith(QStringLiteral("> "))) {
            if (auto target = reference_target(ctx, content_reference(content))) {
                opening.kind = TreeItemOpening::Kind::ExpandMap;
                opening.target = *target;
            }
        }
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        opening = {};
    }
    return opening;
}

// ---------------------------------------------------------------- deleting a branch

QString delete_category_question(const QString& cat) {
    return QStringLiteral("Do you really want to delete category \"") + cat + QStringLiteral("\"?");
}

QString delete_item_question(const QString& title) {
    return QStringLiteral("Do you really want to delete item \"") + title + QStringLiteral("\"?");
}

namespace {

BranchDeletion delete_category(AppContext& ctx, const TreeNode& node) {
    Database& db = *ctx.db;
    const QString map = map_condition(node.collection, node.cat);
    if (db.scalar(QStringLiteral("Select count(*) from (") + map + QLatin1Char(')')).toLongLong() == 0) {
        ctx.prompter.message(category_vanished_message);
        return BranchDeletion::Vanished;
    }
    const qint64 categories =
        db.scalar(QStringLiteral("select count(*) from (select distinct cat from repos where collection='") +
                  equality_text(node.collection) + QStringLiteral("')"))
            .toLongLong();
    if (categories <= 1) {
        ctx.prompter.message(last_category_message);
        return BranchDeletion::Refused;
    }
    if (!ctx.prompter.yes_no(delete_category_question(node.cat), {}, false)) return BranchDeletion::Cancelled;
    Transaction transaction(db);
    db.exec(QStringLiteral("delete from repos where collection='") + equality_text(node.collection) +
            QStringLiteral("' and cat='") + equality_text(node.cat) + QLatin1Char('\''));
    const int deleted = db.changes();
    transaction.commit();
    if (deleted == 0) {
        ctx.prompter.message(category_vanished_message);
        return BranchDeletion::Vanished;
    }
    return BranchDeletion::Deleted;
}

BranchDeletion delete_item(AppContext& ctx, const TreeNode& node) {
    Database& db = *ctx.db;
    const QString number = QString::number(node.item_nr);
    QString title;
    {
        Statement item = db.prepare(QStringLiteral("Select * from repos where item_nr=") + number);
        if (!item.next()) {
            ctx.prompter.message(item_vanished_message);
            return BranchDeletion::Vanished;
        }
        title = item.text(QStringLiteral("item_title"));
    }
    if (!ctx.prompter.yes_no(delete_item_question(title), {}, false)) return BranchDeletion::Cancelled;
    db.exec(QStringLiteral("delete from repos where item_nr=") + number);
    if (db.changes() == 0) {
        ctx.prompter.message(item_vanished_message);
        return BranchDeletion::Vanished;
    }
    return BranchDeletion::Deleted;
}

} // namespace

BranchDeletion delete_tree_branch(AppContext& ctx, const TreeNode& node) {
    try {
        switch (node.kind) {
        case TreeNodeKind::Collection:
            ctx.prompter.message(collection_not_deletable_message);
            return BranchDeletion::Refused;
        case TreeNodeKind::Category:
            return delete_category(ctx, node);
        case TreeNodeKind::Item:
            return delete_item(ctx, node);
        }
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
    }
    return BranchDeletion::Failed;
}

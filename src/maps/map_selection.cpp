// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_selection.h"

#include "core/app_context.h"
#include "core/collections.h"
#include "core/database.h"
#include "core/sql_text.h"
#include "maps/map_items.h"
#include "maps/map_names.h"
#include "maps/panel_facts.h"

#include <QSet>

MapParts parts_of_map_name(const CollectionTable& collections, const QString& name) {
    MapParts parts;
    if (name.trimmed().isEmpty() || is_top_map_name(name)) return parts;
    const SplitName split = split_map_name(name);
    parts.collection = collection_of(collections, split.map);
    // A name such as "Books" without ":" that is no collection still goes into the box as typed.
    if (parts.collection.isEmpty() && !split.map.contains(QLatin1Char(':')))
        parts.collection = split.map.trimmed();
    parts.cat = cat_of(split.map);
    parts.item = split.item;
    return parts;
}

QString map_name_of_parts(const MapParts& parts) {
    QString name = parts.collection;
    if (!parts.cat.isEmpty()) name += QStringLiteral(": ") + parts.cat;
    if (!parts.item.isEmpty()) name += QLatin1Char('.') + parts.item;
    return name;
}

QStringList collection_entries(const CollectionTable& collections) {
    QStringList names;
    for (int position = 1; position <= CollectionTable::count; ++position)
        if (!collections.at(position).name.isEmpty()) names.append(collections.at(position).name);
    return names;
}

QStringList category_entries(Database& db, const QString& collection) {
    Statement rows = db.prepare(QStringLiteral("select distinct cat from repos where collection = '") +
                                equality_text(collection) + QStringLiteral("' order by cat"));
    QStringList names;
    QSet<QString> seen;
    while (rows.next()) {
        for (const QString& part : rows.text(QStringLiteral("cat")).split(QLatin1Char(','))) {
            const QString cat = part.trimmed();
            if (cat.isEmpty() || seen.contains(cat.toCaseFolded())) continue;
            seen.insert(cat.toCaseFolded());
            names.append(cat);
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QStringList item_entries(Database& db, const QString& collection, const QString& cat) {
    Statement rows = db.prepare(QStringLiteral("select * from repos where collection = '") +
                                equality_text(collection) + QStringLiteral("' and cat='") +
                                equality_text(cat) + QStringLiteral("' order by seq,item_title"));
    QStringList titles;
    while (rows.next())
        titles.append(rows.text(QStringLiteral("item_title")));
    return titles;
}

bool selection_exists(const OpenSession& session, const MapParts& parts) {
    if (parts.cat.isEmpty())
        return parts.item.isEmpty() && is_collection(session.collections, parts.collection);
    if (!is_collection(session.collections, parts.collection)) return false;
    if (parts.item.isEmpty()) {
        // The category list offers each part of a comma list, so such a part is a map too.
        return category_map_exists(session, parts.collection, parts.cat, true) ||
               category_map_exists(session, parts.collection, parts.cat, false);
    }
    Statement item = session.db->prepare(QStringLiteral("select * from repos where collection='") +
                                         equality_text(parts.collection) + QStringLiteral("' and cat='") +
                                         equality_text(parts.cat) + QStringLiteral("' and item_title='") +
                                         equality_text(parts.item) + QStringLiteral("'"));
    return item.next();
}

MapSelection::MapSelection(const OpenSession& session, Prompter& prompter, MapParts prefill,
                           bool collection_only)
    : boxes(std::move(prefill)), session_(session), prompter_(prompter), collection_only_(collection_only) {
    if (collection_only_) {
        boxes.cat.clear();
        boxes.item.clear();
    }
}

bool MapSelection::look_collections() {
    entries_ = collection_entries(session_.collections);
    list_ = SelectionList::Collections;
    return true;
}

bool MapSelection::look_categories() {
    if (boxes.collection.trimmed().isEmpty()) {
        prompter_.message(select_collection_first_message);
        return false;
    }
    entries_ = category_entries(*session_.db, boxes.collection.trimmed());
    list_ = SelectionList::Categories;
    return true;
}

bool MapSelection::look_items() {
    if (boxes.cat.trimmed().isEmpty()) {
        prompter_.message(select_cat_first_message);
        return false;
    }
    entries_ = item_entries(*session_.db, boxes.collection.trimmed(), boxes.cat.trimmed());
    list_ = SelectionList::Items;
    return true;
}

void MapSelection::hide_list() {
    list_ = SelectionList::None;
    entries_.clear();
}

bool MapSelection::click(int index) {
    if (index < 0 || index >= entries_.size()) return false;
    const QString entry = entries_.at(index);
    const SelectionList shown = list_;
    hide_list();
    switch (shown) {
    case SelectionList::Collections:
        boxes.collection = entry;
        boxes.cat.clear();
        boxes.item.clear();
        if (!collection_only_) look_categories();
        return false;
    case SelectionList::Categories:
        boxes.cat = entry;
        boxes.item.clear();
        return true;
    case SelectionList::Items:
        boxes.item = entry;
        return true;
    case SelectionList::None:
        break;
    }
    return false;
}

std::optional<MapParts> MapSelection::accept() {
    MapParts choice{boxes.collection.trimmed(), boxes.cat.trimmed(), boxes.item.trimmed()};
    if (collection_only_) choice = MapParts{choice.collection, {}, {}};
    // A known collection is spelt as the collection table spells it.
    if (const int position = collection_index(session_.collections, choice.collection); position != 0)
        choice.collection = session_.collections.at(position).name;
    if (!selection_exists(session_, choice)) {
        prompter_.message(selection_missing_message);
        return std::nullopt;
    }
    return choice;
}

bool create_map_of_parts(AppContext& ctx, const QString& collection, const QString& cat) {
    const int position = collection_index(ctx.collections, collection.trimmed());
    if (position == 0) {
        ctx.prompter.message(collection.trimmed().isEmpty() ? select_collection_first_message
                                                            : selection_missing_message);
        return false;
    }
    const QString category = cat.trimmed();
    if (category.isEmpty()) {
        ctx.prompter.message(select_cat_first_message);
        return false;
    }
    if (category_splits_map_name(category)) {
        ctx.prompter.message(category_name_refused_message(category));
        return false;
    }
    const QString name = ctx.collections.at(position).name;
    if (category_map_exists(ctx, name, category, true)) {
        ctx.prompter.message(map_already_exists_message);
        return false;
    }
    insert_filler(*ctx.db, identify_category(ctx.collections, name, category));
    return true;
}

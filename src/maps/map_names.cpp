// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_names.h"

#include "core/app_context.h"
#include "core/collections.h"
#include "core/database.h"
#include "core/sql_text.h"

namespace {

const QChar colon = QLatin1Char(':');
const QChar dot = QLatin1Char('.');
const QChar gt = QLatin1Char('>');

// A "." separates an item part unless it ends the text or another "." follows it, so that
// names ending in "." or holding ".." stay whole. Only the first "." counts.
bool separating_dot(const QString& text, qsizetype at) {
    return at >= 0 && at + 1 < text.size() && text[at + 1] != dot;
}

// Where the item part of an address begins: at a separating "." (after the ":" when there is
// one, so that a collection name holding a "." agrees with cat_of) or at a ">" that is not the
// first character, whichever comes first.
struct Separator {
    qsizetype at = -1;
    bool is_dot = false;
};

Separator find_separator(const QString& name) {
    const qsizetype colon_at = name.indexOf(colon);
    const qsizetype dot_at = name.indexOf(dot, colon_at < 0 ? 0 : colon_at + 1);
    const qsizetype gt_at = name.indexOf(gt);
    const bool dot_ok = separating_dot(name, dot_at);
    const bool gt_ok = gt_at >= 1;
    if (dot_ok && (!gt_ok || dot_at < gt_at)) return {dot_at, true};
    if (gt_ok) return {gt_at, false};
    return {};
}

// A user value compared with "=" or inserted. sql_quote puts a value made only of "*" or
// "?" (and the empty value) in brackets for like; "=" would compare, and an insert would store,
// the brackets themselves. Such a value holds no apostrophe, so it is safe as it stands.
QString sql_literal(const QString& value) {
    return value.contains(QLatin1Char('\'')) ? sql_quote(value) : value;
}

bool has_row(Database& db, const QString& sql) {
    Statement statement = db.prepare(sql);
    return statement.next();
}

bool row_exists(const OpenSession& session, const QString& collection, const QString& cat,
                const QString& title) {
    return has_row(*session.db, QStringLiteral("select * from repos where collection='") +
                                    sql_literal(collection) + QStringLiteral("' and cat ='") +
                                    sql_literal(cat) + QStringLiteral("' and item_title='") +
                                    sql_literal(title) + QStringLiteral("'"));
}

} // namespace

bool is_top_map_name(const QString& name) {
    return name.trimmed().compare(top_map_name, Qt::CaseInsensitive) == 0;
}

QString collection_of(const CollectionTable& collections, const QString& name) {
    const qsizetype colon_at = name.indexOf(colon);
    QString collection;
    if (colon_at >= 0)
        collection = name.left(colon_at).trimmed();
    else if (is_collection_map(collections, name))
        collection = name.trimmed();
    // A known collection is spelt as the table spells it, so that captions and new items carry
    // one spelling whatever case was typed.
    const int position = collection_index(collections, collection);
    return position != 0 ? collections.at(position).name : collection;
}

QString cat_of(const QString& name) {
    const qsizetype colon_at = name.indexOf(colon);
    if (colon_at < 0) return {};
    const QString after = name.mid(colon_at + 1);
    const qsizetype dot_at = after.indexOf(dot);
    if (!separating_dot(after, dot_at)) return after.trimmed();
    return after.left(dot_at).trimmed();
}

SplitName split_map_name(const QString& name) {
    const Separator separator = find_separator(name);
    if (separator.at < 0) return {name, {}};
    if (separator.is_dot) return {name.left(separator.at), name.mid(separator.at + 1)};
    // The reference title keeps its ">": it is the title of a reference item of the map.
    return {name.left(separator.at).trimmed(), name.mid(separator.at)};
}

QString canonical_map_name(const CollectionTable& collections, const QString& name) {
    if (is_top_map_name(name)) return top_map_name;
    if (is_collection_map(collections, name)) return collection_of(collections, name);
    if (!name.contains(colon)) return name.trimmed();
    return category_map_name(collection_of(collections, name), cat_of(name));
}

QString category_map_name(const QString& collection, const QString& cat) {
    return collection + QStringLiteral(": ") + cat;
}

bool category_splits_map_name(const QString& cat) {
    const QString trimmed = cat.trimmed();
    return cat_of(QStringLiteral(": ") + trimmed) != trimmed;
}

QString category_name_refused_message(const QString& cat) {
    return QStringLiteral("The category name \"") + cat.trimmed() +
           QStringLiteral("\" cannot be used: a \".\" followed by more text would be read as the title of "
                          "an item of the map.");
}

int collection_index(const CollectionTable& collections, const QString& name) {
    // Positions without a collection hold "", which names nothing.
    if (name.isEmpty()) return 0;
    return collections.find(name);
}

bool is_collection(const CollectionTable& collections, const QString& name) {
    return collection_index(collections, name) != 0;
}

bool is_collection_map(const CollectionTable& collections, const QString& name) {
    if (!cat_of(name).isEmpty()) return false;
    // Only a ":" that ends the text is dropped: "Books: " (collection, ": ", empty category) is the
    // map of the items without a category, not the collection map.
    QString bare = name;
    if (bare.endsWith(colon)) bare.chop(1);
    return is_collection(collections, bare.trimmed());
}

QString map_name_of_item(const OpenSession& session, qint64 item_nr) {
    Statement item =
        session.db->prepare(QStringLiteral("select * from repos where item_nr= ") + QString::number(item_nr));
    if (!item.next()) return {};
    return item.text(QStringLiteral("collection")) + QStringLiteral(": ") + item.text(QStringLiteral("cat"));
}

bool map_exists(const OpenSession& session, const QString& name, bool exact) {
    // "Books" and "Books:" both name the collection map, which exists with its collection.
    if (is_collection_map(session.collections, name)) return true;
    if (!name.contains(colon)) return false;
    return category_map_exists(session, collection_of(session.collections, name), cat_of(name), exact);
}

bool category_map_exists(const OpenSession& session, const QString& collection, const QString& cat,
                         bool exact) {
    QString sql = QStringLiteral("Select * from repos where collection ='") + sql_literal(collection);
    if (exact)
        sql += QStringLiteral("' and cat = '") + sql_literal(cat) + QStringLiteral("'");
    else
        sql += QStringLiteral("' and cat like '*") + like_escaped(cat) + QStringLiteral("*'");
    return has_row(*session.db, sql);
}

bool item_exists(const OpenSession& session, const QString& map_name, const QString& title) {
    return row_exists(session, collection_of(session.collections, map_name), cat_of(map_name), title);
}

bool reference_is_valid(const OpenSession& session, const QString& text) {
    const QString target = text.trimmed();
    if (is_top_map_name(target)) return true;
    const Separator separator = find_separator(target);
    if (separator.is_dot) {
        const SplitName parts = split_map_name(target);
        return row_exists(session, collection_of(session.collections, parts.map), cat_of(parts.map),
                          parts.item);
    }
    return map_exists(session, target, false);
}

bool create_map(AppContext& ctx, const QString& name) {
    if (map_exists(ctx, name, true)) {
        ctx.prompter.message(map_already_exists_message);
        return false;
    }
    // Without ":" only a collection map can be named, and that exists by itself: there is no
    // category to give the filler.
    if (!name.contains(colon)) return false;
    ctx.db->exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('") +
                 sql_literal(collection_of(ctx.collections, name)) + QStringLiteral("','") +
                 sql_literal(cat_of(name)) + QStringLiteral("','-')"));
    return true;
}

QStringList similar_tag_maps(Database& db, const QString& title) {
    QStringList maps;
    Statement rows = db.prepare(QStringLiteral("Select * from repos where item_title='") + sql_quote(title) +
                                QStringLiteral("'"));
    while (maps.size() < max_selected_maps && rows.next()) {
        maps.append(rows.text(QStringLiteral("collection")) + QStringLiteral(": ") +
                    rows.text(QStringLiteral("cat")) + QLatin1Char('.') +
                    rows.text(QStringLiteral("item_title")));
    }
    return maps;
}

QString edit_content_refusal(const OpenSession& session, bool top_map, bool collection_map,
                             const QString& title) {
    if (top_map)
        return QStringLiteral(
            "The content of this item cannot be edited (the item is a pointer to a collection).");
    if (collection_map)
        return QStringLiteral(
            "The content of this item cannot be edited (the item is a pointer to a category).");
    if (!title.trimmed().isEmpty() && map_exists(session, title, true))
        return QStringLiteral(
            "The content of this item cannot be edited (the item is a pointer to anothe topic).");
    return {};
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_items.h"

#include "core/app_context.h"
#include "core/column_values.h"
#include "core/dates.h"
#include "core/file_helpers.h"
#include "core/format.h"
#include "core/sql_text.h"
#include "maps/map_names.h"
#include "maps/panel_facts.h"

#include <QSet>
#include <algorithm>

namespace {

constexpr int journal_position = 6;
constexpr int top_map_positions = 44;

bool same_text(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString separator_title(const QString& cat) {
    return QStringLiteral(" _____ ") + cat + QStringLiteral(" _____");
}

// Where the columns of "select * from repos" are, looked up once per statement.
struct RepoColumns {
    int item_nr, cat, title, content, expiry, remind, notified, mark, id, seq;
    explicit RepoColumns(const Statement& rows)
        : item_nr(rows.column_index(QStringLiteral("item_nr"))),
          cat(rows.column_index(QStringLiteral("cat"))),
          title(rows.column_index(QStringLiteral("item_title"))),
          content(rows.column_index(QStringLiteral("item_content"))),
          expiry(rows.column_index(QStringLiteral("date_expiry"))),
          remind(rows.column_index(QStringLiteral("date_remind"))),
          notified(rows.column_index(QStringLiteral("date_notified"))),
          mark(rows.column_index(QStringLiteral("mark"))), id(rows.column_index(QStringLiteral("item_id"))),
          seq(rows.column_index(QStringLiteral("seq"))) {}

    MapItem read(const Statement& rows, QString shown_title) const {
        MapItem item;
        item.item_nr = rows.value(item_nr).toLongLong();
        item.title = std::move(shown_title);
        item.content = rows.value(content).toString();
        item.expiry = date_of(rows.value(expiry));
        item.remind = date_of(rows.value(remind));
        item.notified = date_of(rows.value(notified));
        item.mark = rows.value(mark).toString();
        item.id = number_of(rows.value(id));
        item.seq = number_of(rows.value(seq));
        return item;
    }
};

struct CategoryRows {
    std::vector<MapItem> items;
    int rows = 0;
    int taken = 0;
};

// Runs the item statement and takes its rows: another category is skipped unless the row holds
// a comma list (the like has already found the map's category in it), and so are the category
// separators the table view inserts.
CategoryRows read_category_rows(Database& db, const QString& sql, const MapIdentity& map, bool opening) {
    CategoryRows result;
    Statement rows = db.prepare(sql);
    std::optional<RepoColumns> columns;
    const QString own_separator = separator_title(map.cat);
    while (rows.next()) {
        ++result.rows;
        // A window that is opening refuses the map anyway: only the count matters now.
        if (opening && result.rows > MapItems::opening_limit) continue;
        if (!columns) columns.emplace(rows);
        const QString cat = rows.value(columns->cat).toString();
        if (!same_text(cat, map.cat) && !cat.contains(QLatin1Char(','))) continue;
        QString title = rows.value(columns->title).toString();
        if (same_text(title, own_separator) || same_text(title, separator_title(cat))) continue;
        ++result.taken;
        if (static_cast<int>(result.items.size()) < MapItems::capacity)
            result.items.push_back(columns->read(rows, std::move(title)));
    }
    return result;
}

// The rule that tells whether the window's panels must be built again or only their texts
// changed.
bool panels_changed(const std::vector<MapItem>& before, const std::vector<MapItem>& after) {
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        const MapItem& a = before[i];
        const MapItem& b = after[i];
        if (a.item_nr != b.item_nr || a.title != b.title || a.content != b.content ||
            a.panel_text != b.panel_text)
            return true;
    }
    if (after.size() > before.size()) return true;
    // Fillers dropped from the end leave grid fillers of the same look in their place.
    for (std::size_t i = after.size(); i < before.size(); ++i) {
        if (!before[i].filler()) return true;
    }
    return false;
}

bool rebuild_requested(const LoadOptions& options, const MapIdentity& map) {
    return !options.rebuild_request.isEmpty() && same_text(options.rebuild_request, map.name);
}

// A category inside a like pattern: its own "*", "?", "#" and "[" match only themselves.
QString quoted(const QString& text) {
    return like_escaped(text);
}

struct Loaded {
    std::vector<MapItem> items;
    int available = 0;
    QString sql;
};

Loaded load_top_map(const AppContext& ctx) {
    Loaded loaded;
    for (int position = 1; position <= top_map_positions; ++position) {
        MapItem entry;
        entry.title = ctx.collections.at(position).name;
        entry.panel_text = entry.title;
        loaded.items.push_back(std::move(entry));
    }
    loaded.available = top_map_positions;
    return loaded;
}

// One panel per category; comma lists are split and each category shown once.
Loaded load_collection_map(AppContext& ctx, const MapIdentity& map, int& statements) {
    Database& db = *ctx.db;
    Loaded loaded;
    loaded.sql = QStringLiteral("select distinct cat_seq.seq,repos.cat from repos left join cat_seq on "
                                "repos.collection=cat_seq.collection and repos.cat=cat_seq.cat where "
                                "repos.collection='") +
                 equality_text(map.collection) + QStringLiteral("' order by cat_seq.seq,repos.cat");
    QStringList cats;
    {
        Statement rows = db.prepare(loaded.sql);
        ++statements;
        while (rows.next())
            cats.append(rows.value(1).toString());
    }
    if (cats.isEmpty()) {
        // A collection is never shown empty: it receives a sample item to start from.
        db.exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('") +
                equality_text(map.collection) + QStringLiteral("','category xyz','item xyz')"));
        ++statements;
        loaded.sql = QStringLiteral("select distinct cat from repos where collection='") +
                     equality_text(map.collection) + QStringLiteral("' order by cat");
        Statement rows = db.prepare(loaded.sql);
        ++statements;
        while (rows.next())
            cats.append(rows.value(0).toString());
    }
    QSet<QString> seen;
    for (const QString& value : std::as_const(cats)) {
        for (const QString& part : value.trimmed().split(QLatin1Char(','))) {
            const QString cat = part.trimmed();
            const QString key = cat.toCaseFolded();
            if (seen.contains(key)) continue;
            seen.insert(key);
            ++loaded.available;
            if (static_cast<int>(loaded.items.size()) >= MapItems::capacity) continue;
            MapItem entry;
            entry.title = cat;
            entry.panel_text = cat;
            loaded.items.push_back(std::move(entry));
        }
    }
    return loaded;
}

// Where the first line ends: at a carriage return or a line feed, else at the end.
qsizetype line_end(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) return i;
    }
    return text.size();
}

QString journal_snippet(const QDateTime& date, const QString& content) {
    QString text = format_date(date, QStringLiteral("dd/mm/yy")) + QStringLiteral(" - ") + content.left(50);
    if (content.size() > 50) text += QStringLiteral("...");
    // A panel shows one line. Contents typed here may end their lines with a bare line feed.
    return text.left(line_end(text));
}

bool is_link_content(const QString& content) {
    return content.startsWith(QLatin1String("LINK="), Qt::CaseInsensitive) || is_web_address(content);
}

} // namespace

// ---------------------------------------------------------------- identity and entries

QString MapIdentity::caption() const {
    switch (kind) {
    case MapKind::Top:
        return QStringLiteral("TOP MAP");
    case MapKind::Collection:
        return collection;
    case MapKind::Category:
        break;
    }
    return cat;
}

MapIdentity identify_map(const CollectionTable& collections, const QString& map_name) {
    MapIdentity map;
    // Not trimmed before it is parsed: "Books: " is the map of the empty category, "Books:" the
    // collection map.
    map.name = canonical_map_name(collections, map_name);
    if (is_top_map_name(map_name)) {
        map.kind = MapKind::Top;
        map.position = CollectionTable::all_collections;
        return map;
    }
    map.collection = collection_of(collections, map_name);
    map.position = collection_index(collections, map.collection);
    if (is_collection_map(collections, map_name)) {
        map.kind = MapKind::Collection;
        return map;
    }
    map.cat = cat_of(map_name);
    return map;
}

MapIdentity identify_category(const CollectionTable& collections, const QString& collection,
                              const QString& cat) {
    MapIdentity map;
    map.position = collection_index(collections, collection.trimmed());
    map.collection = map.position != 0 ? collections.at(map.position).name : collection.trimmed();
    map.cat = cat.trimmed();
    map.name = category_map_name(map.collection, map.cat);
    return map;
}

bool MapItems::append(MapItem item) {
    if (count() >= capacity) return false;
    items_.push_back(std::move(item));
    available_ = std::max(available_, count());
    return true;
}

void MapItems::move(int from, int to) {
    if (from == to) return;
    MapItem moving = std::move(items_.at(static_cast<std::size_t>(from)));
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + std::clamp(to, 0, count()), std::move(moving));
}

void MapItems::assign(std::vector<MapItem> items, int available) {
    if (items.size() > static_cast<std::size_t>(capacity)) items.resize(capacity);
    items_ = std::move(items);
    available_ = std::max(available, count());
}

QString MapItems::caption() const {
    QString text = identity_.caption();
    if (truncated()) text += QStringLiteral(" (first %1 of %2 tags)").arg(capacity).arg(available_);
    return text;
}

// ---------------------------------------------------------------- statements

QString category_statement(const MapIdentity& map) {
    const QString start =
        QStringLiteral("select * from repos where collection='") + equality_text(map.collection);
    if (map.cat.isEmpty()) return start + QStringLiteral("' and cat ='' order by cat, seq,item_title");
    const QString like = start + QStringLiteral("' and cat like '*") + quoted(map.cat);
    if (map.position == journal_position)
        return like + QStringLiteral("*' order by  cvdate(item_title) desc");
    if (map.position == 11 || map.position == 13)
        return like + QStringLiteral("*' order by  val(item_title)");
    return like + QStringLiteral("*' order by seq,item_title");
}

QString category_fallback_statement(const MapIdentity& map) {
    return QStringLiteral("select * from repos where collection='") + equality_text(map.collection) +
           QStringLiteral("' and cat like '*") + quoted(map.cat) + QStringLiteral("*' order by item_title");
}

void insert_filler(Database& db, const MapIdentity& map) {
    // Stored values only have their apostrophes doubled: a category "*" or "" must stay itself.
    db.exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('") +
            equality_text(map.collection) + QStringLiteral("','") + equality_text(map.cat) +
            QStringLiteral("','-')"));
}

// ---------------------------------------------------------------- panel texts

QString title_reference(const QString& title) {
    if (!title.startsWith(QLatin1Char('>'))) return {};
    return title.mid(1).trimmed();
}

QString content_reference(const QString& content) {
    if (!content.startsWith(QLatin1Char('>'))) return {};
    return content.mid(1, line_end(content) - 1).trimmed();
}

QString compose_panel_text(const MapItem& item, int position, bool similar_indicator,
                           const PanelFacts& facts) {
    if (item.title.startsWith(QLatin1Char('>')))
        return facts.reference_valid(title_reference(item.title)) ? item.title
                                                                  : item.title + QStringLiteral(" !");
    if (item.content.startsWith(QLatin1Char('>')))
        return item.title + (facts.reference_valid(content_reference(item.content)) ? QStringLiteral(" >")
                                                                                    : QStringLiteral(" !"));
    if (position == journal_position) {
        const auto date = dates::parse(item.title);
        return date ? journal_snippet(*date, item.content) : item.title;
    }
    QString text;
    if (item.expiry) {
        const QTime time = item.expiry->time();
        const bool midnight = time.hour() == 0 && time.minute() == 0;
        text = format_date(*item.expiry,
                           midnight ? QStringLiteral("dd/mm/yy") : QStringLiteral("dd/mm/yy hh:nn")) +
               QStringLiteral(" - ");
    }
    text += item.title;
    if (is_link_content(item.content))
        text += QLatin1Char('^');
    else if (!item.content.trimmed().isEmpty())
        text += QLatin1Char('~');
    if (similar_indicator && facts.title_repeated(item.title)) text += QLatin1Char('+');
    return text;
}

PanelFacts single_panel_facts(AppContext& ctx) {
    PanelFacts facts;
    facts.reference_valid = [&ctx](const QString& text) { return reference_is_valid(ctx, text); };
    facts.title_repeated = [&ctx](const QString& title) {
        return ctx.db
                   ->scalar(QStringLiteral("Select count(*) from repos where item_title='") +
                            equality_text(title) + QStringLiteral("'"))
                   .toLongLong() > 1;
    };
    return facts;
}

// ---------------------------------------------------------------- loading

namespace {

// Which facts the panel texts of these items will ask for.
void collect_questions(const std::vector<MapItem>& items, int position, bool similar_indicator,
                       QStringList& references, QStringList& titles) {
    for (const MapItem& item : items) {
        if (item.title.startsWith(QLatin1Char('>'))) {
            references.append(title_reference(item.title));
        } else if (item.content.startsWith(QLatin1Char('>'))) {
            references.append(content_reference(item.content));
        } else if (position != journal_position && similar_indicator) {
            titles.append(item.title);
        }
    }
}

Loaded load_category_map(AppContext& ctx, const MapIdentity& map, const LoadOptions& options,
                         LoadResult& result, CategoryRows& rows) {
    Loaded loaded;
    loaded.sql = category_statement(map);
    try {
        ++result.statements;
        rows = read_category_rows(*ctx.db, loaded.sql, map, options.opening);
    } catch (const DbError&) {
        if (map.position != journal_position || map.cat.isEmpty()) throw;
        // A title that is no date stops the date order; the map still opens, in title order.
        result.date_order_failed = true;
        loaded.sql = category_fallback_statement(map);
        ++result.statements;
        rows = read_category_rows(*ctx.db, loaded.sql, map, options.opening);
        ctx.prompter.message(date_order_message);
    }
    return loaded;
}

} // namespace

LoadResult load_map_items(AppContext& ctx, MapItems& map, const LoadOptions& options) {
    LoadResult result;
    const MapIdentity& identity = map.identity();
    Loaded loaded;
    switch (identity.kind) {
    case MapKind::Top:
        loaded = load_top_map(ctx);
        break;
    case MapKind::Collection:
        loaded = load_collection_map(ctx, identity, result.statements);
        break;
    case MapKind::Category: {
        CategoryRows rows;
        loaded = load_category_map(ctx, identity, options, result, rows);
        result.rows = rows.rows;
        if (options.opening && rows.rows > MapItems::opening_limit) {
            result.refused = true;
            result.message = QStringLiteral("This map has too many tags (") + QString::number(rows.rows) +
                             QStringLiteral(") and will not be open. You can still open it in table view.");
            return result;
        }
        loaded.items = std::move(rows.items);
        loaded.available = rows.taken;
        QStringList references;
        QStringList titles;
        collect_questions(loaded.items, identity.position, options.similar_indicator, references, titles);
        const BatchedPanelFacts facts(ctx, references, titles);
        result.statements += facts.statements();
        for (MapItem& item : loaded.items)
            item.panel_text =
                compose_panel_text(item, identity.position, options.similar_indicator, facts.facts());
        break;
    }
    }
    if (identity.kind != MapKind::Category) result.rows = loaded.available;
    result.taken = loaded.available;
    result.needs_rebuild = panels_changed(map.items(), loaded.items) || rebuild_requested(options, identity);
    map.assign(std::move(loaded.items), loaded.available);
    map.set_last_sql(std::move(loaded.sql));
    return result;
}

LoadResult refresh_map(AppContext& ctx, MapItems& map, const LoadOptions& options) {
    const std::vector<MapItem> shown = map.items();
    LoadResult result = load_map_items(ctx, map, options);
    if (result.refused || map.count() > 0 || map.identity().kind != MapKind::Category) return result;
    // A map is never shown empty: it keeps a filler until an item arrives.
    insert_filler(*ctx.db, map.identity());
    const int statements = result.statements + 1;
    result = load_map_items(ctx, map, options);
    result.statements += statements;
    result.needs_rebuild = panels_changed(shown, map.items()) || rebuild_requested(options, map.identity());
    return result;
}

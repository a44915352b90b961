// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class AppContext;
class CollectionTable;
class Database;

enum class MapKind { Category, Collection, Top };

// Which map a window shows.
struct MapIdentity {
    QString name;       // the map name: "Top map", "Books", "Books: Poetry"
    QString collection; // empty for the top map
    QString cat;        // empty for the top map and collection maps (and for a map of no category)
    int position = 0;   // collection position; 45 for the top map; 0 for an unknown collection
    MapKind kind = MapKind::Category;

    bool top_map() const { return kind == MapKind::Top; }
    bool collection_map() const { return kind == MapKind::Collection; }
    // "TOP MAP", the collection, or the category.
    QString caption() const;
};

// Parses a map name (without its item part) into the identity of its map; the identity's name
// is the canonical one (canonical_map_name).
MapIdentity identify_map(const CollectionTable& collections, const QString& map_name);
// The category map of `collection` and `cat` taken as they are: a category holding "." or ">"
// is not parsed again.
MapIdentity identify_category(const CollectionTable& collections, const QString& collection,
                              const QString& cat);

// One entry of a map window: a database item, a category of a collection map or a collection
// of the top map (these two with item number 0).
struct MapItem {
    qint64 item_nr = 0;
    QString title;
    QString content;
    std::optional<QDateTime> expiry;
    std::optional<QDateTime> remind;
    std::optional<QDateTime> notified;
    QString mark;
    std::optional<double> id;
    std::optional<double> seq;
    QString panel_text;

    // A database filler: "-" with no content.
    bool filler() const { return title == QLatin1String("-") && content.isEmpty(); }
};

// The entries of one map window. Never more than `capacity` entries: a map that grows past it
// while its window is open keeps its first 500 entries, `truncated()` tells so and the caption
// says "(first 500 of N tags)" until the map shrinks again.
class MapItems {
public:
    static constexpr int capacity = 500;
    // An opening window refuses a category map whose statement returns more rows than this.
    static constexpr int opening_limit = 200;

    explicit MapItems(MapIdentity identity) : identity_(std::move(identity)) {}

    const MapIdentity& identity() const { return identity_; }
    const std::vector<MapItem>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    MapItem& item(int index) { return items_.at(static_cast<std::size_t>(index)); }
    const MapItem& item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    // False, and nothing added, when the map is full.
    bool append(MapItem item);
    // Moves the entry at `from` so that it ends at `to`.
    void move(int from, int to);
    // Replaces every entry (kept to the first `capacity`); used by the loaders.
    void assign(std::vector<MapItem> items, int available);

    bool truncated() const { return available_ > capacity; }
    // Entries the map had at the last load, including those past the capacity.
    int available() const { return available_; }
    QString caption() const;

    // The statement of the last load (the fallback one when the date order failed).
    const QString& last_sql() const { return last_sql_; }
    void set_last_sql(QString sql) { last_sql_ = std::move(sql); }

private:
    MapIdentity identity_;
    std::vector<MapItem> items_;
    int available_ = 0;
    QString last_sql_;
};

struct LoadOptions {
    // The window is opening: a category map of more than 200 rows is refused.
    bool opening = false;
    // The main window's "Presence of similar item indicator" check mark.
    bool similar_indicator = false;
    // The map named by the program's global rebuild request; compared without case.
    QString rebuild_request;
};

struct LoadResult {
    // The map was refused: the caller shows `message` and closes the window. Nothing was
    // changed, in the database or in the items.
    bool refused = false;
    QString message;
    bool needs_rebuild = false; // otherwise only panel texts changed
    int rows = 0;               // rows the item statement returned
    int taken = 0;              // entries the map has (may exceed the capacity)
    bool date_order_failed = false;
    int statements = 0; // statements issued by this load
};

// The item statement of a category map, by its category and collection position.
QString category_statement(const MapIdentity& map);
// The fallback of the date order of position 6: title order.
QString category_fallback_statement(const MapIdentity& map);
inline const QString date_order_message =
    QStringLiteral("The items order may be wrong because an item is not a valid date.");

// Reads the map into `map` and composes the panel texts. A category map whose title order by
// date fails (a title that is no date) is read again in title order and the user is told so.
// Database failures propagate as DbError.
LoadResult load_map_items(AppContext& ctx, MapItems& map, const LoadOptions& options);

// The database part of refreshing a window: loads the map and, when a category map turned out
// empty, inserts one filler item and loads it again. The window saves its parameters before
// and lays the panels out after it when `needs_rebuild`.
LoadResult refresh_map(AppContext& ctx, MapItems& map, const LoadOptions& options);

// Inserts the filler item "-" that keeps an empty category map alive.
void insert_filler(Database& db, const MapIdentity& map);

// Answers for one map what the panel texts need to know from the database.
struct PanelFacts {
    // Whether a reference (the text after "> ") leads somewhere.
    std::function<bool(const QString&)> reference_valid;
    // Whether more than one item carries the title.
    std::function<bool(const QString&)> title_repeated;
};

// The reference a title or content carries: the text after its leading ">" (for a content,
// of its first line), trimmed. Empty when it does not begin with ">".
QString title_reference(const QString& title);
QString content_reference(const QString& content);

// The composed caption of a category map's panel; `similar_indicator` adds "+" to repeated
// titles. Collection maps and the top map show their plain names.
QString compose_panel_text(const MapItem& item, int position, bool similar_indicator,
                           const PanelFacts& facts);

// The facts of the per-panel rule, one statement per question: the definition the map's
// batched answers must agree with.
PanelFacts single_panel_facts(AppContext& ctx);

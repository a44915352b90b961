// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Positions, sorting and drag and drop of the map editing commands.
#include "core/app_context.h"
#include "core/dates.h"
#include "core/sql_text.h"
#include "maps/map_edit_support.h"
#include "maps/map_editing.h"

#include <algorithm>
#include <functional>

using namespace map_edit;

namespace {

constexpr int agenda_position = 1;

bool is_filler_panel(const MapItem& entry) {
    return entry.title == filler_title;
}

// Ordering key of a panel text: case folded, accents set aside, so that "émile" sorts among the
// "e"s; ties fall back to the folded text with its accents.
struct TextKey {
    QString plain;
    QString folded;
};

TextKey text_key(const QString& text) {
    TextKey key;
    key.folded = text.toCaseFolded();
    const QString decomposed = key.folded.normalized(QString::NormalizationForm_D);
    key.plain.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) key.plain.append(c);
    return key;
}

// Puts the entries in order by exchange sort: adjacent pairs out of order are swapped until
// none is, so equal entries keep their order. `after(a, b)` tells whether entry a belongs after
// entry b. Answers where the entry that was at `selected` went.
int exchange_sort(MapItems& map, int selected, const std::function<bool(int, int)>& after) {
    // Sorted as a permutation, so that the comparison can look at precomputed keys.
    std::vector<int> order(static_cast<std::size_t>(map.count()));
    for (int i = 0; i < map.count(); ++i)
        order[static_cast<std::size_t>(i)] = i;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < order.size(); ++i) {
            if (after(order[i], order[i + 1])) {
                std::swap(order[i], order[i + 1]);
                swapped = true;
            }
        }
    }
    std::vector<MapItem> sorted;
    sorted.reserve(order.size());
    int new_selected = selected;
    for (std::size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(map.item(order[i]));
        if (order[i] == selected) new_selected = static_cast<int>(i);
    }
    for (int i = 0; i < map.count(); ++i)
        map.item(i) = std::move(sorted[static_cast<std::size_t>(i)]);
    return new_selected;
}

// Sorts, writes the positions and lays the panels out again; a failure puts the entries back.
// Writes the order the entries now have; on failure the entries get their old order back.
EditOutcome store_new_order(AppContext& ctx, MapItems& map, const MapItems& before, int select) {
    try {
        write_positions(ctx, map);
    } catch (const DbError& error) {
        map = before;
        report_error(ctx.prompter, error);
        return {};
    }
    EditOutcome outcome;
    outcome.relayout = true;
    outcome.select_index = select;
    return outcome;
}

EditOutcome sort_and_write(AppContext& ctx, MapItems& map, int selected,
                           const std::function<bool(const MapItem&, const MapItem&, int, int)>& after) {
    if (map.identity().top_map()) return {};
    const MapItems before = map;
    const int new_selected =
        exchange_sort(map, selected, [&](int a, int b) { return after(map.item(a), map.item(b), a, b); });
    return store_new_order(ctx, map, before, new_selected);
}

// Whether a filler decides the order of a and b: fillers go after every other panel.
std::optional<bool> filler_order(const MapItem& a, const MapItem& b) {
    const bool a_filler = is_filler_panel(a);
    const bool b_filler = is_filler_panel(b);
    if (a_filler || b_filler) return a_filler && !b_filler;
    return std::nullopt;
}

void write_category_positions(Database& db, const MapItems& map) {
    const QString collection = map.identity().collection;
    for (int i = 0; i < map.count(); ++i) {
        const QString& cat = map.item(i).title;
        const int position = i + 1;
        std::optional<QVariant> stored;
        {
            Statement row =
                db.prepare(QStringLiteral("Select * from cat_seq where collection='") + eq(collection) +
                           QStringLiteral("' and cat='") + eq(cat) + QStringLiteral("'"));
            if (row.next()) stored = row.value(QStringLiteral("seq"));
        }
        if (!stored) {
            Statement insert =
                db.prepare(QStringLiteral("insert into cat_seq (collection, cat, seq) values (?,?,?)"));
            insert.bind(1, collection);
            insert.bind(2, cat);
            insert.bind(3, position);
            insert.next();
        } else if (stored->isNull() || stored->toDouble() != position) {
            Statement update =
                db.prepare(QStringLiteral("update cat_seq set seq=? where collection='") + eq(collection) +
                           QStringLiteral("' and cat='") + eq(cat) + QStringLiteral("'"));
            update.bind(1, position);
            update.next();
        }
    }
}

// Returns false when the item no longer exists.
bool write_item_position(Database& db, const MapItem& entry, int position) {
    const QString where = QStringLiteral(" where item_nr = ") + QString::number(entry.item_nr);
    const auto stored = find_item(db, QStringLiteral("Select * from repos") + where);
    if (!stored) return false;
    if (stored->seq && *stored->seq == position && stored->title == entry.title &&
        stored->content == entry.content)
        return true;
    Statement update =
        db.prepare(QStringLiteral("update repos set item_title=?, item_content=?, item_id=?, mark=?, "
                                  "date_expiry=?, date_remind=?, date_notified=?, seq=?") +
                   where);
    update.bind(1, entry.title);
    update.bind(2, entry.content);
    update.bind(3, entry.id ? QVariant(*entry.id) : QVariant());
    update.bind(4, entry.mark);
    update.bind(5, date_value(entry.expiry));
    update.bind(6, date_value(entry.remind));
    update.bind(7, date_value(entry.notified));
    update.bind(8, position_text(position));
    update.next();
    return true;
}

} // namespace

bool write_positions(AppContext& ctx, const MapItems& map, bool in_transaction) {
    const MapIdentity& id = map.identity();
    if (id.top_map()) return true;
    Database& db = *ctx.db;
    std::optional<Transaction> transaction;
    if (!in_transaction) transaction.emplace(db);
    bool all_found = true;
    if (id.collection_map()) {
        write_category_positions(db, map);
    } else {
        for (int i = 0; i < map.count(); ++i) {
            const MapItem& entry = map.item(i);
            if (entry.item_nr == 0 || is_filler_panel(entry)) continue;
            if (write_item_position(db, entry, i + 1)) continue;
            // Deleted meanwhile by another window: the order of the others still holds.
            ctx.prompter.message(QStringLiteral("Error 2000 09 12 1415"));
            all_found = false;
        }
    }
    if (transaction) transaction->commit();
    return all_found;
}

EditOutcome sort_by_text(AppContext& ctx, MapItems& map, int selected) {
    std::vector<TextKey> keys;
    keys.reserve(static_cast<std::size_t>(map.count()));
    for (const MapItem& entry : map.items())
        keys.push_back(text_key(entry.panel_text));
    // The comparison receives positions in the unsorted entries, which index the keys.
    return sort_and_write(ctx, map, selected, [&](const MapItem& a, const MapItem& b, int ia, int ib) {
        if (const auto by_filler = filler_order(a, b)) return *by_filler;
        const TextKey& ka = keys[static_cast<std::size_t>(ia)];
        const TextKey& kb = keys[static_cast<std::size_t>(ib)];
        const int plain = ka.plain.compare(kb.plain);
        return plain != 0 ? plain > 0 : ka.folded.compare(kb.folded) > 0;
    });
}

EditOutcome sort_by_expiry(AppContext& ctx, MapItems& map, int selected) {
    // Panels without a deadline follow those with one, fillers come last.
    return sort_and_write(ctx, map, selected, [](const MapItem& a, const MapItem& b, int, int) {
        if (const auto by_filler = filler_order(a, b)) return *by_filler;
        if (!a.expiry || !b.expiry) return !a.expiry && b.expiry;
        return *a.expiry > *b.expiry;
    });
}

EditOutcome drop_within(AppContext& ctx, MapItems& map, int from, int to) {
    if (map.identity().top_map()) return {};
    if (from < 0 || from >= map.count() || to < 0) return {};
    // A drop on a grid filler past the entries puts the entry last.
    to = std::min(to, map.count() - 1);
    if (from == to) return {};
    const MapItems before = map;
    map.move(from, to);
    return store_new_order(ctx, map, before, to);
}

namespace {

EditOutcome move_category(AppContext& ctx, const MapIdentity& source, const DragPayload& drag,
                          const MapIdentity& target) {
    if (same_text(source.collection, target.collection)) return {};
    ctx.db->exec(QStringLiteral("Update repos set collection='") + eq(target.collection) +
                 QStringLiteral("' where collection ='") + eq(source.collection) +
                 QStringLiteral("' and cat = '") + eq(drag.title) + QStringLiteral("'"));
    EditOutcome outcome;
    outcome.refresh_all();
    return outcome;
}

EditOutcome drop_item(AppContext& ctx, const DragPayload& drag, const MapItems& target) {
    Database& db = *ctx.db;
    const MapIdentity& to = target.identity();
    const QString where = QStringLiteral(" where item_nr=") + QString::number(drag.item_nr);
    QVariantMap source;
    {
        Statement row = db.prepare(QStringLiteral("select * from repos") + where);
        if (!row.next()) {
            // Deleted meanwhile by another window.
            ctx.prompter.message(QStringLiteral("Error 2000 09 11 1750"));
            return {};
        }
        for (const char* column :
             {"item_title", "item_content", "date_expiry", "date_remind", "date_notified"})
            source.insert(QLatin1String(column), row.value(QLatin1String(column)));
    }
    // The Agenda's "tomorrow": whatever lands there is due, and reminded, tomorrow.
    const bool tomorrow = to.position == agenda_position && same_text(to.cat, QStringLiteral("tomorrow"));
    const QVariant tomorrow_date =
        date_value(dates::local_date_time(ctx.clock.now().date().addDays(1), QTime(0, 0)));

    Transaction transaction(db);
    qint64 dropped = drag.item_nr;
    if (drag.copy) {
        Statement insert = db.prepare(QStringLiteral("insert into repos (collection, cat, item_title, "
                                                     "item_content, date_expiry, date_remind, date_notified, "
                                                     "seq) values (?,?,?,?,?,?,?,?)"));
        insert.bind(1, to.collection);
        insert.bind(2, to.cat);
        insert.bind(3, source.value(QStringLiteral("item_title")));
        insert.bind(4, source.value(QStringLiteral("item_content")));
        insert.bind(5, tomorrow ? tomorrow_date : source.value(QStringLiteral("date_expiry")));
        insert.bind(6, tomorrow ? tomorrow_date : source.value(QStringLiteral("date_remind")));
        insert.bind(7, tomorrow ? QVariant() : source.value(QStringLiteral("date_notified")));
        insert.bind(8, QStringLiteral(".1"));
        insert.next();
        dropped = db.last_insert_id();
    } else {
        // ".1" sorts before every position written as "001" upward.
        Statement update = db.prepare(
            tomorrow
                ? QStringLiteral("update repos set collection=?, cat=?, seq=?, date_remind=?, date_expiry=?, "
                                 "date_notified=null") +
                      where
                : QStringLiteral("update repos set collection=?, cat=?, seq=?") + where);
        update.bind(1, to.collection);
        update.bind(2, to.cat);
        update.bind(3, QStringLiteral(".1"));
        if (tomorrow) {
            update.bind(4, tomorrow_date);
            update.bind(5, tomorrow_date);
        }
        update.next();
    }
    db.exec(QStringLiteral("Delete from repos where item_title='-' and collection='") + eq(to.collection) +
            QStringLiteral("' and cat ='") + eq(to.cat) + QStringLiteral("'"));

    // The target's order once it is loaded again: the dropped item first, its fillers gone.
    MapItems order(to);
    if (auto entry =
            find_item(db, QStringLiteral("select * from repos where item_nr=") + QString::number(dropped)))
        order.append(std::move(*entry));
    for (const MapItem& entry : target.items()) {
        if (entry.item_nr == dropped || (entry.item_nr != 0 && is_filler_panel(entry))) continue;
        order.append(entry);
    }
    write_positions(ctx, order, true);
    transaction.commit();

    EditOutcome outcome;
    outcome.reload = true;
    outcome.select_item = dropped;
    outcome.refresh_window = drag.source_window;
    outcome.refresh_tables = true;
    return outcome;
}

} // namespace

EditOutcome drop_between(AppContext& ctx, const MapIdentity& source, const DragPayload& drag,
                         const MapItems& target) {
    const MapIdentity& to = target.identity();
    if (to.top_map() || source.top_map()) return {};
    if (source.collection_map() != to.collection_map()) {
        ctx.prompter.message(
            QStringLiteral("Drag/drop is not allowed between a collection map and a non-collection map."));
        return {};
    }
    return guarded(ctx, [&] {
        if (to.collection_map()) return move_category(ctx, source, drag, to);
        if (same_text(source.name, to.name)) return EditOutcome{};
        return drop_item(ctx, drag, target);
    });
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The editing commands that join two map windows: one starts them, activating the other
// completes them.
#include "core/app_context.h"
#include "maps/map_edit_support.h"
#include "maps/map_editing.h"
#include "maps/map_names.h"

using namespace map_edit;

namespace {

using Kind = PendingMapOperation::Kind;

// The requester of a pending operation of `kind`, taken off the context when `window` completes
// it. Nothing while the activated window is the requester itself: closing the question box
// activates it again before the user reaches the target.
std::optional<int> take_pending(AppContext& ctx, Kind kind, int window) {
    PendingMapOperation& pending = ctx.pending_map_operation;
    if (pending.kind != kind || window == pending.requester) return std::nullopt;
    const int requester = pending.requester;
    pending = {};
    return requester;
}

} // namespace

EditOutcome start_insert_reference(AppContext& ctx, const MapItems& map, int window) {
    if (map.identity().top_map()) {
        ctx.prompter.message(QStringLiteral("Operation not allowed in top map."));
        return {};
    }
    if (ctx.prompter.ok_cancel(
            QStringLiteral("To insert reference to another tag map, press OK and click on the top "
                           "bar of the tag map to be referred to.\nTo insert reference to a given "
                           "item of a tag map, press OK and click on the item to be referred to."),
            QStringLiteral("Inserting reference to another map")))
        ctx.pending_map_operation = {Kind::InsertReference, window};
    return {};
}

QString panel_address(const MapIdentity& map, const QString& title) {
    if (map.top_map()) return title;
    if (map.collection_map()) return map.collection + QStringLiteral(": ") + title;
    return map.name + QLatin1Char('.') + title;
}

EditOutcome complete_insert_reference(AppContext& ctx, const std::optional<QString>& requester_map,
                                      int target_window, const QString& target_name) {
    const auto requester = take_pending(ctx, Kind::InsertReference, target_window);
    if (!requester || !requester_map) return {};
    const MapIdentity into = identify_map(ctx.collections, *requester_map);
    if (into.top_map()) return {};
    const QString target = is_top_map_name(target_name) ? top_map_name : target_name.trimmed();
    const QString title = QStringLiteral("> ") + target;
    // A collection map shows categories: the reference becomes a category of its own, holding the
    // reference item, so that it shows as a panel of the collection map.
    const QString cat = into.collection_map() ? title : into.cat;
    return guarded(ctx, [&] {
        Database& db = *ctx.db;
        if (has_row(db, QStringLiteral("Select * from repos where collection='") + eq(into.collection) +
                            QStringLiteral("' and cat='") + eq(cat) + QStringLiteral("' and item_title='") +
                            eq(title) + QStringLiteral("'"))) {
            ctx.prompter.message(QStringLiteral("Reference already present."));
            return EditOutcome{};
        }
        Transaction transaction(db);
        db.exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('") +
                eq(into.collection) + QStringLiteral("','") + eq(cat) + QStringLiteral("','") + eq(title) +
                QStringLiteral("')"));
        if (!into.collection_map()) delete_fillers(db, into.collection, into.cat);
        transaction.commit();
        EditOutcome outcome;
        outcome.refresh_window = *requester;
        outcome.activate_window = *requester;
        outcome.refresh_tables = true;
        return outcome;
    });
}

EditOutcome start_copy_items(AppContext& ctx, const MapItems& map, int window) {
    if (map.identity().top_map()) {
        ctx.prompter.message(QStringLiteral("Operation not allowed in top map."));
        return {};
    }
    if (map.identity().collection_map()) {
        ctx.prompter.message(QStringLiteral("Operation not allowed in collection map."));
        return {};
    }
    if (ctx.prompter.ok_cancel(
            QStringLiteral("To copy items from another tag map, press OK and click on the top bar "
                           "of the tag map you want to copy the items from."),
            QStringLiteral("Copying items from another map")))
        ctx.pending_map_operation = {Kind::CopyItems, window};
    return {};
}

EditOutcome complete_copy_items(AppContext& ctx, const std::optional<QString>& requester_map,
                                int source_window, const QString& source_map) {
    const auto requester = take_pending(ctx, Kind::CopyItems, source_window);
    if (!requester || !requester_map) return {};
    const MapIdentity into = identify_map(ctx.collections, *requester_map);
    const MapIdentity from = identify_map(ctx.collections, source_map);
    // Only a category map has items to give, and only a category map can take them.
    if (into.top_map() || into.collection_map() || from.top_map() || from.collection_map()) return {};
    return guarded(ctx, [&] {
        Database& db = *ctx.db;
        QSet<QString> present;
        for (const MapItem& item : category_items(db, into))
            present.insert(title_key(item.title));
        Transaction transaction(db);
        Statement copy = db.prepare(QStringLiteral(
            "insert into repos (collection, cat, item_title, item_content, seq, date_expiry, date_remind, "
            "date_notified, mark, item_id) select ?, ?, item_title, item_content, seq, date_expiry, "
            "date_remind, "
            "date_notified, mark, item_id from repos where item_nr=?"));
        bool copied = false;
        for (const MapItem& item : category_items(db, from)) {
            if (item.filler() || present.contains(title_key(item.title))) continue;
            present.insert(title_key(item.title));
            copy.reset();
            copy.bind(1, into.collection);
            copy.bind(2, into.cat);
            copy.bind(3, item.item_nr);
            copy.next();
            copied = true;
        }
        if (copied) delete_fillers(db, into.collection, into.cat);
        transaction.commit();
        EditOutcome outcome;
        outcome.refresh_all();
        return outcome;
    });
}

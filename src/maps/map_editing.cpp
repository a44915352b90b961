// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_editing.h"

#include "core/app_context.h"
#include "core/format.h"
#include "maps/map_edit_support.h"
#include "maps/map_names.h"

#include <QRegularExpression>

using namespace map_edit;

namespace {

constexpr int journal_position = 6;

const QString temporary_cat = QStringLiteral("~temporary~");

bool numeric_positions(int position) {
    return position == 11 || position == 13;
}

QString in_quotes(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool valid_index(const MapItems& map, int index) {
    return index >= 0 && index < map.count();
}

// A new category of a collection map: its first item is a filler.
EditOutcome add_category(AppContext& ctx, MapItems& map) {
    const MapIdentity& id = map.identity();
    const auto answer =
        ctx.prompter.input(QStringLiteral("Category title?"),
                           QStringLiteral("Adding category to collection ") + in_quotes(id.collection));
    const QString cat = answer.value_or(QString()).trimmed();
    if (cat.isEmpty()) return {};
    if (category_splits_map_name(cat)) {
        ctx.prompter.message(category_name_refused_message(cat));
        return {};
    }
    if (has_row(*ctx.db, QStringLiteral("Select * from repos where collection ='") + eq(id.collection) +
                             QStringLiteral("' and cat = '") + eq(cat) + QStringLiteral("'"))) {
        ctx.prompter.message(QStringLiteral("Category already exists."));
        return {};
    }
    ctx.db->exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('") +
                 eq(id.collection) + QStringLiteral("','") + eq(cat) + QStringLiteral("','-')"));
    EditOutcome outcome;
    MapItem entry;
    entry.title = cat;
    entry.panel_text = cat;
    if (map.append(std::move(entry))) {
        outcome.relayout = true;
        outcome.select_index = map.count() - 1;
    } else {
        outcome.reload = true; // a full window shows what the reload keeps
    }
    return outcome;
}

// A journal entry: titled with the moment it was written, the answer as its content.
EditOutcome add_journal_entry(AppContext& ctx, const MapIdentity& id) {
    const auto answer =
        ctx.prompter.input(QStringLiteral("Event description?"), QStringLiteral("Entering journal text"));
    if (!answer || answer->trimmed().isEmpty()) return {};
    Transaction transaction(*ctx.db);
    Statement insert = ctx.db->prepare(
        QStringLiteral("Insert into repos (collection,cat,item_title,item_content) values (?,?,?,?)"));
    insert.bind(1, id.collection);
    insert.bind(2, id.cat);
    insert.bind(3, format_date(ctx.clock.now(), QStringLiteral("dd/mm/yy hh:nn:ss")));
    insert.bind(4, *answer);
    insert.next();
    const qint64 item_nr = ctx.db->last_insert_id();
    delete_fillers(*ctx.db, id.collection, id.cat);
    transaction.commit();
    EditOutcome outcome;
    outcome.refresh_all();
    outcome.select_item = item_nr;
    return outcome;
}

EditOutcome add_titled_item(AppContext& ctx, const MapItems& map, int selected) {
    const MapIdentity& id = map.identity();
    const auto answer = ctx.prompter.input(QStringLiteral("Title?"),
                                           QStringLiteral("Adding item to map ") + in_quotes(id.name));
    const QString title = answer.value_or(QString()).trimmed();
    if (title.isEmpty()) return {};
    if (numeric_positions(id.position) && !numeric_value(title)) {
        ctx.prompter.message(QStringLiteral("Item title should be numeric"));
        return {};
    }
    Database& db = *ctx.db;
    if (has_row(db, QStringLiteral("select * from repos where collection='") + eq(id.collection) +
                        QStringLiteral("' and cat='") + eq(id.cat) + QStringLiteral("' and item_title='") +
                        eq(title) + QStringLiteral("'"))) {
        ctx.prompter.message(QStringLiteral("Item already exists."));
        return {};
    }

    Transaction transaction(db);
    // Inserted under a category no map uses, so that the row can be found again by its title
    // before it joins the map.
    db.exec(QStringLiteral("Insert into repos (collection,cat,item_title) values ('") + eq(id.collection) +
            QStringLiteral("','") + temporary_cat + QStringLiteral("','") + eq(title) + QStringLiteral("')"));
    qint64 item_nr = 0;
    {
        Statement found =
            db.prepare(QStringLiteral("select * from repos where cat='~temporary~' and  item_title='") +
                       eq(title) + QStringLiteral("'"));
        // A row left behind under the temporary category by an earlier failure is older: take
        // the newest.
        while (found.next())
            item_nr = std::max(item_nr, found.value(QStringLiteral("item_nr")).toLongLong());
    }
    db.exec(QStringLiteral("update repos set cat='") + eq(id.cat) + QStringLiteral("' where item_nr=") +
            QString::number(item_nr));

    // The order the window will show: the new entry just after the selected panel.
    MapItems order = map;
    MapItem entry;
    entry.item_nr = item_nr;
    entry.title = title;
    if (order.append(entry)) {
        const int after = valid_index(map, selected) ? selected + 1 : order.count() - 1;
        order.move(order.count() - 1, after);
    }
    write_positions(ctx, order, true);
    delete_fillers(db, id.collection, id.cat);
    transaction.commit();

    EditOutcome outcome;
    outcome.refresh_all();
    outcome.select_item = item_nr;
    return outcome;
}

EditOutcome rename_category(AppContext& ctx, const MapIdentity& id, const QString& old_cat,
                            const QString& new_cat) {
    if (category_splits_map_name(new_cat)) {
        ctx.prompter.message(category_name_refused_message(new_cat));
        return {};
    }
    Database& db = *ctx.db;
    if (!same_text(old_cat, new_cat) &&
        has_row(db, QStringLiteral("Select * from repos where collection ='") + eq(id.collection) +
                        QStringLiteral("' and cat = '") + eq(new_cat) + QStringLiteral("'"))) {
        ctx.prompter.message(QStringLiteral("A map with this name already exists."));
        return {};
    }
    Transaction transaction(db);
    db.exec(QStringLiteral("update repos set cat='") + eq(new_cat) +
            QStringLiteral("' where collection = '") + eq(id.collection) + QStringLiteral("' and cat='") +
            eq(old_cat) + QStringLiteral("'"));
    db.exec(QStringLiteral("update cat_seq set cat='") + eq(new_cat) +
            QStringLiteral("' where collection = '") + eq(id.collection) + QStringLiteral("' and cat='") +
            eq(old_cat) + QStringLiteral("'"));
    transaction.commit();
    EditOutcome outcome;
    outcome.refresh_all();
    return outcome;
}

EditOutcome rename_item(AppContext& ctx, const MapItem& entry, const QString& new_title) {
    if (new_title.startsWith(QLatin1String("> ")) && !reference_is_valid(ctx, new_title.mid(2))) {
        ctx.prompter.message(QStringLiteral("Invalid reference."));
        return {};
    }
    Database& db = *ctx.db;
    const QString where = QStringLiteral(" where item_nr=") + QString::number(entry.item_nr);
    if (!has_row(db, QStringLiteral("select * from repos") + where)) {
        // Deleted meanwhile by another window.
        ctx.prompter.message(QStringLiteral("Error 2000 09 12 12 25"));
        EditOutcome outcome;
        outcome.reload = true;
        return outcome;
    }
    Statement update = db.prepare(QStringLiteral("update repos set item_title=?") + where);
    update.bind(1, new_title);
    update.next();
    EditOutcome outcome;
    outcome.reload = true;
    outcome.select_item = entry.item_nr;
    outcome.refresh_other_maps = outcome.refresh_tables = true;
    return outcome;
}

} // namespace

bool EditOutcome::any() const {
    return reload || relayout || select_index >= 0 || select_item != 0 || nr_columns != 0 ||
           !renamed_to.isEmpty() || refresh_other_maps || refresh_tables || refresh_window != 0 ||
           activate_window != 0 || !open_map.isEmpty() || close;
}

EditOutcome add_item(AppContext& ctx, MapItems& map, int selected) {
    const MapIdentity& id = map.identity();
    if (id.top_map()) {
        ctx.prompter.message(QStringLiteral("Top map cannot be changed."));
        return {};
    }
    return guarded(ctx, [&] {
        if (id.collection_map()) return add_category(ctx, map);
        if (id.position == journal_position) return add_journal_entry(ctx, id);
        return add_titled_item(ctx, map, selected);
    });
}

EditOutcome rename_tag(AppContext& ctx, const MapItems& map, int selected) {
    const MapIdentity& id = map.identity();
    if (id.top_map()) {
        ctx.prompter.message(QStringLiteral("Operation not allowed in top map."));
        return {};
    }
    if (!valid_index(map, selected)) return {};
    const MapItem& entry = map.item(selected);
    std::optional<QString> answer;
    {
        const TitleQuestionScope asking(ctx);
        answer = ctx.prompter.input(QStringLiteral("New title?"), QStringLiteral("Change item title"),
                                    entry.title);
    }
    const QString new_title = answer.value_or(QString()).trimmed();
    if (new_title.isEmpty()) return {};
    if (new_title == entry.title) {
        ctx.prompter.message(QStringLiteral("The new title is equal to the present one."));
        return {};
    }
    return guarded(ctx, [&] {
        if (id.collection_map()) return rename_category(ctx, id, entry.title, new_title);
        return rename_item(ctx, entry, new_title);
    });
}

EditOutcome rename_map(AppContext& ctx, const MapItems& map) {
    const MapIdentity& id = map.identity();
    if (id.top_map()) {
        ctx.prompter.message(QStringLiteral("The top map cannot be renamed."));
        return {};
    }
    if (id.collection_map()) {
        ctx.prompter.message(QStringLiteral("Collection maps cannot be renamed."));
        return {};
    }
    const auto answer =
        ctx.prompter.input(QStringLiteral("New name of map?"), QStringLiteral("Changing map name"), id.name);
    const QString typed = answer.value_or(QString()).trimmed();
    if (typed.isEmpty() || typed == id.name) return {};

    // The collection part is the text before ":", or the whole answer when it has none.
    const qsizetype colon = typed.indexOf(QLatin1Char(':'));
    const QString collection = colon < 0 ? typed : typed.left(colon).trimmed();
    const int position = collection_index(ctx.collections, collection);
    if (position == 0) {
        ctx.prompter.message(QStringLiteral("Collection ") + in_quotes(collection) +
                             QStringLiteral(" does not exist."));
        return {};
    }
    // The category is refused rather than cut at a "." followed by more text.
    const QString typed_cat = colon < 0 ? QString() : typed.mid(colon + 1).trimmed();
    if (category_splits_map_name(typed_cat)) {
        ctx.prompter.message(category_name_refused_message(typed_cat));
        return {};
    }
    // Written the way the program writes map names, with the collection as the table spells it.
    const QString new_collection = ctx.collections.at(position).name;
    const QString new_cat = cat_of(typed);
    const QString new_name = new_collection + QStringLiteral(": ") + new_cat;
    if (new_name == id.name) return {};
    return guarded(ctx, [&] {
        Database& db = *ctx.db;
        if (!same_text(new_name, id.name) &&
            has_row(db, QStringLiteral("Select * from repos where collection ='") + eq(new_collection) +
                            QStringLiteral("' and cat = '") + eq(new_cat) + QStringLiteral("'"))) {
            ctx.prompter.message(QStringLiteral("Topic ") + in_quotes(typed) +
                                 QStringLiteral(" already existing"));
            return EditOutcome{};
        }
        Transaction transaction(db);
        Statement update =
            db.prepare(QStringLiteral("update repos set collection=?, cat=? where collection='") +
                       eq(id.collection) + QStringLiteral("' and cat='") + eq(id.cat) + QStringLiteral("'"));
        update.bind(1, new_collection);
        update.bind(2, new_cat);
        update.next();
        transaction.commit();
        EditOutcome outcome;
        outcome.renamed_to = new_name;
        outcome.refresh_other_maps = outcome.refresh_tables = true;
        outcome.open_map = new_name;
        outcome.close = true;
        return outcome;
    });
}

EditOutcome remove_item(AppContext& ctx, const MapItems& map, int selected) {
    const MapIdentity& id = map.identity();
    if (id.top_map()) {
        ctx.prompter.message(QStringLiteral("Top map cannot be changed."));
        return {};
    }
    if (selected < 0) return {};
    if (id.collection_map()) {
        if (!valid_index(map, selected)) return {};
        const QString cat = map.item(selected).title;
        if (!ctx.prompter.yes_no(QStringLiteral("Do you really want to remove category ") + in_quotes(cat) +
                                     QStringLiteral(" and all its items from map ") + in_quotes(id.name) +
                                     QStringLiteral("?"),
                                 {}, false))
            return {};
        return guarded(ctx, [&] {
            ctx.db->exec(QStringLiteral("Delete from repos where ") + map_condition(id.collection, cat));
            EditOutcome outcome;
            outcome.refresh_all();
            return outcome;
        });
    }
    // Grid fillers exist only in the window; database fillers keep places in the grid.
    if (!valid_index(map, selected) || map.item(selected).title == filler_title) {
        ctx.prompter.message(
            QStringLiteral("The item is a filler and cannot be removed in the present topic layout"));
        return {};
    }
    const MapItem& entry = map.item(selected);
    if (!ctx.prompter.yes_no(QStringLiteral("Do you really want to remove item ") + in_quotes(entry.title) +
                                 QStringLiteral(" from map ") + in_quotes(id.name) + QStringLiteral("?"),
                             {}, false))
        return {};
    return guarded(ctx, [&] {
        ctx.db->exec(QStringLiteral("Delete from repos where item_nr = ") + QString::number(entry.item_nr));
        EditOutcome outcome;
        outcome.refresh_all();
        return outcome;
    });
}

EditOutcome delete_map(AppContext& ctx, const MapItems& map) {
    const MapIdentity& id = map.identity();
    if (id.top_map()) {
        ctx.prompter.message(QStringLiteral("Operation not allowed for top map."));
        return {};
    }
    if (id.collection_map()) {
        ctx.prompter.message(QStringLiteral("Operation not allowed for collection maps."));
        return {};
    }
    if (!ctx.prompter.yes_no(QStringLiteral("Do you really want to delete map ") + in_quotes(id.name) +
                                 QStringLiteral("?"),
                             QStringLiteral("Deleting map"), false))
        return {};
    return guarded(ctx, [&] {
        ctx.db->exec(QStringLiteral("Delete from repos where collection ='") + eq(id.collection) +
                     QStringLiteral("' and cat='") + eq(id.cat) + QStringLiteral("'"));
        EditOutcome outcome;
        outcome.refresh_other_maps = outcome.refresh_tables = true;
        outcome.close = true;
        return outcome;
    });
}

// ---------------------------------------------------------------- items from a content

QStringList content_pieces(const QString& content) {
    // Contents typed in this program end their lines with a bare line feed, imported ones with
    // CR LF: both cut, as does ",".
    static const QRegularExpression cut(QStringLiteral("\r\n|\r|\n|,"));
    QStringList pieces;
    for (const QString& raw : content.split(cut)) {
        QString piece = raw.trimmed();
        if (piece.startsWith(QLatin1String("-- ")))
            piece = piece.mid(3).trimmed();
        else if (piece.startsWith(QLatin1String("- ")))
            piece = piece.mid(2).trimmed();
        if (!piece.isEmpty()) pieces.append(piece);
    }
    return pieces;
}

EditOutcome create_items_from_content(AppContext& ctx, const MapItems& map, int selected,
                                      const QString& collection) {
    if (!valid_index(map, selected)) return {};
    const int position = collection_index(ctx.collections, collection.trimmed());
    if (position == 0) {
        ctx.prompter.message(QStringLiteral("Collection ") + in_quotes(collection) +
                             QStringLiteral(" does not exist."));
        return {};
    }
    const QString target_collection = ctx.collections.at(position).name;
    const auto answer = ctx.prompter.input(QStringLiteral("Name of category in collection ") +
                                               in_quotes(target_collection) + QStringLiteral("?"),
                                           {});
    const QString cat = answer.value_or(QString()).trimmed();
    if (cat.isEmpty()) return {};
    if (category_splits_map_name(cat)) {
        ctx.prompter.message(category_name_refused_message(cat));
        return {};
    }
    const QStringList pieces = content_pieces(map.item(selected).content);
    return guarded(ctx, [&] {
        Database& db = *ctx.db;
        MapIdentity target;
        target.collection = target_collection;
        target.cat = cat;
        QSet<QString> present;
        double last_seq = 0;
        for (const MapItem& item : category_items(db, target)) {
            present.insert(title_key(item.title));
            if (item.seq) last_seq = std::max(last_seq, *item.seq);
        }
        Transaction transaction(db);
        Statement insert =
            db.prepare(QStringLiteral("Insert into repos (collection,cat,item_title,seq) values (?,?,?,?)"));
        bool added = false;
        for (const QString& title : pieces) {
            // A map holds a title once, as adding an item by hand requires.
            if (present.contains(title_key(title))) continue;
            present.insert(title_key(title));
            insert.reset();
            insert.bind(1, target_collection);
            insert.bind(2, cat);
            insert.bind(3, title);
            insert.bind(4, last_seq += 1);
            insert.next();
            added = true;
        }
        if (added) delete_fillers(db, target_collection, cat);
        transaction.commit();
        EditOutcome outcome;
        outcome.refresh_all();
        outcome.open_map = target_collection + QStringLiteral(": ") + cat;
        return outcome;
    });
}

// ---------------------------------------------------------------- columns

QString nr_columns_caption(int columns) {
    return QStringLiteral("Number of columns (now ") + QString::number(columns) + QStringLiteral(")");
}

EditOutcome change_nr_columns(AppContext& ctx, const MapItems& map, int current) {
    for (;;) {
        const auto answer =
            ctx.prompter.input(QStringLiteral("New number of columns?"),
                               QStringLiteral("Change nr of columns"), QString::number(current));
        const QString text = answer.value_or(QString()).trimmed();
        if (text.isEmpty()) return {};
        bool whole = false;
        const int columns = text.toInt(&whole);
        if (whole && columns >= 1 && columns <= 10) return set_nr_columns(ctx, map, columns);
        ctx.prompter.message(QStringLiteral("Wrong value."));
    }
}

EditOutcome set_nr_columns(AppContext& ctx, const MapItems& map, int columns) {
    if (columns < 1 || columns > 10) return {};
    const MapIdentity& id = map.identity();
    set_map_param(*ctx.db, ctx.prompter, id.name, QStringLiteral("#nr_columns"), QString::number(columns));
    return guarded(ctx, [&] {
        // The fillers kept places in the old grid. Collection maps and the top map show no items.
        // A filler inserted with its title alone has no content at all, so null counts as empty.
        if (!id.collection_map() && !id.top_map())
            ctx.db->exec(QStringLiteral("Delete from repos where item_title = '-' and (item_content= '' or "
                                        "item_content is null) and collection='") +
                         eq(id.collection) + QStringLiteral("' and cat='") + eq(id.cat) +
                         QStringLiteral("'"));
        EditOutcome outcome;
        outcome.nr_columns = columns;
        outcome.reload = true;
        return outcome;
    });
}

EditOutcome create_map_from_item(AppContext& ctx) {
    ctx.prompter.message(QStringLiteral("Function to be revised"));
    return {};
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_editing_fixture.h"
#include "table/table_editing.h"

// The map editing context (fresh database, default collections, scripted prompter that keeps
// the proposed answers) with the views of the table windows the editing tests use.
class TableEditFixture : public EditFixture {
protected:
    static table_edit::TableEditView view(int position,
                                          const QString& title_caption = QStringLiteral("Title")) {
        table_edit::TableEditView v;
        v.position = position;
        v.title_caption = title_caption;
        CollectionTable collections;
        collections.init_collections();
        v.collection_name = collections.at(position).name;
        return v;
    }

    static table_edit::EditRecord record(const QString& collection, const QString& cat, const QString& title,
                                         const QString& content = {}) {
        table_edit::EditRecord r;
        r.collection = collection;
        r.cat = cat;
        r.title = title;
        r.content = content;
        return r;
    }

    int all_rows() { return db().scalar(QStringLiteral("select count(*) from repos")).toInt(); }

    // Titles of the items whose collection and category are exactly these, in insertion order.
    QStringList titles_in(const QString& collection, const QString& cat) {
        Statement rows = db().prepare(QStringLiteral(
            "select item_title from repos where collection = ? collate binary and cat = ? collate binary "
            "order by item_nr"));
        rows.bind(1, collection);
        rows.bind(2, cat);
        QStringList result;
        while (rows.next())
            result.append(rows.value(0).toString());
        return result;
    }

    // "title=seq" of every item of a map, in the map's order.
    QStringList seqs(const QString& collection, const QString& cat) {
        Statement rows = db().prepare(QStringLiteral(
            "select item_title, seq from repos where collection=? and cat=? order by seq, item_title"));
        rows.bind(1, collection);
        rows.bind(2, cat);
        QStringList result;
        while (rows.next())
            result.append(rows.value(0).toString() + QLatin1Char('=') +
                          (rows.value(1).isNull() ? QStringLiteral("null") : rows.value(1).toString()));
        return result;
    }
};

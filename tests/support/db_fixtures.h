// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixtures of the logic tests, each a thin layer over TestDb.

#include "core/app_context.h"
#include "maps/map_editing.h"
#include "maps/map_items.h"
#include "support/test_db.h"
#include "table/table_editing.h"

#include <gtest/gtest.h>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts) {
        PrintTo(text, out);
        *out << ' ';
    }
    *out << '}';
}

// A program context on an empty database with the default collections.
class MapsDb : public ::testing::Test, public TestDb {
protected:
    TestContext& t = tc;
    void SetUp() override { open_db(QStringLiteral("maps.tdb")); }
};

inline QStringList titles_of(const std::vector<MapItem>& items) {
    QStringList titles;
    for (const MapItem& item : items)
        titles.append(item.title);
    return titles;
}

inline QStringList texts_of(const std::vector<MapItem>& items) {
    QStringList texts;
    for (const MapItem& item : items)
        texts.append(item.panel_text);
    return texts;
}

// The editing commands' context: every scripted answer must be used by the end of the test.
class EditFixture : public ::testing::Test, public TestDb {
protected:
    FakePrompter& script = tc.prompter;
    FakePrompter& prompter = tc.prompter;

    EditFixture() { open_db(QStringLiteral("edit.tdb")); }
    ~EditFixture() override { EXPECT_TRUE(script.all_answered()) << "scripted answers left unused"; }

    // The map as a freshly opened window holds it.
    MapItems load(const QString& name) {
        MapItems map(identify_map(ctx.collections, name));
        load_map_items(ctx, map, {});
        return map;
    }
    QStringList titles(const QString& name) {
        QStringList result;
        const MapItems map = load(name);
        for (const MapItem& item : map.items())
            result.append(item.title);
        return result;
    }
    static int index_of(const MapItems& map, const QString& title) {
        for (int i = 0; i < map.count(); ++i)
            if (map.item(i).title == title) return i;
        return -1;
    }

    QStringList shown_texts() const { return script.messages(); }
    const FakePrompter::Shown& last_shown() const { return script.shown().back(); }
};

// The editing context with the views of the table windows the editing tests use.
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
};

// The shell's context; open_database makes "family.tdb" (plain unless a password is given).
class ShellTest : public ::testing::Test, public TestDb {
protected:
    FakePrompter& prompter = tc.prompter;
    FakeClock& clock = tc.clock;
    FakeWindows& windows = tc.windows;

    void open_database(const QString& password = {}) { open_db(QStringLiteral("family.tdb"), password); }
    // Texts shown by message boxes only, in order.
    QStringList messages() const {
        QStringList texts;
        for (const auto& shown : prompter.shown())
            if (shown.kind == QStringLiteral("message")) texts.append(shown.text);
        return texts;
    }
};

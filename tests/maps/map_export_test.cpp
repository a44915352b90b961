// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_export.h"
#include "support/db_fixtures.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

class MapExport : public MapsDb {
protected:
    MapExport() { tc.clock.set(QDateTime(QDate(2026, 12, 5), QTime(7, 4, 59))); }

    MapItems loaded(const QString& name) {
        MapItems map(identify_map(ctx.collections, name));
        load_map_items(ctx, map, LoadOptions{});
        return map;
    }
    QString exported() {
        QFile file(ctx.program_path(export_file_name()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"<missing>"_s;
    }
};

TEST_F(MapExport, CategoryMapListsItemsWithDatesAndIndentedContent) {
    add(Row{u"Books"_s, u"Poésie"_s, u"L'Après-midi d'un faune"_s, u"  Mallarmé\r\n\r\n  second line  \r\n"_s,
            1.0, QDateTime(QDate(2026, 1, 9), QTime(18, 30))});
    add(Row{u"Books"_s, u"Poésie"_s, u"Ode"_s, {}, 2.0, std::nullopt});
    add(Row{u"Books"_s, u"Poésie"_s, u"-"_s, {}, 3.0, std::nullopt});
    add(Row{u"Books"_s, u"Poésie"_s, u"Unix"_s, u"a\nb"_s, 4.0, QDateTime(QDate(2027, 5, 1), QTime(0, 0))});
    const MapItems map = loaded(u"Books: Poésie"_s);

    EXPECT_EQ(map_export_text(map, ctx.collections, tc.clock.now()),
              QStringLiteral("05/12/26 07:04\n"
                             "\n"
                             "Books: Poésie\n"
                             "-------------\n"
                             "\n"
                             "-- L'Après-midi d'un faune 09/Jan/26\n"
                             "   Mallarmé\n"
                             "\n"
                             "     second line\n"
                             "-- Ode\n"
                             "-- Unix 01/May/27\n"
                             "   a\n"
                             "   b\n"));

    // A collection map lists its categories, each once.
    add(Row{u"Books"_s, u"Poetry,l'Œuvre"_s, u"b"_s, {}, std::nullopt, std::nullopt});
    const QString collection = map_export_text(loaded(u"Books:"_s), ctx.collections, tc.clock.now());
    EXPECT_TRUE(collection.contains(u"\nBooks\n-----\n\n-- "_s));
    EXPECT_EQ(collection.count(u"\n-- "_s), 3);
    EXPECT_TRUE(collection.contains(u"\n-- l'Œuvre\n"_s));
}

TEST_F(MapExport, TopMapListsTheCollectionsInUse) {
    ctx.collections.at(20).name = u"Carnets d'été"_s;
    ctx.collections.at(20).defined = true;
    const MapItems map = loaded(u"Top map"_s);

    const QString text = map_export_text(map, ctx.collections, tc.clock.now());
    EXPECT_TRUE(text.startsWith(u"05/12/26 07:04\n\nTOP MAP\n-------\n\n-- Agenda\n-- Contacts\n"_s));
    EXPECT_TRUE(text.contains(u"-- Profession\n-- Carnets d'été\n-- Mix\n"_s));
    EXPECT_TRUE(text.endsWith(u"-- Apx\n"_s));
    EXPECT_FALSE(text.contains(u"-- \n"_s));
    EXPECT_FALSE(text.contains(u"-- "_s + ctx.collections.at(21).name + QLatin1Char('\n')));
    EXPECT_FALSE(text.contains(u"All collections"_s));
}

TEST_F(MapExport, DocumentIsRewrittenAsUtf8AndOpened) {
    QDir().mkpath(ctx.program_dir);
    QFile old(ctx.program_path(export_file_name()));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'z'));
    old.close();
    add(u"Books"_s, u"Poetry"_s, u"Brontë"_s, u"l'île"_s);

    const MapItems map = loaded(u"Books: Poetry"_s);
    EXPECT_TRUE(export_map(ctx, map));
    EXPECT_EQ(exported(), map_export_text(map, ctx.collections, tc.clock.now()));
    EXPECT_TRUE(exported().endsWith(u"-- Brontë\n   l'île\n"_s));
    EXPECT_EQ(tc.desktop.opened, QStringList({ctx.program_path(export_file_name())}));
    EXPECT_TRUE(tc.prompter.messages().isEmpty());
}

TEST_F(MapExport, WriteFailureOrADocumentNobodyOpensIsReported) {
    QDir().mkpath(ctx.program_dir);
    // A directory in the way of the document makes the write fail.
    QDir().mkpath(ctx.program_path(export_file_name()) + u"/blocked"_s);
    add(u"Books"_s, u"Poetry"_s, u"x"_s);

    EXPECT_FALSE(export_map(ctx, loaded(u"Books: Poetry"_s)));
    ASSERT_EQ(tc.prompter.messages().size(), 1);
    EXPECT_TRUE(tc.prompter.messages()[0].startsWith(u"The map could not be exported to "_s +
                                                     ctx.program_path(export_file_name())));
    EXPECT_TRUE(tc.desktop.opened.isEmpty());

    // Written, but nobody opens it.
    QDir(ctx.program_path(export_file_name())).removeRecursively();
    tc.prompter.clear();
    tc.desktop.open_result = false;
    EXPECT_FALSE(export_map(ctx, loaded(u"Books: Poetry"_s)));
    EXPECT_EQ(tc.prompter.messages(),
              QStringList({u"The map was exported to "_s + ctx.program_path(export_file_name()) +
                           u", but no program could be found to open it."_s}));
}

// ---------------------------------------------------------------- table view hand-off

class TableHandOff : public MapsDb {
protected:
    TableHandOff() {
        // Left over from an earlier hand-over: must not narrow the next table.
        ctx.table_presets.search_text = u"old search"_s;
        ctx.table_presets.title = u"old title"_s;
        ctx.table_presets.category = u"old cat"_s;
        ctx.table_presets.item_nr = 99;
        ctx.table_presets.deadlines_only = true;
    }
};

TEST_F(TableHandOff, PresetsFollowTheKindOfMapAndUnknownCollectionsHaveNoTable) {
    MapItem selected;
    selected.title = u"l'été"_s;

    EXPECT_EQ(table_view_of_map(ctx, identify_map(ctx.collections, u"Top map"_s), &selected), 45);
    EXPECT_TRUE(ctx.table_presets.empty());

    EXPECT_EQ(table_view_of_map(ctx, identify_map(ctx.collections, u"journal"_s), &selected), 6);
    EXPECT_EQ(ctx.table_presets.category, u"l'été"_s);
    EXPECT_EQ(ctx.table_presets.item_nr, 0);
    EXPECT_TRUE(ctx.table_presets.search_text.isEmpty());

    selected.item_nr = 1234;
    selected.title = u"Dune"_s;
    EXPECT_EQ(table_view_of_map(ctx, identify_map(ctx.collections, u"Books: Sci-Fi d'antan"_s), &selected),
              7);
    EXPECT_EQ(ctx.table_presets.category, u"Sci-Fi d'antan"_s);
    EXPECT_EQ(ctx.table_presets.item_nr, 1234);
    EXPECT_TRUE(ctx.table_presets.title.isEmpty());
    EXPECT_FALSE(ctx.table_presets.deadlines_only);

    // Without a selection.
    EXPECT_EQ(table_view_of_map(ctx, identify_map(ctx.collections, u"Books: Poetry"_s), nullptr), 7);
    EXPECT_EQ(ctx.table_presets.category, u"Poetry"_s);
    EXPECT_EQ(ctx.table_presets.item_nr, 0);

    EXPECT_EQ(table_view_of_map(ctx, identify_map(ctx.collections, u"Books"_s), nullptr), 7);
    EXPECT_TRUE(ctx.table_presets.empty());

    // A map whose collection is not in the table has no table view; nothing is left behind.
    ctx.table_presets.category = u"stale"_s;
    EXPECT_EQ(table_view_of_map(ctx, identify_map(ctx.collections, u"Nowhere: Poetry"_s), nullptr),
              std::nullopt);
    EXPECT_TRUE(ctx.table_presets.empty());
}

} // namespace

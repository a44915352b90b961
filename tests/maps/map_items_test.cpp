// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"

#include "maps/map_items.h"
#include "maps/map_names.h"
#include "maps/statement_counter.h"

using namespace Qt::StringLiterals;

namespace {

class LoadItems : public MapsDb {
protected:
    MapItems open_map(const QString& name) { return MapItems(identify_map(ctx.collections, name)); }

    LoadResult load(MapItems& map, bool opening = false) {
        LoadOptions options;
        options.opening = opening;
        return load_map_items(ctx, map, options);
    }
};

} // namespace

// ---------------------------------------------------------------- order per position

// Journal titles are dates, newest first; a title that is no date falls back to title order.
TEST_F(LoadItems, JournalSortsDatesNewestFirstOrFallsBackToTitlesAndSaysSo) {
    add("Journal", "Diary", "02/01/2026");
    add("Journal", "Diary", "2026-03-14 10:00:00");
    add("Journal", "Diary", "31/12/25");
    MapItems map = open_map(u"Journal: Diary"_s);
    EXPECT_FALSE(load(map, true).date_order_failed);
    EXPECT_EQ(titles_of(map.items()), QStringList({"2026-03-14 10:00:00", "02/01/2026", "31/12/25"}));
    EXPECT_TRUE(tc.prompter.messages().isEmpty());
    EXPECT_EQ(map.last_sql(), category_statement(map.identity()));

    db().exec(u"delete from repos where item_title like '2026-*'"_s);
    add("Journal", "Diary", "Zanzibar notes");
    add("Journal", "Diary", "[draft] l'été");
    StatementCounter counter(db().handle());
    const LoadResult result = load(map, true);
    EXPECT_EQ(counter.count(), 2);
    EXPECT_EQ(result.statements, 2);
    EXPECT_TRUE(result.date_order_failed);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(titles_of(map.items()),
              QStringList({"02/01/2026", "31/12/25", "[draft] l'été", "Zanzibar notes"}));
    EXPECT_EQ(tc.prompter.messages(),
              QStringList({"The items order may be wrong because an item is not a valid date."}));
    EXPECT_EQ(map.last_sql(), category_fallback_statement(map.identity()));
}

TEST_F(LoadItems, ChronoCollectionsSortTitlesAsNumbersOthersBySeqThenTitle) {
    for (const char* title : {"1492", "10", "-753", "9", "Undated"})
        add("World chrono", "Events", title);
    for (const char* title : {"2026 release", "300", "40"})
        add("Tessarin chrono", "Versions", title);
    MapItems world = open_map(u"World chrono: Events"_s);
    load(world);
    // val() of a text without a number is 0.
    EXPECT_EQ(titles_of(world.items()), QStringList({"-753", "Undated", "9", "10", "1492"}));
    MapItems tessarin = open_map(u"Tessarin chrono: Versions"_s);
    load(tessarin);
    EXPECT_EQ(titles_of(tessarin.items()), QStringList({"40", "300", "2026 release"}));
    // Other collections sort by their stored positions, then by title.
    add({"Books", "Novels", "zeta", {}, 2.0, {}});
    add({"Books", "Novels", "beta", {}, 1.0, {}});
    add({"Books", "Novels", "Alpha", {}, 1.0, {}});
    add({"Books", "Novels", "omega", {}, std::nullopt, {}});
    add({"Books", "Novels", "Dropped in", {}, 0.1, {}});
    MapItems map = open_map(u"books: novels"_s);
    load(map);
    EXPECT_EQ(titles_of(map.items()), QStringList({"omega", "Dropped in", "Alpha", "beta", "zeta"}));
}

TEST_F(LoadItems, AllColumnsAreRead) {
    const QDateTime due(QDate(2026, 5, 1), QTime(8, 30));
    const qint64 nr =
        add({"Books", "Novels", "Dune", "A desert planet", 3.0, due, due.addDays(-1), {}, "x", 17});
    MapItems map = open_map(u"Books: Novels"_s);
    load(map);
    ASSERT_EQ(map.count(), 1);
    const MapItem& item = map.item(0);
    EXPECT_EQ(item.item_nr, nr);
    EXPECT_EQ(item.content, u"A desert planet"_s);
    EXPECT_EQ(item.expiry, due);
    EXPECT_EQ(item.remind, due.addDays(-1));
    EXPECT_FALSE(item.notified.has_value());
    EXPECT_EQ(item.mark, u"x"_s);
    EXPECT_EQ(item.id, 17.0);
    EXPECT_EQ(item.seq, 3.0);
}

TEST_F(LoadItems, LongTitlesHugeContentsAndApostrophesTravelIntact) {
    const QString title = u"l'été d'Hélène [*] ? "_s.repeated(15).left(300);
    const QString content = u"x'y\n"_s.repeated(1 << 18); // 1 MB
    add("Books", "Novels", title, content);
    add("Media", "Films", title);
    MapItems map = open_map(u"Books: Novels"_s);
    LoadOptions options;
    options.similar_indicator = true;
    load_map_items(ctx, map, options);
    ASSERT_EQ(map.count(), 1);
    EXPECT_EQ(map.item(0).title, title);
    EXPECT_EQ(map.item(0).content.size(), content.size());
    EXPECT_EQ(map.item(0).panel_text, title + u"~+"_s);
}

TEST_F(LoadItems, EmptyCategoryReadsOnlyItemsWithoutCategory) {
    add("Books", "", "loose");
    add("Books", "Novels", "bound");
    MapItems map = open_map(u"Books: "_s);
    load(map);
    EXPECT_EQ(titles_of(map.items()), QStringList({"loose"}));
}

// ---------------------------------------------------------------- rows taken and skipped

TEST_F(LoadItems, CommaCategoriesShowInEachOfTheirMapsWhateverTheCase) {
    add("Books", "Poetry,Italian", "Divina Commedia");
    add("Books", "Poetry", "Leaves of Grass");
    add("Books", "Italian", "I promessi sposi");
    add("Books", "Poetry collections", "Anthology"); // like finds "Poetry" in it; the category differs
    add("Media", "Poetry", "Other collection");
    MapItems poetry = open_map(u"Books: Poetry"_s);
    const LoadResult result = load(poetry);
    EXPECT_EQ(titles_of(poetry.items()), QStringList({"Divina Commedia", "Leaves of Grass"}));
    EXPECT_EQ(result.rows, 3);
    EXPECT_EQ(result.taken, 2);
    MapItems italian = open_map(u"Books: ITALIAN"_s);
    load(italian);
    EXPECT_EQ(titles_of(italian.items()), QStringList({"Divina Commedia", "I promessi sposi"}));
    // A part of a category name still finds every comma list holding it.
    MapItems poe = open_map(u"Books: Poe"_s);
    load(poe);
    EXPECT_EQ(titles_of(poe.items()), QStringList({"Divina Commedia"}));
    // Categories compare without case but with accents.
    add("Books", "Été", "summer");
    add("Books", "été", "lower case");
    add("Books", "ete", "no accent");
    MapItems ete = open_map(u"Books: ÉTÉ"_s);
    load(ete);
    EXPECT_EQ(titles_of(ete.items()), QStringList({"lower case", "summer"}));
}

TEST_F(LoadItems, CategorySeparatorsOfTheTableViewAreSkipped) {
    add("Books", "Novels", " _____ Novels _____");
    add("Books", "Novels", " _____ NOVELS _____");
    add("Books", "Novels", "_____ Novels _____"); // not the separator form: no leading blank
    add("Books", "Novels,Sagas", " _____ Novels,Sagas _____");
    add("Books", "Novels", "Dune");
    MapItems map = open_map(u"Books: Novels"_s);
    load(map);
    // Titles compare folded to lower case, where "_" comes before the letters.
    EXPECT_EQ(titles_of(map.items()), QStringList({"_____ Novels _____", "Dune"}));
}

// Pattern characters of a category match only themselves: the map loads its own items, and a
// refresh finds them instead of taking the map for empty and adding a filler each time.
TEST_F(LoadItems, CategoriesHoldingPatternCharactersLoadTheirItems) {
    const struct {
        const char* cat;
        const char* lookalike; // what the character would match as a pattern
    } cases[] = {{"C#", "C5"}, {"Issue #5", "Issue 55"}, {"[draft]", "d"}, {"50%*", "50%x"}};
    for (const auto& c : cases) {
        add("Books", c.cat, "first");
        add("Books", c.cat, "second");
        add("Books", c.lookalike, "lookalike");
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cat);
        MapItems map = open_map(u"Books: "_s + QString::fromUtf8(c.cat));
        for (int refresh = 0; refresh < 2; ++refresh) {
            refresh_map(ctx, map, {});
            EXPECT_EQ(titles_of(map.items()), QStringList({"first", "second"}));
        }
    }
    EXPECT_EQ(rows(u"item_title='-'"_s), 0);
}

// ---------------------------------------------------------------- limits

TEST_F(LoadItems, OpeningRefusesMoreThan200RowsOfTheStatementAndReloadsDoNot) {
    add_many("Books", "Novels", 200);
    MapItems map = open_map(u"Books: Novels"_s);
    LoadResult result = load(map, true);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(map.count(), 200);

    // The limit counts the rows of the statement, not the items taken: like finds "Novels" in
    // this category too. A reload is never refused.
    add("Books", "Novels and tales", "skipped but returned");
    result = load(map, false);
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(map.count(), 200);

    MapItems again = open_map(u"Books: Novels"_s);
    result = load(again, true);
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(result.rows, 201);
    EXPECT_EQ(result.message, QStringLiteral("This map has too many tags (201) and will not be open. You can "
                                             "still open it in table view."));
    EXPECT_EQ(again.count(), 0);
    EXPECT_TRUE(tc.prompter.messages().isEmpty());
    // Refusing writes nothing, not even a filler.
    EXPECT_EQ(rows(u"1"_s), 201);
}

TEST_F(LoadItems, AnOpenMapKeepsItsFirst500EntriesAndSaysSo) {
    add_many("Books", "Novels", 620);
    MapItems map = open_map(u"Books: Novels"_s);
    LoadResult result = load(map);
    EXPECT_EQ(map.count(), MapItems::capacity);
    EXPECT_EQ(result.taken, 620);
    EXPECT_TRUE(map.truncated());
    EXPECT_EQ(map.item(499).title, u"tag 0500"_s);
    EXPECT_EQ(map.caption(), u"Novels (first 500 of 620 tags)"_s);
    EXPECT_FALSE(map.append(MapItem{}));
    EXPECT_EQ(map.count(), MapItems::capacity);

    db().exec(u"delete from repos where item_title > 'tag 0400'"_s);
    result = load(map);
    EXPECT_EQ(map.count(), 400);
    EXPECT_FALSE(map.truncated());
    EXPECT_EQ(map.caption(), u"Novels"_s);
}

// ---------------------------------------------------------------- collection maps and the top map

TEST_F(LoadItems, CollectionMapListsCategoriesInCatSeqOrderOnceEach) {
    add("Books", "Zeta", "z");
    add("Books", "Alpha", "a");
    add("Books", " beta , ALPHA", "b");
    add("Books", "Gamma", "g");
    add("Books", "Gamma", "g2");
    add("Media", "Other", "not this collection");
    db().exec(QStringLiteral("insert into cat_seq (collection, cat, seq) values ('Books','Gamma',1), "
                             "('Books','Zeta',2), ('Media','Alpha',0)"));
    MapItems map = open_map(u"Books"_s);
    load(map, true);
    // Categories without a cat_seq row come first (a null sorts first), by name; a category
    // repeated in a comma list keeps the spelling seen first.
    EXPECT_EQ(titles_of(map.items()), QStringList({"beta", "ALPHA", "Gamma", "Zeta"}));
    EXPECT_EQ(texts_of(map.items()), titles_of(map.items()));
    for (const MapItem& entry : map.items()) {
        EXPECT_EQ(entry.item_nr, 0);
        EXPECT_TRUE(entry.content.isEmpty());
    }
}

TEST_F(LoadItems, AnEmptyCollectionReceivesTheSampleItem) {
    MapItems map = open_map(u"Wisdom:"_s);
    const LoadResult result = load(map, true);
    EXPECT_EQ(titles_of(map.items()), QStringList({"category xyz"}));
    EXPECT_EQ(rows(u"collection='Wisdom' and cat='category xyz' and item_title='item xyz'"_s), 1);
    EXPECT_EQ(map.last_sql(), u"select distinct cat from repos where collection='Wisdom' order by cat"_s);
    EXPECT_EQ(result.statements, 3);
    // The second opening finds the sample and adds nothing.
    MapItems again = open_map(u"Wisdom"_s);
    load(again, true);
    EXPECT_EQ(rows(u"collection='Wisdom'"_s), 1);
}

TEST_F(LoadItems, TopMapListsPositions1To44) {
    ctx.collections.at(20).name = u"Recipes"_s;
    MapItems map = open_map(u"Top map"_s);
    load(map, true);
    ASSERT_EQ(map.count(), 44);
    EXPECT_EQ(map.item(19).title, u"Recipes"_s);
    EXPECT_EQ(map.item(19).panel_text, u"Recipes"_s);
    EXPECT_EQ(map.item(43).item_nr, 0);
}

// ---------------------------------------------------------------- rebuilding and refreshing

TEST_F(LoadItems, ReloadsTellWhetherThePanelsMustBeRebuilt) {
    const qint64 dune = add("Books", "Novels", "Dune");
    add("Books", "Novels", "Emma");
    MapItems map = open_map(u"Books: Novels"_s);
    EXPECT_TRUE(load(map, true).needs_rebuild); // a first load always builds

    EXPECT_FALSE(load(map).needs_rebuild);
    db().exec(u"update repos set mark='seen' where item_nr=%1"_s.arg(dune));
    EXPECT_FALSE(load(map).needs_rebuild);
    db().exec(u"update repos set item_content='spice' where item_nr=%1"_s.arg(dune));
    EXPECT_TRUE(load(map).needs_rebuild);
    db().exec(u"update repos set item_title='dune' where item_nr=%1"_s.arg(dune));
    EXPECT_TRUE(load(map).needs_rebuild);
    const qint64 filler = add({"Books", "Novels", "-", {}, 9.0, {}});
    EXPECT_TRUE(load(map).needs_rebuild); // grew
    db().exec(u"delete from repos where item_nr=%1"_s.arg(filler));
    EXPECT_FALSE(load(map).needs_rebuild); // a trailing filler went
    db().exec(u"delete from repos where item_title='Emma'"_s);
    EXPECT_TRUE(load(map).needs_rebuild); // a real item went

    LoadOptions options;
    options.rebuild_request = u"BOOKS: novels"_s;
    EXPECT_TRUE(load_map_items(ctx, map, options).needs_rebuild);
    options.rebuild_request = u"Books: Novels2"_s;
    EXPECT_FALSE(load_map_items(ctx, map, options).needs_rebuild);
}

TEST_F(LoadItems, RefreshingAnEmptiedMapInsertsOneFiller) {
    const qint64 only = add("Books", "Novels", "Dune");
    MapItems map = open_map(u"Books: Novels"_s);
    refresh_map(ctx, map, {});
    db().exec(u"delete from repos where item_nr=%1"_s.arg(only));
    const LoadResult result = refresh_map(ctx, map, {});
    EXPECT_TRUE(result.needs_rebuild);
    ASSERT_EQ(map.count(), 1);
    EXPECT_TRUE(map.item(0).filler());
    EXPECT_EQ(rows(u"collection='Books' and cat='Novels' and item_title='-'"_s), 1);
    // A second refresh finds the filler: nothing more is inserted and nothing is rebuilt.
    EXPECT_FALSE(refresh_map(ctx, map, {}).needs_rebuild);
    EXPECT_EQ(rows(u"collection='Books'"_s), 1);
}

TEST_F(LoadItems, FillersKeepTheirCategoryAndCollectionMapsGetNone) {
    for (const char* cat : {"*", "??", "", "l'été"}) {
        SCOPED_TRACE(cat);
        MapIdentity identity = identify_map(ctx.collections, u"Books: x"_s);
        identity.cat = QString::fromUtf8(cat); // the map of no category has no name of its own
        MapItems map(identity);
        refresh_map(ctx, map, {});
        Statement filler = db().prepare(u"select cat from repos where item_title='-' and cat=?"_s);
        filler.bind(1, QString::fromUtf8(cat));
        EXPECT_TRUE(filler.next()) << "the filler went under another category";
        // The refreshed map finds its own filler again instead of adding one more each time.
        refresh_map(ctx, map, {});
        EXPECT_EQ(map.count(), 1);
    }
    MapItems top = open_map(u"Top map"_s);
    refresh_map(ctx, top, {});
    MapItems books = open_map(u"Books"_s);
    refresh_map(ctx, books, {});
    EXPECT_EQ(rows(u"1"_s), 4);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_names.h"

#include "core/collections.h"
#include "support/db_fixtures.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

CollectionTable defaults() {
    CollectionTable table;
    table.init_collections();
    return table;
}

} // namespace

// A "." after the ":" starts the item unless it ends the name or is doubled (only the first one
// decides); a ">" from the second character on starts a reference title, and the earlier of the
// two wins. Odd texts come back whole; "Books: " (no category) is a map of its own.
TEST(SplitMapName, MapAndItemOfAName) {
    const struct {
        const char* name;
        const char* map;
        const char* item;
    } cases[] = {{"Books: Poetry.Dante", "Books: Poetry", "Dante"},
                 {"Books: Poetry...", "Books: Poetry...", ""},
                 {"Books: Poetry.", "Books: Poetry.", ""},
                 {"Books: Poetry..Dante", "Books: Poetry..Dante", ""},
                 {"Books: Poetry.Vol. 2.Dante", "Books: Poetry", "Vol. 2.Dante"},
                 {"Books.Poetry", "Books", "Poetry"},
                 {"Books:.Poetry", "Books:", "Poetry"},
                 {"Books: Poetry > Books: Other", "Books: Poetry", "> Books: Other"},
                 {"Books: Poetry > Books: Other.Dante", "Books: Poetry", "> Books: Other.Dante"},
                 {"Books: Poetry.> Books: Other", "Books: Poetry", "> Books: Other"},
                 {"A>", "A", ">"},
                 {"> Books: Other", "> Books: Other", ""},
                 {"", "", ""},
                 {"   ", "   ", ""},
                 {"Top map", "Top map", ""},
                 {"Books: ", "Books: ", ""},
                 {"Books: .Dante", "Books: ", "Dante"},
                 {"Books: [draft.Émile", "Books: [draft", "Émile"},
                 {"Mr. X: Letters.Dear", "Mr. X: Letters", "Dear"}};
    for (const auto& c : cases) {
        const SplitName parts = split_map_name(s(c.name));
        EXPECT_EQ(parts.map, s(c.map)) << c.name;
        EXPECT_EQ(parts.item, s(c.item)) << c.name;
    }
}

// The category is the text after the first ":" up to the separating dot; the collection is the
// text before it, spelt as the table spells a known collection, or a whole collection name.
TEST(CatOf, CategoryAndCollectionOfAName) {
    const CollectionTable c = defaults();
    const std::pair<const char*, const char*> cats[] = {{"Books: Poetry.Dante", "Poetry"},
                                                        {"Books:   Poetry   ", "Poetry"},
                                                        {"Books: Poetry .Dante", "Poetry"},
                                                        {"Books: Poetry.", "Poetry."},
                                                        {"Books: a..b.c", "a..b.c"},
                                                        {"Mr. X: Letters.Dear", "Letters"},
                                                        {"Books: Poetry: Italian.Dante", "Poetry: Italian"},
                                                        {"Books", ""},
                                                        {"Books:", ""},
                                                        {"Books:   ", ""},
                                                        {"", ""}};
    for (const auto& [name, cat] : cats)
        EXPECT_EQ(cat_of(s(name)), s(cat)) << name;
    const std::pair<const char*, const char*> collections[] = {{"Books: Poetry", "Books"},
                                                               {"  Books  : Poetry.Dante", "Books"},
                                                               {"Books: Poetry: Italian", "Books"},
                                                               {"Gone: Poetry", "Gone"},
                                                               {": Poetry", ""},
                                                               {"Books", "Books"},
                                                               {" books ", "Books"},
                                                               {"BOOKS: x", "Books"},
                                                               {"Books:", "Books"},
                                                               {"Gone", ""},
                                                               {"Top map", ""},
                                                               {"Books.Poetry", ""},
                                                               {"", ""}};
    for (const auto& [name, collection] : collections)
        EXPECT_EQ(collection_of(c, s(name)), s(collection)) << name;
}

TEST(CollectionIndex, NamesMatchWithoutCaseAndBlankPositionsNameNothing) {
    CollectionTable c = defaults();
    const std::pair<const char*, int> positions[] = {{"Agenda", 1},           {"BOOKS", 7}, {"Apx", 44},
                                                     {"all collections", 45}, {"Book", 0},  {"Books ", 0}};
    for (const auto& [name, position] : positions)
        EXPECT_EQ(collection_index(c, s(name)), position) << name;
    EXPECT_FALSE(is_collection(c, s("Top map")));

    c.at(20).name = QString();
    EXPECT_EQ(collection_index(c, QString()), 0);
    EXPECT_FALSE(is_collection(c, QString()));

    c.at(19).name = s("Éloïse's");
    EXPECT_EQ(collection_index(c, s("éLOÏSE'S")), 19);
    EXPECT_TRUE(is_collection(c, s("éloïse's")));
}

// One spelling per map; only a collection name, with or without ":", is a collection map.
TEST(CanonicalMapName, OneSpellingPerMap) {
    const CollectionTable c = defaults();
    const struct {
        const char* name;
        const char* canonical;
        bool collection_map;
    } cases[] = {
        {"Books", "Books", true},
        {"books:", "Books", true},
        {" BOOKS ", "Books", true},
        {"books :", "Books", true},
        // collection + ": " + "" is the category map of the items without a category.
        {"Books: ", "Books: ", false},
        {"BOOKS : poetry", "Books: poetry", false},
        {"books:Poetry", "Books: Poetry", false},
        {" BOOKS :  Poetry ", "Books: Poetry", false},
        {"top MAP", "Top map", false},
        {"Gone: x", "Gone: x", false},
        {"Gone", "Gone", false},
        {"Books.Poetry", "Books.Poetry", false},
        {"", "", false},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(canonical_map_name(c, s(k.name)), s(k.canonical)) << k.name;
        EXPECT_EQ(is_collection_map(c, s(k.name)), k.collection_map) << k.name;
    }
    EXPECT_TRUE(is_top_map_name(s(" TOP MAP ")));
    EXPECT_FALSE(is_top_map_name(s("Top maps")));
}

TEST(CategorySplitsMapName, OnlyADotFollowedByMoreTextSplits) {
    for (const char* cat : {"Vol. 2", "a.b", " x.y "})
        EXPECT_TRUE(category_splits_map_name(s(cat))) << cat;
    for (const char* cat : {"Vol.", "Vol..2", "Poetry", "", "C#", "a>b"})
        EXPECT_FALSE(category_splits_map_name(s(cat))) << cat;
}

// ---- against a database ----

using MapExists = MapsDb;

// "Exact" needs the category itself, where like finds it inside comma lists and longer names.
// Case is ignored, accents are not; quotes and wildcard characters are taken literally; an item
// part takes no part; without ":" only collection maps exist, whether or not they hold items.
TEST_F(MapExists, ExactNeedsTheCategoryItselfLikeFindsItInCommaLists) {
    add(s("Books"), s("Poetry"), s("x"));
    EXPECT_FALSE(map_exists(ctx, s("Books: "), true)) << "no item without a category yet";
    for (const char* cat : {"Poetry,Italian", "Émile", "L'été", "[draft", ""})
        add(s("Books"), s(cat), s("x"));
    const struct {
        const char* name;
        bool exact;
        bool like;
    } cases[] = {{"Books: Poetry", true, true},
                 {"Books: Italian", false, true},
                 {"Books: Poe", false, true},
                 {"Media: Poetry", false, false},
                 {"Books: Poetry.Nothing such", true, true},
                 {"books: émile", true, true},
                 {"BOOKS: ÉMILE", true, true},
                 {"Books: Emile", false, false},
                 {"Books: L'été", true, true},
                 {"Books: [draft", true, true},
                 {"Books: *", false, false},
                 {"Books: ???", false, false},
                 {"Books: ", true, true},
                 {"Books", true, true},
                 {"Media:", true, true},
                 {"Poetry", false, false},
                 {"", false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(map_exists(ctx, s(c.name), true), c.exact) << c.name;
        EXPECT_EQ(map_exists(ctx, s(c.name), false), c.like) << c.name;
    }
    // Once "*" and "???" are categories they exist, and "**" is still none.
    add(s("Books"), s("*"), s("x"));
    add(s("Books"), s("???"), s("x"));
    for (const bool exact : {true, false}) {
        EXPECT_TRUE(map_exists(ctx, s("Books: *"), exact)) << exact;
        EXPECT_TRUE(map_exists(ctx, s("Books: ???"), exact)) << exact;
    }
    EXPECT_FALSE(map_exists(ctx, s("Books: **"), true));
}

using ItemLookup = MapsDb;

TEST_F(ItemLookup, ItemExistsComparesTitlesAsTheyAre) {
    add(s("Books"), s("Poetry"), s("L'Infinito"));
    add(s("Books"), s("Poetry"), s("*"));
    add(s("Books"), s("Poetry,Italian"), s("Inferno"));
    EXPECT_TRUE(item_exists(ctx, s("Books: Poetry"), s("L'Infinito")));
    EXPECT_TRUE(item_exists(ctx, s("books: poetry"), s("l'infinito")));
    EXPECT_TRUE(item_exists(ctx, s("Books: Poetry"), s("*")));
    EXPECT_FALSE(item_exists(ctx, s("Books: Poetry"), s("?")));
    EXPECT_FALSE(item_exists(ctx, s("Books: Poetry"), s("L'Infinit")));
    // The category must be the item's own, not a part of its list.
    EXPECT_FALSE(item_exists(ctx, s("Books: Poetry"), s("Inferno")));
}

TEST_F(ItemLookup, MapNameOfItem) {
    const qint64 poem = add(s("Books"), s("Poetry"), s("Canto"));
    const qint64 loose = add(s("Media"), QString(""), s("Film"));
    EXPECT_EQ(map_name_of_item(ctx, poem), s("Books: Poetry"));
    EXPECT_EQ(map_name_of_item(ctx, loose), s("Media: "));
    EXPECT_EQ(map_name_of_item(ctx, loose + 100), QString());
}

using ReferenceIsValid = MapsDb;

TEST_F(ReferenceIsValid, DotAddressesNeedTheItemOtherwiseTheMap) {
    add(s("Books"), s("Poetry"), s("Canto"));
    add(s("Books"), s("L'été"), s("D'Annunzio"));
    add(s("Books"), s("Vol."), s("x"));
    // A final "." belongs to the name: "Books: Vol." is the map "Vol.", not an item of "Vol".
    const std::pair<const char*, bool> cases[] = {{"Books: Poetry.Canto", true},
                                                  {"  Books: Poetry.Canto  ", true},
                                                  {"Books: Poetry.Missing", false},
                                                  {"Books: L'été.D'Annunzio", true},
                                                  {"Books: Poetry", true},
                                                  {"Books: Vol.", true},
                                                  {"Books: Prose", false},
                                                  {"Books", true},
                                                  {"Top map", true},
                                                  {"Gone", false},
                                                  {"", false}};
    for (const auto& [reference, valid] : cases)
        EXPECT_EQ(reference_is_valid(ctx, s(reference)), valid) << reference;
}

using CreateMap = MapsDb;

TEST_F(CreateMap, InsertsOneFillerAndRefusesTheSecondTime) {
    EXPECT_TRUE(create_map(ctx, s("Books: New")));
    EXPECT_EQ(titles_in(s("Books"), s("New")), QStringList{s("-")});
    EXPECT_TRUE(ctx.db->scalar(QStringLiteral("select item_content is null from repos")).toBool());
    EXPECT_TRUE(t.prompter.shown().empty());

    EXPECT_FALSE(create_map(ctx, s("books: new")));
    EXPECT_EQ(t.prompter.messages(), QStringList{s("Map already exists")});
    EXPECT_EQ(rows(), 1);
    // Names without ":" create nothing; an unknown one says nothing either.
    EXPECT_FALSE(create_map(ctx, s("Books")));
    t.prompter.clear();
    EXPECT_FALSE(create_map(ctx, s("Gone")));
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_EQ(rows(), 1);
}

TEST_F(CreateMap, StoresTheNamePartsLiterally) {
    EXPECT_TRUE(create_map(ctx, s("Books: L'été.Dante")));
    EXPECT_TRUE(create_map(ctx, s("Books: *")));
    EXPECT_TRUE(create_map(ctx, s("Books: ?")));
    EXPECT_TRUE(create_map(ctx, s("Books: ")));
    EXPECT_EQ(titles_in(s("Books"), s("L'été")), QStringList{s("-")});
    EXPECT_EQ(titles_in(s("Books"), s("*")), QStringList{s("-")});
    EXPECT_EQ(titles_in(s("Books"), s("?")), QStringList{s("-")});
    EXPECT_EQ(titles_in(s("Books"), s("")), QStringList{s("-")});
    // A "*" map exists now, so asking again must not add a second filler.
    EXPECT_FALSE(create_map(ctx, s("Books: *")));
    EXPECT_EQ(titles_in(s("Books"), s("*")), QStringList{s("-")});
    EXPECT_EQ(rows(), 4);
    // A known collection is stored as the table spells it.
    EXPECT_TRUE(create_map(ctx, s("media: Films")));
    EXPECT_EQ(titles_in(s("Media"), s("Films")), QStringList{s("-")});
}

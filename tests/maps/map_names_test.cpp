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

void expect_split(const char* name, const char* map, const char* item) {
    const SplitName parts = split_map_name(s(name));
    EXPECT_EQ(parts.map, s(map)) << name;
    EXPECT_EQ(parts.item, s(item)) << name;
}

} // namespace

TEST(SplitMapName, DotSeparatesTheItemUnlessItEndsTheNameOrIsDoubled) {
    expect_split("Books: Poetry.Dante", "Books: Poetry", "Dante");
    expect_split("Books: Poetry...", "Books: Poetry...", "");
    expect_split("Books: Poetry.", "Books: Poetry.", "");
    // Only the first "." decides: a doubled one keeps the whole text a name.
    expect_split("Books: Poetry..Dante", "Books: Poetry..Dante", "");
    // The item keeps everything after the separator, further dots included.
    expect_split("Books: Poetry.Vol. 2.Dante", "Books: Poetry", "Vol. 2.Dante");
    expect_split("Books.Poetry", "Books", "Poetry");
    expect_split("Books:.Poetry", "Books:", "Poetry");
}

TEST(SplitMapName, GreaterThanFromTheSecondCharacterStartsAReferenceTitle) {
    expect_split("Books: Poetry > Books: Other", "Books: Poetry", "> Books: Other");
    // A reference title may hold an item address of its own: the earlier ">" wins.
    expect_split("Books: Poetry > Books: Other.Dante", "Books: Poetry", "> Books: Other.Dante");
    // An address made of a map, "." and a reference title: the earlier "." wins.
    expect_split("Books: Poetry.> Books: Other", "Books: Poetry", "> Books: Other");
    expect_split("A>", "A", ">");
    // At the first character ">" separates nothing.
    expect_split("> Books: Other", "> Books: Other", "");
}

TEST(SplitMapName, OddTextsComeBackWhole) {
    expect_split("", "", "");
    expect_split("   ", "   ", "");
    expect_split("Top map", "Top map", "");
    // "Books: " (empty category) must survive: it is the map of the items without a category.
    expect_split("Books: ", "Books: ", "");
    expect_split("Books: .Dante", "Books: ", "Dante");
    expect_split("Books: [draft.Émile", "Books: [draft", "Émile");
}

TEST(SplitMapName, ADotInTheCollectionNameIsNoSeparator) {
    // Only dots after the ":" separate, so that split and cat_of agree on the category.
    expect_split("Mr. X: Letters.Dear", "Mr. X: Letters", "Dear");
    EXPECT_EQ(cat_of(s("Mr. X: Letters.Dear")), s("Letters"));
}

TEST(CatOf, TextAfterTheColonUpToTheSeparatingDot) {
    EXPECT_EQ(cat_of(s("Books: Poetry.Dante")), s("Poetry"));
    EXPECT_EQ(cat_of(s("Books:   Poetry   ")), s("Poetry"));
    EXPECT_EQ(cat_of(s("Books: Poetry .Dante")), s("Poetry"));
    EXPECT_EQ(cat_of(s("Books: Poetry.")), s("Poetry."));
    EXPECT_EQ(cat_of(s("Books: a..b.c")), s("a..b.c"));
    // Several ":": the first one splits, the rest belong to the category.
    EXPECT_EQ(cat_of(s("Books: Poetry: Italian.Dante")), s("Poetry: Italian"));
    EXPECT_EQ(cat_of(s("Books")), QString());
    EXPECT_EQ(cat_of(s("Books:")), QString());
    EXPECT_EQ(cat_of(s("Books:   ")), QString());
    EXPECT_EQ(cat_of(QString()), QString());
}

TEST(CollectionOf, TextBeforeTheColonOrAWholeCollectionName) {
    const CollectionTable c = defaults();
    EXPECT_EQ(collection_of(c, s("Books: Poetry")), s("Books"));
    EXPECT_EQ(collection_of(c, s("  Books  : Poetry.Dante")), s("Books"));
    EXPECT_EQ(collection_of(c, s("Books: Poetry: Italian")), s("Books"));
    // Any text before a ":" counts, known collection or not.
    EXPECT_EQ(collection_of(c, s("Gone: Poetry")), s("Gone"));
    EXPECT_EQ(collection_of(c, s(": Poetry")), QString());
    EXPECT_EQ(collection_of(c, s("Books")), s("Books"));
    // Known collections come back as the table spells them.
    EXPECT_EQ(collection_of(c, s(" books ")), s("Books"));
    EXPECT_EQ(collection_of(c, s("BOOKS: x")), s("Books"));
    EXPECT_EQ(collection_of(c, s("Books:")), s("Books"));
    EXPECT_EQ(collection_of(c, s("Gone")), QString());
    EXPECT_EQ(collection_of(c, s("Top map")), QString());
    EXPECT_EQ(collection_of(c, s("Books.Poetry")), QString());
    EXPECT_EQ(collection_of(c, QString()), QString());
}

TEST(CollectionIndex, NamesMatchWithoutCaseAndBlankPositionsNameNothing) {
    CollectionTable c = defaults();
    EXPECT_EQ(collection_index(c, s("Agenda")), 1);
    EXPECT_EQ(collection_index(c, s("BOOKS")), 7);
    EXPECT_EQ(collection_index(c, s("Apx")), 44);
    EXPECT_EQ(collection_index(c, s("all collections")), 45);
    EXPECT_EQ(collection_index(c, s("Book")), 0);
    EXPECT_EQ(collection_index(c, s("Books ")), 0);
    EXPECT_FALSE(is_collection(c, s("Top map")));

    c.at(20).name = QString();
    EXPECT_EQ(collection_index(c, QString()), 0);
    EXPECT_FALSE(is_collection(c, QString()));

    c.at(19).name = s("Éloïse's");
    EXPECT_EQ(collection_index(c, s("éLOÏSE'S")), 19);
    EXPECT_TRUE(is_collection(c, s("éloïse's")));
}

TEST(IsCollectionMap, CollectionWithOrWithoutColonButNoCategory) {
    const CollectionTable c = defaults();
    EXPECT_TRUE(is_collection_map(c, s("Books")));
    EXPECT_TRUE(is_collection_map(c, s("Books:")));
    EXPECT_TRUE(is_collection_map(c, s("books :")));
    // collection + ": " + "" is the category map of the items without a category.
    EXPECT_FALSE(is_collection_map(c, s("Books: ")));
    EXPECT_FALSE(is_collection_map(c, s("Books: Poetry")));
    EXPECT_FALSE(is_collection_map(c, s("Books.Poetry")));
    EXPECT_FALSE(is_collection_map(c, s("Gone")));
    EXPECT_FALSE(is_collection_map(c, s("Top map")));
    EXPECT_FALSE(is_collection_map(c, QString()));
    EXPECT_TRUE(is_top_map_name(s(" TOP MAP ")));
    EXPECT_FALSE(is_top_map_name(s("Top maps")));
}

TEST(CanonicalMapName, OneSpellingPerMap) {
    const CollectionTable c = defaults();
    const struct {
        const char* name;
        const char* canonical;
    } cases[] = {
        {"Books", "Books"},
        {"books:", "Books"},
        {" BOOKS ", "Books"},
        {"Books: ", "Books: "},
        {"BOOKS : poetry", "Books: poetry"},
        {"books:Poetry", "Books: Poetry"},
        {" BOOKS :  Poetry ", "Books: Poetry"},
        {"top MAP", "Top map"},
        {"Gone: x", "Gone: x"},
        {"Gone", "Gone"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(canonical_map_name(c, s(k.name)), s(k.canonical)) << k.name;
}

TEST(CategorySplitsMapName, OnlyADotFollowedByMoreTextSplits) {
    for (const char* cat : {"Vol. 2", "a.b", " x.y "})
        EXPECT_TRUE(category_splits_map_name(s(cat))) << cat;
    for (const char* cat : {"Vol.", "Vol..2", "Poetry", "", "C#", "a>b"})
        EXPECT_FALSE(category_splits_map_name(s(cat))) << cat;
}

// ---- against a database ----

using MapExists = MapsDb;

TEST_F(MapExists, ExactNeedsTheCategoryItselfLikeFindsItInCommaLists) {
    add(s("Books"), s("Poetry,Italian"), s("Inferno"));
    add(s("Books"), s("Poetry"), s("Canto"));
    EXPECT_TRUE(map_exists(ctx, s("Books: Poetry"), true));
    EXPECT_FALSE(map_exists(ctx, s("Books: Italian"), true));
    EXPECT_TRUE(map_exists(ctx, s("Books: Italian"), false));
    // like looks for the category inside the stored text, so a part of a name is enough.
    EXPECT_FALSE(map_exists(ctx, s("Books: Poe"), true));
    EXPECT_TRUE(map_exists(ctx, s("Books: Poe"), false));
    EXPECT_FALSE(map_exists(ctx, s("Media: Poetry"), false));
    // An item part does not take part.
    EXPECT_TRUE(map_exists(ctx, s("Books: Poetry.Nothing such"), true));
    // Case is ignored, accents are not.
    add(s("Books"), s("Émile"), s("x"));
    EXPECT_TRUE(map_exists(ctx, s("books: émile"), true));
    EXPECT_TRUE(map_exists(ctx, s("BOOKS: ÉMILE"), false));
    EXPECT_FALSE(map_exists(ctx, s("Books: Emile"), true));
}

TEST_F(MapExists, QuotesAndWildcardCharactersAreTakenLiterally) {
    add(s("Books"), s("L'été"), s("x"));
    add(s("Books"), s("[draft"), s("x"));
    EXPECT_TRUE(map_exists(ctx, s("Books: L'été"), true));
    EXPECT_TRUE(map_exists(ctx, s("Books: L'été"), false));
    EXPECT_TRUE(map_exists(ctx, s("Books: [draft"), true));
    EXPECT_TRUE(map_exists(ctx, s("Books: [draft"), false));
    // No category is "*" or "?" yet: neither may act as a wildcard.
    for (bool exact : {true, false}) {
        EXPECT_FALSE(map_exists(ctx, s("Books: *"), exact)) << exact;
        EXPECT_FALSE(map_exists(ctx, s("Books: ???"), exact)) << exact;
    }
    add(s("Books"), s("*"), s("x"));
    add(s("Books"), s("???"), s("x"));
    for (bool exact : {true, false}) {
        EXPECT_TRUE(map_exists(ctx, s("Books: *"), exact)) << exact;
        EXPECT_TRUE(map_exists(ctx, s("Books: ???"), exact)) << exact;
    }
    EXPECT_FALSE(map_exists(ctx, s("Books: **"), true));
}

TEST_F(MapExists, EmptyCategoryAndNamesWithoutColon) {
    add(s("Books"), s("Poetry"), s("x"));
    EXPECT_FALSE(map_exists(ctx, s("Books: "), true));
    add(s("Books"), QString(""), s("loose"));
    EXPECT_TRUE(map_exists(ctx, s("Books: "), true));
    // Without ":" only collection maps exist, whether or not they hold items.
    EXPECT_TRUE(map_exists(ctx, s("Books"), true));
    EXPECT_TRUE(map_exists(ctx, s("Media:"), true));
    EXPECT_FALSE(map_exists(ctx, s("Poetry"), false));
    EXPECT_FALSE(map_exists(ctx, QString(), false));
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
    EXPECT_TRUE(reference_is_valid(ctx, s("Books: Poetry.Canto")));
    EXPECT_TRUE(reference_is_valid(ctx, s("  Books: Poetry.Canto  ")));
    EXPECT_FALSE(reference_is_valid(ctx, s("Books: Poetry.Missing")));
    EXPECT_TRUE(reference_is_valid(ctx, s("Books: L'été.D'Annunzio")));
    EXPECT_TRUE(reference_is_valid(ctx, s("Books: Poetry")));
    // A final "." belongs to the name: this is the map "Vol.", not an item of "Vol".
    EXPECT_TRUE(reference_is_valid(ctx, s("Books: Vol.")));
    EXPECT_FALSE(reference_is_valid(ctx, s("Books: Prose")));
    EXPECT_TRUE(reference_is_valid(ctx, s("Books")));
    EXPECT_TRUE(reference_is_valid(ctx, s("Top map")));
    EXPECT_FALSE(reference_is_valid(ctx, s("Gone")));
    EXPECT_FALSE(reference_is_valid(ctx, QString()));
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

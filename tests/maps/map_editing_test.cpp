// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "maps/map_editing.h"
#include "support/db_fixtures.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString books_poetry = u"Books: Poetry"_s;

// ---------------------------------------------------------------- refusals

// Commands that would change the top map or a collection map refuse with their own message (or
// silently) before asking anything, writing anything or starting a pending operation.
TEST_F(EditFixture, TopAndCollectionMapsRefuseTheCommandsThatWouldChangeThem) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    using Command = std::function<EditOutcome(MapItems&)>;
    const struct {
        const char* command;
        const char* map;
        Command run;
        const char* message; // nullptr: refused without a word
    } cases[] = {
        {"add item", "Top map", [&](MapItems& m) { return add_item(ctx, m, 0); },
         "Top map cannot be changed."},
        {"rename tag", "Top map", [&](MapItems& m) { return rename_tag(ctx, m, 0); },
         "Operation not allowed in top map."},
        {"rename map", "Top map", [&](MapItems& m) { return rename_map(ctx, m); },
         "The top map cannot be renamed."},
        {"rename map", "Books", [&](MapItems& m) { return rename_map(ctx, m); },
         "Collection maps cannot be renamed."},
        {"remove item", "Top map", [&](MapItems& m) { return remove_item(ctx, m, 0); },
         "Top map cannot be changed."},
        {"delete map", "Top map", [&](MapItems& m) { return delete_map(ctx, m); },
         "Operation not allowed for top map."},
        {"delete map", "Books", [&](MapItems& m) { return delete_map(ctx, m); },
         "Operation not allowed for collection maps."},
        {"insert reference", "Top map", [&](MapItems& m) { return start_insert_reference(ctx, m, 1); },
         "Operation not allowed in top map."},
        {"copy items", "Top map", [&](MapItems& m) { return start_copy_items(ctx, m, 1); },
         "Operation not allowed in top map."},
        {"copy items", "Books", [&](MapItems& m) { return start_copy_items(ctx, m, 2); },
         "Operation not allowed in collection map."},
        {"sort", "Top map", [&](MapItems& m) { return sort_by_text(ctx, m, 0); }, nullptr},
        {"drop within", "Top map", [&](MapItems& m) { return drop_within(ctx, m, 0, 3); }, nullptr},
    };
    for (const auto& c : cases) {
        const std::string row = std::string(c.command) + " in " + c.map;
        script.clear();
        MapItems map = load(QString::fromUtf8(c.map));
        const QStringList entries = titles_of(map.items());
        const QStringList before = dump();
        const EditOutcome outcome = c.run(map);
        EXPECT_EQ(shown_texts(), c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList())
            << row;
        EXPECT_FALSE(outcome.any()) << row;
        EXPECT_FALSE(ctx.pending_map_operation.pending()) << row;
        EXPECT_EQ(titles_of(map.items()), entries) << row;
        EXPECT_EQ(dump(), before) << row;
    }
}

// ---------------------------------------------------------------- add item

class AddItem : public EditFixture {};

TEST_F(AddItem, CategoryOfACollectionMapStartsWithAFillerAndIsAppendedAndSelected) {
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    MapItems map = load(u"Books"_s);
    script.answer(" L'été [*]? ");
    const EditOutcome outcome = add_item(ctx, map, 0);

    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].text, u"Category title?"_s);
    EXPECT_EQ(script.shown()[0].title, u"Adding category to collection \"Books\""_s);
    EXPECT_EQ(rows(u"collection='Books' and cat='L''été [*]?' and item_title='-'"_s), 1);
    ASSERT_EQ(map.count(), 2);
    EXPECT_EQ(map.item(1).title, u"L'été [*]?"_s);
    EXPECT_TRUE(outcome.relayout);
    EXPECT_EQ(outcome.select_index, 1);
}

// Titles already present in another case, non-numbers in a numeric collection, cancelled and
// blank answers: nothing is written, and the user is told why where there is something to say.
TEST_F(AddItem, RefusedAnswersWriteNothing) {
    add(u"Books"_s, u"Émile"_s, u"Rousseau"_s);
    add(u"Books"_s, u"Poetry"_s, u"Émile's *"_s);
    add(u"World chrono"_s, u"Years"_s, u"1453"_s);
    const struct {
        const char* map;
        std::optional<QString> answer;
        const char* message; // nullptr: ends without a word
    } cases[] = {
        {"Books", u"émile"_s, "Category already exists."},
        {"Books: Poetry", u"émile's *"_s, "Item already exists."},
        {"World chrono: Years", u"the year '92"_s, "Item title should be numeric"},
        {"Books: Poetry", std::nullopt, nullptr},
        {"Books: Poetry", u"   "_s, nullptr},
    };
    for (const auto& c : cases) {
        MapItems map = load(QString::fromUtf8(c.map));
        const QStringList before = dump();
        script.clear();
        script.answer(c.answer);
        EXPECT_FALSE(add_item(ctx, map, 0).any()) << c.map;
        EXPECT_EQ(dump(), before) << c.map;
        EXPECT_EQ(script.shown().size(), c.message ? 2u : 1u) << c.map;
        if (c.message) {
            EXPECT_EQ(last_shown().text, QString::fromUtf8(c.message));
        }
    }
    // A number in a numeric collection, and a title that exists only in another map, are taken.
    MapItems years = load(u"World chrono: Years"_s);
    script.answer("1492");
    add_item(ctx, years, 0);
    MapItems novels = load(u"Books: Novels"_s);
    script.answer("Émile's *");
    add_item(ctx, novels, 0);
    EXPECT_EQ(rows(u"item_title in ('1492', 'Émile''s *')"_s), 3);
}

TEST_F(AddItem, JournalEntryIsTitledWithTheClocksMomentAndCarriesTheAnswer) {
    tc.clock.set(QDateTime(QDate(2026, 12, 5), QTime(7, 4, 9)));
    const qint64 filler = add_filler(u"Journal"_s, u"Diary"_s);
    MapItems map = load(u"Journal: Diary"_s);
    script.clear(); // the filler is no date: the loader has said the order may be wrong
    script.answer("Met O'Brien at the café");
    const EditOutcome outcome = add_item(ctx, map, 0);

    EXPECT_EQ(script.shown()[0].text, u"Event description?"_s);
    EXPECT_EQ(script.shown()[0].title, u"Entering journal text"_s);
    ASSERT_NE(outcome.select_item, 0);
    EXPECT_EQ(column(outcome.select_item, u"item_title"_s).toString(), u"05/12/26 07:04:09"_s);
    EXPECT_EQ(column(outcome.select_item, u"item_content"_s).toString(), u"Met O'Brien at the café"_s);
    EXPECT_EQ(column(outcome.select_item, u"cat"_s).toString(), u"Diary"_s);
    EXPECT_EQ(rows(u"item_nr="_s + QString::number(filler)), 0) << "the filler gives way";
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(AddItem, ItemIsPlacedJustAfterTheSelectedPanelAndPositionsAreWritten) {
    add(u"Books"_s, u"Poetry"_s, u"Ariosto"_s, {}, 1);
    add(u"Books"_s, u"Poetry"_s, u"Boccaccio"_s, {}, 2);
    add(u"Books"_s, u"Poetry"_s, u"Carducci"_s, {}, 3);
    MapItems map = load(books_poetry);
    script.answer("Dante's [draft]*?");
    const EditOutcome outcome = add_item(ctx, map, 0);

    EXPECT_EQ(script.shown()[0].text, u"Title?"_s);
    EXPECT_EQ(script.shown()[0].title, u"Adding item to map \"Books: Poetry\""_s);
    EXPECT_EQ(seqs(u"Books"_s, u"Poetry"_s),
              (QStringList{u"Ariosto=1"_s, u"Dante's [draft]*?=2"_s, u"Boccaccio=3"_s, u"Carducci=4"_s}));
    EXPECT_EQ(rows(u"cat='~temporary~'"_s), 0);
    EXPECT_TRUE(outcome.reload);

    // Without a selection, or on a grid filler past the entries, the item goes last.
    script.answer("Zanzotto");
    script.answer("Yeats");
    map = load(books_poetry);
    add_item(ctx, map, -1);
    map = load(books_poetry);
    add_item(ctx, map, 7);
    EXPECT_EQ(titles(books_poetry).mid(4), (QStringList{u"Zanzotto"_s, u"Yeats"_s}));
}

TEST_F(AddItem, NewMapLosesItsFillerAndLongTitlesAreKeptWhole) {
    add_filler(u"Books"_s, u"Drafts"_s);
    MapItems map = load(u"Books: Drafts"_s);
    const QString long_title = u"x'"_s.repeated(150);
    script.answer(std::optional<QString>(long_title));
    add_item(ctx, map, 0);
    EXPECT_EQ(titles(u"Books: Drafts"_s), QStringList{long_title});
}

// ---------------------------------------------------------------- rename tag

class RenameTag : public EditFixture {};

// The same title, a reference leading nowhere, the name of another category: nothing is written.
TEST_F(RenameTag, RefusedTitlesWriteNothing) {
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    const struct {
        const char* map;
        const char* tag;
        const char* answer;
        const char* message;
    } cases[] = {
        {"Books: Poetry", "Dante", "Dante", "The new title is equal to the present one."},
        {"Books: Poetry", "Dante", "> Books: Nowhere", "Invalid reference."},
        {"Books", "Poetry", "NOVELS", "A map with this name already exists."},
    };
    for (const auto& c : cases) {
        MapItems map = load(QString::fromUtf8(c.map));
        const QStringList before = dump();
        script.clear();
        prompter.input_defaults.clear();
        script.answer(c.answer);
        rename_tag(ctx, map, index_of(map, QString::fromUtf8(c.tag)));
        EXPECT_EQ(script.shown()[0].text, u"New title?"_s);
        EXPECT_EQ(script.shown()[0].title, u"Change item title"_s);
        EXPECT_EQ(prompter.input_defaults, QStringList{QString::fromUtf8(c.tag)});
        EXPECT_EQ(last_shown().text, QString::fromUtf8(c.message)) << c.answer;
        EXPECT_EQ(dump(), before) << c.answer;
    }
}

// A change of case alone is a rename; a reference is taken when it leads somewhere.
TEST_F(RenameTag, CaseOnlyRenamesAndValidReferencesAreStored) {
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"dante"_s);
    MapItems map = load(books_poetry);
    script.answer("Dante");
    const EditOutcome outcome = rename_tag(ctx, map, 0);
    EXPECT_EQ(column(nr, u"item_title"_s).toString(), u"Dante"_s);
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps);
    EXPECT_EQ(outcome.select_item, nr);

    script.answer("> books: novels");
    rename_tag(ctx, map, 0);
    EXPECT_EQ(column(nr, u"item_title"_s).toString(), u"> books: novels"_s);

    MapItems books = load(u"Books"_s);
    script.answer("POETRY");
    rename_tag(ctx, books, index_of(books, u"Poetry"_s));
    EXPECT_EQ(column(nr, u"cat"_s).toString(), u"POETRY"_s);
}

TEST_F(RenameTag, ItemDeletedMeanwhileShowsTheErrorCode) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Books"_s, u"Poetry"_s, u"Petrarca"_s);
    MapItems map = load(books_poetry);
    db().exec(u"delete from repos where item_nr="_s + QString::number(nr));
    const QStringList before = dump();
    script.answer("Alighieri");
    const EditOutcome outcome = rename_tag(ctx, map, index_of(map, u"Dante"_s));
    EXPECT_EQ(last_shown().text, u"Error 2000 09 12 12 25"_s);
    EXPECT_EQ(dump(), before);
    EXPECT_TRUE(outcome.reload) << "the window shows the map as it now is";
}

TEST_F(RenameTag, CategoryRenameReachesItemsAndCategoryOrder) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Books"_s, u"Poetry"_s, u"Petrarca"_s);
    add(u"Media"_s, u"Poetry"_s, u"Recital"_s);
    db().exec(u"insert into cat_seq (collection, cat, seq) values ('Books', 'Poetry', 4)"_s);
    MapItems map = load(u"Books"_s);
    script.answer("Poésie d'amour [*]");
    const EditOutcome outcome = rename_tag(ctx, map, 0);
    EXPECT_EQ(rows(u"collection='Books' and cat='Poésie d''amour [*]'"_s), 2);
    EXPECT_EQ(rows(u"collection='Media' and cat='Poetry'"_s), 1) << "other collections keep theirs";
    EXPECT_EQ(db().scalar(u"select cat from cat_seq where seq=4"_s).toString(), u"Poésie d'amour [*]"_s);
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

// ---------------------------------------------------------------- rename map

class RenameMap : public EditFixture {};

TEST_F(RenameMap, UnknownCollectionAndExistingMapAreRefused) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    for (const char* answer : {"Bookz: Poetry", "books: NOVELS", "Nowhere", "Books: Poetry", ""}) {
        script.answer(answer);
        EXPECT_FALSE(rename_map(ctx, map).any()) << answer;
    }
    EXPECT_EQ(prompter.input_defaults.front(), books_poetry);
    EXPECT_EQ(script.shown()[0].title, u"Changing map name"_s);
    // The unchanged and the empty answer end without a word.
    EXPECT_EQ(shown_texts(),
              (QStringList{u"New name of map?"_s, u"Collection \"Bookz\" does not exist."_s,
                           u"New name of map?"_s, u"Topic \"books: NOVELS\" already existing"_s,
                           u"New name of map?"_s, u"Collection \"Nowhere\" does not exist."_s,
                           u"New name of map?"_s, u"New name of map?"_s}));
    EXPECT_EQ(dump(), before);
}

TEST_F(RenameMap, MapMovesIntoAnotherCollectionAndReopensThere) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Books"_s, u"Poetry"_s, u"Petrarca"_s);
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    MapItems map = load(books_poetry);
    script.answer("media: L'été [1]*");
    const EditOutcome outcome = rename_map(ctx, map);
    EXPECT_EQ(rows(u"collection='Media' and cat='L''été [1]*'"_s), 2);
    EXPECT_EQ(rows(u"collection='Books'"_s), 1);
    EXPECT_EQ(outcome.renamed_to, u"Media: L'été [1]*"_s);
    EXPECT_EQ(outcome.open_map, outcome.renamed_to);
    EXPECT_TRUE(outcome.close && outcome.refresh_other_maps && outcome.refresh_tables);

    // A change of case alone skips the existence test.
    MapItems moved = load(outcome.renamed_to);
    script.answer("Media: l'été [1]*");
    rename_map(ctx, moved);
    EXPECT_EQ(shown_texts().size(), 2);
    EXPECT_EQ(rows(u"cat='l''été [1]*' collate binary"_s), 2);
}

// ---------------------------------------------------------------- remove and delete

class RemoveItem : public EditFixture {};

// An item, or a category with all its items, goes after a question that preselects No.
TEST_F(RemoveItem, ItemOrCategoryIsRemovedAfterAQuestionThatPreselectsNo) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Dante's \"Vita\""_s);
    add(u"Books"_s, u"Poetry"_s, u"Petrarca"_s);
    add(u"Books"_s, u"Poetry"_s, u"Tasso"_s);
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    MapItems items = load(books_poetry);
    script.answer(true);
    remove_item(ctx, items, index_of(items, u"Dante's \"Vita\""_s));
    EXPECT_EQ(last_shown().text,
              u"Do you really want to remove item \"Dante's \"Vita\"\" from map \"Books: Poetry\"?"_s);
    EXPECT_FALSE(last_shown().default_yes);
    EXPECT_EQ(rows(u"item_nr="_s + QString::number(nr)), 0);
    EXPECT_EQ(rows(u"cat='Poetry'"_s), 2);

    MapItems map = load(u"Books"_s);
    const int poetry = index_of(map, u"Poetry"_s);
    const QStringList before = dump();
    script.answer(false);
    remove_item(ctx, map, poetry);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(last_shown().text,
              QStringLiteral(
                  "Do you really want to remove category \"Poetry\" and all its items from map \"Books\"?"));
    EXPECT_FALSE(last_shown().default_yes);

    script.answer(true);
    const EditOutcome outcome = remove_item(ctx, map, poetry);
    EXPECT_EQ(rows(u"cat='Poetry'"_s), 0);
    EXPECT_EQ(rows(u"cat='Novels'"_s), 1);
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(RemoveItem, FillersAreRefusedWithTheirMessage) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s, {}, 1);
    add_filler(u"Books"_s, u"Poetry"_s);
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    remove_item(ctx, map, index_of(map, u"-"_s));
    remove_item(ctx, map, 5); // a grid filler: a panel past the entries
    const QString filler_message =
        u"The item is a filler and cannot be removed in the present topic layout"_s;
    EXPECT_EQ(shown_texts(), (QStringList{filler_message, filler_message}));
    EXPECT_EQ(dump(), before);
}

class DeleteMap : public EditFixture {};

TEST_F(DeleteMap, AsksWithNoPreselectedAndDeletesOnlyThatMap) {
    add(u"Books"_s, u"L'été *"_s, u"Dante"_s);
    add(u"Books"_s, u"L'été *"_s, u"Petrarca"_s);
    add(u"Books"_s, u"L'été"_s, u"Emma"_s);
    MapItems map = load(u"Books: L'été *"_s);
    const QStringList before = dump();
    script.answer(false);
    EXPECT_FALSE(delete_map(ctx, map).any());
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(last_shown().text, u"Do you really want to delete map \"Books: L'été *\"?"_s);
    EXPECT_EQ(last_shown().title, u"Deleting map"_s);
    EXPECT_FALSE(last_shown().default_yes);

    script.answer(true);
    const EditOutcome outcome = delete_map(ctx, map);
    EXPECT_EQ(rows(u"cat='L''été *'"_s), 0);
    EXPECT_EQ(rows(u"cat='L''été'"_s), 1);
    EXPECT_TRUE(outcome.close && outcome.refresh_other_maps && outcome.refresh_tables);
}

// ---------------------------------------------------------------- columns

class Columns : public EditFixture {};

// Out-of-range answers are refused and asked again. The number is stored, and the empty fillers
// of the map give way; fillers with content stay, and other maps keep theirs.
TEST_F(Columns, OutOfRangeAnswersAreRefusedAndEmptyFillersGiveWay) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add_filler(u"Books"_s, u"Poetry"_s);
    add(u"Books"_s, u"Poetry"_s, u"-"_s, QString());
    add(u"Books"_s, u"Poetry"_s, u"-"_s, u"a note"_s);
    add_filler(u"Books"_s, u"Novels"_s);
    add_filler(u"Books"_s, QString());
    MapItems map = load(books_poetry);
    for (const char* wrong : {"0", "-3", "11", "2.5", "two"})
        script.answer(wrong);
    script.answer(" 4 ");
    const EditOutcome outcome = change_nr_columns(ctx, map, 2);

    QStringList expected;
    for (int i = 0; i < 5; ++i)
        expected << u"New number of columns?"_s << u"Wrong value."_s;
    expected << u"New number of columns?"_s;
    EXPECT_EQ(shown_texts(), expected);
    EXPECT_EQ(script.shown()[0].title, u"Change nr of columns"_s);
    EXPECT_EQ(prompter.input_defaults.front(), u"2"_s);
    EXPECT_EQ(get_map_param(db(), books_poetry, u"#nr_columns"_s), u"4"_s);
    EXPECT_EQ(outcome.nr_columns, 4);
    EXPECT_TRUE(outcome.reload);
    EXPECT_EQ(rows(u"cat='Poetry' and item_title='-'"_s), 1);
    EXPECT_EQ(rows(u"cat='Novels' and item_title='-'"_s), 1) << "other maps keep their fillers";

    // Cancel changes nothing.
    script.answer(std::optional<QString>());
    EXPECT_FALSE(change_nr_columns(ctx, map, 4).any());
    EXPECT_EQ(get_map_param(db(), books_poetry, u"#nr_columns"_s), u"4"_s);
    // A collection map stores the number and leaves items alone.
    MapItems books = load(u"Books"_s);
    set_nr_columns(ctx, books, 6);
    EXPECT_EQ(rows(u"item_title='-'"_s), 3);
    EXPECT_EQ(get_map_param(db(), u"Books"_s, u"#nr_columns"_s), u"6"_s);
}

// ---------------------------------------------------------------- items from a content

TEST(ContentPieces, CutsAtLineEndsAndCommasAndDropsListMarks) {
    EXPECT_EQ(
        content_pieces(u"- apples, pears\r\n-- l'orange\n\n  kiwi  ,\r-x,--y,---  z, "_s),
        (QStringList{u"apples"_s, u"pears"_s, u"l'orange"_s, u"kiwi"_s, u"-x"_s, u"--y"_s, u"---  z"_s}));
    EXPECT_TRUE(content_pieces(u" ,\r\n, "_s).isEmpty());
}

class ItemsFromContent : public EditFixture {};

TEST_F(ItemsFromContent, EachPieceBecomesAnItemOfTheNamedMapInContentOrder) {
    add(u"Books"_s, u"Poetry"_s, u"Shopping"_s, u"- zucchini, apples\r\n-- l'orange [bio]\n* ?\nApples"_s);
    MapItems map = load(books_poetry);
    script.answer("Fruit d'été");
    const EditOutcome outcome = create_items_from_content(ctx, map, 0, u"media"_s);
    EXPECT_EQ(last_shown().text, u"Name of category in collection \"Media\"?"_s);
    EXPECT_EQ(titles(u"Media: Fruit d'été"_s),
              (QStringList{u"zucchini"_s, u"apples"_s, u"l'orange [bio]"_s, u"* ?"_s}))
        << "a title repeated in another case is made once";
    EXPECT_EQ(outcome.open_map, u"Media: Fruit d'été"_s);
    EXPECT_TRUE(outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(ItemsFromContent, ExistingMapKeepsItsItemsAndLosesItsFiller) {
    add(u"Books"_s, u"Poetry"_s, u"List"_s, u"Dante, Tasso"_s);
    add(u"Media"_s, u"Names"_s, u"dante"_s, {}, 1);
    add_filler(u"Media"_s, u"Names"_s);
    MapItems map = load(books_poetry);
    script.answer("Names");
    create_items_from_content(ctx, map, 0, u"Media"_s);
    EXPECT_EQ(titles(u"Media: Names"_s), (QStringList{u"dante"_s, u"Tasso"_s}));
    // An empty category answer writes nothing.
    const QStringList before = dump();
    script.answer("");
    EXPECT_FALSE(create_items_from_content(ctx, map, 0, u"Media"_s).any());
    EXPECT_EQ(dump(), before);
}

// ---------------------------------------------------------------- category names

class CategoryName : public EditFixture {};

// A category "Vol. 2" would be opened by name as the map "Vol" with the item " 2": every command
// that names a new category refuses it, says why, and writes nothing.
TEST_F(CategoryName, ADotFollowedByMoreTextIsRefusedWhereverACategoryIsNamed) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s, u"Vol. 2, Vol. 3"_s);
    const QString refused = u"The category name \"Vol. 2\" cannot be used: a \".\" followed by more text "
                            u"would be read as the title of an item of the map."_s;
    struct Case {
        const char* command;
        std::function<EditOutcome(MapItems&)> run;
        QString map;
    };
    const Case cases[] = {
        {"add category", [&](MapItems& map) { return add_item(ctx, map, 0); }, u"Books"_s},
        {"rename category", [&](MapItems& map) { return rename_tag(ctx, map, 0); }, u"Books"_s},
        {"rename map", [&](MapItems& map) { return rename_map(ctx, map); }, books_poetry},
        {"items from content",
         [&](MapItems& map) { return create_items_from_content(ctx, map, 0, u"Books"_s); }, books_poetry},
    };
    for (const Case& c : cases) {
        MapItems map = load(c.map);
        const QStringList before = dump();
        script.answer(c.command == std::string("rename map") ? "Books: Vol. 2" : "Vol. 2");
        EXPECT_FALSE(c.run(map).any()) << c.command;
        EXPECT_EQ(last_shown().text, refused) << c.command;
        EXPECT_EQ(dump(), before) << c.command;
    }
    // A final "." or a doubled one keeps the name whole, so such names stay allowed.
    MapItems books = load(u"Books"_s);
    script.answer("Vol.");
    script.answer("Vol..2");
    EXPECT_TRUE(add_item(ctx, books, 0).any());
    EXPECT_TRUE(add_item(ctx, books, 0).any());
    EXPECT_EQ(rows(u"cat in ('Vol.', 'Vol..2')"_s), 2);
}

} // namespace

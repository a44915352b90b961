// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "map_editing_fixture.h"
#include "maps/map_editing.h"

namespace {

const QString books_poetry = QStringLiteral("Books: Poetry");

// ---------------------------------------------------------------- add item

class AddItem : public EditFixture {};

TEST_F(AddItem, TopMapIsRefusedWithoutAQuestion) {
    MapItems map = load(QStringLiteral("Top map"));
    const QStringList before = dump();
    const EditOutcome outcome = add_item(ctx, map, 0);
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Top map cannot be changed.")});
    EXPECT_FALSE(outcome.any());
    EXPECT_EQ(dump(), before);
}

TEST_F(AddItem, CategoryOfACollectionMapStartsWithAFillerAndIsAppendedAndSelected) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    MapItems map = load(QStringLiteral("Books"));
    script.answer(" L'été [*]? ");
    const EditOutcome outcome = add_item(ctx, map, 0);

    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("Category title?"));
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("Adding category to collection \"Books\""));
    EXPECT_EQ(rows(QStringLiteral("collection='Books' and cat='L''été [*]?' and item_title='-'")), 1);
    ASSERT_EQ(map.count(), 2);
    EXPECT_EQ(map.item(1).title, QStringLiteral("L'été [*]?"));
    EXPECT_TRUE(outcome.relayout);
    EXPECT_EQ(outcome.select_index, 1);
}

TEST_F(AddItem, ExistingCategoryInAnotherCaseIsRefused) {
    add(QStringLiteral("Books"), QStringLiteral("Émile"), QStringLiteral("Rousseau"));
    MapItems map = load(QStringLiteral("Books"));
    const QStringList before = dump();
    script.answer("émile");
    const EditOutcome outcome = add_item(ctx, map, 0);
    EXPECT_EQ(last_shown().text, QStringLiteral("Category already exists."));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(map.count(), 1);
    EXPECT_FALSE(outcome.any());
}

TEST_F(AddItem, CancelledOrBlankAnswersWriteNothing) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer(std::optional<QString>());
    script.answer("   ");
    EXPECT_FALSE(add_item(ctx, map, 0).any());
    EXPECT_FALSE(add_item(ctx, map, 0).any());
    EXPECT_EQ(dump(), before);
}

TEST_F(AddItem, JournalEntryIsTitledWithTheClocksMomentAndCarriesTheAnswer) {
    tc.clock.set(QDateTime(QDate(2026, 12, 5), QTime(7, 4, 9)));
    const qint64 filler = add_filler(QStringLiteral("Journal"), QStringLiteral("Diary"));
    MapItems map = load(QStringLiteral("Journal: Diary"));
    script.clear(); // the filler is no date: the loader has said the order may be wrong
    script.answer("Met O'Brien at the café");
    const EditOutcome outcome = add_item(ctx, map, 0);

    EXPECT_EQ(script.shown()[0].text, QStringLiteral("Event description?"));
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("Entering journal text"));
    ASSERT_NE(outcome.select_item, 0);
    EXPECT_EQ(column(outcome.select_item, QStringLiteral("item_title")).toString(),
              QStringLiteral("05/12/26 07:04:09"));
    EXPECT_EQ(column(outcome.select_item, QStringLiteral("item_content")).toString(),
              QStringLiteral("Met O'Brien at the café"));
    EXPECT_EQ(column(outcome.select_item, QStringLiteral("cat")).toString(), QStringLiteral("Diary"));
    EXPECT_EQ(rows(QStringLiteral("item_nr=") + QString::number(filler)), 0) << "the filler gives way";
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(AddItem, ItemIsPlacedJustAfterTheSelectedPanelAndPositionsAreWritten) {
    const qint64 a = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"), {}, 1);
    const qint64 b =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Boccaccio"), {}, 2);
    const qint64 c =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Carducci"), {}, 3);
    MapItems map = load(books_poetry);
    script.answer("Dante's [draft]*?");
    const EditOutcome outcome = add_item(ctx, map, 0);

    EXPECT_EQ(script.shown()[0].text, QStringLiteral("Title?"));
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("Adding item to map \"Books: Poetry\""));
    EXPECT_EQ(titles(books_poetry),
              (QStringList{QStringLiteral("Ariosto"), QStringLiteral("Dante's [draft]*?"),
                           QStringLiteral("Boccaccio"), QStringLiteral("Carducci")}));
    EXPECT_EQ(column(a, QStringLiteral("seq")).toDouble(), 1);
    EXPECT_EQ(column(outcome.select_item, QStringLiteral("seq")).toDouble(), 2);
    EXPECT_EQ(column(b, QStringLiteral("seq")).toDouble(), 3);
    EXPECT_EQ(column(c, QStringLiteral("seq")).toDouble(), 4);
    EXPECT_EQ(rows(QStringLiteral("cat='~temporary~'")), 0);
    EXPECT_TRUE(outcome.reload);
}

TEST_F(AddItem, WithoutSelectionOrOnAGridFillerTheItemGoesLast) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"), {}, 1);
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Boccaccio"), {}, 2);
    MapItems map = load(books_poetry);
    script.answer("Zanzotto");
    script.answer("Yeats");
    add_item(ctx, map, -1);
    map = load(books_poetry);
    add_item(ctx, map, 7); // a grid filler past the entries
    EXPECT_EQ(titles(books_poetry), (QStringList{QStringLiteral("Ariosto"), QStringLiteral("Boccaccio"),
                                                 QStringLiteral("Zanzotto"), QStringLiteral("Yeats")}));
}

TEST_F(AddItem, ExistingTitleInAnotherCaseIsRefusedAndNothingIsWritten) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Émile's *"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer("émile's *");
    add_item(ctx, map, 0);
    EXPECT_EQ(last_shown().text, QStringLiteral("Item already exists."));
    EXPECT_EQ(dump(), before);
}

TEST_F(AddItem, SameTitleInAnotherMapIsNoObstacle) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"));
    MapItems map = load(books_poetry);
    script.answer("Dante");
    add_item(ctx, map, 0);
    EXPECT_EQ(rows(QStringLiteral("item_title='Dante'")), 2);
}

TEST_F(AddItem, NumericCollectionsRefuseTitlesThatAreNoNumbers) {
    add(QStringLiteral("World chrono"), QStringLiteral("Years"), QStringLiteral("1453"));
    MapItems map = load(QStringLiteral("World chrono: Years"));
    const QStringList before = dump();
    script.answer("the year '92");
    add_item(ctx, map, 0);
    EXPECT_EQ(last_shown().text, QStringLiteral("Item title should be numeric"));
    EXPECT_EQ(dump(), before);

    script.answer("1492");
    add_item(ctx, map, 0);
    EXPECT_EQ(rows(QStringLiteral("collection='World chrono' and cat='Years' and item_title='1492'")), 1);
}

TEST_F(AddItem, NewMapLosesItsFillerAndLongTitlesAreKeptWhole) {
    add_filler(QStringLiteral("Books"), QStringLiteral("Drafts"));
    MapItems map = load(QStringLiteral("Books: Drafts"));
    const QString long_title = QStringLiteral("x'").repeated(150);
    script.answer(std::optional<QString>(long_title));
    add_item(ctx, map, 0);
    EXPECT_EQ(titles(QStringLiteral("Books: Drafts")), QStringList{long_title});
}

TEST_F(AddItem, ItemDeletedMeanwhileByAnotherWindowIsReportedAndTheRestPlaced) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"), {}, 1);
    const qint64 gone =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Boccaccio"), {}, 2);
    const qint64 c =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Carducci"), {}, 3);
    MapItems map = load(books_poetry);
    db().exec(QStringLiteral("delete from repos where item_nr=") + QString::number(gone));
    script.answer("Dante");
    add_item(ctx, map, 0);
    EXPECT_EQ(shown_texts().last(), QStringLiteral("Error 2000 09 12 1415"));
    EXPECT_EQ(titles(books_poetry),
              (QStringList{QStringLiteral("Ariosto"), QStringLiteral("Dante"), QStringLiteral("Carducci")}));
    EXPECT_EQ(column(c, QStringLiteral("seq")).toDouble(), 4);
}

// ---------------------------------------------------------------- rename tag

class RenameTag : public EditFixture {};

TEST_F(RenameTag, TopMapIsRefused) {
    MapItems map = load(QStringLiteral("Top map"));
    rename_tag(ctx, map, 0);
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Operation not allowed in top map.")});
}

TEST_F(RenameTag, ProposesTheTitleAndRefusesTheSameTitle) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer("Dante");
    rename_tag(ctx, map, 0);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("New title?"));
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("Change item title"));
    EXPECT_EQ(prompter.proposals, QStringList{QStringLiteral("Dante")});
    EXPECT_EQ(last_shown().text, QStringLiteral("The new title is equal to the present one."));
    EXPECT_EQ(dump(), before);
}

TEST_F(RenameTag, CaseOnlyRenameIsStored) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("dante"));
    MapItems map = load(books_poetry);
    script.answer("Dante");
    const EditOutcome outcome = rename_tag(ctx, map, 0);
    EXPECT_EQ(column(nr, QStringLiteral("item_title")).toString(), QStringLiteral("Dante"));
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps);
    EXPECT_EQ(outcome.select_item, nr);
}

TEST_F(RenameTag, ReferenceTitlesMustLeadSomewhere) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer("> Books: Nowhere");
    rename_tag(ctx, map, 0);
    EXPECT_EQ(last_shown().text, QStringLiteral("Invalid reference."));
    EXPECT_EQ(dump(), before);

    script.answer("> books: novels");
    rename_tag(ctx, map, 0);
    EXPECT_EQ(column(nr, QStringLiteral("item_title")).toString(), QStringLiteral("> books: novels"));
}

TEST_F(RenameTag, ItemDeletedMeanwhileShowsTheErrorCode) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Petrarca"));
    MapItems map = load(books_poetry);
    db().exec(QStringLiteral("delete from repos where item_nr=") + QString::number(nr));
    const QStringList before = dump();
    script.answer("Alighieri");
    const EditOutcome outcome = rename_tag(ctx, map, index_of(map, QStringLiteral("Dante")));
    EXPECT_EQ(last_shown().text, QStringLiteral("Error 2000 09 12 12 25"));
    EXPECT_EQ(dump(), before);
    EXPECT_TRUE(outcome.reload) << "the window shows the map as it now is";
}

TEST_F(RenameTag, CategoryRenameReachesItemsAndCategoryOrder) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Petrarca"));
    add(QStringLiteral("Media"), QStringLiteral("Poetry"), QStringLiteral("Recital"));
    db().exec(QStringLiteral("insert into cat_seq (collection, cat, seq) values ('Books', 'Poetry', 4)"));
    MapItems map = load(QStringLiteral("Books"));
    script.answer("Poésie d'amour [*]");
    const EditOutcome outcome = rename_tag(ctx, map, 0);
    EXPECT_EQ(rows(QStringLiteral("collection='Books' and cat='Poésie d''amour [*]'")), 2);
    EXPECT_EQ(rows(QStringLiteral("collection='Media' and cat='Poetry'")), 1)
        << "other collections keep theirs";
    EXPECT_EQ(db().scalar(QStringLiteral("select cat from cat_seq where seq=4")).toString(),
              QStringLiteral("Poésie d'amour [*]"));
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(RenameTag, CategoryCannotTakeTheNameOfAnotherButMayChangeItsCase) {
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(QStringLiteral("Books"));
    const int poetry = index_of(map, QStringLiteral("Poetry"));
    const QStringList before = dump();
    script.answer("NOVELS");
    rename_tag(ctx, map, poetry);
    EXPECT_EQ(last_shown().text, QStringLiteral("A map with this name already exists."));
    EXPECT_EQ(dump(), before);

    script.answer("POETRY");
    rename_tag(ctx, map, poetry);
    EXPECT_EQ(db().scalar(QStringLiteral("select cat from repos where item_title='Dante'")).toString(),
              QStringLiteral("POETRY"));
}

// ---------------------------------------------------------------- rename map

class RenameMap : public EditFixture {};

TEST_F(RenameMap, TopAndCollectionMapsAreRefused) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems top = load(QStringLiteral("Top map"));
    MapItems books = load(QStringLiteral("Books"));
    rename_map(ctx, top);
    rename_map(ctx, books);
    EXPECT_EQ(shown_texts(), (QStringList{QStringLiteral("The top map cannot be renamed."),
                                          QStringLiteral("Collection maps cannot be renamed.")}));
}

TEST_F(RenameMap, UnknownCollectionAndExistingMapAreRefused) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer("Bookz: Poetry");
    script.answer("books: NOVELS");
    script.answer("Nowhere");
    rename_map(ctx, map);
    rename_map(ctx, map);
    rename_map(ctx, map);
    EXPECT_EQ(prompter.proposals.front(), books_poetry);
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("New name of map?"));
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("Changing map name"));
    EXPECT_EQ(script.shown()[1].text, QStringLiteral("Collection \"Bookz\" does not exist."));
    EXPECT_EQ(script.shown()[3].text, QStringLiteral("Topic \"books: NOVELS\" already existing"));
    EXPECT_EQ(script.shown()[5].text, QStringLiteral("Collection \"Nowhere\" does not exist."));
    EXPECT_EQ(dump(), before);
}

TEST_F(RenameMap, UnchangedOrEmptyAnswerEndsQuietly) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer("Books: Poetry");
    script.answer("");
    EXPECT_FALSE(rename_map(ctx, map).any());
    EXPECT_FALSE(rename_map(ctx, map).any());
    EXPECT_EQ(script.shown().size(), 2u);
    EXPECT_EQ(dump(), before);
}

TEST_F(RenameMap, MapMovesIntoAnotherCollectionAndReopensThere) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Petrarca"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    MapItems map = load(books_poetry);
    script.answer("media: L'été [1]*");
    const EditOutcome outcome = rename_map(ctx, map);
    EXPECT_EQ(rows(QStringLiteral("collection='Media' and cat='L''été [1]*'")), 2);
    EXPECT_EQ(rows(QStringLiteral("collection='Books'")), 1);
    EXPECT_EQ(outcome.renamed_to, QStringLiteral("Media: L'été [1]*"));
    EXPECT_EQ(outcome.open_map, outcome.renamed_to);
    EXPECT_TRUE(outcome.close && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(RenameMap, CaseOnlyRenameSkipsTheExistenceTest) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(books_poetry);
    script.answer("Books: POETRY");
    rename_map(ctx, map);
    EXPECT_EQ(shown_texts().size(), 1);
    EXPECT_EQ(rows(QStringLiteral("cat='POETRY' and cat<>'Poetry' collate binary")), 1);
}

// ---------------------------------------------------------------- remove and delete

class RemoveItem : public EditFixture {};

TEST_F(RemoveItem, CategoryIsRemovedWithItsItemsAfterAQuestionThatPreselectsNo) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Petrarca"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    MapItems map = load(QStringLiteral("Books"));
    const int poetry = index_of(map, QStringLiteral("Poetry"));
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
    EXPECT_EQ(rows(QStringLiteral("cat='Poetry'")), 0);
    EXPECT_EQ(rows(QStringLiteral("cat='Novels'")), 1);
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(RemoveItem, ItemIsDeletedAfterAQuestionThatPreselectsNo) {
    const qint64 nr =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante's \"Vita\""));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Petrarca"));
    MapItems map = load(books_poetry);
    script.answer(true);
    remove_item(ctx, map, index_of(map, QStringLiteral("Dante's \"Vita\"")));
    EXPECT_EQ(
        last_shown().text,
        QStringLiteral("Do you really want to remove item \"Dante's \"Vita\"\" from map \"Books: Poetry\"?"));
    EXPECT_FALSE(last_shown().default_yes);
    EXPECT_EQ(rows(QStringLiteral("item_nr=") + QString::number(nr)), 0);
    EXPECT_EQ(rows(QStringLiteral("item_title='Petrarca'")), 1);
}

TEST_F(RemoveItem, FillersAreRefusedWithTheirMessage) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"), {}, 1);
    add_filler(QStringLiteral("Books"), QStringLiteral("Poetry"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    remove_item(ctx, map, index_of(map, QStringLiteral("-")));
    remove_item(ctx, map, 5); // a grid filler: a panel past the entries
    const QString filler_message =
        QStringLiteral("The item is a filler and cannot be removed in the present topic layout");
    EXPECT_EQ(shown_texts(), (QStringList{filler_message, filler_message}));
    EXPECT_EQ(dump(), before);
}

TEST_F(RemoveItem, TopMapIsRefused) {
    MapItems map = load(QStringLiteral("Top map"));
    remove_item(ctx, map, 0);
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Top map cannot be changed.")});
}

class DeleteMap : public EditFixture {};

TEST_F(DeleteMap, TopAndCollectionMapsAreRefused) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems top = load(QStringLiteral("Top map"));
    MapItems books = load(QStringLiteral("Books"));
    delete_map(ctx, top);
    delete_map(ctx, books);
    EXPECT_EQ(shown_texts(), (QStringList{QStringLiteral("Operation not allowed for top map."),
                                          QStringLiteral("Operation not allowed for collection maps.")}));
}

TEST_F(DeleteMap, AsksWithNoPreselectedAndDeletesOnlyThatMap) {
    add(QStringLiteral("Books"), QStringLiteral("L'été *"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("L'été *"), QStringLiteral("Petrarca"));
    add(QStringLiteral("Books"), QStringLiteral("L'été"), QStringLiteral("Emma"));
    MapItems map = load(QStringLiteral("Books: L'été *"));
    const QStringList before = dump();
    script.answer(false);
    EXPECT_FALSE(delete_map(ctx, map).any());
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(last_shown().text, QStringLiteral("Do you really want to delete map \"Books: L'été *\"?"));
    EXPECT_EQ(last_shown().title, QStringLiteral("Deleting map"));
    EXPECT_FALSE(last_shown().default_yes);

    script.answer(true);
    const EditOutcome outcome = delete_map(ctx, map);
    EXPECT_EQ(rows(QStringLiteral("cat='L''été *'")), 0);
    EXPECT_EQ(rows(QStringLiteral("cat='L''été'")), 1);
    EXPECT_TRUE(outcome.close && outcome.refresh_other_maps && outcome.refresh_tables);
}

// ---------------------------------------------------------------- columns

class Columns : public EditFixture {};

TEST_F(Columns, OutOfRangeAnswersAreRefusedAndAskedAgain) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(books_poetry);
    for (const char* wrong : {"0", "-3", "11", "2.5", "two"})
        script.answer(wrong);
    script.answer(" 4 ");
    const EditOutcome outcome = change_nr_columns(ctx, map, 2);

    QStringList expected;
    for (int i = 0; i < 5; ++i)
        expected << QStringLiteral("New number of columns?") << QStringLiteral("Wrong value.");
    expected << QStringLiteral("New number of columns?");
    EXPECT_EQ(shown_texts(), expected);
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("Change nr of columns"));
    EXPECT_EQ(prompter.proposals.front(), QStringLiteral("2"));
    EXPECT_EQ(get_map_param(db(), books_poetry, QStringLiteral("#nr_columns")), QStringLiteral("4"));
    EXPECT_EQ(outcome.nr_columns, 4);
    EXPECT_TRUE(outcome.reload);
    EXPECT_EQ(nr_columns_caption(outcome.nr_columns), QStringLiteral("Number of columns (now 4)"));
}

TEST_F(Columns, CancelChangesNothing) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer(std::optional<QString>());
    EXPECT_FALSE(change_nr_columns(ctx, map, 1).any());
    EXPECT_EQ(dump(), before);
}

TEST_F(Columns, EmptyFillersGiveWayButFillersWithContentStay) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add_filler(QStringLiteral("Books"), QStringLiteral("Poetry"));
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("-"), QString());
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("-"), QStringLiteral("a note"));
    add_filler(QStringLiteral("Books"), QStringLiteral("Novels"));
    MapItems map = load(books_poetry);
    set_nr_columns(ctx, map, 3);
    EXPECT_EQ(rows(QStringLiteral("cat='Poetry' and item_title='-'")), 1);
    EXPECT_EQ(rows(QStringLiteral("cat='Novels' and item_title='-'")), 1) << "other maps keep their fillers";
    EXPECT_EQ(get_map_param(db(), books_poetry, QStringLiteral("#nr_columns")), QStringLiteral("3"));
}

TEST_F(Columns, CollectionMapStoresTheNumberAndLeavesItemsAlone) {
    add_filler(QStringLiteral("Books"), QString());
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems map = load(QStringLiteral("Books"));
    set_nr_columns(ctx, map, 6);
    EXPECT_EQ(rows(QStringLiteral("item_title='-'")), 1);
    EXPECT_EQ(get_map_param(db(), QStringLiteral("Books"), QStringLiteral("#nr_columns")),
              QStringLiteral("6"));
}

TEST_F(EditFixture, CreateMapFromItemIsToBeRevised) {
    create_map_from_item(ctx);
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Function to be revised")});
}

// ---------------------------------------------------------------- items from a content

TEST(ContentPieces, CutsAtLineEndsAndCommasAndDropsListMarks) {
    EXPECT_EQ(content_pieces(QStringLiteral("- apples, pears\r\n-- l'orange\n\n  kiwi  ,\r-x,--y,---  z, ")),
              (QStringList{QStringLiteral("apples"), QStringLiteral("pears"), QStringLiteral("l'orange"),
                           QStringLiteral("kiwi"), QStringLiteral("-x"), QStringLiteral("--y"),
                           QStringLiteral("---  z")}));
    EXPECT_TRUE(content_pieces(QStringLiteral(" ,\r\n, ")).isEmpty());
}

class ItemsFromContent : public EditFixture {};

TEST_F(ItemsFromContent, EachPieceBecomesAnItemOfTheNamedMapInContentOrder) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Shopping"),
        QStringLiteral("- zucchini, apples\r\n-- l'orange [bio]\n* ?\nApples"));
    MapItems map = load(books_poetry);
    script.answer("Fruit d'été");
    const EditOutcome outcome = create_items_from_content(ctx, map, 0, QStringLiteral("media"));
    EXPECT_EQ(last_shown().text, QStringLiteral("Name of category in collection \"Media\"?"));
    EXPECT_EQ(titles(QStringLiteral("Media: Fruit d'été")),
              (QStringList{QStringLiteral("zucchini"), QStringLiteral("apples"),
                           QStringLiteral("l'orange [bio]"), QStringLiteral("* ?")}))
        << "a title repeated in another case is made once";
    EXPECT_EQ(outcome.open_map, QStringLiteral("Media: Fruit d'été"));
    EXPECT_TRUE(outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(ItemsFromContent, ExistingMapKeepsItsItemsAndLosesItsFiller) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("List"),
        QStringLiteral("Dante, Tasso"));
    add(QStringLiteral("Media"), QStringLiteral("Names"), QStringLiteral("dante"), {}, 1);
    add_filler(QStringLiteral("Media"), QStringLiteral("Names"));
    MapItems map = load(books_poetry);
    script.answer("Names");
    create_items_from_content(ctx, map, 0, QStringLiteral("Media"));
    EXPECT_EQ(titles(QStringLiteral("Media: Names")),
              (QStringList{QStringLiteral("dante"), QStringLiteral("Tasso")}));
}

TEST_F(ItemsFromContent, EmptyCategoryAnswerWritesNothing) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("List"), QStringLiteral("a, b"));
    MapItems map = load(books_poetry);
    const QStringList before = dump();
    script.answer("");
    EXPECT_FALSE(create_items_from_content(ctx, map, 0, QStringLiteral("Media")).any());
    EXPECT_EQ(dump(), before);
}

} // namespace

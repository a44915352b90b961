// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_editing_fixture.h"
#include "maps/map_editing.h"

namespace {

using Kind = PendingMapOperation::Kind;

const QString books_poetry = QStringLiteral("Books: Poetry");
const QString reference_box = QStringLiteral(
    "To insert reference to another tag map, press OK and click on the top bar of the tag map to be "
    "referred to.\nTo insert reference to a given item of a tag map, press OK and click on the item "
    "to be referred to.");

// ---------------------------------------------------------------- insert reference

class InsertReference : public EditFixture {
protected:
    // Window 3 shows Books: Poetry and has asked for a reference.
    void pending_from_poetry() {
        MapItems poetry = load(books_poetry);
        script.answer(true);
        start_insert_reference(ctx, poetry, 3);
        script.clear();
    }
};

TEST_F(InsertReference, TopMapIsRefused) {
    MapItems top = load(QStringLiteral("Top map"));
    start_insert_reference(ctx, top, 1);
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Operation not allowed in top map.")});
    EXPECT_FALSE(ctx.pending_map_operation.pending());
}

TEST_F(InsertReference, OkRecordsThePendingReferenceAndCancelDoesNot) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems poetry = load(books_poetry);
    script.answer(false);
    start_insert_reference(ctx, poetry, 3);
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].kind, QStringLiteral("ok_cancel"));
    EXPECT_EQ(script.shown()[0].text, reference_box);
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("Inserting reference to another map"));

    script.answer(true);
    start_insert_reference(ctx, poetry, 3);
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::InsertReference);
    EXPECT_EQ(ctx.pending_map_operation.requester, 3);
}

TEST_F(InsertReference, ActivatingTheRequesterItselfKeepsItPending) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    pending_from_poetry();
    const QStringList before = dump();
    EXPECT_FALSE(complete_insert_reference(ctx, books_poetry, 3, books_poetry).any());
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::InsertReference);
    EXPECT_EQ(dump(), before);
}

TEST_F(InsertReference, ReferenceToTheActivatedMapJoinsTheRequesterWhoseFillerGivesWay) {
    add_filler(QStringLiteral("Books"), QStringLiteral("Poetry"));
    add(QStringLiteral("Media"), QStringLiteral("L'été [*]"), QStringLiteral("Film"));
    pending_from_poetry();
    const EditOutcome outcome =
        complete_insert_reference(ctx, books_poetry, 8, QStringLiteral("Media: L'été [*]"));
    EXPECT_EQ(titles(books_poetry), QStringList{QStringLiteral("> Media: L'été [*]")});
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_EQ(outcome.refresh_window, 3);
    EXPECT_EQ(outcome.activate_window, 3);
    EXPECT_FALSE(outcome.reload) << "the activated window did not change";
    EXPECT_TRUE(shown_texts().isEmpty());
}

TEST_F(InsertReference, ExistingReferenceInAnotherCaseIsRefused) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("> media: films"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    pending_from_poetry();
    const QStringList before = dump();
    complete_insert_reference(ctx, books_poetry, 8, QStringLiteral("Media: Films"));
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Reference already present.")});
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(ctx.pending_map_operation.pending());
}

TEST_F(InsertReference, TopMapAndClickedPanelsGiveTheirAddresses) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    const MapIdentity films = identify_map(ctx.collections, QStringLiteral("Media: Films"));
    const MapIdentity media = identify_map(ctx.collections, QStringLiteral("Media"));
    const MapIdentity top = identify_map(ctx.collections, QStringLiteral("Top map"));
    EXPECT_EQ(panel_address(films, QStringLiteral("Amarcord")), QStringLiteral("Media: Films.Amarcord"));
    EXPECT_EQ(panel_address(media, QStringLiteral("Films")), QStringLiteral("Media: Films"));
    EXPECT_EQ(panel_address(top, QStringLiteral("Media")), QStringLiteral("Media"));

    pending_from_poetry();
    complete_insert_reference(ctx, books_poetry, 1, QStringLiteral("TOP MAP"));
    pending_from_poetry();
    complete_insert_reference(ctx, books_poetry, 9, panel_address(films, QStringLiteral("Amarcord")));
    EXPECT_EQ(rows(QStringLiteral("cat='Poetry' and item_title='> Top map' collate binary")), 1);
    EXPECT_EQ(rows(QStringLiteral("cat='Poetry' and item_title='> Media: Films.Amarcord'")), 1);
}

TEST_F(InsertReference, CollectionRequesterGetsACategoryHoldingTheReference) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    MapItems books = load(QStringLiteral("Books"));
    script.answer(true);
    start_insert_reference(ctx, books, 4);
    complete_insert_reference(ctx, QStringLiteral("Books"), 8, QStringLiteral("Media: Films"));
    EXPECT_EQ(
        rows(QStringLiteral("collection='Books' and cat='> Media: Films' and item_title='> Media: Films'")),
        1);
    EXPECT_TRUE(titles(QStringLiteral("Books")).contains(QStringLiteral("> Media: Films")));

    script.answer(true);
    start_insert_reference(ctx, books, 4);
    script.clear();
    complete_insert_reference(ctx, QStringLiteral("Books"), 8, QStringLiteral("media: films"));
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Reference already present.")});
}

TEST_F(InsertReference, ClosedRequesterCompletesAsNothing) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    pending_from_poetry();
    const QStringList before = dump();
    EXPECT_FALSE(complete_insert_reference(ctx, std::nullopt, 8, QStringLiteral("Media: Films")).any());
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(ctx.pending_map_operation.pending());
}

TEST_F(InsertReference, PendingCopyIsNotCompletedAsAReference) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    ctx.pending_map_operation = {Kind::CopyItems, 3};
    const QStringList before = dump();
    EXPECT_FALSE(complete_insert_reference(ctx, books_poetry, 8, QStringLiteral("Top map")).any());
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::CopyItems);
}

// ---------------------------------------------------------------- copy items

class CopyItems : public EditFixture {};

TEST_F(CopyItems, TopAndCollectionMapsAreRefused) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems top = load(QStringLiteral("Top map"));
    MapItems books = load(QStringLiteral("Books"));
    start_copy_items(ctx, top, 1);
    start_copy_items(ctx, books, 2);
    EXPECT_EQ(shown_texts(), (QStringList{QStringLiteral("Operation not allowed in top map."),
                                          QStringLiteral("Operation not allowed in collection map.")}));
    EXPECT_FALSE(ctx.pending_map_operation.pending());
}

TEST_F(CopyItems, MissingTitlesAreCopiedWithAllTheirFields) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("dante"), {}, 1);
    add_filler(QStringLiteral("Books"), QStringLiteral("Poetry"));
    Row row;
    row.collection = QStringLiteral("Media");
    row.cat = QStringLiteral("Films");
    row.title = QStringLiteral("L'été [*]?");
    row.content = QStringLiteral("LINK=c:\\films\\été.avi");
    row.seq = 4;
    row.expiry = QDateTime(QDate(2026, 7, 14), QTime(21, 0));
    row.remind = QDateTime(QDate(2026, 7, 13), QTime(9, 0));
    row.notified = QDateTime(QDate(2026, 7, 13), QTime(9, 5));
    row.mark = QStringLiteral("*");
    row.id = 42;
    const qint64 source = add(row);
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Dante"),
        QStringLiteral("not copied"), 1);
    add_filler(QStringLiteral("Media"), QStringLiteral("Films"));

    MapItems poetry = load(books_poetry);
    script.answer(true);
    start_copy_items(ctx, poetry, 3);
    EXPECT_EQ(last_shown().text,
              QStringLiteral("To copy items from another tag map, press OK and click on the top "
                             "bar of the tag map you want to copy the items from."));
    EXPECT_EQ(last_shown().title, QStringLiteral("Copying items from another map"));
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::CopyItems);

    const EditOutcome outcome = complete_copy_items(ctx, books_poetry, 5, QStringLiteral("Media: Films"));
    EXPECT_EQ(titles(books_poetry), (QStringList{QStringLiteral("dante"), QStringLiteral("L'été [*]?")}));
    const qint64 copy =
        db().scalar(
                QStringLiteral("select item_nr from repos where cat='Poetry' and item_title='L''été [*]?'"))
            .toLongLong();
    for (const char* name :
         {"item_content", "seq", "date_expiry", "date_remind", "date_notified", "mark", "item_id"})
        EXPECT_EQ(column(copy, QLatin1String(name)), column(source, QLatin1String(name))) << name;
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
    EXPECT_EQ(rows(QStringLiteral("cat='Films'")), 3) << "the source map is untouched";
}

TEST_F(CopyItems, ItemsInACommaListAreCopiedAndPartialNamesAreNot) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films,Italian"), QStringLiteral("Amarcord"));
    add(QStringLiteral("Media"), QStringLiteral("Films of 1970"), QStringLiteral("Elsewhere"));
    ctx.pending_map_operation = {Kind::CopyItems, 3};
    complete_copy_items(ctx, books_poetry, 5, QStringLiteral("Media: Films"));
    EXPECT_EQ(titles(books_poetry), (QStringList{QStringLiteral("Amarcord"), QStringLiteral("Dante")}));
}

TEST_F(CopyItems, ClosedRequesterOrTheRequesterItselfCopyNothing) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    const QStringList before = dump();
    ctx.pending_map_operation = {Kind::CopyItems, 3};
    EXPECT_FALSE(complete_copy_items(ctx, books_poetry, 3, books_poetry).any());
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::CopyItems);
    EXPECT_FALSE(complete_copy_items(ctx, std::nullopt, 5, QStringLiteral("Media: Films")).any());
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_EQ(dump(), before);
}

} // namespace

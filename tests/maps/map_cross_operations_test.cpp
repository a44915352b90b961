// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_editing.h"
#include "support/db_fixtures.h"

using namespace Qt::StringLiterals;

namespace {

using Kind = PendingMapOperation::Kind;

const QString books_poetry = u"Books: Poetry"_s;
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

TEST_F(InsertReference, OkRecordsThePendingReferenceAndOnlyAnotherMapCompletesIt) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    MapItems poetry = load(books_poetry);
    script.answer(false);
    start_insert_reference(ctx, poetry, 3);
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(script.shown()[0].kind, u"ok_cancel"_s);
    EXPECT_TRUE(script.shown()[0].text.startsWith(u"To insert reference to another tag map, press OK"_s));
    EXPECT_EQ(script.shown()[0].title, u"Inserting reference to another map"_s);

    script.answer(true);
    start_insert_reference(ctx, poetry, 3);
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::InsertReference);
    EXPECT_EQ(ctx.pending_map_operation.requester, 3);

    // The requester activated again keeps waiting; a closed requester ends the wait; a pending
    // copy is no reference. None of them writes anything.
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s);
    const QStringList before = dump();
    EXPECT_FALSE(complete_insert_reference(ctx, books_poetry, 3, books_poetry).any());
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::InsertReference);
    EXPECT_FALSE(complete_insert_reference(ctx, std::nullopt, 8, u"Media: Films"_s).any());
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    ctx.pending_map_operation = {Kind::CopyItems, 3};
    EXPECT_FALSE(complete_insert_reference(ctx, books_poetry, 8, u"Top map"_s).any());
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::CopyItems);
    EXPECT_EQ(dump(), before);
}

TEST_F(InsertReference, ReferenceToTheActivatedMapJoinsTheRequesterWhoseFillerGivesWay) {
    add_filler(u"Books"_s, u"Poetry"_s);
    add(u"Media"_s, u"L'été [*]"_s, u"Film"_s);
    pending_from_poetry();
    const EditOutcome outcome = complete_insert_reference(ctx, books_poetry, 8, u"Media: L'été [*]"_s);
    EXPECT_EQ(titles(books_poetry), QStringList{u"> Media: L'été [*]"_s});
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_EQ(outcome.refresh_window, 3);
    EXPECT_EQ(outcome.activate_window, 3);
    EXPECT_FALSE(outcome.reload) << "the activated window did not change";
    EXPECT_TRUE(shown_texts().isEmpty());
}

TEST_F(InsertReference, ExistingReferenceInAnotherCaseIsRefused) {
    add(u"Books"_s, u"Poetry"_s, u"> media: films"_s);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s);
    pending_from_poetry();
    const QStringList before = dump();
    complete_insert_reference(ctx, books_poetry, 8, u"Media: Films"_s);
    EXPECT_EQ(shown_texts(), QStringList{u"Reference already present."_s});
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(ctx.pending_map_operation.pending());
}

TEST_F(InsertReference, TopMapAndClickedPanelsGiveTheirAddresses) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s);
    const MapIdentity films = identify_map(ctx.collections, u"Media: Films"_s);
    const MapIdentity media = identify_map(ctx.collections, u"Media"_s);
    const MapIdentity top = identify_map(ctx.collections, u"Top map"_s);
    EXPECT_EQ(panel_address(films, u"Amarcord"_s), u"Media: Films.Amarcord"_s);
    EXPECT_EQ(panel_address(media, u"Films"_s), u"Media: Films"_s);
    EXPECT_EQ(panel_address(top, u"Media"_s), u"Media"_s);

    pending_from_poetry();
    complete_insert_reference(ctx, books_poetry, 1, u"TOP MAP"_s);
    pending_from_poetry();
    complete_insert_reference(ctx, books_poetry, 9, panel_address(films, u"Amarcord"_s));
    EXPECT_EQ(rows(u"cat='Poetry' and item_title='> Top map' collate binary"_s), 1);
    EXPECT_EQ(rows(u"cat='Poetry' and item_title='> Media: Films.Amarcord'"_s), 1);
}

TEST_F(InsertReference, CollectionRequesterGetsACategoryHoldingTheReference) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s);
    MapItems books = load(u"Books"_s);
    script.answer(true);
    start_insert_reference(ctx, books, 4);
    complete_insert_reference(ctx, u"Books"_s, 8, u"Media: Films"_s);
    EXPECT_EQ(rows(u"collection='Books' and cat='> Media: Films' and item_title='> Media: Films'"_s), 1);
    EXPECT_TRUE(titles(u"Books"_s).contains(u"> Media: Films"_s));

    script.answer(true);
    start_insert_reference(ctx, books, 4);
    script.clear();
    complete_insert_reference(ctx, u"Books"_s, 8, u"media: films"_s);
    EXPECT_EQ(shown_texts(), QStringList{u"Reference already present."_s});
}

// ---------------------------------------------------------------- copy items

class CopyItems : public EditFixture {};

TEST_F(CopyItems, MissingTitlesAreCopiedWithAllTheirFields) {
    add(u"Books"_s, u"Poetry"_s, u"dante"_s, {}, 1);
    add_filler(u"Books"_s, u"Poetry"_s);
    Row row;
    row.collection = u"Media"_s;
    row.cat = u"Films"_s;
    row.title = u"L'été [*]?"_s;
    row.content = u"LINK=c:\\films\\été.avi"_s;
    row.seq = 4;
    row.expiry = QDateTime(QDate(2026, 7, 14), QTime(21, 0));
    row.remind = QDateTime(QDate(2026, 7, 13), QTime(9, 0));
    row.notified = QDateTime(QDate(2026, 7, 13), QTime(9, 5));
    row.mark = u"*"_s;
    row.id = 42;
    const qint64 source = add(row);
    add(u"Media"_s, u"Films"_s, u"Dante"_s, u"not copied"_s, 1);
    add_filler(u"Media"_s, u"Films"_s);

    MapItems poetry = load(books_poetry);
    script.answer(true);
    start_copy_items(ctx, poetry, 3);
    EXPECT_TRUE(last_shown().text.startsWith(u"To copy items from another tag map, press OK"_s));
    EXPECT_EQ(last_shown().title, u"Copying items from another map"_s);
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::CopyItems);

    const EditOutcome outcome = complete_copy_items(ctx, books_poetry, 5, u"Media: Films"_s);
    EXPECT_EQ(titles(books_poetry), (QStringList{u"dante"_s, u"L'été [*]?"_s}));
    const qint64 copy =
        db().scalar(u"select item_nr from repos where cat='Poetry' and item_title='L''été [*]?'"_s)
            .toLongLong();
    for (const char* name :
         {"item_content", "seq", "date_expiry", "date_remind", "date_notified", "mark", "item_id"})
        EXPECT_EQ(column(copy, QLatin1String(name)), column(source, QLatin1String(name))) << name;
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
    EXPECT_EQ(rows(u"cat='Films'"_s), 3) << "the source map is untouched";
}

// The requester itself keeps waiting and a closed one ends the wait, copying nothing; then items
// of a comma list holding the category are copied, and those of longer names are not.
TEST_F(CopyItems, OnlyAnotherMapsItemsAreCopiedWithCommaListsButNotPartialNames) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Media"_s, u"Films,Italian"_s, u"Amarcord"_s);
    add(u"Media"_s, u"Films of 1970"_s, u"Elsewhere"_s);
    const QStringList before = dump();
    ctx.pending_map_operation = {Kind::CopyItems, 3};
    EXPECT_FALSE(complete_copy_items(ctx, books_poetry, 3, books_poetry).any());
    EXPECT_EQ(ctx.pending_map_operation.kind, Kind::CopyItems);
    EXPECT_FALSE(complete_copy_items(ctx, std::nullopt, 5, u"Media: Films"_s).any());
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_EQ(dump(), before);

    ctx.pending_map_operation = {Kind::CopyItems, 3};
    complete_copy_items(ctx, books_poetry, 5, u"Media: Films"_s);
    EXPECT_EQ(titles(books_poetry), (QStringList{u"Amarcord"_s, u"Dante"_s}));
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_editing_fixture.h"
#include "maps/map_editing.h"

namespace {

const QString books_poetry = QStringLiteral("Books: Poetry");

QStringList entry_titles(const MapItems& map) {
    QStringList result;
    for (const MapItem& item : map.items())
        result.append(item.title);
    return result;
}

// ---------------------------------------------------------------- writing positions

class Positions : public EditFixture {};

TEST_F(Positions, SeqIsWrittenAsThreeDigitsAndReadBackAsANumber) {
    const qint64 a = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"));
    const qint64 b = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Boccaccio"));
    MapItems map = load(books_poetry);
    EXPECT_TRUE(write_positions(ctx, map));
    EXPECT_EQ(
        db().scalar(QStringLiteral("select typeof(seq) from repos where item_nr=") + QString::number(a)),
        QStringLiteral("real"));
    EXPECT_EQ(column(a, QStringLiteral("seq")).toDouble(), 1);
    EXPECT_EQ(column(b, QStringLiteral("seq")).toDouble(), 2);
}

TEST_F(Positions, OnlyRowsThatDifferAreWritten) {
    // A row the order does not touch keeps what another window wrote to it meanwhile; a row
    // that moves takes the values its panel shows.
    const qint64 a = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"), {}, 1);
    const qint64 b =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Boccaccio"), {}, 2);
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Carducci"), {}, 3);
    MapItems map = load(books_poetry);
    db().exec(QStringLiteral("update repos set mark='elsewhere' where item_nr in (") + QString::number(a) +
              QLatin1Char(',') + QString::number(b) + QLatin1Char(')'));
    drop_within(ctx, map, 2, 1);
    EXPECT_EQ(column(a, QStringLiteral("mark")).toString(), QStringLiteral("elsewhere"));
    EXPECT_EQ(column(b, QStringLiteral("mark")).toString(), QString()) << "moved: rewritten from its panel";
    EXPECT_EQ(column(b, QStringLiteral("seq")).toDouble(), 3);
}

TEST_F(Positions, PanelTitleAndContentAreWrittenWhenTheyDiffer) {
    const qint64 a = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"), {}, 1);
    MapItems map = load(books_poetry);
    map.item(0).content = QStringLiteral("Orlando");
    write_positions(ctx, map);
    EXPECT_EQ(column(a, QStringLiteral("item_content")).toString(), QStringLiteral("Orlando"));
}

TEST_F(Positions, CollectionMapWritesTheCategoryOrder) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Books"), QStringLiteral("L'été *"), QStringLiteral("Camus"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    db().exec(QStringLiteral("insert into cat_seq (collection, cat, seq) values ('Books', 'Novels', 7)"));
    MapItems map = load(QStringLiteral("Books"));
    ASSERT_EQ(entry_titles(map),
              (QStringList{QStringLiteral("L'été *"), QStringLiteral("Poetry"), QStringLiteral("Novels")}));
    drop_within(ctx, map, 2, 0);
    EXPECT_EQ(entry_titles(load(QStringLiteral("Books"))),
              (QStringList{QStringLiteral("Novels"), QStringLiteral("L'été *"), QStringLiteral("Poetry")}));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from cat_seq")).toInt(), 3)
        << "one row per category";
}

TEST_F(Positions, ItemDeletedMeanwhileIsReportedAndTheOthersStillWritten) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"), {}, 1);
    const qint64 gone =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Boccaccio"), {}, 2);
    const qint64 c =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Carducci"), {}, 3);
    MapItems map = load(books_poetry);
    db().exec(QStringLiteral("delete from repos where item_nr=") + QString::number(gone));
    drop_within(ctx, map, 2, 0);
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Error 2000 09 12 1415")});
    EXPECT_EQ(column(c, QStringLiteral("seq")).toDouble(), 1);
    EXPECT_EQ(rows(QStringLiteral("item_nr=") + QString::number(gone)), 0)
        << "a vanished item is not recreated";
}

// ---------------------------------------------------------------- sorting

class Sorting : public EditFixture {};

TEST_F(Sorting, TextSortIgnoresCaseAndAccentsAndPutsFillersLast) {
    double seq = 0;
    for (const char* title : {"banana", "-", "Émile", "apple", "Zoe", "cherry", "-", "emma", "Apple"})
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QString::fromUtf8(title), {}, ++seq);
    MapItems map = load(books_poetry);
    const int selected = index_of(map, QStringLiteral("Zoe"));
    const EditOutcome outcome = sort_by_text(ctx, map, selected);
    const QStringList expected{QStringLiteral("apple"),  QStringLiteral("Apple"), QStringLiteral("banana"),
                               QStringLiteral("cherry"), QStringLiteral("Émile"), QStringLiteral("emma"),
                               QStringLiteral("Zoe"),    QStringLiteral("-"),     QStringLiteral("-")};
    EXPECT_EQ(entry_titles(map), expected);
    EXPECT_TRUE(outcome.relayout);
    EXPECT_EQ(outcome.select_index, 6) << "the selected entry stays selected";
    // Fillers keep their stored positions; the items' order survives a reload.
    QStringList stored = titles(books_poetry);
    stored.removeAll(QStringLiteral("-"));
    EXPECT_EQ(stored, expected.mid(0, 7));
}

TEST_F(Sorting, TextSortComparesPanelTextsWithTheirDates) {
    Row dated;
    dated.collection = QStringLiteral("Books");
    dated.cat = QStringLiteral("Poetry");
    dated.title = QStringLiteral("Zeno");
    dated.expiry = QDateTime(QDate(2026, 1, 2), QTime(0, 0));
    add(dated);
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Abelard"));
    MapItems map = load(books_poetry);
    sort_by_text(ctx, map, 0);
    EXPECT_EQ(entry_titles(map), (QStringList{QStringLiteral("Zeno"), QStringLiteral("Abelard")}))
        << "\"02/01/26 - Zeno\" comes before \"Abelard\"";
}

TEST_F(Sorting, ExpirySortPutsUndatedAfterDatedAndFillersLast) {
    const auto at = [](int day, int hour) { return QDateTime(QDate(2026, 4, day), QTime(hour, 0)); };
    Row row;
    row.collection = QStringLiteral("Books");
    row.cat = QStringLiteral("Poetry");
    for (const auto& [title, when] : std::vector<std::pair<QString, std::optional<QDateTime>>>{
             {QStringLiteral("late"), at(9, 8)},
             {QStringLiteral("-"), std::nullopt},
             {QStringLiteral("undated one"), std::nullopt},
             {QStringLiteral("early"), at(1, 23)},
             {QStringLiteral("same day later"), at(9, 17)},
             {QStringLiteral("undated two"), std::nullopt}}) {
        row.title = title;
        row.expiry = when;
        add(row);
    }
    MapItems map = load(books_poetry);
    sort_by_expiry(ctx, map, -1);
    EXPECT_EQ(entry_titles(map), (QStringList{QStringLiteral("early"), QStringLiteral("late"),
                                              QStringLiteral("same day later"), QStringLiteral("undated one"),
                                              QStringLiteral("undated two"), QStringLiteral("-")}));
    EXPECT_EQ(titles(books_poetry).mid(1, 5), entry_titles(map).mid(0, 5));
}

TEST_F(Sorting, CollectionMapSortWritesTheCategoryOrder) {
    for (const char* cat : {"Zeta", "alpha", "Émile", "beta"})
        add(QStringLiteral("Books"), QString::fromUtf8(cat), QStringLiteral("x"));
    db().exec(QStringLiteral("insert into cat_seq (collection, cat, seq) values ('Books', 'Zeta', 1)"));
    MapItems map = load(QStringLiteral("Books"));
    sort_by_text(ctx, map, 0);
    EXPECT_EQ(entry_titles(load(QStringLiteral("Books"))),
              (QStringList{QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("Émile"),
                           QStringLiteral("Zeta")}));
}

TEST_F(Sorting, TopMapIsLeftAlone) {
    MapItems map = load(QStringLiteral("Top map"));
    const QStringList before = entry_titles(map);
    EXPECT_FALSE(sort_by_text(ctx, map, 0).any());
    EXPECT_EQ(entry_titles(map), before);
}

// ---------------------------------------------------------------- drag and drop

class DropWithin : public EditFixture {};

TEST_F(DropWithin, EntryMovesToTheDropPositionAndTheOthersShift) {
    for (int i = 1; i <= 4; ++i)
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("t%1").arg(i), {}, i);
    MapItems map = load(books_poetry);
    const EditOutcome outcome = drop_within(ctx, map, 0, 2);
    const QStringList expected{QStringLiteral("t2"), QStringLiteral("t3"), QStringLiteral("t1"),
                               QStringLiteral("t4")};
    EXPECT_EQ(entry_titles(map), expected);
    EXPECT_EQ(titles(books_poetry), expected);
    EXPECT_TRUE(outcome.relayout);
    EXPECT_EQ(outcome.select_index, 2);

    map = load(books_poetry);
    drop_within(ctx, map, 3, 40); // onto a grid filler past the entries
    EXPECT_EQ(titles(books_poetry).last(), QStringLiteral("t4"));
    drop_within(ctx, map, 0, 40);
    EXPECT_EQ(titles(books_poetry).last(), QStringLiteral("t2"));
}

TEST_F(DropWithin, TopMapIgnoresDrops) {
    MapItems map = load(QStringLiteral("Top map"));
    const QStringList before = entry_titles(map);
    EXPECT_FALSE(drop_within(ctx, map, 0, 3).any());
    EXPECT_EQ(entry_titles(map), before);
}

class DropBetween : public EditFixture {
protected:
    DragPayload drag_of(const MapItems& map, const QString& title, bool copy = false, int window = 7) {
        DragPayload drag;
        const int index = index_of(map, title);
        drag.item_nr = map.item(index).item_nr;
        drag.title = title;
        drag.source_index = index;
        drag.source_window = window;
        drag.copy = copy;
        return drag;
    }
};

TEST_F(DropBetween, CollectionAndCategoryMapsDoNotMix) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    MapItems books = load(QStringLiteral("Books"));
    MapItems films = load(QStringLiteral("Media: Films"));
    const QStringList before = dump();
    drop_between(ctx, books.identity(), drag_of(books, QStringLiteral("Poetry")), films);
    drop_between(ctx, films.identity(), drag_of(films, QStringLiteral("Amarcord")), books);
    const QString refusal =
        QStringLiteral("Drag/drop is not allowed between a collection map and a non-collection map.");
    EXPECT_EQ(shown_texts(), (QStringList{refusal, refusal}));
    EXPECT_EQ(dump(), before);
}

TEST_F(DropBetween, CategoryMovesBetweenCollectionMaps) {
    add(QStringLiteral("Books"), QStringLiteral("L'été [1]"), QStringLiteral("Camus"));
    add(QStringLiteral("Books"), QStringLiteral("L'été [1]"), QStringLiteral("Gide"));
    add(QStringLiteral("Books"), QStringLiteral("Novels"), QStringLiteral("Emma"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    MapItems books = load(QStringLiteral("Books"));
    MapItems media = load(QStringLiteral("Media"));
    const EditOutcome outcome =
        drop_between(ctx, books.identity(), drag_of(books, QStringLiteral("L'été [1]")), media);
    EXPECT_EQ(rows(QStringLiteral("collection='Media' and cat='L''été [1]'")), 2);
    EXPECT_EQ(rows(QStringLiteral("collection='Books'")), 1);
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(DropBetween, ItemMovesFirstIntoTheTargetWhoseFillersGiveWay) {
    const qint64 dante =
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"), {}, 1);
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Tasso"), {}, 2);
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"), {}, 1);
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Nostalghia"), {}, 2);
    add_filler(QStringLiteral("Media"), QStringLiteral("Films"));
    MapItems poetry = load(books_poetry);
    MapItems films = load(QStringLiteral("Media: Films"));
    const EditOutcome outcome =
        drop_between(ctx, poetry.identity(), drag_of(poetry, QStringLiteral("Dante")), films);

    EXPECT_EQ(
        titles(QStringLiteral("Media: Films")),
        (QStringList{QStringLiteral("Dante"), QStringLiteral("Amarcord"), QStringLiteral("Nostalghia")}));
    EXPECT_EQ(titles(books_poetry), QStringList{QStringLiteral("Tasso")});
    EXPECT_EQ(column(dante, QStringLiteral("seq")).toDouble(), 1) << "positions written after the drop";
    EXPECT_TRUE(outcome.reload);
    EXPECT_EQ(outcome.select_item, dante);
    EXPECT_EQ(outcome.refresh_window, 7);
    EXPECT_TRUE(outcome.refresh_tables);
}

TEST_F(DropBetween, ShiftCopiesTitleContentAndDatesAndLeavesTheSource) {
    Row row;
    row.collection = QStringLiteral("Books");
    row.cat = QStringLiteral("Poetry");
    row.title = QStringLiteral("Dante's *");
    row.content = QStringLiteral("é'[?*").repeated(1024 * 1024 / 5);
    row.expiry = QDateTime(QDate(2026, 5, 1), QTime(12, 30));
    row.remind = QDateTime(QDate(2026, 4, 30), QTime(8, 0));
    row.mark = QStringLiteral("M");
    const qint64 source = add(row);
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"), {}, 1);
    MapItems poetry = load(books_poetry);
    MapItems films = load(QStringLiteral("Media: Films"));
    const QStringList source_row = dump().filter(QStringLiteral("Dante's *")).mid(0, 1);
    const EditOutcome outcome =
        drop_between(ctx, poetry.identity(), drag_of(poetry, QStringLiteral("Dante's *"), true), films);

    ASSERT_NE(outcome.select_item, 0);
    ASSERT_NE(outcome.select_item, source);
    const qint64 copy = outcome.select_item;
    EXPECT_EQ(column(copy, QStringLiteral("collection")).toString(), QStringLiteral("Media"));
    EXPECT_EQ(column(copy, QStringLiteral("cat")).toString(), QStringLiteral("Films"));
    EXPECT_EQ(column(copy, QStringLiteral("item_content")).toString(), row.content);
    EXPECT_EQ(date_column(copy, QStringLiteral("date_expiry")), row.expiry);
    EXPECT_EQ(date_column(copy, QStringLiteral("date_remind")), row.remind);
    EXPECT_EQ(titles(QStringLiteral("Media: Films")),
              (QStringList{QStringLiteral("Dante's *"), QStringLiteral("Amarcord")}));
    EXPECT_EQ(dump().filter(QStringLiteral("Dante's *")).mid(0, 1), source_row) << "the source is untouched";
}

TEST_F(DropBetween, AgendaTomorrowMakesTheItemDueAndRemindedTomorrow) {
    tc.clock.set(QDateTime(QDate(2026, 12, 31), QTime(22, 15, 7)));
    Row row;
    row.collection = QStringLiteral("Books");
    row.cat = QStringLiteral("Poetry");
    row.title = QStringLiteral("Read Dante");
    row.expiry = QDateTime(QDate(2026, 6, 1), QTime(9, 0));
    row.remind = QDateTime(QDate(2026, 5, 30), QTime(9, 0));
    row.notified = QDateTime(QDate(2026, 5, 30), QTime(9, 1));
    const qint64 nr = add(row);
    add_filler(QStringLiteral("Agenda"), QStringLiteral("Tomorrow"));
    MapItems poetry = load(books_poetry);
    MapItems tomorrow = load(QStringLiteral("Agenda: Tomorrow"));
    drop_between(ctx, poetry.identity(), drag_of(poetry, QStringLiteral("Read Dante")), tomorrow);

    const QDateTime new_year(QDate(2027, 1, 1), QTime(0, 0));
    EXPECT_EQ(date_column(nr, QStringLiteral("date_expiry")), new_year);
    EXPECT_EQ(date_column(nr, QStringLiteral("date_remind")), new_year);
    EXPECT_FALSE(date_column(nr, QStringLiteral("date_notified")));
    EXPECT_EQ(titles(QStringLiteral("Agenda: Tomorrow")), QStringList{QStringLiteral("Read Dante")});
}

TEST_F(DropBetween, TomorrowOfAnotherCollectionKeepsTheDates) {
    Row row;
    row.collection = QStringLiteral("Books");
    row.cat = QStringLiteral("Poetry");
    row.title = QStringLiteral("Read Dante");
    row.expiry = QDateTime(QDate(2026, 6, 1), QTime(9, 0));
    const qint64 nr = add(row);
    add(QStringLiteral("Media"), QStringLiteral("tomorrow"), QStringLiteral("Film"));
    MapItems poetry = load(books_poetry);
    MapItems target = load(QStringLiteral("Media: tomorrow"));
    drop_between(ctx, poetry.identity(), drag_of(poetry, QStringLiteral("Read Dante"), true), target);
    drop_between(ctx, poetry.identity(), drag_of(poetry, QStringLiteral("Read Dante")), target);
    EXPECT_EQ(date_column(nr, QStringLiteral("date_expiry")), row.expiry);
    EXPECT_EQ(rows(QStringLiteral("date_expiry is not null and cat='tomorrow'")), 2);
    EXPECT_EQ(rows(QStringLiteral("date_remind is not null")), 0);
}

TEST_F(DropBetween, ShiftCopyOntoAgendaTomorrowIsDueTomorrowToo) {
    tc.clock.set(QDateTime(QDate(2026, 2, 28), QTime(10, 0)));
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Read Dante"));
    add(QStringLiteral("Agenda"), QStringLiteral("tomorrow"), QStringLiteral("Call Anna"));
    MapItems poetry = load(books_poetry);
    MapItems tomorrow = load(QStringLiteral("Agenda: tomorrow"));
    const EditOutcome outcome =
        drop_between(ctx, poetry.identity(), drag_of(poetry, QStringLiteral("Read Dante"), true), tomorrow);
    EXPECT_EQ(date_column(outcome.select_item, QStringLiteral("date_expiry")),
              QDateTime(QDate(2026, 3, 1), QTime(0, 0)));
    EXPECT_FALSE(date_column(nr, QStringLiteral("date_expiry"))) << "the source keeps no date";
}

TEST_F(DropBetween, ItemDeletedMeanwhileIsReportedAndNothingWritten) {
    const qint64 nr = add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"));
    add_filler(QStringLiteral("Media"), QStringLiteral("Films"));
    MapItems poetry = load(books_poetry);
    MapItems films = load(QStringLiteral("Media: Films"));
    const DragPayload drag = drag_of(poetry, QStringLiteral("Dante"));
    db().exec(QStringLiteral("delete from repos where item_nr=") + QString::number(nr));
    const QStringList before = dump();
    drop_between(ctx, poetry.identity(), drag, films);
    EXPECT_EQ(shown_texts(), QStringList{QStringLiteral("Error 2000 09 11 1750")});
    EXPECT_EQ(dump(), before);
}

TEST_F(DropBetween, TopMapTakesNoDrops) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    MapItems poetry = load(books_poetry);
    MapItems top = load(QStringLiteral("Top map"));
    const QStringList before = dump();
    EXPECT_FALSE(drop_between(ctx, poetry.identity(), drag_of(poetry, QStringLiteral("Dante")), top).any());
    EXPECT_TRUE(shown_texts().isEmpty());
    EXPECT_EQ(dump(), before);
}

} // namespace

namespace {

// ---------------------------------------------------------------- failures half-way

// The engine refuses to write one row, after others have been written in the same command.
class HalfWayFailure : public EditFixture {
protected:
    void refuse_updates_of(const QString& title) {
        db().exec(QStringLiteral("create trigger refuse before update on repos when old.item_title='") +
                  title + QStringLiteral("' begin select raise(abort, 'refused'); end"));
    }
};

TEST_F(HalfWayFailure, DropWithinWritesNothingAndKeepsTheShownOrder) {
    for (int i = 1; i <= 4; ++i)
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("t%1").arg(i), {}, i);
    MapItems map = load(books_poetry);
    refuse_updates_of(QStringLiteral("t3")); // the last row to be written
    const QStringList before = dump();
    const EditOutcome outcome = drop_within(ctx, map, 3, 0);
    EXPECT_EQ(dump(), before);
    ASSERT_EQ(shown_texts().size(), 1);
    EXPECT_TRUE(shown_texts()[0].startsWith(QStringLiteral("Error "))) << shown_texts()[0].toStdString();
    EXPECT_TRUE(shown_texts()[0].endsWith(QStringLiteral("refused"))) << shown_texts()[0].toStdString();
    EXPECT_EQ(entry_titles(map), (QStringList{QStringLiteral("t1"), QStringLiteral("t2"),
                                              QStringLiteral("t3"), QStringLiteral("t4")}));
    EXPECT_FALSE(outcome.any());
}

TEST_F(HalfWayFailure, SortWritesNothing) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("c"), {}, 1);
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("b"), {}, 2);
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("a"), {}, 3);
    MapItems map = load(books_poetry);
    refuse_updates_of(QStringLiteral("c"));
    const QStringList before = dump();
    sort_by_text(ctx, map, 0);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(entry_titles(map),
              (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
}

TEST_F(HalfWayFailure, DropBetweenWritesNothing) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
    add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Amarcord"), {}, 1);
    add_filler(QStringLiteral("Media"), QStringLiteral("Films"));
    MapItems poetry = load(books_poetry);
    MapItems films = load(QStringLiteral("Media: Films"));
    // Moving Dante succeeds; writing the positions of the target fails.
    refuse_updates_of(QStringLiteral("Amarcord"));
    const QStringList before = dump();
    DragPayload drag;
    drag.item_nr = poetry.item(0).item_nr;
    drag.title = poetry.item(0).title;
    drag.source_window = 2;
    drop_between(ctx, poetry.identity(), drag, films);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(shown_texts().size(), 1);
}

TEST_F(HalfWayFailure, AddItemLeavesNoTemporaryRow) {
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Ariosto"), {}, 1);
    add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Boccaccio"), {}, 1);
    MapItems map = load(books_poetry);
    refuse_updates_of(QStringLiteral("Boccaccio"));
    const QStringList before = dump();
    script.answer("Dante");
    EXPECT_FALSE(add_item(ctx, map, 0).any());
    EXPECT_EQ(dump(), before);
}

} // namespace

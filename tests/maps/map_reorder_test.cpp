// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_editing.h"
#include "support/db_fixtures.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString books_poetry = u"Books: Poetry"_s;

QStringList entry_titles(const MapItems& map) {
    return titles_of(map.items());
}

// ---------------------------------------------------------------- writing positions

class Positions : public EditFixture {};

TEST_F(Positions, SeqIsWrittenAsANumberAndPanelTitleAndContentWhenTheyDiffer) {
    const qint64 a = add(u"Books"_s, u"Poetry"_s, u"Ariosto"_s);
    const qint64 b = add(u"Books"_s, u"Poetry"_s, u"Boccaccio"_s);
    MapItems map = load(books_poetry);
    map.item(0).content = u"Orlando"_s;
    EXPECT_TRUE(write_positions(ctx, map));
    EXPECT_EQ(db().scalar(u"select typeof(seq) from repos where item_nr="_s + QString::number(a)), u"real"_s);
    EXPECT_EQ(column(a, u"seq"_s).toDouble(), 1);
    EXPECT_EQ(column(b, u"seq"_s).toDouble(), 2);
    EXPECT_EQ(column(a, u"item_content"_s).toString(), u"Orlando"_s);
}

TEST_F(Positions, OnlyRowsThatDifferAreWritten) {
    // A row the order does not touch keeps what another window wrote to it meanwhile; a row
    // that moves takes the values its panel shows.
    const qint64 a = add(u"Books"_s, u"Poetry"_s, u"Ariosto"_s, {}, 1);
    const qint64 b = add(u"Books"_s, u"Poetry"_s, u"Boccaccio"_s, {}, 2);
    add(u"Books"_s, u"Poetry"_s, u"Carducci"_s, {}, 3);
    MapItems map = load(books_poetry);
    db().exec(u"update repos set mark='elsewhere' where item_nr in ("_s + QString::number(a) +
              QLatin1Char(',') + QString::number(b) + QLatin1Char(')'));
    drop_within(ctx, map, 2, 1);
    EXPECT_EQ(column(a, u"mark"_s).toString(), u"elsewhere"_s);
    EXPECT_EQ(column(b, u"mark"_s).toString(), QString()) << "moved: rewritten from its panel";
    EXPECT_EQ(column(b, u"seq"_s).toDouble(), 3);
}

TEST_F(Positions, CollectionMapWritesTheCategoryOrderOnDropAndSort) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Books"_s, u"L'été *"_s, u"Camus"_s);
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    db().exec(u"insert into cat_seq (collection, cat, seq) values ('Books', 'Novels', 7)"_s);
    MapItems map = load(u"Books"_s);
    ASSERT_EQ(entry_titles(map), (QStringList{u"L'été *"_s, u"Poetry"_s, u"Novels"_s}));
    drop_within(ctx, map, 2, 0);
    EXPECT_EQ(entry_titles(load(u"Books"_s)), (QStringList{u"Novels"_s, u"L'été *"_s, u"Poetry"_s}));
    EXPECT_EQ(db().scalar(u"select count(*) from cat_seq"_s).toInt(), 3) << "one row per category";
    // A sort writes the category order as well.
    map = load(u"Books"_s);
    sort_by_text(ctx, map, 0);
    EXPECT_EQ(entry_titles(load(u"Books"_s)), (QStringList{u"L'été *"_s, u"Novels"_s, u"Poetry"_s}));
}

TEST_F(Positions, ItemDeletedMeanwhileIsReportedAndTheOthersStillWritten) {
    add(u"Books"_s, u"Poetry"_s, u"Ariosto"_s, {}, 1);
    const qint64 gone = add(u"Books"_s, u"Poetry"_s, u"Boccaccio"_s, {}, 2);
    const qint64 c = add(u"Books"_s, u"Poetry"_s, u"Carducci"_s, {}, 3);
    MapItems map = load(books_poetry);
    db().exec(u"delete from repos where item_nr="_s + QString::number(gone));
    drop_within(ctx, map, 2, 0);
    EXPECT_EQ(shown_texts(), QStringList{u"Error 2000 09 12 1415"_s});
    EXPECT_EQ(column(c, u"seq"_s).toDouble(), 1);
    EXPECT_EQ(rows(u"item_nr="_s + QString::number(gone)), 0) << "a vanished item is not recreated";
}

// ---------------------------------------------------------------- sorting

class Sorting : public EditFixture {};

TEST_F(Sorting, TextSortIgnoresCaseAndAccentsAndPutsFillersLast) {
    double seq = 0;
    for (const char* title : {"banana", "-", "Émile", "apple", "Zoe", "cherry", "-", "emma", "Apple"})
        add(u"Books"_s, u"Poetry"_s, QString::fromUtf8(title), {}, ++seq);
    MapItems map = load(books_poetry);
    const int selected = index_of(map, u"Zoe"_s);
    const EditOutcome outcome = sort_by_text(ctx, map, selected);
    const QStringList expected{u"apple"_s, u"Apple"_s, u"banana"_s, u"cherry"_s, u"Émile"_s,
                               u"emma"_s,  u"Zoe"_s,   u"-"_s,      u"-"_s};
    EXPECT_EQ(entry_titles(map), expected);
    EXPECT_TRUE(outcome.relayout);
    EXPECT_EQ(outcome.select_index, 6) << "the selected entry stays selected";
    // Fillers keep their stored positions; the items' order survives a reload.
    QStringList stored = titles(books_poetry);
    stored.removeAll(u"-"_s);
    EXPECT_EQ(stored, expected.mid(0, 7));
}

TEST_F(Sorting, TextSortComparesPanelTextsWithTheirDates) {
    Row zeno(u"Books"_s, u"Poetry"_s, u"Zeno"_s);
    zeno.expiry = QDateTime(QDate(2026, 1, 2), QTime(0, 0));
    add(zeno);
    add(u"Books"_s, u"Poetry"_s, u"Abelard"_s);
    MapItems map = load(books_poetry);
    sort_by_text(ctx, map, 0);
    EXPECT_EQ(entry_titles(map), (QStringList{u"Zeno"_s, u"Abelard"_s}))
        << "\"02/01/26 - Zeno\" comes before \"Abelard\"";
}

TEST_F(Sorting, ExpirySortPutsUndatedAfterDatedAndFillersLast) {
    const auto at = [](int day, int hour) { return QDateTime(QDate(2026, 4, day), QTime(hour, 0)); };
    Row row;
    row.collection = u"Books"_s;
    row.cat = u"Poetry"_s;
    for (const auto& [title, when] :
         std::vector<std::pair<QString, std::optional<QDateTime>>>{{u"late"_s, at(9, 8)},
                                                                   {u"-"_s, std::nullopt},
                                                                   {u"undated one"_s, std::nullopt},
                                                                   {u"early"_s, at(1, 23)},
                                                                   {u"same day later"_s, at(9, 17)},
                                                                   {u"undated two"_s, std::nullopt}}) {
        row.title = title;
        row.expiry = when;
        add(row);
    }
    MapItems map = load(books_poetry);
    sort_by_expiry(ctx, map, -1);
    EXPECT_EQ(entry_titles(map), (QStringList{u"early"_s, u"late"_s, u"same day later"_s, u"undated one"_s,
                                              u"undated two"_s, u"-"_s}));
    EXPECT_EQ(titles(books_poetry).mid(1, 5), entry_titles(map).mid(0, 5));
}

// ---------------------------------------------------------------- drag and drop

class DropWithin : public EditFixture {};

TEST_F(DropWithin, EntryMovesToTheDropPositionAndTheOthersShift) {
    for (int i = 1; i <= 4; ++i)
        add(u"Books"_s, u"Poetry"_s, u"t%1"_s.arg(i), {}, i);
    MapItems map = load(books_poetry);
    const EditOutcome outcome = drop_within(ctx, map, 0, 2);
    const QStringList expected{u"t2"_s, u"t3"_s, u"t1"_s, u"t4"_s};
    EXPECT_EQ(entry_titles(map), expected);
    EXPECT_EQ(titles(books_poetry), expected);
    EXPECT_TRUE(outcome.relayout);
    EXPECT_EQ(outcome.select_index, 2);

    map = load(books_poetry);
    drop_within(ctx, map, 3, 40); // onto a grid filler past the entries
    EXPECT_EQ(titles(books_poetry).last(), u"t4"_s);
    drop_within(ctx, map, 0, 40);
    EXPECT_EQ(titles(books_poetry).last(), u"t2"_s);
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

// Collection and category maps do not mix, and the top map takes nothing (silently).
TEST_F(DropBetween, CollectionAndCategoryMapsDoNotMixAndTheTopMapTakesNothing) {
    add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s);
    MapItems books = load(u"Books"_s);
    MapItems films = load(u"Media: Films"_s);
    MapItems top = load(u"Top map"_s);
    const QStringList before = dump();
    drop_between(ctx, books.identity(), drag_of(books, u"Poetry"_s), films);
    drop_between(ctx, films.identity(), drag_of(films, u"Amarcord"_s), books);
    EXPECT_FALSE(drop_between(ctx, films.identity(), drag_of(films, u"Amarcord"_s), top).any());
    const QString refusal = u"Drag/drop is not allowed between a collection map and a non-collection map."_s;
    EXPECT_EQ(shown_texts(), (QStringList{refusal, refusal}));
    EXPECT_EQ(dump(), before);
}

TEST_F(DropBetween, CategoryMovesBetweenCollectionMaps) {
    add(u"Books"_s, u"L'été [1]"_s, u"Camus"_s);
    add(u"Books"_s, u"L'été [1]"_s, u"Gide"_s);
    add(u"Books"_s, u"Novels"_s, u"Emma"_s);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s);
    MapItems books = load(u"Books"_s);
    MapItems media = load(u"Media"_s);
    const EditOutcome outcome = drop_between(ctx, books.identity(), drag_of(books, u"L'été [1]"_s), media);
    EXPECT_EQ(rows(u"collection='Media' and cat='L''été [1]'"_s), 2);
    EXPECT_EQ(rows(u"collection='Books'"_s), 1);
    EXPECT_TRUE(outcome.reload && outcome.refresh_other_maps && outcome.refresh_tables);
}

TEST_F(DropBetween, ItemMovesFirstIntoTheTargetWhoseFillersGiveWay) {
    const qint64 dante = add(u"Books"_s, u"Poetry"_s, u"Dante"_s, {}, 1);
    add(u"Books"_s, u"Poetry"_s, u"Tasso"_s, {}, 2);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s, {}, 1);
    add(u"Media"_s, u"Films"_s, u"Nostalghia"_s, {}, 2);
    add_filler(u"Media"_s, u"Films"_s);
    MapItems poetry = load(books_poetry);
    MapItems films = load(u"Media: Films"_s);
    const EditOutcome outcome = drop_between(ctx, poetry.identity(), drag_of(poetry, u"Dante"_s), films);

    EXPECT_EQ(titles(u"Media: Films"_s), (QStringList{u"Dante"_s, u"Amarcord"_s, u"Nostalghia"_s}));
    EXPECT_EQ(titles(books_poetry), QStringList{u"Tasso"_s});
    EXPECT_EQ(column(dante, u"seq"_s).toDouble(), 1) << "positions written after the drop";
    EXPECT_TRUE(outcome.reload);
    EXPECT_EQ(outcome.select_item, dante);
    EXPECT_EQ(outcome.refresh_window, 7);
    EXPECT_TRUE(outcome.refresh_tables);
}

TEST_F(DropBetween, ShiftCopiesTitleContentAndDatesAndLeavesTheSource) {
    Row row(u"Books"_s, u"Poetry"_s, u"Dante's *"_s, u"é'[?*"_s.repeated(1024 * 1024 / 5));
    row.expiry = QDateTime(QDate(2026, 5, 1), QTime(12, 30));
    row.remind = QDateTime(QDate(2026, 4, 30), QTime(8, 0));
    row.mark = u"M"_s;
    const qint64 source = add(row);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s, {}, 1);
    MapItems poetry = load(books_poetry);
    MapItems films = load(u"Media: Films"_s);
    const QStringList source_row = dump().filter(u"Dante's *"_s).mid(0, 1);
    const EditOutcome outcome =
        drop_between(ctx, poetry.identity(), drag_of(poetry, u"Dante's *"_s, true), films);

    ASSERT_NE(outcome.select_item, 0);
    ASSERT_NE(outcome.select_item, source);
    const qint64 copy = outcome.select_item;
    EXPECT_EQ(column(copy, u"collection"_s).toString(), u"Media"_s);
    EXPECT_EQ(column(copy, u"cat"_s).toString(), u"Films"_s);
    EXPECT_EQ(column(copy, u"item_content"_s).toString(), row.content);
    EXPECT_EQ(date_column(copy, u"date_expiry"_s), row.expiry);
    EXPECT_EQ(date_column(copy, u"date_remind"_s), row.remind);
    EXPECT_EQ(titles(u"Media: Films"_s), (QStringList{u"Dante's *"_s, u"Amarcord"_s}));
    EXPECT_EQ(dump().filter(u"Dante's *"_s).mid(0, 1), source_row) << "the source is untouched";
}

// Only the agenda's "tomorrow" map dates what arrives: due and reminded tomorrow. A copy leaves
// the source's dates alone; a "tomorrow" map of another collection keeps the dates it is given.
TEST_F(DropBetween, AgendaTomorrowMakesWhatArrivesDueTomorrow) {
    tc.clock.set(QDateTime(QDate(2026, 12, 31), QTime(22, 15, 7)));
    const QDateTime june(QDate(2026, 6, 1), QTime(9, 0));
    const QDateTime new_year(QDate(2027, 1, 1), QTime(0, 0));
    const qint64 dante = add(Row{u"Books"_s, u"Poetry"_s, u"Read Dante"_s, {}, {}, june, june, june, {}, {}});
    const qint64 tasso = add(Row{u"Books"_s, u"Poetry"_s, u"Read Tasso"_s, {}, {}, june, {}, {}, {}, {}});
    add(u"Media"_s, u"tomorrow"_s, u"Film"_s);
    add_filler(u"Agenda"_s, u"Tomorrow"_s);
    MapItems poetry = load(books_poetry);
    MapItems media = load(u"Media: tomorrow"_s);
    const EditOutcome elsewhere =
        drop_between(ctx, poetry.identity(), drag_of(poetry, u"Read Tasso"_s, true), media);
    EXPECT_EQ(date_column(elsewhere.select_item, u"date_expiry"_s), june);

    MapItems agenda = load(u"Agenda: Tomorrow"_s);
    const EditOutcome copied =
        drop_between(ctx, poetry.identity(), drag_of(poetry, u"Read Tasso"_s, true), agenda);
    EXPECT_EQ(date_column(copied.select_item, u"date_expiry"_s), new_year);
    EXPECT_EQ(date_column(tasso, u"date_expiry"_s), june) << "the source keeps its date";

    agenda = load(u"Agenda: Tomorrow"_s);
    drop_between(ctx, poetry.identity(), drag_of(poetry, u"Read Dante"_s), agenda);
    EXPECT_EQ(date_column(dante, u"date_expiry"_s), new_year);
    EXPECT_EQ(date_column(dante, u"date_remind"_s), new_year);
    EXPECT_FALSE(date_column(dante, u"date_notified"_s));
    EXPECT_EQ(titles(u"Agenda: Tomorrow"_s), (QStringList{u"Read Dante"_s, u"Read Tasso"_s}));
}

TEST_F(DropBetween, ItemDeletedMeanwhileIsReportedAndNothingWritten) {
    const qint64 nr = add(u"Books"_s, u"Poetry"_s, u"Dante"_s);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s);
    add_filler(u"Media"_s, u"Films"_s);
    MapItems poetry = load(books_poetry);
    MapItems films = load(u"Media: Films"_s);
    const DragPayload drag = drag_of(poetry, u"Dante"_s);
    db().exec(u"delete from repos where item_nr="_s + QString::number(nr));
    const QStringList before = dump();
    drop_between(ctx, poetry.identity(), drag, films);
    EXPECT_EQ(shown_texts(), QStringList{u"Error 2000 09 11 1750"_s});
    EXPECT_EQ(dump(), before);
}

} // namespace

namespace {

// ---------------------------------------------------------------- failures half-way

// The engine refuses to write one row, after others have been written in the same command.
class HalfWayFailure : public EditFixture {
protected:
    void refuse_updates_of(const QString& title) {
        db().exec(u"create trigger refuse before update on repos when old.item_title='"_s + title +
                  u"' begin select raise(abort, 'refused'); end"_s);
    }
};

// Each command that writes several rows, refused on a row after others are written: nothing
// stays written, the user is told, and the window keeps the order it showed.
TEST_F(HalfWayFailure, CommandsWritingSeveralRowsWriteNothing) {
    double seq = 0;
    for (const char* title : {"d", "c", "b", "a"})
        add(u"Books"_s, u"Poetry"_s, QString::fromUtf8(title), {}, ++seq);
    add(u"Media"_s, u"Films"_s, u"Amarcord"_s, {}, 1);
    add_filler(u"Media"_s, u"Films"_s);
    const auto drag_first = [](const MapItems& map) {
        DragPayload drag;
        drag.item_nr = map.item(0).item_nr;
        drag.title = map.item(0).title;
        drag.source_window = 2;
        return drag;
    };
    const struct {
        const char* command;
        const char* refused; // the row whose update fails, written after others
        std::function<EditOutcome(MapItems&)> run;
    } cases[] = {
        {"drop within", "b", [&](MapItems& map) { return drop_within(ctx, map, 3, 0); }},
        {"sort", "b", [&](MapItems& map) { return sort_by_text(ctx, map, 0); }},
        {"add item", "b",
         [&](MapItems& map) {
             script.answer("Dante");
             return add_item(ctx, map, 0);
         }},
        // Moving "d" succeeds; writing the positions of the target fails.
        {"drop between", "Amarcord",
         [&](MapItems& map) {
             MapItems films = load(u"Media: Films"_s);
             return drop_between(ctx, map.identity(), drag_first(map), films);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        script.clear();
        db().exec(u"drop trigger if exists refuse"_s);
        refuse_updates_of(QString::fromUtf8(c.refused));
        MapItems map = load(books_poetry);
        const QStringList before = dump();
        EXPECT_FALSE(c.run(map).any());
        EXPECT_EQ(dump(), before);
        ASSERT_FALSE(shown_texts().isEmpty());
        EXPECT_TRUE(shown_texts().last().startsWith(u"Error "_s)) << shown_texts().last().toStdString();
        EXPECT_TRUE(shown_texts().last().endsWith(u"refused"_s)) << shown_texts().last().toStdString();
        EXPECT_EQ(entry_titles(map), (QStringList{u"d"_s, u"c"_s, u"b"_s, u"a"_s}));
    }
}

} // namespace

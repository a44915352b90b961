// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "maps/links.h"
#include "maps/map_edit_support.h"
#include "maps/map_export.h"
#include "support/db_fixtures.h"
#include "table/table_bulk_editing.h"

#include <QDir>
#include <QFile>

using namespace table_edit;

namespace {

class BulkReplace : public TableEditFixture {};

TEST_F(BulkReplace, CategoryMovesEveryItemOfTheCollectionsCategory) {
    const qint64 a = add("Books", "Kid's", "Emma");
    const qint64 b = add("Books", "kid's", "Ulysses");
    const qint64 poetry = add("Books", "Poetry", "Odes");
    const qint64 media = add("Media", "Kid's", "Film");
    script.answer(" Kid's ");
    script.answer(" Novels' * ");
    const BulkOutcome outcome = bulk_replace_category(ctx, "Books", "Kid's");
    ASSERT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.rows, 2);
    ASSERT_EQ(script.shown().size(), 2u);
    EXPECT_EQ(script.shown()[1].text, "New category?");
    EXPECT_EQ(prompter.input_defaults.front(), "Kid's");
    // The new value is stored as typed, apostrophe and asterisk included.
    for (const qint64 moved : {a, b})
        EXPECT_EQ(column(moved, "cat").toString(), "Novels' *");
    EXPECT_EQ(column(poetry, "cat").toString(), "Poetry");
    EXPECT_EQ(column(media, "cat").toString(), "Kid's");
    EXPECT_EQ(outcome.old_value, "Kid's");
    EXPECT_EQ(outcome.new_value, "Novels' *");
    EXPECT_EQ(outcome.rename.old_map, "Books: Kid's");
    EXPECT_EQ(outcome.rename.new_map, "Books: Novels' *");
}

TEST_F(BulkReplace, EmptyAnswersOrMissingCollectionChangeNothing) {
    add("Books", "Novels", "Emma");
    const QStringList before = dump();
    script.answer(std::optional<QString>());
    EXPECT_FALSE(bulk_replace_category(ctx, "Books", "Novels").changed);
    script.answer("Novels");
    script.answer("   ");
    EXPECT_FALSE(bulk_replace_category(ctx, "Books", "Novels").changed);
    script.answer("  ");
    EXPECT_FALSE(bulk_replace_collection(ctx, "Books", "Novels").changed);
    script.clear();
    EXPECT_FALSE(bulk_replace_category(ctx, " ", "Novels").changed);
    EXPECT_FALSE(bulk_replace_collection(ctx, QString(), "Novels").changed);
    EXPECT_EQ(shown_texts(), QStringList({"Error 2000 09 20 1400", "Error 2000 09 20 1400"}));
    EXPECT_EQ(dump(), before);
}

TEST_F(BulkReplace, CollectionMovesOneCategory) {
    const qint64 novel = add("Books", "Novels", "Emma");
    const qint64 poetry = add("Books", "Poetry", "Odes");
    script.answer("books");
    script.answer("O'Media");
    const BulkOutcome outcome = bulk_replace_collection(ctx, "Books", "Novels");
    ASSERT_TRUE(outcome.changed);
    EXPECT_EQ(script.shown()[1].text, "New collection?");
    EXPECT_EQ(prompter.input_defaults.front(), "Books");
    EXPECT_EQ(column(novel, "collection").toString(), "O'Media");
    EXPECT_EQ(column(poetry, "collection").toString(), "Books");
    // The names the map windows carry: the collection spelt as the collection table spells it.
    EXPECT_EQ(outcome.rename.old_map, "Books: Novels");
    EXPECT_EQ(outcome.rename.new_map, "O'Media: Novels");
}

TEST(MapRenameFollowing, OnlyTheWindowsOfTheOldMapFollow) {
    const MapRename rename{"Books: novels", "Books: Fiction", "Books", "Fiction"};
    EXPECT_EQ(followed_map_name("Books: Novels", rename), "Books: Fiction");
    EXPECT_EQ(followed_map_name(" BOOKS: NOVELS ", rename), "Books: Fiction");
    EXPECT_FALSE(followed_map_name("Books: Novels 2", rename));
    EXPECT_FALSE(followed_map_name("Books", rename));
    EXPECT_FALSE(followed_map_name("Books: Novels", MapRename{}));
}

TEST_F(BulkReplace, MapParametersGoWithTheRenamedMapUnlessItHasItsOwn) {
    set_gen_param(db(), "unrelated", "1");
    db().exec(QStringLiteral("insert into map_params (colcat, param, value) values "
                             "('Books: Novels', '#nr_columns', '3'), ('Books: Novels', '#start_map', '-1'), "
                             "('Books: Poetry', '#nr_columns', '5')"));
    move_map_parameters(db(), "Books: Novels", "Books: Fiction");
    EXPECT_EQ(get_map_param(db(), "Books: Fiction", "#nr_columns"), "3");
    EXPECT_EQ(get_map_param(db(), "Books: Fiction", "#start_map"), "-1");
    EXPECT_EQ(db().scalar("select count(*) from map_params where colcat='Books: Novels'").toInt(), 0);

    // Into a map that has parameters: those stay, the moved map's are dropped.
    move_map_parameters(db(), "Books: Fiction", "Books: Poetry");
    EXPECT_EQ(get_map_param(db(), "Books: Poetry", "#nr_columns"), "5");
    EXPECT_TRUE(get_map_param(db(), "Books: Poetry", "#start_map").isEmpty());
    EXPECT_EQ(db().scalar("select count(*) from map_params").toInt(), 1);
}

// ---------------------------------------------------------------- filtered records

class FilteredRecords : public TableEditFixture {
protected:
    const QString books = "select * from repos where collection='Books'";
};

TEST_F(FilteredRecords, DeleteAllAsksWithTheCountAndDeletesInOneGo) {
    for (const char* title : {"a", "b", "c"})
        add("Books", "Novels", QString::fromUtf8(title));
    add("Media", "Films", "kept");
    script.answer(false);
    EXPECT_EQ(delete_all_filtered(ctx, books), 0);
    EXPECT_EQ(last_shown().text, "3 records will be deleted. Proceed?");
    EXPECT_FALSE(last_shown().default_yes);
    EXPECT_EQ(rows(), 4);
    script.answer(true);
    EXPECT_EQ(delete_all_filtered(ctx, books), 3);
    EXPECT_EQ(rows(), 1);
    script.clear();
    EXPECT_EQ(delete_all_filtered(ctx, books), 0); // nothing left: no question
    EXPECT_TRUE(script.shown().empty());
}

TEST_F(FilteredRecords, DeleteAllWritesNothingWhenOneDeletionFails) {
    add("Books", "Novels", "a");
    add("Books", "Novels", "locked");
    db().exec(QStringLiteral("create trigger keep before delete on repos when old.item_title='locked' begin "
                             "select raise(abort, 'kept'); end"));
    script.answer(true);
    EXPECT_EQ(delete_all_filtered(ctx, books), 0);
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(shown_texts().back().startsWith("Error "));
}

TEST(BracketedNumbers, AddsTheNumbersBetweenBrackets) {
    const struct {
        const char* text;
        double total;
        const char* too_long; // nullptr when every number fits
    } cases[] = {
        {"no brackets", 0, nullptr},
        {"[1] and [2.5]", 3.5, nullptr},
        {"[x] [ 4 ] [] [-2]", 2, nullptr},
        {"[a [3] b]", 3, nullptr},
        {"[123456789012345]", 123456789012345.0, nullptr},
        {"[5] [1234567890123456] [7]", 5, "1234567890123456"},
        {"[a text longer than fifteen]", 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double total = 0;
        const auto too_long = add_bracketed_numbers(c.text, total);
        EXPECT_EQ(too_long, c.too_long ? std::optional<QString>(c.too_long) : std::nullopt);
        EXPECT_DOUBLE_EQ(total, c.total);
    }
}

TEST_F(FilteredRecords, SumShowsTheTotalOfTitlesAndContents) {
    add("Books", "Novels", "Emma [1000]", "[234]");
    add("Books", "Novels", "Persuasion", "[x][0.4]");
    add("Media", "Films", "[99999]");
    const auto total = sum_numbers_in_square_brackets(ctx, books);
    ASSERT_TRUE(total);
    EXPECT_NEAR(*total, 1234.4, 1e-9);
    EXPECT_EQ(shown_texts(), QStringList({"Total = 1,234"}));
    add("Books", "Novels", "[1]", "[1234567890123456]");
    EXPECT_FALSE(sum_numbers_in_square_brackets(ctx, books));
    EXPECT_EQ(shown_texts().back(), "Number too long: 1234567890123456");
}

TEST_F(FilteredRecords, ExportWritesTheRowsAndOpensTheDocument) {
    const QDateTime second_of_april(QDate(2026, 4, 2), QTime(10, 0));
    add({"Agenda", "Work", "Report", " first line\nsecond line ", {}, second_of_april});
    add("Agenda", "Work", "Call");
    QDir().mkpath(ctx.program_dir);
    ASSERT_TRUE(export_filtered_items(
        ctx, "select item_title, item_content, date_expiry from repos order by item_nr", "Agenda"));
    const QString path = ctx.program_path(export_file_name());
    EXPECT_EQ(tc.desktop.opened, QStringList({path}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(written.contains("-- Report 02/Apr/26\n   first line\n   second line\n-- Call"));
}

// ---------------------------------------------------------------- sequence and separators

class Sequences : public TableEditFixture {};

TEST_F(Sequences, SortingFollowsTitleThenContent) {
    add("Books", "Novels", "b", {}, 1);
    add("Books", "Novels", "a", "2", 2);
    add("Books", "Novels", "A", "1", 3);
    add("Books", "Poetry", "z", {}, 1);
    add("Books", "Poetry", "y", {}, 2);
    EXPECT_EQ(sort_current_cat(ctx, "Books", "novels"), 2); // "a" stays 2
    EXPECT_EQ(seqs("Books", "Novels"), QStringList({"A=1", "a=2", "b=3"}));
    EXPECT_EQ(seqs("Books", "Poetry"), QStringList({"z=1", "y=2"}));
    EXPECT_EQ(sort_all_cat(ctx, "Books"), 2);
    EXPECT_EQ(seqs("Books", "Poetry"), QStringList({"y=1", "z=2"}));
    EXPECT_EQ(seqs("Books", "Novels"), QStringList({"A=1", "a=2", "b=3"}));
}

TEST_F(Sequences, SeparatorsOnePerCategoryAndOnlyTheirOwnFormRemoved) {
    add("Books", "Novels", "Emma");
    add("Books", "Poetry", "Odes");
    add("Books", "Poetry", " _____ almost");
    add("Books", "Poetry", "_____ no blank _____");
    add("Media", "Films", map_edit::separator_title("Films"));
    ASSERT_TRUE(insert_separators(ctx, "Books"));
    EXPECT_EQ(rows("item_title like ' _____ * _____'"), 3);
    EXPECT_EQ(titles_in("Books", "Novels"), QStringList({"Emma", " _____ Novels _____"}));

    add("Books", "Essays", "On liberty");
    ASSERT_TRUE(insert_separators(ctx, "Books"));
    for (const char* cat : {"Novels", "Poetry", "Essays"})
        EXPECT_EQ(rows(QStringLiteral("collection='Books' and cat='%1' and item_title=' _____ %1 _____'")
                           .arg(QLatin1String(cat))),
                  1)
            << cat;

    ASSERT_TRUE(remove_separators(ctx, "Books"));
    EXPECT_EQ(rows("collection='Books' and item_title like '*_____*'"), 2); // not separators
    EXPECT_EQ(rows("collection='Media'"), 1);
    EXPECT_TRUE(shown_texts().isEmpty());

    EXPECT_FALSE(insert_separators(ctx, "  "));
    EXPECT_EQ(shown_texts(), QStringList({"Error 2000 09 20 1445"}));
}

// ---------------------------------------------------------------- dragging a row

class RowDrop : public TableEditFixture {
protected:
    QStringList order(const QString& collection, const QString& cat) {
        QStringList result;
        for (const QString& entry : seqs(collection, cat))
            result.append(entry.section(QLatin1Char('='), 0, 0));
        return result;
    }
};

TEST_F(RowDrop, WithinTheMapTheDraggedRowTakesTheTargetsPlace) {
    add("Books", "Novels", "A", {}, 1);
    const qint64 b = add("Books", "Novels", "B", {}, 2);
    add("Books", "Novels", "C", {}, 3);
    const qint64 d = add("Books", "Novels", "D", {}, 4);
    EXPECT_EQ(drop_row(ctx, d, b), DropResult::Moved);
    EXPECT_EQ(order("Books", "Novels"), QStringList({"A", "D", "B", "C"}));
    EXPECT_TRUE(script.shown().empty());
    EXPECT_EQ(drop_row(ctx, b, b), DropResult::Nothing);
}

TEST_F(RowDrop, AnotherMapIsConfirmedFirst) {
    const struct {
        QString collection;
        QString cat;
        QString question;
    } cases[] = {
        {"Media", "Novels", "Collection will be changed from \"Books\" to \"Media\". Proceed?"},
        {"Books", "Poetry", "Category will be changed from \"Novels\" to \"Poetry\". Proceed?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question.toStdString());
        const qint64 dragged = add("Books", "Novels", "Emma", {}, 1);
        add(c.collection, c.cat, "first", {}, 1);
        const qint64 target = add(c.collection, c.cat, "second", {}, 2);
        const QStringList before = dump();
        script.answer(false);
        EXPECT_EQ(drop_row(ctx, dragged, target), DropResult::Declined);
        EXPECT_EQ(last_shown().text, c.question);
        EXPECT_EQ(dump(), before);
        script.answer(true);
        EXPECT_EQ(drop_row(ctx, dragged, target), DropResult::Moved);
        EXPECT_EQ(order(c.collection, c.cat), QStringList({"first", "Emma", "second"}));
        EXPECT_EQ(rows("collection='Books' and cat='Novels'"), 0);
    }
}

TEST_F(RowDrop, JournalRowsAndVanishedRowsRefuse) {
    const qint64 dragged = add("Books", "Novels", "Emma");
    const qint64 entry = add("Journal", "2026", "01/01/26");
    EXPECT_EQ(drop_row(ctx, dragged, entry), DropResult::Nothing);
    ctx.collections.at(6).name = "Diary";
    const qint64 diary = add("Diary", "2026", "02/01/26");
    EXPECT_EQ(drop_row(ctx, dragged, diary), DropResult::Nothing);
    EXPECT_EQ(drop_row(ctx, dragged, entry), DropResult::Nothing);
    EXPECT_EQ(rows("collection='Books'"), 1);
    EXPECT_EQ(drop_row(ctx, dragged, entry + 100), DropResult::Failed);
    EXPECT_EQ(shown_texts(), QStringList({item_vanished_message}));
}

// ---------------------------------------------------------------- cells of the grid

class GridCells : public TableEditFixture {};

TEST_F(GridCells, TextColumnsAreWrittenAndDateColumnsRefused) {
    const qint64 item = add("Agenda", "Work", "Call");
    for (int column = 8; column <= 10; ++column) {
        EXPECT_FALSE(column_editable(column));
        EXPECT_FALSE(write_cell(ctx, view(1), item, column, "x"));
    }
    EXPECT_EQ(shown_texts().back(),
              QStringLiteral("This column cannot be edited directly on the row. You should "
                             "use the \"edit\" function."));
    script.clear();
    EXPECT_TRUE(write_cell(ctx, view(1), item, 6, " Call Ann "));
    EXPECT_TRUE(write_cell(ctx, view(1), item, 3, QString()));
    EXPECT_TRUE(write_cell(ctx, view(1), item, 4, "12"));
    EXPECT_TRUE(write_cell(ctx, view(1), item, 5, "3"));
    EXPECT_TRUE(write_cell(ctx, view(1), item, 7, "O'Hara's number"));
    EXPECT_EQ(column(item, "item_title").toString(), "Call Ann");
    EXPECT_TRUE(column(item, "mark").isNull());
    EXPECT_EQ(column(item, "item_id").toDouble(), 12.0);
    EXPECT_EQ(column(item, "seq").toDouble(), 3.0);
    EXPECT_EQ(column(item, "item_content").toString(), "O'Hara's number");
    EXPECT_TRUE(script.shown().empty());
}

TEST_F(GridCells, BadCellsAreRefusedWithTheSavesMessages) {
    const qint64 item = add("Books", "Novels", "Emma");
    Statement id = db().prepare("update repos set item_id=3 where item_nr=?");
    id.bind(1, item);
    id.next();
    const QStringList before = dump();
    EXPECT_FALSE(write_cell(ctx, view(7, "Author"), item, 6, "  "));
    EXPECT_FALSE(write_cell(ctx, view(7), item, 4, "three"));
    EXPECT_FALSE(write_cell(ctx, view(7), item, 4, QString()));
    EXPECT_FALSE(write_cell(ctx, view(7), item, 5, "first"));
    EXPECT_FALSE(write_cell(ctx, view(7), item, 1, QString()));
    EXPECT_FALSE(write_cell(ctx, view(7), item + 1, 6, "x"));
    EXPECT_EQ(shown_texts(), QStringList({"\"Author\" should not be empty.", "\"Id\" should be numeric.",
                                          "\"Id\" should not be empty.", "\"Seq\" should be numeric.",
                                          "Collection should not be empty.", item_vanished_message}));
    EXPECT_EQ(dump(), before);
}

// ---------------------------------------------------------------- other commands

class OtherCommands : public TableEditFixture {};

TEST_F(OtherCommands, ItemsFromTheContentOfTheCurrentRecord) {
    const qint64 item = add("Books", "Lists", "To read", "- Emma\n-- Odes, Ulysses\n\n");
    script.answer("books");
    script.answer("Reading");
    const EditOutcome outcome = create_items_from_record(ctx, *load_record(db(), item));
    EXPECT_EQ(outcome.open_map, "Books: Reading");
    EXPECT_TRUE(outcome.refresh_tables);
    EXPECT_EQ(titles_in("Books", "Reading"), QStringList({"Emma", "Odes", "Ulysses"}));

    script.answer("All collections");
    EXPECT_FALSE(create_items_from_record(ctx, *load_record(db(), item)).any());
    EXPECT_EQ(shown_texts().back(), "Only collection should be selected.");
}

TEST_F(OtherCommands, StartMapFlagToggles) {
    const QString map = "Books: Novels";
    EXPECT_FALSE(is_start_map(ctx, map));
    EXPECT_TRUE(toggle_start_map(ctx, map));
    EXPECT_EQ(get_map_param(db(), map, "#start_map"), "-1");
    EXPECT_FALSE(toggle_start_map(ctx, map));
    EXPECT_TRUE(get_map_param(db(), map, "#start_map").isEmpty());
}

} // namespace

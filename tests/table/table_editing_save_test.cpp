// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/links.h"
#include "support/db_fixtures.h"
#include "table/table_editing.h"

using namespace table_edit;

namespace {

const QDateTime day(int d, int h = 9) {
    return QDateTime(QDate(2026, 5, d), QTime(h, 0));
}

struct CheckCase {
    const char* name;
    int position;
    EditRecord record;
    const char* message; // nullptr: every check passes
    EditField field;
};

EditRecord filled(int position) {
    EditRecord r;
    CollectionTable collections;
    collections.init_collections();
    r.collection = position == 45 ? "Books" : collections.at(position).name;
    r.cat = "Mix";
    r.title = position == 6 ? "14/03/26 09:00" : "1999";
    r.item_id = "3";
    return r;
}

template <class Change> EditRecord with(int position, Change change) {
    EditRecord r = filled(position);
    change(r);
    return r;
}

std::vector<CheckCase> check_cases() {
    const QDateTime invalid;
    return {
        {"complete_record_passes", 7, filled(7), nullptr, EditField::None},
        {"expiry_on_remind_off", 1, with(1, [](auto& r) { r.expiry = day(3); }),
         "Date remind must be filled.", EditField::Remind},
        {"remind_on_expiry_off", 44, with(44, [](auto& r) { r.remind = day(3); }),
         "Date aexipry must be filled.", EditField::Expiry},
        {"remind_not_a_date", 1, with(1, [&](auto& r) { r.remind = invalid, r.expiry = day(3); }),
         "Date remind is not valid.", EditField::Remind},
        {"remind_after_expiry", 45, with(45, [](auto& r) { r.remind = day(4), r.expiry = day(3); }),
         "Date remind is later than date expiry.", EditField::Remind},
        {"remind_equal_expiry_passes", 1, with(1, [](auto& r) { r.remind = r.expiry = day(3); }), nullptr,
         EditField::None},
        {"dates_ignored_outside_date_positions", 2,
         with(2, [](auto& r) { r.remind = day(4), r.expiry = day(3); }), nullptr, EditField::None},
        {"journal_title_not_a_date", 6, with(6, [](auto& r) { r.title = "yesterday"; }),
         "\"yesterday\" is not a valid date", EditField::Title},
        {"id_empty_in_books", 7, with(7, [](auto& r) { r.item_id.clear(); }), "\"Id\" should not be empty.",
         EditField::ItemId},
        {"id_not_numeric_in_media", 8, with(8, [](auto& r) { r.item_id = "12b"; }),
         "\"Id\" should be numeric.", EditField::ItemId},
        {"id_empty_elsewhere_passes", 5, with(5, [](auto& r) { r.item_id.clear(); }), nullptr,
         EditField::None},
        {"title_empty", 2, with(2, [](auto& r) { r.title.clear(); }), "\"Title\" should not be empty.",
         EditField::Title},
        {"category_empty", 2, with(2, [](auto& r) { r.cat.clear(); }), "Category should not be empty.",
         EditField::Cat},
        {"year_not_numeric", 11, with(11, [](auto& r) { r.title = "MCM"; }), "\"Year\" should be numeric.",
         EditField::Title},
        {"unknown_collection_in_all_collections", 45, with(45, [](auto& r) { r.collection = "Nowhere"; }),
         "Collection is not valid.", EditField::Collection},
        // The first failing check answers.
        {"dates_before_id", 45, with(45, [](auto& r) { r.expiry = day(3), r.item_id = "x"; }),
         "Date remind must be filled.", EditField::Remind},
        {"id_before_title", 7, with(7, [](auto& r) { r.item_id.clear(), r.title.clear(); }),
         "\"Id\" should not be empty.", EditField::ItemId},
        {"category_before_year", 11, with(11, [](auto& r) { r.cat.clear(), r.title = "x"; }),
         "Category should not be empty.", EditField::Cat},
    };
}

class CheckOrder : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckOrder, FirstFailingCheckAnswers) {
    const CheckCase& c = GetParam();
    CollectionTable collections;
    collections.init_collections();
    TableEditView v;
    v.position = c.position;
    v.collection_name = collections.at(c.position).name;
    v.title_caption = "Title";
    const auto failure = check_record(collections, v, c.record);
    if (!c.message) {
        EXPECT_FALSE(failure) << failure->message.toStdString();
        return;
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, QString::fromUtf8(c.message));
    EXPECT_EQ(failure->field, c.field);
}

INSTANTIATE_TEST_SUITE_P(TableEditing, CheckOrder, ::testing::ValuesIn(check_cases()),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

// ---------------------------------------------------------------- the save routine

class CheckSave : public TableEditFixture {};

TEST_F(CheckSave, NothingPendingGoesOnWithoutAsking) {
    EditRecord r = record(QString(), QString(), QString());
    for (const EditMode mode : {EditMode::Idle, EditMode::Find, EditMode::Delete}) {
        const SaveOutcome outcome = check_before_save(ctx, view(2), mode, r, true);
        EXPECT_TRUE(outcome.go_on);
        EXPECT_FALSE(outcome.saved);
    }
    EXPECT_TRUE(script.shown().empty());
}

TEST_F(CheckSave, AskedAndDeclinedDropsTheChange) {
    EditRecord r = record("Books", "Novels", "  Emma ");
    script.answer(false);
    const SaveOutcome outcome = check_before_save(ctx, view(7), EditMode::Insert, r, true);
    EXPECT_TRUE(outcome.go_on);
    EXPECT_TRUE(outcome.dropped);
    EXPECT_FALSE(outcome.saved);
    ASSERT_EQ(script.shown().size(), 1u);
    EXPECT_EQ(last_shown().kind, "yes_no");
    EXPECT_EQ(last_shown().text, "Do you want to save record \"Emma\"?");
    EXPECT_EQ(rows(), 0);
}

TEST_F(CheckSave, RefusedCheckKeepsTheModeAndWritesNothing) {
    EditRecord r = record("Books", "Novels", "Emma");
    r.item_id = "twelve";
    script.answer(true);
    const SaveOutcome outcome = check_before_save(ctx, view(7), EditMode::Insert, r, true);
    EXPECT_FALSE(outcome.go_on);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.focus, EditField::ItemId);
    EXPECT_EQ(shown_texts().back(), "\"Id\" should be numeric.");
    EXPECT_EQ(r.item_id, "twelve"); // the field as typed
    EXPECT_EQ(rows(), 0);
}

TEST_F(CheckSave, InsertWritesTheTrimmedFieldsAndNumbersTheMap) {
    add("Books", "Novels", "Persuasion", {}, 7);
    EditRecord r = record(" Books ", " Novels", " Emma ", "  a novel \n");
    r.item_id = " 4 ";
    const SaveOutcome outcome = check_before_save(ctx, view(7), EditMode::Insert, r, false);
    ASSERT_TRUE(outcome.saved);
    EXPECT_TRUE(outcome.go_on);
    EXPECT_TRUE(outcome.inserted);
    EXPECT_EQ(outcome.map_name, "Books: Novels");
    EXPECT_EQ(r.title, "Emma");
    EXPECT_EQ(r.item_nr, outcome.item_nr);
    EXPECT_EQ(column(outcome.item_nr, "item_title").toString(), "Emma");
    EXPECT_EQ(column(outcome.item_nr, "item_content").toString(), "a novel");
    EXPECT_EQ(column(outcome.item_nr, "item_id").toDouble(), 4.0);
    EXPECT_TRUE(column(outcome.item_nr, "mark").isNull()); // empty mark stored as Null
    // The new item had no seq and sorts first; the map is numbered again.
    EXPECT_EQ(seqs("Books", "Novels"), QStringList({"Emma=1", "Persuasion=2"}));
    EXPECT_TRUE(script.shown().empty());
}

TEST_F(CheckSave, DuplicateDeclinedKeepsTheInsertPending) {
    const qint64 old = add("Books", "Novels", "Emma", "first edition");
    const QStringList before = dump();
    EditRecord r = record("Books", "novels", "EMMA", "second edition");
    r.item_id = "2";
    script.answer(false);
    const SaveOutcome outcome = check_before_save(ctx, view(7, "Author"), EditMode::Insert, r, false);
    EXPECT_FALSE(outcome.go_on);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(last_shown().text, "Item EMMA already exists. Replace it?");
    EXPECT_FALSE(last_shown().default_yes);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(column(old, "item_content").toString(), "first edition");
}

TEST_F(CheckSave, DuplicateReplacedKeepsTheOldItemNumber) {
    const qint64 old = add({"Agenda", "Kid's", "O'Brien", "old", {}, {}, {}, day(1), "x"});
    add("Agenda", "Kid's", "Other");
    EditRecord r = record("Agenda", "Kid's", "O'Brien", "new");
    r.remind = day(2);
    r.expiry = day(5);
    script.answer(true);
    const SaveOutcome outcome = check_before_save(ctx, view(1), EditMode::Insert, r, false);
    ASSERT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.item_nr, old);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(column(old, "item_content").toString(), "new");
    EXPECT_TRUE(column(old, "mark").isNull());
    EXPECT_TRUE(column(old, "date_notified").isNull());
    EXPECT_EQ(date_column(old, "date_expiry"), day(5));
    EXPECT_EQ(date_column(old, "date_remind"), day(2));
}

TEST_F(CheckSave, EditWritesTheRowAndSwitchedOffPickersStoreNull) {
    const qint64 item_nr = add({"Agenda", "Work", "Report", {}, {}, day(9), day(8), day(8, 10)});
    std::optional<EditRecord> r = load_record(db(), item_nr);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->expiry, day(9));
    r->title = "Final report";
    r->expiry.reset();
    r->remind.reset();
    const SaveOutcome outcome = check_before_save(ctx, view(1), EditMode::Edit, *r, false);
    ASSERT_TRUE(outcome.saved);
    EXPECT_FALSE(outcome.inserted);
    EXPECT_EQ(outcome.item_nr, item_nr);
    EXPECT_EQ(column(item_nr, "item_title").toString(), "Final report");
    EXPECT_TRUE(column(item_nr, "date_expiry").isNull());
    EXPECT_TRUE(column(item_nr, "date_remind").isNull());
    // An edit leaves the notification as it was.
    EXPECT_EQ(date_column(item_nr, "date_notified"), day(8, 10));
}

TEST_F(CheckSave, EditOutsideTheDatePositionsLeavesTheDates) {
    const qint64 item_nr = add({"Books", "Novels", "Emma", {}, {}, day(9)});
    EditRecord r = *load_record(db(), item_nr);
    r.expiry.reset();
    r.item_id = "1";
    ASSERT_TRUE(check_before_save(ctx, view(7), EditMode::Edit, r, false).saved);
    EXPECT_EQ(date_column(item_nr, "date_expiry"), day(9));
}

TEST_F(CheckSave, EditOfAnItemDeletedMeanwhileWritesNothing) {
    const qint64 item_nr = add("Books", "Novels", "Emma");
    EditRecord r = *load_record(db(), item_nr);
    r.item_id = "1";
    db().exec("delete from repos where item_nr=" + QString::number(item_nr));
    const SaveOutcome outcome = check_before_save(ctx, view(7), EditMode::Edit, r, false);
    EXPECT_FALSE(outcome.go_on);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(shown_texts(), QStringList({item_vanished_message}));
    EXPECT_EQ(rows(), 0);
}

TEST_F(CheckSave, FailureAfterTheFirstWriteRollsTheInsertBack) {
    add("Money", "Notes", "Rent", {}, 1);
    // The renumbering that follows the insert fails: the inserted row must not stay.
    db().exec(QStringLiteral("create trigger no_seq before update of seq on repos begin "
                             "select raise(abort, 'seq is locked'); end"));
    EditRecord r = record("Money", "Notes", "Gas");
    const SaveOutcome outcome = check_before_save(ctx, view(5), EditMode::Insert, r, false);
    EXPECT_FALSE(outcome.go_on) << "the insert stays pending";
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(rows(), 1);
    ASSERT_EQ(shown_texts().size(), 1u);
    EXPECT_TRUE(shown_texts()[0].startsWith("Error ")) << shown_texts()[0].toStdString();
    EXPECT_TRUE(shown_texts()[0].contains("seq is locked"));
}

TEST_F(CheckSave, ItemsSavedThroughAllCollectionsAreNotRenumbered) {
    add("All collections", "Mix", "01/01/26", {}, 9);
    EditRecord r = record("All collections", "Mix", "02/01/26");
    ASSERT_TRUE(check_before_save(ctx, view(45), EditMode::Insert, r, false).saved);
    EXPECT_EQ(seqs("All collections", "Mix"), QStringList({"02/01/26=null", "01/01/26=9"}));
}

// ---------------------------------------------------------------- Id numbering and defaults

class IdNumbering : public TableEditFixture {};

TEST_F(IdNumbering, NextIdFollowsTheHighestOfTheCollection) {
    EXPECT_EQ(next_item_id(db(), "Books"), "1");
    add("Books", "Novels", "no id");
    EXPECT_EQ(next_item_id(db(), "Books"), "1");
    for (const double id : {3.0, 12.0, 7.0}) {
        add({"Books", "Essays", QString::number(id), {}, {}, {}, {}, {}, {}, id});
    }
    add({"Media", "Films", "far ahead", {}, {}, {}, {}, {}, {}, 500});
    EXPECT_EQ(next_item_id(db(), "books"), "13");
    EXPECT_EQ(next_item_id(db(), "Media"), "501");
}

TEST(InsertCategory, TheCategoryFilteredToOrMix) {
    struct Case {
        const char* filter;
        bool only_by_category;
        const char* shown;
        const char* proposed;
    };
    const Case cases[] = {
        {"bills", true, "Bills", "Bills"},             // the stored letter case of the row shown
        {" bills ", true, "", "bills"},                // no row: the filter as typed, trimmed
        {"bill", true, "Old bills", "Old bills"},      // a part of the category
        {"", true, "Bills", "Mix"},                    // no filter
        {"bills", false, "Bills", "Mix"},              // OR with other filters: rows of any category
        {"bills or gas", true, "Bills", "Mix"},        // several words
        {"bil*", true, "Bills", "Mix"},                // a pattern
        {"Organ", true, "Organ music", "Organ music"}, // "or" inside a word is no joiner
        {"C[#] R[a]ndom", true, "", "C# Random"},      // a category handed over from a map
        {"[[]draft]", true, "My [draft]", "My [draft]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(table_edit::insert_category(QString::fromUtf8(c.filter), c.only_by_category,
                                              QString::fromUtf8(c.shown)),
                  QString::fromUtf8(c.proposed))
            << c.filter << " / " << c.shown;
}

TEST_F(IdNumbering, InsertDefaultsOfEachKindOfPosition) {
    tc.clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)));
    const EditRecord books = insert_defaults(ctx, view(7), "Money");
    EXPECT_EQ(books.collection, "Books");
    EXPECT_EQ(books.item_id, "1");
    EXPECT_FALSE(books.expiry);

    const EditRecord agenda = insert_defaults(ctx, view(1), {});
    const QDateTime minute(QDate(2026, 3, 14), QTime(9, 26));
    EXPECT_EQ(agenda.expiry, minute);
    EXPECT_EQ(agenda.remind, minute);
    EXPECT_TRUE(agenda.item_id.isEmpty());

    const EditRecord all = insert_defaults(ctx, view(45), "Money");
    EXPECT_EQ(all.collection, "Money");
}

// ---------------------------------------------------------------- sequence and deletion

TEST_F(CheckSave, RegenerateWritesOnlyTheRowsThatChange) {
    add("Books", "Novels", "a", {}, 1);
    add("Books", "Novels", "b", {}, 2);
    add("Books", "Novels", "c", {}, 3);
    EXPECT_EQ(regenerate_sequence_within_category(db(), "Books", "Novels"), 0);
    add("Books", "Novels", "dropped in", {}, 0.1);
    add("Books", "Poetry", "elsewhere", {}, 7);
    EXPECT_EQ(regenerate_sequence_within_category(db(), "Books", "Novels"), 4);
    EXPECT_EQ(seqs("Books", "Novels"), QStringList({"dropped in=1", "a=2", "b=3", "c=4"}));
    EXPECT_EQ(seqs("Books", "Poetry"), QStringList({"elsewhere=7"}));
}

TEST_F(CheckSave, DeleteAsksWithNoPreselected) {
    const qint64 item_nr = add("Books", "Novels", "Emma");
    const EditRecord r = *load_record(db(), item_nr);
    script.answer(false);
    EXPECT_EQ(delete_record(ctx, r), DeleteResult::Declined);
    EXPECT_EQ(last_shown().text, "Do you really want to delete record \"Emma\"?");
    EXPECT_FALSE(last_shown().default_yes);
    EXPECT_EQ(rows(), 1);
    script.answer(true);
    EXPECT_EQ(delete_record(ctx, r), DeleteResult::Deleted);
    EXPECT_EQ(rows(), 0);
    script.answer(true);
    EXPECT_EQ(delete_record(ctx, r), DeleteResult::Vanished);
    EXPECT_EQ(shown_texts().back(), item_vanished_message);
}

} // namespace

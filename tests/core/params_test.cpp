// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "support/test_db.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

class ParamStore : public ::testing::Test, protected TestDb {
protected:
    Database* db = &open_db(u"params.tdb"_s);
    FakePrompter& prompter = tc.prompter;
    int total_changes() const { return sqlite3_total_changes(db->handle()); }
    int rows(const QString& table) { return db->scalar(u"select count(*) from "_s + table).toInt(); }
};

} // namespace

TEST_F(ParamStore, GlobalParameterMissingReadsEmptyThenOneRowPerKeyInAnyCase) {
    EXPECT_EQ(get_gen_param(*db, u"last_topic_filter"_s), QString());
    set_gen_param(*db, u"last_topic_filter"_s, u"12"_s);
    set_gen_param(*db, u"LAST_TOPIC_FILTER"_s, u"l'été d'Hélène"_s);
    EXPECT_EQ(get_gen_param(*db, u"Last_Topic_Filter"_s), u"l'été d'Hélène"_s);
    set_gen_param(*db, u"last_topic_filter"_s, QString());
    EXPECT_EQ(get_gen_param(*db, u"last_topic_filter"_s), QString());
    EXPECT_EQ(rows(u"gen_params"_s), 1);
}

// Writing a value that differs only in case would dirty the file at every start.
TEST_F(ParamStore, AValueEqualButForCaseWritesNothing) {
    set_gen_param(*db, u"cogniva"_s, u"Y"_s);
    set_map_param(*db, prompter, u"Agenda: Work"_s, u"#start_map"_s, u"Y"_s);
    const int before = total_changes();
    set_gen_param(*db, u"cogniva"_s, u"y"_s);
    set_map_param(*db, prompter, u"Agenda: Work"_s, u"#start_map"_s, u"y"_s);
    EXPECT_EQ(total_changes(), before);
    EXPECT_EQ(get_gen_param(*db, u"cogniva"_s), u"Y"_s);
    set_gen_param(*db, u"cogniva"_s, u"N"_s);
    EXPECT_EQ(total_changes(), before + 1);
}

TEST_F(ParamStore, GlobalParameterFailureGoesToTheCaller) {
    db->exec(u"drop table gen_params"_s);
    EXPECT_THROW(get_gen_param(*db, u"cogniva"_s), DbError);
    EXPECT_THROW(set_gen_param(*db, u"cogniva"_s, u"Y"_s), DbError);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ParamStore, MapParametersAreKeptPerMapAndKeyApostrophesIncluded) {
    const QString map = u"Persons: O'Brien's friends"_s;
    set_map_param(*db, prompter, map, u"#nr_columns"_s, u"4"_s);
    EXPECT_EQ(db->scalar(u"select colcat from map_params"_s).toString(), map);
    set_map_param(*db, prompter, map, u"#nr_columns"_s, u"5"_s);
    set_map_param(*db, prompter, map, u"#autom"_s, u"Y"_s);
    set_map_param(*db, prompter, u"Persons: O'Brien"_s, u"#nr_columns"_s, u"3"_s);
    EXPECT_EQ(rows(u"map_params"_s), 3);
    EXPECT_EQ(get_map_param(*db, map, u"#nr_columns"_s), u"5"_s);

    delete_map_param(*db, prompter, map, u"#nr_columns"_s);
    delete_map_param(*db, prompter, map, u"#nr_columns"_s); // deleting what is not there is no error
    EXPECT_EQ(get_map_param(*db, map, u"#nr_columns"_s), QString());
    EXPECT_EQ(get_map_param(*db, map, u"#autom"_s), u"Y"_s);
    EXPECT_EQ(get_map_param(*db, u"Persons: O'Brien"_s, u"#nr_columns"_s), u"3"_s);
    EXPECT_TRUE(prompter.shown().empty());
}

// Needs the Unicode-aware NOCASE collation: the built-in one folds ASCII letters only.
TEST_F(ParamStore, MapNamesDifferingInCaseAndAccentedCaseShareOneRow) {
    set_map_param(*db, prompter, u"Persons: Émile Zola"_s, u"#top"_s, u"100"_s);
    EXPECT_EQ(get_map_param(*db, u"PERSONS: émile zola"_s, u"#top"_s), u"100"_s);
    set_map_param(*db, prompter, u"persons: ÉMILE ZOLA"_s, u"#top"_s, u"200"_s);
    EXPECT_EQ(rows(u"map_params"_s), 1);
    EXPECT_EQ(get_map_param(*db, u"Persons: Émile Zola"_s, u"#top"_s), u"200"_s);
    delete_map_param(*db, prompter, u"persons: émile ZOLA"_s, u"#TOP"_s);
    EXPECT_EQ(rows(u"map_params"_s), 0);
}

TEST_F(ParamStore, MapParameterFailuresAreReportedAndSwallowed) {
    db->exec(u"drop table map_params"_s);
    set_map_param(*db, prompter, u"Books: Novels"_s, u"#autom"_s, u"Y"_s);
    delete_map_param(*db, prompter, u"Books: Novels"_s, u"#autom"_s);
    ASSERT_EQ(prompter.shown().size(), 2u);
    for (const auto& shown : prompter.shown()) {
        EXPECT_EQ(shown.kind, u"message"_s);
        EXPECT_TRUE(shown.text.startsWith(u"Error "_s)) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(u" - "_s)) << shown.text.toStdString();
    }
}

TEST_F(ParamStore, ReportErrorShowsNumberAndDescription) {
    report_error(prompter, DbError(3024, u"Could not find file 'x.tdb'."_s));
    EXPECT_EQ(prompter.messages(), QStringList{u"Error 3024 - Could not find file 'x.tdb'."_s});
}

TEST(NumericValue, ReadsTrimmedDecimalsAndRejectsTheRest) {
    EXPECT_EQ(numeric_value(u" 42 "_s), 42.0);
    EXPECT_EQ(numeric_value(u"-29.6"_s), -29.6);
    for (const QString& text : {QString(), u"   "_s, u"abc"_s, u"12abc"_s, u"inf"_s, u"nan"_s})
        EXPECT_FALSE(numeric_value(text)) << text.toStdString();
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/params.h"
#include "core/schema.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class ParamStore : public ::testing::Test {
protected:
    TempEnv env;
    FakeClock clock;
    FakePrompter prompter;
    std::unique_ptr<Database> db = make_db();

    std::unique_ptr<Database> make_db() {
        auto opened =
            Database::open(env.path(QStringLiteral("params.tdb")), {}, &clock, Database::Mode::CreateNew);
        schema::upgrade(*opened);
        return opened;
    }
    int total_changes() const { return sqlite3_total_changes(db->handle()); }
    int rows(const QString& table) {
        return db->scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }
};

} // namespace

TEST_F(ParamStore, GlobalParameterMissingReadsEmptyThenInsertsAndReplaces) {
    EXPECT_EQ(get_gen_param(*db, QStringLiteral("font_size")), QString());
    set_gen_param(*db, QStringLiteral("font_size"), QStringLiteral("12"));
    EXPECT_EQ(get_gen_param(*db, QStringLiteral("font_size")), QStringLiteral("12"));
    set_gen_param(*db, QStringLiteral("font_size"), QStringLiteral("9.5"));
    EXPECT_EQ(get_gen_param(*db, QStringLiteral("font_size")), QStringLiteral("9.5"));
    EXPECT_EQ(rows(QStringLiteral("gen_params")), 1);
}

TEST_F(ParamStore, GlobalValueEqualButForCaseWritesNothing) {
    set_gen_param(*db, QStringLiteral("cogniva"), QStringLiteral("Y"));
    const int before = total_changes();
    set_gen_param(*db, QStringLiteral("cogniva"), QStringLiteral("y"));
    EXPECT_EQ(total_changes(), before);
    EXPECT_EQ(get_gen_param(*db, QStringLiteral("cogniva")), QStringLiteral("Y"));
    // A really different value is written.
    set_gen_param(*db, QStringLiteral("cogniva"), QStringLiteral("N"));
    EXPECT_EQ(total_changes(), before + 1);
}

TEST_F(ParamStore, GlobalKeysIgnoreCaseAndValuesKeepApostrophesAndAccents) {
    set_gen_param(*db, QStringLiteral("last_topic_filter"), QStringLiteral("l'été d'Hélène"));
    EXPECT_EQ(get_gen_param(*db, QStringLiteral("LAST_TOPIC_FILTER")), QStringLiteral("l'été d'Hélène"));
    set_gen_param(*db, QStringLiteral("Last_Topic_Filter"), QString());
    EXPECT_EQ(get_gen_param(*db, QStringLiteral("last_topic_filter")), QString());
    EXPECT_EQ(rows(QStringLiteral("gen_params")), 1);
}

TEST_F(ParamStore, GlobalParameterFailureGoesToTheCaller) {
    db->exec(QStringLiteral("drop table gen_params"));
    EXPECT_THROW(get_gen_param(*db, QStringLiteral("cogniva")), DbError);
    EXPECT_THROW(set_gen_param(*db, QStringLiteral("cogniva"), QStringLiteral("Y")), DbError);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ParamStore, MapNameWithApostropheIsStoredWithOne) {
    const QString map = QStringLiteral("Persons: O'Brien's friends");
    set_map_param(*db, prompter, map, QStringLiteral("#nr_columns"), QStringLiteral("4"));
    EXPECT_EQ(db->scalar(QStringLiteral("select colcat from map_params")).toString(), map);
    EXPECT_EQ(get_map_param(*db, map, QStringLiteral("#nr_columns")), QStringLiteral("4"));

    set_map_param(*db, prompter, map, QStringLiteral("#nr_columns"), QStringLiteral("5"));
    EXPECT_EQ(get_map_param(*db, map, QStringLiteral("#nr_columns")), QStringLiteral("5"));
    EXPECT_EQ(rows(QStringLiteral("map_params")), 1);

    delete_map_param(*db, prompter, map, QStringLiteral("#nr_columns"));
    EXPECT_EQ(get_map_param(*db, map, QStringLiteral("#nr_columns")), QString());
    EXPECT_EQ(rows(QStringLiteral("map_params")), 0);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ParamStore, MapParametersAreKeptPerMapAndKey) {
    set_map_param(*db, prompter, QStringLiteral("Books: Novels"), QStringLiteral("#autom"),
                  QStringLiteral("Y"));
    set_map_param(*db, prompter, QStringLiteral("Books: Poems"), QStringLiteral("#autom"),
                  QStringLiteral("N"));
    set_map_param(*db, prompter, QStringLiteral("Books: Novels"), QStringLiteral("#randomico"),
                  QStringLiteral("N"));
    EXPECT_EQ(get_map_param(*db, QStringLiteral("Books: Novels"), QStringLiteral("#autom")),
              QStringLiteral("Y"));
    EXPECT_EQ(get_map_param(*db, QStringLiteral("Books: Poems"), QStringLiteral("#autom")),
              QStringLiteral("N"));
    delete_map_param(*db, prompter, QStringLiteral("Books: Novels"), QStringLiteral("#autom"));
    EXPECT_EQ(get_map_param(*db, QStringLiteral("Books: Poems"), QStringLiteral("#autom")),
              QStringLiteral("N"));
    EXPECT_EQ(get_map_param(*db, QStringLiteral("Books: Novels"), QStringLiteral("#randomico")),
              QStringLiteral("N"));
    // Deleting what is not there is no error.
    delete_map_param(*db, prompter, QStringLiteral("Books: Novels"), QStringLiteral("#autom"));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ParamStore, MapValueEqualButForCaseWritesNothing) {
    set_map_param(*db, prompter, QStringLiteral("Agenda: Work"), QStringLiteral("#start_map"),
                  QStringLiteral("Y"));
    const int before = total_changes();
    set_map_param(*db, prompter, QStringLiteral("Agenda: Work"), QStringLiteral("#start_map"),
                  QStringLiteral("y"));
    EXPECT_EQ(total_changes(), before);
}

// Needs the Unicode-aware NOCASE collation: the built-in one folds ASCII letters only.
TEST_F(ParamStore, MapNamesDifferingInCaseAndAccentedCaseShareOneRow) {
    set_map_param(*db, prompter, QStringLiteral("Persons: Émile Zola"), QStringLiteral("#top"),
                  QStringLiteral("100"));
    EXPECT_EQ(get_map_param(*db, QStringLiteral("PERSONS: émile zola"), QStringLiteral("#top")),
              QStringLiteral("100"));
    set_map_param(*db, prompter, QStringLiteral("persons: ÉMILE ZOLA"), QStringLiteral("#top"),
                  QStringLiteral("200"));
    EXPECT_EQ(rows(QStringLiteral("map_params")), 1);
    EXPECT_EQ(get_map_param(*db, QStringLiteral("Persons: Émile Zola"), QStringLiteral("#top")),
              QStringLiteral("200"));
    delete_map_param(*db, prompter, QStringLiteral("persons: émile ZOLA"), QStringLiteral("#TOP"));
    EXPECT_EQ(rows(QStringLiteral("map_params")), 0);
}

TEST_F(ParamStore, MapParameterFailuresAreReportedAndSwallowed) {
    db->exec(QStringLiteral("drop table map_params"));
    set_map_param(*db, prompter, QStringLiteral("Books: Novels"), QStringLiteral("#autom"),
                  QStringLiteral("Y"));
    delete_map_param(*db, prompter, QStringLiteral("Books: Novels"), QStringLiteral("#autom"));
    ASSERT_EQ(prompter.shown().size(), 2u);
    for (const auto& shown : prompter.shown()) {
        EXPECT_EQ(shown.kind, QStringLiteral("message"));
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Error "))) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(QStringLiteral(" - "))) << shown.text.toStdString();
    }
}

TEST(ReportError, ShowsNumberAndDescription) {
    FakePrompter prompter;
    report_error(prompter, DbError(3024, QStringLiteral("Could not find file 'x.tdb'.")));
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("Error 3024 - Could not find file 'x.tdb'.")});
}

TEST(NumericValue, ReadsTrimmedDecimalsAndRejectsTheRest) {
    EXPECT_EQ(numeric_value(QStringLiteral(" 42 ")), 42.0);
    EXPECT_EQ(numeric_value(QStringLiteral("-5")), -5.0);
    EXPECT_EQ(numeric_value(QStringLiteral("29.6")), 29.6);
    EXPECT_FALSE(numeric_value(QString()));
    EXPECT_FALSE(numeric_value(QStringLiteral("   ")));
    EXPECT_FALSE(numeric_value(QStringLiteral("abc")));
    EXPECT_FALSE(numeric_value(QStringLiteral("12abc")));
    EXPECT_FALSE(numeric_value(QStringLiteral("inf")));
    EXPECT_FALSE(numeric_value(QStringLiteral("nan")));
}

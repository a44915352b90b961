// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/like_condition.h"
#include "table/table_query.h"

#include <gtest/gtest.h>

namespace {

const QString plain_base = QStringLiteral(
    "Select item_nr,repos.collection,repos.cat,mark,item_id,repos.seq,item_title ,item_content  from repos "
    "left "
    "join cat_seq on repos.collection=cat_seq.collection and repos.cat=cat_seq.cat where repos.collection = "
    "'Money' ");

TableFilters none(bool use_or = true) {
    TableFilters f;
    f.use_or = use_or;
    return f;
}

} // namespace

TEST(BuildLikeCondition, WordsKeywordsAndParentheses) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"rome", " f like '*rome*' "},
        {"x", " f like '*x*' "},
        {"rome and paris", " f like '*rome*'  and  f like '*paris*' "},
        {"rome OR paris", " f like '*rome*'  or  f like '*paris*' "},
        {"(a or b) and c", " (  f like '*a*'  or  f like '*b*'  )  and  f like '*c*' "},
        // Blanks inside a word stay part of it.
        {"new delhi", " f like '*new delhi*' "},
        {"new york", " f like '*new y*'  or  f like '*k*' "},
        // Keywords are found inside words.
        {"Gordon", " f like '*G*'  or  f like '*don*' "},
        {"Sandy", " f like '*S*'  and  f like '*y*' "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(build_like_condition("f", QString::fromUtf8(c.text)), QString::fromUtf8(c.expected))
            << c.text;
}

TEST(LikeConditionValid, TellsUsableFiltersFromBrokenOnes) {
    for (const char* good : {"rome", "Gordon", "(a or b) and c", "((a))", "new york", "O'Brien", "[x"})
        EXPECT_TRUE(like_condition_valid(QString::fromUtf8(good))) << good;
    for (const char* bad :
         {"(a", "a)", "Andrew", "a and", "or", "a (b)", "(a) b", "()", "a and or b", "a) or (b"})
        EXPECT_FALSE(like_condition_valid(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(filter_problem("title", "  ").has_value());
    const auto message = filter_problem("title", "(rome");
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->contains("\"(rome\"")) << message->toStdString();
}

TEST(LiteralFilter, ACategoryFromTheDataStaysOneLiteralWord) {
    struct Case {
        const char* text;
        const char* filter;
    };
    const Case cases[] = {
        {"C#", "C[#]"},       {"Random notes", "R[a]ndom notes"}, {"Gordon (old)", "G[o]rdon [(]old[)]"},
        {"a*b?", "a[*]b[?]"}, {"[x] ORE!", "[[]x] [O]RE!"},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QString filter = literal_filter(text);
        EXPECT_EQ(filter, QString::fromUtf8(c.filter)) << c.text;
        EXPECT_EQ(build_like_condition("f", filter), " f like '*" + filter + "*' ") << c.text;
        EXPECT_EQ(literal_text_of_filter(filter), text) << c.text;
    }
    // Typed filters keep their patterns and keywords.
    for (const char* typed : {"C#", "a or b", "[a-c]x", "[!]"})
        EXPECT_FALSE(literal_text_of_filter(QString::fromUtf8(typed)).has_value()) << typed;
}

TEST(TableQuery, BaseStatementPerPosition) {
    EXPECT_EQ(TableQuery(5, "Money", false).base_statement(), plain_base);
    const TableQuery all(45, "All collections", false);
    EXPECT_TRUE(all.base_statement().endsWith(" where 1=1 "));
    EXPECT_EQ(all.sort_column(), 1);
    EXPECT_EQ(TableQuery(1, "Agenda", false).last_column(), 10);
    EXPECT_EQ(TableQuery(5, "Money", false).last_column(), 7);
    // A collection name with an apostrophe is quoted.
    EXPECT_TRUE(TableQuery(12, "My'self", false).base_statement().endsWith("repos.collection = 'My''self' "));
    // The Journal starts by title descending, the chronology by title ascending.
    const TableQuery journal(6, "Journal", false);
    EXPECT_EQ(journal.sort_column(), 6);
    EXPECT_EQ(journal.direction(6), "DESC");
    const TableQuery chrono(11, "World chrono", false);
    EXPECT_EQ(chrono.direction(6), "ASC");
}

TEST(TableQuery, HeaderClicksTurnTheDirectionAndOthersLeaveTheStateAlone) {
    TableQuery query(5, "Money", false);
    for (const char* direction : {"ASC", "DESC", "ASC"}) {
        ASSERT_TRUE(query.header_click(6));
        EXPECT_EQ(query.direction(6), QLatin1String(direction));
        EXPECT_TRUE(
            query.build(none()).statement.contains(" order by item_title  " + QLatin1String(direction)));
    }
    ASSERT_TRUE(query.header_click(2));
    EXPECT_FALSE(query.header_click(0));
    EXPECT_FALSE(query.header_click(5));
    EXPECT_FALSE(query.header_click(8)); // no date columns in this position
    EXPECT_EQ(query.sort_column(), 2);
    EXPECT_EQ(query.direction(5), QString());
}

TEST(TableQuery, TypedOrderingPerPosition) {
    struct Case {
        int position;
        int sort_column;
        const char* expected_fragment;
        const char* untouched;
    };
    const Case cases[] = {
        {6, 6, "order by cvdate(item_title) ", nullptr},
        {11, 6, "order by val(item_title) ", nullptr},
        // Sorting by mark still orders the secondary title key numerically.
        {11, 3, ",val(item_title) ", nullptr},
        {7, 4, "order by val(item_id) ", nullptr},
        {8, 4, "order by val(item_id) ", nullptr},
        {8, 2, nullptr, "val("}, // no item_id after order by: unchanged
        {13, 6, nullptr, "val("},
    };
    for (const Case& c : cases) {
        TableQuery query(c.position, "C", false);
        if (query.sort_column() != c.sort_column) query.header_click(c.sort_column);
        const auto built = query.build(none());
        if (c.expected_fragment) {
            EXPECT_TRUE(built.statement.contains(QString::fromUtf8(c.expected_fragment))) << c.position;
            EXPECT_NE(built.statement, built.plain);
            EXPECT_EQ(built.statement.count("val(") + built.statement.count("cvdate("), 1);
        }
        if (c.untouched) {
            EXPECT_EQ(built.statement, built.plain) << c.position;
        }
        EXPECT_FALSE(built.plain.contains("val(")) << c.position;
    }
    EXPECT_EQ(typed_ordering(11, "select item_title from repos"), "select item_title from repos");
}

TEST(TableQuery, FiltersAreJoinedByTheChosenWord) {
    const TableQuery query(5, "Money", false);
    TableFilters f = none(false);
    f.cat = "  bills ";
    f.title = "gas or power";
    const QString expected_filter =
        QStringLiteral(" and (   ( repos.cat like '*bills*' )  AND  ( repos.item_title like '*gas*'  or  "
                       "repos.item_title like '*power*' )  )");
    EXPECT_TRUE(query.build(f).statement.startsWith(plain_base + expected_filter))
        << query.build(f).statement.toStdString();
    f.use_or = true;
    EXPECT_TRUE(query.build(f).statement.contains(")  OR  (")) << query.build(f).statement.toStdString();

    TableFilters all_six = none();
    all_six.mark = all_six.collection = all_six.cat = all_six.id = all_six.title = all_six.content = "q";
    const QString statement = query.build(all_six).statement;
    qsizetype at = 0;
    for (const char* field : {"repos.mark", "repos.collection like", "repos.cat like", "repos.item_id",
                              "repos.item_title", "repos.item_content"}) {
        const qsizetype found = statement.indexOf(QString::fromUtf8(field), at);
        ASSERT_GE(found, at) << field;
        at = found;
    }
}

TEST(TableQuery, QuotingOfFilterValues) {
    const TableQuery query(5, "Money", false);
    struct Case {
        const char* typed;
        const char* condition;
    };
    const Case cases[] = {
        {"***", "repos.item_title like '*[***]*'"},
        {"?", "repos.item_title like '*[?]*'"},
        {"O'Brien", "repos.item_title like '*O''Brien*'"},
        {"a*b", "repos.item_title like '*a*b*'"},
    };
    for (const Case& c : cases) {
        TableFilters f = none();
        f.title = QString::fromUtf8(c.typed);
        EXPECT_TRUE(query.build(f).statement.contains(QString::fromUtf8(c.condition))) << c.typed;
    }
}

TEST(TableQuery, PictureFilterAndDeadlines) {
    const TableQuery query(45, "All collections", true);
    EXPECT_EQ(query.sort_column(), 8);
    TableFilters f = none(true);
    f.content = "%IMAGE%";
    f.title = "x";
    const QString statement = query.build(f).statement;
    EXPECT_TRUE(statement.contains(
        QStringLiteral(" OR  item_content like 'LINK=*' and (item_content like '*.jpg*' or item_content like "
                       "'*.gif*' or item_content like '*.bmp*')  OR  date_expiry is not null  )")))
        << statement.toStdString();
    EXPECT_TRUE(statement.contains(" order by date_expiry "));
    // A deadlines window without any filter still has its date condition.
    EXPECT_TRUE(query.build(none()).statement.contains(" and (   date_expiry is not null  )"));
}

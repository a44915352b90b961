// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/sql_functions.h"
#include "core/sql_text.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>
#include <span>

using namespace Qt::StringLiterals;

namespace {

class SqlLike : public ::testing::Test {
protected:
    void SetUp() override {
        db = Database::open(env.path("like.tdb"), {}, &clock, Database::Mode::CreateNew);
    }

    // "text LIKE pattern" evaluated by the engine, both values bound so that quotes need no care.
    QVariant like(const QString& text, const QString& pattern) {
        Statement statement = db->prepare(u"select ? like ?"_s);
        statement.bind(1, text);
        statement.bind(2, pattern);
        statement.next();
        return statement.value(0);
    }
    bool matches(const char* text, const char* pattern) {
        const QVariant result = like(QString::fromUtf8(text), QString::fromUtf8(pattern));
        // The engine and the exported matcher must agree on every case.
        EXPECT_EQ(result.toBool(), access_like(QString::fromUtf8(text), QString::fromUtf8(pattern)))
            << text << " / " << pattern;
        return result.toLongLong() == 1;
    }

    void add_titles(const QStringList& titles) {
        db->exec(QStringLiteral("create table repos (item_nr integer primary key, "
                                "item_title text collate nocase, item_content text collate nocase)"));
        Statement insert = db->prepare(u"insert into repos (item_title) values (?)"_s);
        for (const QString& title : titles) {
            insert.reset();
            insert.bind(1, title);
            insert.next();
        }
    }
    QStringList titles_where(const QString& condition) {
        QStringList found;
        Statement statement =
            db->prepare(u"select item_title from repos where %1 order by item_nr"_s.arg(condition));
        while (statement.next())
            found.append(statement.text(u"item_title"_s));
        return found;
    }

    TempEnv env;
    FakeClock clock;
    std::unique_ptr<Database> db;
};

struct LikeCase {
    const char* text;
    const char* pattern;
    bool matches;
};

// The whole text must match, not a part of it; the engine's own wildcards % and _ are plain
// characters here.
const LikeCase wildcards[] = {{"", "*", true},        {"anything at all", "*", true}, {"ac", "a*c", true},
                              {"abbbc", "a*c", true}, {"abcd", "a*c", false},         {"abc", "a?c", true},
                              {"ac", "a?c", false},   {"abbc", "a?c", false},         {"a5b", "a#b", true},
                              {"axb", "a#b", false},  {"a b", "a#b", false},          {"2026", "####", true},
                              {"202", "####", false}, {"xabc", "abc", false},         {"abcx", "abc", false},
                              {"100%", "100%", true}, {"100 percent", "100%", false}, {"abc", "a_c", false},
                              {"a_c", "a_c", true}};

const LikeCase backtracking[] = {{"xxabyyab", "*ab*ab", true},
                                 {"xxabyyac", "*ab*ab", false},
                                 {"aaab", "*aab", true},
                                 {"aXbYbZc", "a*b*c", true},
                                 {"abcabc", "*a?c", true},
                                 {"mississippi", "*iss*ppi", true},
                                 {"mississippi", "*iss*ppix", false},
                                 {"word", "**w**o**r**d**", true},
                                 {"", "*x", false},
                                 {"", "?*", false},
                                 {"ab12cd", "*#*#*", true},
                                 {"ab1cd", "*#*#*", false}};

// An unclosed bracket is an ordinary character rather than an error.
const LikeCase brackets[] = {{"*", "[*]", true},        {"a", "[*]", false},    {"why?", "why[?]", true},
                             {"whys", "why[?]", false}, {"#1", "[#]1", true},   {"11", "[#]1", false},
                             {"[x]", "[[]x]", true},    {"a*b", "*[*]*", true}, {"ab", "*[*]*", false},
                             {"[abc", "[abc", true},    {"[ABC", "[abc", true}, {"a", "[abc", false},
                             {"note[", "*[", true}};

// Sets, ranges and negation; a hyphen at either end of the list is itself.
// An empty list stands for no character; an empty negated list for any one character.
// A reversed range takes nothing.
const LikeCase sets[] = {{"bx", "[abc]x", true},      {"dx", "[abc]x", false},
                         {"B", "[a-c]", true},        {"b", "[A-C]", true},
                         {"d", "[a-c]", false},       {"d", "[!a-c]", true},
                         {"A", "[!a-c]", false},      {"x7", "[!0-9]#", true},
                         {"77", "[!0-9]#", false},    {"k", "[a-cx-z0-9k]", true},
                         {"5", "[a-cx-z0-9k]", true}, {"m", "[a-cx-z0-9k]", false},
                         {"-", "[-a]", true},         {"-", "[a-]", true},
                         {"-", "[!-a]", false},       {"", "[]", true},
                         {"xy", "x[]y", true},        {"x", "[]", false},
                         {"q", "[!]", true},          {"", "[!]", false},
                         {"m", "[z-a]", false}};

// Case is ignored in every alphabet, but accents are not dropped: e and é stay different letters.
// Non-ASCII characters that fold onto ASCII letters (Kelvin sign, long s), also after a star.
const LikeCase alphabets[] = {{"ÉMILE", "émile", true},

                              {"CITTÀ DI CASTELLO", "*città*", true},
                              {"σοφια", "ΣΟΦΙΑ", true},

                              {"Èva", "[à-ù]va", true},
                              {"èva", "[À-Ù]va", true},
                              {"eva", "[à-ù]va", false},
                              {"Über", "[!a-z]ber", true},
                              {"emile", "émile", false},
                              {"\u212Aelvin", "kelvin", true},
                              {"the \u212Aelvin scale", "*kelvin*", true},
                              {"cla\u017F\u017Fic", "*classic", true},
                              {"città word", "*WORD*", true},
                              {"una WÖRD qui", "*wörd*", true}};

// Single characters beyond ASCII; empty texts and patterns; apostrophes, plain characters once bound.
const LikeCase characters[] = {{"é", "?", true},
                               {"é", "??", false},
                               {"😀", "?", true},
                               {"a😀b", "a?b", true},
                               {"caffè", "caff?", true},
                               {"€12", "?##", true},
                               {"", "", true},
                               {"a", "", false},
                               {"", "?", false},
                               {"O'Brien's book", "o'brien*", true},
                               {"OBrien", "O'Brien", false}};

TEST_F(SqlLike, MatchesAsTheAccessFamilyDoes) {
    for (const auto& cases : {std::span<const LikeCase>(wildcards), std::span<const LikeCase>(backtracking),
                              std::span<const LikeCase>(brackets), std::span<const LikeCase>(sets),
                              std::span<const LikeCase>(alphabets), std::span<const LikeCase>(characters)})
        for (const LikeCase& c : cases)
            EXPECT_EQ(matches(c.text, c.pattern), c.matches) << c.text << " / " << c.pattern;
}

TEST_F(SqlLike, QuotedLiteralsNullAndNumbers) {
    EXPECT_TRUE(db->scalar(u"select 'l''isola' like 'L''*'"_s).toBool());
    EXPECT_TRUE(db->scalar(u"select null like 'a'"_s).isNull());
    EXPECT_TRUE(db->scalar(u"select 'a' like null"_s).isNull());
    EXPECT_TRUE(db->scalar(u"select 12345 like '12*'"_s).toBool());
    EXPECT_EQ(db->scalar(u"select 'abc' not like 'a*'"_s).toInt(), 0);
}

TEST_F(SqlLike, FiltersTableRows) {
    add_titles({u"Shopping list"_s, u"LISTINO prezzi"_s, u"O'Brien"_s, u"Città"_s, u"*"_s, u"?"_s, QString(),
                u"a*b"_s});
    EXPECT_EQ(titles_where(u"item_title like '*list*'"_s),
              QStringList({u"Shopping list"_s, u"LISTINO prezzi"_s}));
    EXPECT_EQ(titles_where(u"item_title like '*%1*'"_s.arg(sql_quote("o'b"))), QStringList({u"O'Brien"_s}));
    EXPECT_EQ(titles_where(u"item_title like '*À'"_s), QStringList({u"Città"_s}));
    // Quoted by sql_quote, a lone wildcard finds only itself and the empty title only itself.
    EXPECT_EQ(titles_where(u"item_title like '%1'"_s.arg(sql_quote(u"*"_s))), QStringList({u"*"_s}));
    EXPECT_EQ(titles_where(u"item_title like '%1'"_s.arg(sql_quote(u"?"_s))), QStringList({u"?"_s}));
    EXPECT_EQ(titles_where(u"item_title like '%1'"_s.arg(sql_quote(QString()))), QStringList({QString()}));
}

// A user value escaped by like_escaped finds itself inside any text and nothing that its
// characters would match as a pattern.
TEST_F(SqlLike, EscapedValuesMatchOnlyThemselves) {
    add_titles({u"C#"_s, u"C5"_s, u"Issue #5"_s, u"Issue 55"_s, u"[draft]"_s, u"d"_s, u"50%*"_s, u"50%x"_s,
                u"O'Brien?"_s, u"O'BrienX"_s, u"x C# y"_s});
    const struct {
        QString value;
        QStringList found;
    } cases[] = {
        {u"C#"_s, {u"C#"_s, u"x C# y"_s}}, {u"Issue #5"_s, {u"Issue #5"_s}}, {u"[draft]"_s, {u"[draft]"_s}},
        {u"50%*"_s, {u"50%*"_s}},          {u"O'Brien?"_s, {u"O'Brien?"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(titles_where(u"item_title like '*%1*'"_s.arg(like_escaped(c.value))), c.found)
            << c.value.toStdString();
    EXPECT_EQ(like_escaped(u"a*b?c#d[e]f'g"_s), u"a[*]b[?]c[#]d[[]e]f''g"_s);
}

TEST_F(SqlLike, ColumnValuesKeepTheirTypeAfterMatching) {
    // The matcher reads column texts in place; the same values, shown beside it, stay texts.
    add_titles({u"alpha"_s, u"beta"_s});
    Statement statement = db->prepare(QStringLiteral(
        "select item_title, typeof(item_title), item_title like '*a', item_title || '!', length(item_title) "
        "from repos where item_title like '*a*' order by item_title"));
    QStringList rows;
    while (statement.next()) {
        QStringList row;
        for (int i = 0; i < statement.column_count(); ++i)
            row.append(statement.value(i).toString());
        rows.append(row.join(QLatin1Char('|')));
    }
    EXPECT_EQ(rows, QStringList({u"alpha|text|1|alpha!|5"_s, u"beta|text|1|beta!|4"_s}));
}

TEST_F(SqlLike, PatternTakenFromEachRow) {
    // A pattern that changes from row to row must not reuse the previous row's compiled form.
    db->exec(u"create table pairs (id integer primary key, txt text, pat text)"_s);
    db->exec(QStringLiteral("insert into pairs (txt, pat) values ('apple', 'a*'), ('apple', 'b*'), "
                            "('banana', 'b*'), ('banana', 'b*'), ('cherry', '*rr?'), ('cherry', 'a*'), "
                            "('x', null)"));
    Statement statement = db->prepare(u"select txt like pat from pairs order by id"_s);
    QVariantList results;
    while (statement.next())
        results.append(statement.value(0));
    ASSERT_EQ(results.size(), 7);
    const int expected[] = {1, 0, 1, 1, 1, 0};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(results[i].toInt(), expected[i]) << i;
    EXPECT_TRUE(results[6].isNull());
}

TEST_F(SqlLike, LongTextsDoNotBlowUp) {
    const QString text = QString(20000, QLatin1Char('a')) + u"b"_s;
    EXPECT_TRUE(access_like(text, u"*a*a*a*a*a*b"_s));
    EXPECT_FALSE(access_like(text, u"*a*a*a*a*a*c"_s));
    EXPECT_TRUE(like(text, u"*ab"_s).toBool());
}

} // namespace

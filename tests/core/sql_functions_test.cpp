// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/dates.h"
#include "core/sql_functions.h"
#include "core/sql_text.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>
#include <span>

using namespace Qt::StringLiterals;

namespace {

class SqlFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override { db = Database::open(env.path("fn.tdb"), {}, &clock, Database::Mode::CreateNew); }

    QVariant eval(const QString& expression) { return db->scalar(u"select "_s + expression); }
    QVariant eval(const char* expression) { return eval(QString::fromUtf8(expression)); }
    QString type_of(const char* expression) {
        return eval(u"typeof(%1)"_s.arg(QString::fromUtf8(expression))).toString();
    }
    QString error_of(const QString& expression) {
        try {
            eval(expression);
        } catch (const DbError& error) {
            return error.description();
        }
        return {};
    }

    TempEnv env;
    FakeClock clock;
    std::unique_ptr<Database> db;
};

// ---------------------------------------------------------------- NOCASE

using SqlNocase = SqlFunctionsTest;

TEST_F(SqlNocase, EqualityIgnoresCaseInEveryAlphabet) {
    const struct {
        const char* a;
        const char* b;
        int equal;
    } cases[] = {{"Books", "books", 1}, {"Émile", "émile", 1}, {"ΣΟΦΙΑ", "σοφια", 1}, {"Ÿ", "ÿ", 1},
                 {"\u212A", "k", 1},    {"", "", 1},           {"Emile", "Émile", 0}, {"book", "books", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(
            eval(u"'%1' = '%2' collate nocase"_s.arg(QString::fromUtf8(c.a), QString::fromUtf8(c.b))).toInt(),
            c.equal)
            << c.a << " / " << c.b;
}

TEST_F(SqlNocase, OrdersWithoutRegardToCase) {
    db->exec(u"create table words (w text collate nocase)"_s);
    db->exec(QStringLiteral("insert into words values ('banana'), ('Cherry'), ('apple'), ('_under'), "
                            "('Zeta'), ('émile'), ('Éclair'), ('BANANAS'), ('Apricot')"));
    QStringList order;
    Statement statement = db->prepare(u"select w from words order by w"_s);
    while (statement.next())
        order.append(statement.value(0).toString());
    // Case-folded code points: "_" before the letters as in the engine's own NOCASE, accented
    // letters after the plain alphabet.
    EXPECT_EQ(order, QStringList({"_under", "apple", "Apricot", "banana", "BANANAS", "Cherry", "Zeta",
                                  "Éclair", "émile"}));
}

TEST_F(SqlNocase, IsATotalOrderThatIndexesCanTrust) {
    // Mixed ASCII and non-ASCII texts sharing prefixes, so both comparison paths meet.
    const QStringList samples = {"abc", "ABD",      "abé", "ABÉ", "ab_", "abz", "abÿ",
                                 "abŸ", "ab\u212A", "abk", "ab",  "",    "Ab~", "ab\u00DF",
                                 "abσ", "ABΣ",      "ab😀", "abĀ", "abā", "zz"};
    db->exec(u"create table s (id integer primary key, t text collate nocase)"_s);
    for (const QString& sample : samples) {
        Statement insert = db->prepare(u"insert into s (t) values (?)"_s);
        insert.bind(1, sample);
        insert.next();
    }
    const int n = static_cast<int>(samples.size());
    std::vector<std::vector<int>> cmp(n, std::vector<int>(n));
    Statement pairs = db->prepare(QStringLiteral("select x.id, y.id, (x.t > y.t) - (x.t < y.t), x.t = y.t "
                                                 "from s x, s y"));
    while (pairs.next()) {
        const int sign = pairs.value(2).toInt();
        cmp[pairs.value(0).toInt() - 1][pairs.value(1).toInt() - 1] = sign;
        EXPECT_EQ(pairs.value(3).toInt() == 1, sign == 0);
    }
    for (int a = 0; a < n; ++a) {
        EXPECT_EQ(cmp[a][a], 0);
        for (int b = 0; b < n; ++b) {
            EXPECT_EQ(cmp[a][b], -cmp[b][a]) << samples[a].toStdString() << " / " << samples[b].toStdString();
            for (int c = 0; c < n; ++c) {
                if (cmp[a][b] <= 0 && cmp[b][c] <= 0) {
                    EXPECT_LE(cmp[a][c], 0);
                }
            }
        }
    }
}

// ---------------------------------------------------------------- cvdate

using SqlCvdate = SqlFunctionsTest;

TEST_F(SqlCvdate, ReadsTheProgramsOwnAndDayFirstTextsAndNumbers) {
    const QDateTime moment(QDate(2026, 3, 14), QTime(18, 30, 15));
    EXPECT_DOUBLE_EQ(eval(dates::sql_literal(moment)).toDouble(), dates::to_julian(moment));
    EXPECT_EQ(type_of("cvdate('2026-03-14 18:30:15')"), u"real"_s);
    const double midnight = dates::to_julian(QDateTime(QDate(2026, 3, 14), QTime(0, 0)));
    for (const char* text :
         {"2026-03-14", "2026/03/14", "14/03/2026", "14/3/26", "14-03-2026", "14.03.2026", " 14/03/2026 "})
        EXPECT_DOUBLE_EQ(eval(u"cvdate('%1')"_s.arg(QString::fromUtf8(text))).toDouble(), midnight) << text;
    EXPECT_DOUBLE_EQ(eval("cvdate('14/03/2026 18:30')").toDouble(),
                     dates::to_julian(QDateTime(QDate(2026, 3, 14), QTime(18, 30))));
    // Day first: 1/2 is the first of February.
    EXPECT_EQ(eval("date(cvdate('1/2/2026'))").toString(), u"2026-02-01"_s);
    // Plus one is the next day; numbers and null pass through.
    EXPECT_EQ(eval("datetime(cvdate('14/03/2026 23:30') + 1)").toString(), u"2026-03-15 23:30:00"_s);
    EXPECT_DOUBLE_EQ(eval("cvdate('28/02/2024') + 1").toDouble(), eval("cvdate('29/02/2024')").toDouble());
    EXPECT_DOUBLE_EQ(eval("cvdate(2461113.75)").toDouble(), 2461113.75);
    EXPECT_EQ(type_of("cvdate(5)"), u"integer"_s);
    EXPECT_TRUE(eval("cvdate(null)").isNull());
}

TEST_F(SqlCvdate, RubbishIsAnError) {
    for (const char* text :
         {"hello", "", "31/02/2026", "2026-13-01", "14/03/2026 25:00", "12", "l'altro ieri"}) {
        const QString error =
            error_of(u"cvdate('%1')"_s.arg(QString::fromUtf8(text).replace(QLatin1Char('\''), "''")));
        EXPECT_TRUE(error.startsWith(u"cvdate: not a date:"_s)) << text << " -> " << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(text))) << text;
    }
}

// ---------------------------------------------------------------- now

using SqlNow = SqlFunctionsTest;

TEST_F(SqlNow, FollowsTheClock) {
    EXPECT_DOUBLE_EQ(eval("now()").toDouble(), dates::to_julian(clock.now()));
    EXPECT_EQ(eval("datetime(now())").toString(), u"2026-03-14 09:26:53"_s);
    EXPECT_NEAR(eval("now() - cvdate('13/03/2026 09:26:53')").toDouble(), 1.0, 1e-9);

    // A prepared statement run again sees the moved clock.
    Statement statement = db->prepare(u"select now()"_s);
    statement.next();
    const double before = statement.value(0).toDouble();
    statement.reset();
    clock.advance_seconds(3600);
    statement.next();
    EXPECT_NEAR(statement.value(0).toDouble() - before, 1.0 / 24.0, 1e-9);
    EXPECT_EQ(eval("cvdate('2026-03-14 10:00') < now()").toInt(), 1);
}

TEST_F(SqlNow, WithoutAClockUsesTheSystemTime) {
    auto plain = Database::open(env.path("noclock.tdb"), {}, nullptr, Database::Mode::CreateNew);
    const double before = dates::to_julian(QDateTime::currentDateTime());
    const double now = plain->scalar(u"select now()"_s).toDouble();
    const double after = dates::to_julian(QDateTime::currentDateTime());
    EXPECT_GE(now, before - 1e-6);
    EXPECT_LE(now, after + 1e-6);
}

// ---------------------------------------------------------------- iif and val

using SqlIifVal = SqlFunctionsTest;

TEST_F(SqlIifVal, IifPicksByTruth) {
    const struct {
        const char* condition;
        const char* chosen;
    } cases[] = {{"1", "a"},    {"-1", "a"},  {"0.5", "a"}, {"0", "b"},     {"0.0", "b"},
                 {"null", "b"}, {"'1'", "a"}, {"''", "b"},  {"'abc'", "b"}, {"2 > 1", "a"}};
    for (const auto& c : cases)
        EXPECT_EQ(eval(u"iif(%1, 'a', 'b')"_s.arg(QString::fromUtf8(c.condition))).toString(),
                  QString::fromUtf8(c.chosen))
            << c.condition;
    // The chosen value keeps its type, null included.
    EXPECT_EQ(type_of("iif(1, 5, 'x')"), u"integer"_s);
    EXPECT_TRUE(eval("iif(1, null, 'x')").isNull());
}

TEST_F(SqlIifVal, ValReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"123", 123},      {"  42abc", 42},    {"1 2 3", 123},

        {"-12.5", -12.5},  {"+7", 7},          {"- 7", -7},    {"1.2.3", 1.2}, {".5", 0.5},

        {"1.5E-2", 0.015}, {"2d2", 200},

        {"1e+", 1},        {"abc", 0},         {"", 0},

        {"--5", 0},        {"1,000", 1},       {"\t\n 7", 7},  {"12\r3", 12},  {"&HFF", 255},
        {"&hFFFF", -1},    {"&H10000", 65536}, {"&O17", 15},   {"&Hxyz", 0},   {"99999999999999999999", 1e20},

    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(eval(u"val('%1')"_s.arg(QString::fromUtf8(c.text))).toDouble(), c.value) << c.text;
    EXPECT_EQ(type_of("val('3.0')"), u"integer"_s);
    EXPECT_EQ(type_of("val('99999999999999999999')"), u"real"_s);
    EXPECT_EQ(type_of("val(12.0)"), u"integer"_s);
    EXPECT_DOUBLE_EQ(eval("val(2.5)").toDouble(), 2.5);
    EXPECT_TRUE(eval("val(null)").isNull());
    EXPECT_TRUE(error_of(u"val('1e999')"_s).contains(u"overflow"_s));
}

// ---------------------------------------------------------------- like

class SqlLike : public SqlFunctionsTest {
protected:
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

// Single characters beyond ASCII.
const LikeCase characters[] = {{"é", "?", true},     {"é", "??", false},       {"😀", "?", true},
                               {"a😀b", "a?b", true}, {"caffè", "caff?", true}, {"€12", "?##", true}};

// Empty texts and patterns; apostrophes are plain characters once bound.
const LikeCase edges[] = {{"", "", true},
                          {"a", "", false},
                          {"", "?", false},
                          {"OBrien", "O'Brien", false},
                          {"O'Brien's book", "o'brien*", true}};

TEST_F(SqlLike, MatchesAsTheAccessFamilyDoes) {
    for (const auto& cases : {std::span<const LikeCase>(wildcards), std::span<const LikeCase>(backtracking),
                              std::span<const LikeCase>(brackets), std::span<const LikeCase>(sets),
                              std::span<const LikeCase>(alphabets), std::span<const LikeCase>(characters),
                              std::span<const LikeCase>(edges)})
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

// Quoted by sql_quote, a lone wildcard finds only itself and the empty title only itself; a user
// value escaped by like_escaped finds itself inside any text and nothing its characters would
// match as a pattern.
TEST_F(SqlLike, QuotedAndEscapedValuesFilterTableRows) {
    add_titles({u"Shopping list"_s, u"LISTINO prezzi"_s, u"O'Brien"_s, u"Città"_s, u"*"_s, u"?"_s, QString(),
                u"C#"_s, u"C5"_s, u"Issue #5"_s, u"Issue 55"_s, u"[draft]"_s, u"d"_s, u"50%*"_s, u"50%x"_s,
                u"O'Brien?"_s, u"O'BrienX"_s, u"x C# y"_s});
    EXPECT_EQ(titles_where(u"item_title like '*list*'"_s),
              QStringList({u"Shopping list"_s, u"LISTINO prezzi"_s}));
    EXPECT_EQ(titles_where(u"item_title like '*À'"_s), QStringList({u"Città"_s}));
    const struct {
        QString condition;
        QStringList found;
    } cases[] = {
        {u"'*%1*'"_s.arg(sql_quote("o'b")), {u"O'Brien"_s, u"O'Brien?"_s, u"O'BrienX"_s}},
        {u"'%1'"_s.arg(sql_quote(u"*"_s)), {u"*"_s}},
        {u"'%1'"_s.arg(sql_quote(u"?"_s)), {u"?"_s}},
        {u"'%1'"_s.arg(sql_quote(QString())), {QString()}},
        {u"'*%1*'"_s.arg(like_escaped(u"C#"_s)), {u"C#"_s, u"x C# y"_s}},
        {u"'*%1*'"_s.arg(like_escaped(u"Issue #5"_s)), {u"Issue #5"_s}},
        {u"'*%1*'"_s.arg(like_escaped(u"[draft]"_s)), {u"[draft]"_s}},
        {u"'*%1*'"_s.arg(like_escaped(u"50%*"_s)), {u"50%*"_s}},
        {u"'*%1*'"_s.arg(like_escaped(u"O'Brien?"_s)), {u"O'Brien?"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(titles_where(u"item_title like "_s + c.condition), c.found) << c.condition.toStdString();
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

// ---------------------------------------------------------------- sql_quote

// Apostrophes doubled; a text of wildcards alone, or none, goes in brackets; anything mixed is
// left alone apart from its apostrophes.
TEST(SqlQuote, DoublesApostrophesAndBracketsLoneWildcards) {
    const struct {
        const char* text;
        const char* quoted;
    } cases[] = {{"O'Brien", "O''Brien"},
                 {"l''a", "l''''a"},
                 {"'", "''"},
                 {"'''", "''''''"},
                 {"'start and end'", "''start and end''"},
                 {"Città dell'anno", "Città dell''anno"},
                 {"plain", "plain"},
                 {"***", "[***]"},
                 {"?", "[?]"},
                 {"??", "[??]"},
                 {"", "[]"},
                 {"a*", "a*"},
                 {"?*", "?*"},
                 {"* ", "* "},
                 {"*'", "*''"}};
    for (const auto& c : cases)
        EXPECT_EQ(sql_quote(QString::fromUtf8(c.text)), QString::fromUtf8(c.quoted)) << c.text;
    EXPECT_EQ(sql_quote(QString()), u"[]"_s);
}

} // namespace

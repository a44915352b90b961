// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/dates.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

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

TEST_F(SqlNocase, ColumnsAndUniqueIndexesUseIt) {
    db->exec(u"create table tags (name text collate nocase)"_s);
    db->exec(u"create unique index tags_name on tags (name)"_s);
    db->exec(u"insert into tags values ('Books'), ('Émile'), ('Emile')"_s);
    EXPECT_THROW(db->exec(u"insert into tags values ('books')"_s), DbError);
    EXPECT_THROW(db->exec(u"insert into tags values ('ÉMILE')"_s), DbError);
    EXPECT_EQ(db->scalar(u"select name from tags where name = 'éMILE'"_s).toString(), u"Émile"_s);
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

TEST_F(SqlCvdate, ReadsTheProgramsOwnAndDayFirstTexts) {
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
}

TEST_F(SqlCvdate, PlusOneIsTheNextDay) {
    EXPECT_EQ(eval("datetime(cvdate('14/03/2026 23:30') + 1)").toString(), u"2026-03-15 23:30:00"_s);
    EXPECT_DOUBLE_EQ(eval("cvdate('28/02/2024') + 1").toDouble(), eval("cvdate('29/02/2024')").toDouble());
}

TEST_F(SqlCvdate, NumbersAndNullPassThrough) {
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
    EXPECT_EQ(type_of("val('3.25')"), u"real"_s);
    EXPECT_EQ(type_of("val('99999999999999999999')"), u"real"_s);
    EXPECT_EQ(type_of("val(12.0)"), u"integer"_s);
    EXPECT_EQ(type_of("val(7)"), u"integer"_s);
    EXPECT_DOUBLE_EQ(eval("val(2.5)").toDouble(), 2.5);
    EXPECT_TRUE(eval("val(null)").isNull());
    EXPECT_TRUE(error_of(u"val('1e999')"_s).contains(u"overflow"_s));
}

} // namespace

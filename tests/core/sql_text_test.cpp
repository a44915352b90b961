// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/sql_text.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

namespace {

TEST(Apici, DoublesEveryApostrophe) {
    EXPECT_EQ(sql_quote(QStringLiteral("O'Brien")), QStringLiteral("O''Brien"));
    EXPECT_EQ(sql_quote(QStringLiteral("l''a")), QStringLiteral("l''''a"));
    EXPECT_EQ(sql_quote(QStringLiteral("'")), QStringLiteral("''"));
    EXPECT_EQ(sql_quote(QStringLiteral("'''")), QStringLiteral("''''''"));
    EXPECT_EQ(sql_quote(QStringLiteral("'start and end'")), QStringLiteral("''start and end''"));
    EXPECT_EQ(sql_quote(QStringLiteral("Città dell'anno")), QStringLiteral("Città dell''anno"));
    EXPECT_EQ(sql_quote(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(Apici, LoneWildcardsAndTheEmptyTextGoInBrackets) {
    EXPECT_EQ(sql_quote(QStringLiteral("***")), QStringLiteral("[***]"));
    EXPECT_EQ(sql_quote(QStringLiteral("?")), QStringLiteral("[?]"));
    EXPECT_EQ(sql_quote(QStringLiteral("??")), QStringLiteral("[??]"));
    EXPECT_EQ(sql_quote(QString()), QStringLiteral("[]"));
    EXPECT_EQ(sql_quote(QStringLiteral("")), QStringLiteral("[]"));
    // Anything mixed is left alone apart from its apostrophes.
    EXPECT_EQ(sql_quote(QStringLiteral("a*")), QStringLiteral("a*"));
    EXPECT_EQ(sql_quote(QStringLiteral("?*")), QStringLiteral("?*"));
    EXPECT_EQ(sql_quote(QStringLiteral("* ")), QStringLiteral("* "));
    EXPECT_EQ(sql_quote(QStringLiteral("*'")), QStringLiteral("*''"));
}

TEST(Apici, QuotedValuesComeBackUnchangedFromTheEngine) {
    TempEnv env;
    FakeClock clock;
    auto db = Database::open(env.path("quote.tdb"), {}, &clock, Database::Mode::CreateNew);
    for (const QString& value : {QStringLiteral("O'Brien"), QStringLiteral("''"),
                                 QStringLiteral("it's 'quoted'"), QStringLiteral("'); drop table x; --")}) {
        EXPECT_EQ(db->scalar(QStringLiteral("select '%1'").arg(sql_quote(value))).toString(), value);
    }
}

} // namespace

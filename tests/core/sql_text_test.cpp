// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sql_text.h"

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

} // namespace

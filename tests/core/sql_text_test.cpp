// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/sql_text.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Apici, DoublesEveryApostrophe) {
    EXPECT_EQ(apici_raddoppiati(u"O'Brien"_s), u"O''Brien"_s);
    EXPECT_EQ(apici_raddoppiati(u"l''a"_s), u"l''''a"_s);
    EXPECT_EQ(apici_raddoppiati(u"'"_s), u"''"_s);
    EXPECT_EQ(apici_raddoppiati(u"'''"_s), u"''''''"_s);
    EXPECT_EQ(apici_raddoppiati(u"'start and end'"_s), u"''start and end''"_s);
    EXPECT_EQ(apici_raddoppiati(u"Città dell'anno"_s), u"Città dell''anno"_s);
    EXPECT_EQ(apici_raddoppiati(u"plain"_s), u"plain"_s);
}

TEST(Apici, LoneWildcardsAndTheEmptyTextGoInBrackets) {
    EXPECT_EQ(apici_raddoppiati(u"***"_s), u"[***]"_s);
    EXPECT_EQ(apici_raddoppiati(u"?"_s), u"[?]"_s);
    EXPECT_EQ(apici_raddoppiati(u"??"_s), u"[??]"_s);
    EXPECT_EQ(apici_raddoppiati(QString()), u"[]"_s);
    EXPECT_EQ(apici_raddoppiati(u""_s), u"[]"_s);
    // Anything mixed is left alone apart from its apostrophes.
    EXPECT_EQ(apici_raddoppiati(u"a*"_s), u"a*"_s);
    EXPECT_EQ(apici_raddoppiati(u"?*"_s), u"?*"_s);
    EXPECT_EQ(apici_raddoppiati(u"* "_s), u"* "_s);
    EXPECT_EQ(apici_raddoppiati(u"*'"_s), u"*''"_s);
}

TEST(Apici, QuotedValuesComeBackUnchangedFromTheEngine) {
    TempEnv env;
    FakeClock clock;
    auto db = Database::open(env.path("quote.tdb"), {}, &clock, Database::Mode::CreateNew);
    for (const QString& value : {u"O'Brien"_s, u"''"_s, u"it's 'quoted'"_s, u"'); drop table x; --"_s}) {
        EXPECT_EQ(db->scalar(u"select '%1'"_s.arg(apici_raddoppiati(value))).toString(), value);
    }
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/program_end.h"
#include "core/session.h"
#include "lang/change_language.h"
#include "lang/translator.h"
#include "support/sample_lang_db.h"

#include <gtest/gtest.h>

namespace {

const QString sorry = QStringLiteral(
    "Sorry, the translation database is under construction, many texts will be provided in English");

class ChangeLanguageTest : public ::testing::Test {
protected:
    ChangeLanguageTest() { install_sample_lang_db(tc); }

    // Answers the language choice with `answer` and records the language it was offered.
    LanguageChooser chooser(std::optional<int> answer) {
        return [this, answer](int current) {
            offered = current;
            return answer;
        };
    }

    TestContext tc;
    Translator translator{tc.ctx};
    int offered = 0;
};

TEST_F(ChangeLanguageTest, ChoosingDeutschStoresFourAndSpeaksGerman) {
    const QString caption = change_language(tc.ctx, chooser(4));
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(tc.ctx.language, 4);
    EXPECT_EQ(tc.settings.get_setting(QStringLiteral("language")), QStringLiteral("4"));
    EXPECT_TRUE(translator.tables_open());
    EXPECT_EQ(tc.prompter.messages(), QStringList{QStringLiteral("Leider")});
    EXPECT_EQ(caption, QStringLiteral("Sprache ändern (jetzt Deutsch)"));
}

TEST_F(ChangeLanguageTest, BackToEnglishSaysNothingAndCancelKeepsTheLanguage) {
    tc.ctx.language = 3;
    EXPECT_EQ(change_language(tc.ctx, chooser(1)), QStringLiteral("Change language (now English)"));
    EXPECT_EQ(offered, 3);
    EXPECT_EQ(tc.ctx.language, 1);
    EXPECT_EQ(tc.settings.get_setting(QStringLiteral("language")), QStringLiteral("1"));
    EXPECT_TRUE(tc.prompter.shown().empty());

    tc.ctx.language = 2;
    EXPECT_EQ(change_language(tc.ctx, chooser(std::nullopt)), QStringLiteral("Cambia lingua (ora Italiano)"));
    EXPECT_EQ(tc.ctx.language, 2);
    EXPECT_EQ(tc.settings.get_setting(QStringLiteral("language")), QStringLiteral("2"));
}

TEST_F(ChangeLanguageTest, WithoutTranslationFileTheChoiceIsKeptAndTextsStayEnglish) {
    QFile::remove(lang_db_path(tc));
    const QString caption = change_language(tc.ctx, chooser(5));
    EXPECT_EQ(tc.ctx.language, 5);
    EXPECT_EQ(tc.settings.get_setting(QStringLiteral("language")), QStringLiteral("5"));
    ASSERT_EQ(tc.prompter.messages().size(), 2);
    EXPECT_TRUE(tc.prompter.messages()[0].contains(QStringLiteral("lang.db")));
    EXPECT_EQ(tc.prompter.messages()[1], sorry);
    EXPECT_EQ(caption, QStringLiteral("Change language (now English)"));
}

// The stored language is read at the next start, whose tables open before the screen check.
TEST_F(ChangeLanguageTest, NextStartSpeaksTheStoredLanguageFromItsFirstMessage) {
    tc.settings.save_setting(QStringLiteral("language"), QStringLiteral("4"));
    tc.screen.width = 11999;
    Session session(tc.ctx, tc.ui);
    EXPECT_THROW(session.start(QString()), ProgramEnd);
    EXPECT_TRUE(translator.tables_open());
    EXPECT_EQ(tc.prompter.messages(), QStringList{QStringLiteral("Bildschirm zu klein.")});
}

} // namespace

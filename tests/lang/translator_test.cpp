// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "lang/translator.h"
#include "support/sample_lang_db.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class TranslatorTest : public ::testing::Test {
protected:
    TestContext tc;
};

TEST_F(TranslatorTest, EnglishNeedsNoTranslationFile) {
    Translator translator(tc.ctx);
    tc.ctx.language = 1;
    EXPECT_EQ(translator.translate(QStringLiteral("Select language")), QStringLiteral("Select language"));
    EXPECT_EQ(translate(QStringLiteral("no such text")), QStringLiteral("no such text"));
    open_translation_tables();
    EXPECT_FALSE(translator.tables_open());
    EXPECT_TRUE(tc.prompter.shown().empty());
}

struct LookupCase {
    int language;
    const char* text;
    const char* expected;
};

TEST_F(TranslatorTest, LooksTextsUpInTheColumnOfTheLanguage) {
    install_sample_lang_db(tc);
    Translator translator(tc.ctx);
    const LookupCase cases[] = {
        {2, "Select language", "Seleziona la lingua"},
        {4, "Select language", "Sprache auswählen"},
        {3, "Select language", "Select language"}, // empty cell: English
        {5, "Select language", "Select language"}, // only spaces: English
        {3, "No such text", "'No such text"},      // no row: marked with an apostrophe
        {2, "SELECT LANGUAGE", "Seleziona la lingua"},
        {5, "émile's BOOK", "El libro de Émile"}, // case ignored beyond ASCII too
        {1, "Select language", "Select language"},
        {1, "No such text", "No such text"},
    };
    for (const LookupCase& c : cases) {
        tc.ctx.language = c.language;
        EXPECT_EQ(translate(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected))
            << "language " << c.language << ": " << c.text;
    }
    EXPECT_TRUE(translator.tables_open());
    EXPECT_TRUE(tc.prompter.shown().empty());

    // A message box is translated and has no title.
    tc.ctx.language = 2;
    msg_translated(tc.prompter, QStringLiteral("Select language"));
    ASSERT_EQ(tc.prompter.shown().size(), 1U);
    EXPECT_EQ(tc.prompter.shown()[0].kind, QStringLiteral("message"));
    EXPECT_EQ(tc.prompter.shown()[0].text, QStringLiteral("Seleziona la lingua"));
    EXPECT_EQ(tc.prompter.shown()[0].title, QString());
}

// A file that is no usable translation database: none at all, bytes that are no database, or a
// database made by the statement given.
TEST_F(TranslatorTest, UnusableFileIsToldOnceInEnglishAndTextsStayEnglish) {
    const struct {
        const char* name;
        const char* statement;
    } cases[] = {{"missing", nullptr},
                 {"garbage", ""},
                 {"no table", "create table Other (a text)"},
                 {"too few columns", "create table Translation (english text, italiano text)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestContext local;
        QDir().mkpath(local.ctx.program_dir);
        if (c.statement && *c.statement)
            Database::open(lang_db_path(local), {}, nullptr, Database::Mode::CreateNew)
                ->exec(QString::fromLatin1(c.statement));
        else if (c.statement)
            local.env.write_file(QStringLiteral("home/lang.db"), QByteArray(4096, 'x'));
        local.ctx.language = 3;
        Translator translator(local.ctx);
        translator.open_tables();
        EXPECT_FALSE(translator.tables_open());
        EXPECT_EQ(translate(QStringLiteral("Select language")), QStringLiteral("Select language"));
        EXPECT_EQ(translate(QStringLiteral("No such text")), QStringLiteral("No such text"));
        ASSERT_EQ(local.prompter.messages().size(), 1);
        const QString message = local.prompter.messages().first();
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(lang_db_path(local)))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("English"))) << message.toStdString();
    }
}

TEST_F(TranslatorTest, TablesAreOpenedOnlyOnce) {
    tc.ctx.language = 2;
    Translator translator(tc.ctx);
    translator.open_tables();
    ASSERT_EQ(tc.prompter.messages().size(), 1);
    // A file appearing later is not looked at again in this process.
    install_sample_lang_db(tc);
    open_translation_tables();
    EXPECT_FALSE(translator.tables_open());
    EXPECT_EQ(translate(QStringLiteral("Select language")), QStringLiteral("Select language"));
    EXPECT_EQ(tc.prompter.messages().size(), 1);
}

TEST_F(TranslatorTest, TheTranslatorAliveLastServesAndHandsBackWhenGone) {
    install_sample_lang_db(tc);
    tc.ctx.language = 2;
    EXPECT_EQ(Translator::current(), nullptr);
    EXPECT_EQ(translate(QStringLiteral("Select language")), QStringLiteral("Select language"));
    Translator outer(tc.ctx);
    {
        int german = 4;
        Translator inner(german, tc.prompter, lang_db_path(tc));
        EXPECT_EQ(Translator::current(), &inner);
        EXPECT_EQ(translate(QStringLiteral("Select language")), QStringLiteral("Sprache auswählen"));
    }
    EXPECT_EQ(Translator::current(), &outer);
    EXPECT_EQ(translate(QStringLiteral("Select language")), QStringLiteral("Seleziona la lingua"));
}

TEST_F(TranslatorTest, InstallsTheBuiltFileWhenMissingOrOlder) {
    const QString built = tc.env.path(QStringLiteral("built.db"));
    const QString home = tc.ctx.program_dir;
    const QString installed = QDir(home).filePath(QStringLiteral("lang.db"));
    EXPECT_FALSE(install_lang_db(home, built)); // nothing built: nothing to do

    write_lang_db(sample_translations(), built);
    EXPECT_TRUE(install_lang_db(home, built));
    ASSERT_TRUE(QFileInfo::exists(installed));
    EXPECT_FALSE(install_lang_db(home, built)); // same age: kept

    // An older copy in the program directory is replaced by the newer build.
    QFile::resize(installed, 0);
    {
        QFile file(installed);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QFileInfo(built).lastModified().addDays(-1), QFileDevice::FileModificationTime);
    }
    EXPECT_TRUE(install_lang_db(home, built));
    EXPECT_EQ(QFileInfo(installed).size(), QFileInfo(built).size());
    EXPECT_FALSE(QFileInfo::exists(installed + QStringLiteral(".new")));
}

} // namespace

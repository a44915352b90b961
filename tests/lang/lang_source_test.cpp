// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "lang/translator.h"
#include "support/sample_lang_db.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const QByteArray header = "English\tItaliano\tFrançais\tDeutsch\tEspañol\n";

TEST(LangSource, ReadsRowsKeepingSpacesAndEscapes) {
    const QByteArray text = "\xEF\xBB\xBF" + header +
                            "\r\n"
                            " - Enter the password\t - Password\t\t - Kennwort\t - Contraseña\r\n"
                            "Line\\none\\ttab\\\\\tRiga\\nuno\tLigne\tZeile\tLínea\n"
                            "\n";
    const TranslationSource source = parse_translation_source(text);
    EXPECT_EQ(source.languages.join(QLatin1Char('|')),
              QStringLiteral("English|Italiano|Français|Deutsch|Español"));
    ASSERT_EQ(source.rows.size(), 2U);
    EXPECT_EQ(source.rows[0][0], QStringLiteral(" - Enter the password"));
    EXPECT_EQ(source.rows[0][2], QString());
    EXPECT_EQ(source.rows[0][4], QStringLiteral(" - Contraseña"));
    EXPECT_EQ(source.rows[1][0], QStringLiteral("Line\none\ttab\\"));
    EXPECT_EQ(source.rows[1][1], QStringLiteral("Riga\nuno"));
}

TEST(LangSource, RejectsRowsItCannotUse) {
    const struct {
        QByteArray text;
        const char* message;
    } cases[] = {
        {header + "One\tUno\tUn\tEins\n", "line 2: 4 cells instead of 5 (cells are separated by tabs)"},
        {header + "One\tUno\tUn\tEins\tUno\tExtra\n",
         "line 2: 6 cells instead of 5 (cells are separated by tabs)"},
        {header + "\tUno\tUn\tEins\tUno\n", "line 2: the English text is empty"},
        {header + "One\tUno\tUn\tEins\tUno\n\nONE\tUno\tUn\tEins\tUno\n", "line 4: \"ONE\" appears twice"},
        {"English\tItaliano\n", "line 1: 2 cells instead of 5 (cells are separated by tabs)"},
        {"\n\n", "the header line is missing"},
        {header + "Caf\xE9\tx\tx\tx\tx\n", "the file is not valid UTF-8"},
    };
    for (const auto& c : cases) {
        try {
            parse_translation_source(c.text);
            ADD_FAILURE() << "accepted: " << c.text.constData();
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(LangSource, WritesTheTableWithItsIndexAndNullsForEmptyCells) {
    TestContext tc;
    const QString path = tc.env.path(QStringLiteral("lang.db"));
    QFile::remove(path);
    {
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("an older file that is replaced");
    }
    write_lang_db(sample_translations(), path);
    auto db = Database::open(path, QString(), nullptr);
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from Translation")).toInt(),
              static_cast<int>(sample_translations().rows.size()));
    EXPECT_EQ(
        db->scalar(QStringLiteral("select count(*) from Translation where \"Français\" is null")).toInt(), 1);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".new")));
}

// The texts the program hands to translate() or msg_translated(), read from its sources, so that
// a new translated text without a row in the shipped file is caught here.
QStringList translated_texts_in_sources() {
    static const QRegularExpression call(QStringLiteral(
        R"re(\b(?:translate|msg_translated)\(\s*(?:[\w.>\-]+\s*,\s*)?QStringLiteral\(((?:\s*"(?:[^"\\]|\\.)*")+)\s*\))re"));
    static const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QStringList texts;
    QDirIterator files(QStringLiteral(TESSARIN_DATA_DIR "/../src"),
                       {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QString source = QString::fromUtf8(file.readAll());
        for (auto calls = call.globalMatch(source); calls.hasNext();) {
            QString text;
            for (auto parts = piece.globalMatch(calls.next().captured(1)); parts.hasNext();)
                text += parts.next().captured(1);
            text.replace(QStringLiteral("\\\""), QStringLiteral("\""))
                .replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
            if (!texts.contains(text)) texts.append(text);
        }
    }
    return texts;
}

TEST(ShippedTranslations, EveryTranslatedTextHasAllFourLanguages) {
    const QStringList texts = translated_texts_in_sources();
    // The start-up, opening, password, wait box and language texts at the least.
    ASSERT_GE(texts.size(), 11) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Please wait...")));
    EXPECT_TRUE(texts.contains(QStringLiteral(" - Enter the database password")));

    QFile tsv(QStringLiteral(TESSARIN_DATA_DIR "/lang/translations.tsv"));
    ASSERT_TRUE(tsv.open(QIODevice::ReadOnly));
    TestContext tc;
    QDir().mkpath(tc.ctx.program_dir);
    write_lang_db(parse_translation_source(tsv.readAll()), lang_db_path(tc));
    Translator translator(tc.ctx);
    for (int language = 2; language <= language_count; ++language) {
        tc.ctx.language = language;
        for (const QString& text : texts) {
            const QString translated = translate(text);
            EXPECT_FALSE(translated.startsWith(QLatin1Char('\'')) && !text.startsWith(QLatin1Char('\'')))
                << "no row for \"" << text.toStdString() << "\"";
            EXPECT_NE(translated, text)
                << language_name(language).toStdString() << " missing for \"" << text.toStdString() << "\"";
            // Texts the program joins to others keep their joining space or bracket.
            EXPECT_EQ(translated.startsWith(QLatin1Char(' ')), text.startsWith(QLatin1Char(' ')))
                << text.toStdString();
            EXPECT_EQ(translated.startsWith(QLatin1Char(')')), text.startsWith(QLatin1Char(')')))
                << text.toStdString();
        }
    }
    EXPECT_TRUE(tc.prompter.shown().empty());
}

// The file the build writes (beside the tests' directory) is the one main installs; it answers
// as the source says. The build writes it before this program.
TEST(ShippedTranslations, TheBuiltFileAnswersInEveryLanguage) {
    const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../data/lang.db");
    ASSERT_TRUE(QFile::exists(built)) << built.toStdString();
    TestContext tc;
    int language = 4;
    Translator translator(language, tc.prompter, built);
    EXPECT_EQ(translate(QStringLiteral("Please wait...")), QStringLiteral("Bitte warten..."));
    language = 2;
    EXPECT_EQ(translate(QStringLiteral("&Cancel")), QStringLiteral("&Annulla"));
    EXPECT_TRUE(tc.prompter.shown().empty());
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/password_dialog.h"
#include "core/ui/wait_box.h"
#include "lang/lang_source.h"
#include "lang/translator.h"
#include "lang/ui/language_dialog.h"
#include "support/test_context.h"
#include "ui/ui_helpers.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// A context whose program directory holds the translation database built from the shipped source.
class TranslatedWindowsTest : public ::testing::Test {
protected:
    TranslatedWindowsTest() {
        QFile source(QStringLiteral(TESSARIN_DATA_DIR "/lang/translations.tsv"));
        EXPECT_TRUE(source.open(QIODevice::ReadOnly));
        QDir().mkpath(tc.ctx.program_dir);
        write_lang_db(parse_translation_source(source.readAll()), tc.ctx.program_path(lang_db_file_name));
    }

    QRadioButton* option(QWidget* dialog, int index) {
        return dialog->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(index));
    }
    // Clicks the option's round button, at its left end.
    void pick(QWidget* dialog, int index) {
        QRadioButton* button = option(dialog, index);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    TestContext tc;
    Translator translator{tc.ctx};
};

TEST_F(TranslatedWindowsTest, PasswordDialogAndWaitBoxSpeakTheLanguage) {
    tc.ctx.language = 4;
    PasswordDialog dialog(nullptr, tc.prompter, QStringLiteral("/data/family.tdb"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tessarin - Geben Sie das Datenbankkennwort ein"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("b_change_db"))->text(),
              QStringLiteral("&Datenbank wechseln"));
    WaitBox box;
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Bitte warten..."));
}

TEST_F(TranslatedWindowsTest, LanguageDialogChecksTheCurrentLanguage) {
    tc.ctx.language = 2;
    LanguageDialog dialog(3);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Seleziona la lingua"));
    for (int index = 0; index < 5; ++index) {
        ASSERT_NE(option(&dialog, index), nullptr) << index;
        EXPECT_EQ(option(&dialog, index)->isChecked(), index == 2);
    }
    EXPECT_EQ(option(&dialog, 3)->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(dialog.chosen(), 3);
}

TEST_F(TranslatedWindowsTest, ChoosingDeutschStoresFourAndRenamesTheMenuEntry) {
    when_modal_shows([this](QWidget* dialog) {
        pick(dialog, 3);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("b_ok")), Qt::LeftButton);
    });
    EXPECT_EQ(run_change_language(tc.ctx, nullptr), QStringLiteral("Sprache ändern (jetzt Deutsch)"));
    EXPECT_EQ(tc.ctx.language, 4);
}

TEST_F(TranslatedWindowsTest, CancelLeavesTheLanguage) {
    when_modal_shows([this](QWidget* dialog) {
        pick(dialog, 4);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("b_cancel")), Qt::LeftButton);
    });
    EXPECT_EQ(run_change_language(tc.ctx, nullptr), QStringLiteral("Change language (now English)"));
    EXPECT_EQ(tc.ctx.language, 1);
}

} // namespace

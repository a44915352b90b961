// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/password_dialog.h"
#include "support/fakes.h"
#include "ui/ui_helpers.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString too_long_message = QStringLiteral("Password should no be longer than 9 characters");

class PasswordDialogTest : public ::testing::Test {
protected:
    const QString path = QStringLiteral("/home/ann/Documents/family l'été.tdb");
    FakePrompter prompter;
    PasswordDialog dialog{nullptr, prompter, path};

    void SetUp() override { dialog.show(); }

    QLineEdit* box() { return dialog.findChild<QLineEdit*>(QStringLiteral("t_password")); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QLatin1String(name)); }
    void type(const QString& text) { type_text(box(), text); }
};

} // namespace

TEST_F(PasswordDialogTest, ShowsThePathAndTheControls) {
    EXPECT_EQ(dialog.objectName(), QStringLiteral("f_password"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tessarin - Enter the database password"));
    auto* label = dialog.findChild<QLabel*>(QStringLiteral("lab_database"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), path);
    ASSERT_NE(box(), nullptr);
    ASSERT_NE(button("b_enter"), nullptr);
    ASSERT_NE(button("b_change_db"), nullptr);
    ASSERT_NE(button("b_cancel"), nullptr);
    EXPECT_EQ(button("b_enter")->text(), QStringLiteral("&Enter"));
    EXPECT_EQ(button("b_change_db")->text(), QStringLiteral("Change &Database"));
    EXPECT_EQ(button("b_cancel")->text(), QStringLiteral("&Cancel"));
    // The box starts empty and with the focus, and masks what is typed with '*'.
    EXPECT_TRUE(box()->text().isEmpty());
    EXPECT_EQ(dialog.focusWidget(), box());
    type(QStringLiteral("abc"));
    EXPECT_EQ(box()->displayText(), QStringLiteral("***"));
}

TEST_F(PasswordDialogTest, IsCentredOnTheScreen) {
    const QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint centre = dialog.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - screen_centre.x()), 1);
    EXPECT_LE(std::abs(centre.y() - screen_centre.y()), 1);
}

TEST_F(PasswordDialogTest, KeepsNineCharactersAndWarnsOncePerExcessChange) {
    type(QStringLiteral("abcdefghi"));
    EXPECT_EQ(box()->text(), QStringLiteral("abcdefghi"));
    EXPECT_TRUE(prompter.shown().empty());

    type(QStringLiteral("j"));
    EXPECT_EQ(box()->text(), QStringLiteral("abcdefghi"));
    ASSERT_EQ(prompter.messages(), QStringList{too_long_message});
    EXPECT_EQ(prompter.shown().front().kind, QStringLiteral("message"));

    // Every further character is one more excess change.
    type(QStringLiteral("kl"));
    EXPECT_EQ(box()->text(), QStringLiteral("abcdefghi"));
    EXPECT_EQ(prompter.messages().size(), 3);

    // A pasted long text is one change: cut once, one message.
    prompter.clear();
    box()->clear();
    box()->insert(QStringLiteral("0123456789abcdef"));
    EXPECT_EQ(box()->text(), QStringLiteral("012345678"));
    EXPECT_EQ(prompter.messages(), QStringList{too_long_message});
}

TEST_F(PasswordDialogTest, RemovesSpacesAtTheEnds) {
    type(QStringLiteral("  pass  "));
    EXPECT_EQ(box()->text(), QStringLiteral("pass"));

    // Spaces inside stay; only the ends are trimmed, and before the length is checked.
    box()->clear();
    box()->insert(QStringLiteral("   ab cdefghi   "));
    EXPECT_EQ(box()->text(), QStringLiteral("ab cdefgh"));
    EXPECT_EQ(prompter.messages(), QStringList{too_long_message});

    box()->clear();
    prompter.clear();
    box()->insert(QStringLiteral("   ab c   "));
    EXPECT_EQ(box()->text(), QStringLiteral("ab c"));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(PasswordDialogTest, EnterKeyGivesTheTextAsTyped) {
    type(QStringLiteral("l'été"));
    QTest::keyClick(box(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.answer().kind, PasswordAnswer::Kind::Enter);
    EXPECT_EQ(dialog.answer().password, QStringLiteral("l'été"));
}

TEST_F(PasswordDialogTest, EnterWithAnEmptyBoxGivesAnEmptyPassword) {
    QTest::keyClick(box(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.answer().kind, PasswordAnswer::Kind::Enter);
    EXPECT_TRUE(dialog.answer().password.isEmpty());
}

TEST_F(PasswordDialogTest, EnterButtonGivesTheText) {
    type(QStringLiteral("Zoë9"));
    QTest::mouseClick(button("b_enter"), Qt::LeftButton);
    EXPECT_EQ(dialog.answer().kind, PasswordAnswer::Kind::Enter);
    EXPECT_EQ(dialog.answer().password, QStringLiteral("Zoë9"));
}

TEST_F(PasswordDialogTest, EscapeCancelsWhateverWasTyped) {
    type(QStringLiteral("secret"));
    QTest::keyClick(box(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.answer().kind, PasswordAnswer::Kind::Cancel);
    EXPECT_TRUE(dialog.answer().password.isEmpty());
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(PasswordDialogTest, CancelButtonAndClosingTheWindowCancel) {
    type(QStringLiteral("secret"));
    QTest::mouseClick(button("b_cancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.answer().kind, PasswordAnswer::Kind::Cancel);

    FakePrompter other_prompter;
    PasswordDialog other(nullptr, other_prompter, path);
    other.show();
    type_text(other.findChild<QLineEdit*>(QStringLiteral("t_password")), QStringLiteral("secret"));
    EXPECT_TRUE(other.close());
    EXPECT_EQ(other.answer().kind, PasswordAnswer::Kind::Cancel);
}

TEST_F(PasswordDialogTest, ChangeDatabaseButtonAsksForAnotherFile) {
    type(QStringLiteral("secret"));
    QTest::mouseClick(button("b_change_db"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.answer().kind, PasswordAnswer::Kind::ChangeDatabase);
    EXPECT_TRUE(dialog.answer().password.isEmpty());
}

TEST_F(PasswordDialogTest, AltDPressesChangeDatabase) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    type(QStringLiteral("secret"));
    QTest::keyClick(box(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses its button at once and releases it a moment later, which is Qt's own
    // affair; that the key reached the right button, and not the box, is what counts here.
    EXPECT_TRUE(button("b_change_db")->isDown());
    EXPECT_FALSE(button("b_enter")->isDown());
    EXPECT_EQ(box()->text(), QStringLiteral("secret"));
}

TEST(PasswordDialogAsk, RunsModallyAndReturnsTheAnswer) {
    FakePrompter prompter;
    QString shown_path;
    when_modal_shows([&](QWidget* modal) {
        ASSERT_EQ(modal->objectName(), QStringLiteral("f_password"));
        shown_path = modal->findChild<QLabel*>(QStringLiteral("lab_database"))->text();
        auto* box = modal->findChild<QLineEdit*>(QStringLiteral("t_password"));
        type_text(box, QStringLiteral(" 1234567890"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    const PasswordAnswer answer = PasswordDialog::ask(nullptr, prompter, QStringLiteral("/data/notes.tdb"));
    EXPECT_EQ(shown_path, QStringLiteral("/data/notes.tdb"));
    EXPECT_EQ(answer.kind, PasswordAnswer::Kind::Enter);
    EXPECT_EQ(answer.password, QStringLiteral("123456789"));
    EXPECT_EQ(prompter.messages(), QStringList{too_long_message});

    when_modal_shows([](QWidget* modal) {
        QTest::keyClick(modal->findChild<QLineEdit*>(QStringLiteral("t_password")), Qt::Key_Escape);
    });
    EXPECT_EQ(PasswordDialog::ask(nullptr, prompter, QStringLiteral("/data/notes.tdb")).kind,
              PasswordAnswer::Kind::Cancel);
}

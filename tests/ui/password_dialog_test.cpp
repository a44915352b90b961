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

using namespace Qt::StringLiterals;

namespace {

const QString too_long_message = u"Password should no be longer than 9 characters"_s;

class PasswordDialogTest : public ::testing::Test {
protected:
    const QString path = u"/home/ann/Documents/family l'été.tdb"_s;
    FakePrompter prompter;
    PasswordDialog dialog{nullptr, prompter, path};

    void SetUp() override { dialog.show(); }

    QLineEdit* box() { return dialog.findChild<QLineEdit*>(u"t_password"_s); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QLatin1String(name)); }
    void type(const QString& text) { type_text(box(), text); }
};

} // namespace

TEST_F(PasswordDialogTest, ShowsThePathCentredAndMasksWhatIsTypedInTheFocusedBox) {
    auto* label = dialog.findChild<QLabel*>(u"lab_database"_s);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), path);
    ASSERT_NE(box(), nullptr);
    EXPECT_TRUE(box()->text().isEmpty());
    EXPECT_EQ(dialog.focusWidget(), box());
    type(u"abc"_s);
    EXPECT_EQ(box()->displayText(), u"***"_s);
    // The dialog stands in the middle of the screen.
    const QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint centre = dialog.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - screen_centre.x()), 1);
    EXPECT_LE(std::abs(centre.y() - screen_centre.y()), 1);
}

// The box keeps nine characters after trimming blanks at its ends, and warns once for each
// change that went past them: every key typed, or one paste.
TEST_F(PasswordDialogTest, KeepsNineCharactersAndWarnsOncePerExcessChange) {
    const struct {
        QString text;
        bool pasted;
        QString kept;
        int warnings;
    } cases[] = {
        {u"abcdefghi"_s, false, u"abcdefghi"_s, 0},
        {u"abcdefghij"_s, false, u"abcdefghi"_s, 1},
        {u"abcdefghijkl"_s, false, u"abcdefghi"_s, 3},
        {u"0123456789abcdef"_s, true, u"012345678"_s, 1},
        {u"  pass  "_s, false, u"pass"_s, 0},
        // Blanks inside stay, and the ends go before the length is checked.
        {u"   ab cdefghi   "_s, true, u"ab cdefgh"_s, 1},
        {u"   ab c   "_s, true, u"ab c"_s, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        box()->clear();
        prompter.clear();
        if (c.pasted)
            box()->insert(c.text);
        else
            type(c.text);
        EXPECT_EQ(box()->text(), c.kept);
        EXPECT_EQ(prompter.messages(), QStringList(c.warnings, too_long_message));
    }
}

// Every way out of the dialog, after something (or nothing) was typed.
TEST(PasswordDialogAnswer, EachWayOutGivesItsAnswer) {
    using Kind = PasswordAnswer::Kind;
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [k, m](PasswordDialog& d) { QTest::keyClick(d.findChild<QLineEdit*>(u"t_password"_s), k, m); };
    };
    const auto click = [](const char* name) {
        return [name](PasswordDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
        };
    };
    const struct {
        const char* way;
        QString typed;
        std::function<void(PasswordDialog&)> leave;
        Kind kind;
        QString password;
    } cases[] = {
        {"Return", u"l'été"_s, key(Qt::Key_Return), Kind::Enter, u"l'été"_s},
        {"keypad Enter on an empty box", {}, key(Qt::Key_Enter, Qt::KeypadModifier), Kind::Enter, {}},
        {"Enter button", u"Zoë9"_s, click("b_enter"), Kind::Enter, u"Zoë9"_s},
        {"Escape", u"secret"_s, key(Qt::Key_Escape), Kind::Cancel, {}},
        {"Cancel button", u"secret"_s, click("b_cancel"), Kind::Cancel, {}},
        {"closing the window", u"secret"_s, [](PasswordDialog& d) { d.close(); }, Kind::Cancel, {}},
        {"Change Database button", u"secret"_s, click("b_change_db"), Kind::ChangeDatabase, {}},
    };
    for (const auto& c : cases) {
        FakePrompter prompter;
        PasswordDialog dialog(nullptr, prompter, u"/data/notes.tdb"_s);
        dialog.show();
        type_text(dialog.findChild<QLineEdit*>(u"t_password"_s), c.typed);
        c.leave(dialog);
        EXPECT_FALSE(dialog.isVisible()) << c.way;
        EXPECT_EQ(dialog.result(), c.kind == Kind::Cancel ? QDialog::Rejected : QDialog::Accepted) << c.way;
        EXPECT_EQ(dialog.answer().kind, c.kind) << c.way;
        EXPECT_EQ(dialog.answer().password, c.password) << c.way;
        EXPECT_TRUE(prompter.shown().empty()) << c.way;
    }
}

TEST_F(PasswordDialogTest, AltDPressesChangeDatabase) {
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    type(u"secret"_s);
    QTest::keyClick(box(), Qt::Key_D, Qt::AltModifier);
    // A mnemonic presses its button at once and releases it a moment later, which is Qt's own
    // affair; that the key reached the right button, and not the box, is what counts here.
    EXPECT_TRUE(button("b_change_db")->isDown());
    EXPECT_FALSE(button("b_enter")->isDown());
    EXPECT_EQ(box()->text(), u"secret"_s);
}

TEST(PasswordDialogAsk, RunsModallyAndReturnsTheAnswer) {
    FakePrompter prompter;
    when_modal_shows([&](QWidget* modal) {
        ASSERT_EQ(modal->objectName(), u"f_password"_s);
        auto* box = modal->findChild<QLineEdit*>(u"t_password"_s);
        type_text(box, u"l'été"_s);
        QTest::keyClick(box, Qt::Key_Return);
    });
    const PasswordAnswer answer = PasswordDialog::ask(nullptr, prompter, u"/data/notes.tdb"_s);
    EXPECT_EQ(answer.kind, PasswordAnswer::Kind::Enter);
    EXPECT_EQ(answer.password, u"l'été"_s);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "shell/ui/tips_window.h"
#include "support/test_db.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TipsWindowTest : public ::testing::Test {
protected:
    TipsWindowTest() { db.open_db(QStringLiteral("tips.tdb")); }
    ~TipsWindowTest() override {
        if (window) delete window.data();
    }

    void write_tips(const QByteArray& content) {
        QFile file(tc.ctx.program_path(QStringLiteral("tips.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QPlainTextEdit* text() const { return window->findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
    QString stored() const { return get_gen_param(*tc.ctx.db, QStringLiteral("show_initial_tips")); }
    // Closes through the window's own button and lets the deferred deletion happen.
    void close_window(const char* control = "b_esc") {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(control)), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TestDb db;
    TestContext& tc = db.tc;
    QPointer<TipsWindow> window;
};

TEST_F(TipsWindowTest, WithoutTheFileSaysSoAndOpensNothing) {
    window = show_tips_window(tc.ctx, nullptr);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(tc.prompter.messages(), QStringList{QStringLiteral("File tips.txt not found")});
}

TEST_F(TipsWindowTest, ShowsTheFileReadOnlyInAFixedWindowWithTheBoxChecked) {
    write_tips("First tip\r\nSecond tip\r\n");
    window = show_tips_window(tc.ctx, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("First tip\nSecond tip\n"));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->findChild<QCheckBox*>(QStringLiteral("c_show_again"))->isChecked());
    // A second request raises the same window.
    EXPECT_EQ(show_tips_window(tc.ctx, nullptr), window.data());
    EXPECT_TRUE(tc.prompter.shown().empty());

    QTest::keyClicks(text(), QStringLiteral("xyz"));
    QTest::keyClick(text(), Qt::Key_Backspace);
    QTest::keyClick(text(), Qt::Key_Return);
    text()->insertPlainText(QStringLiteral("pasted"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("First tip\nSecond tip\n"));
}

TEST_F(TipsWindowTest, UncheckingStoresNAndCheckedStoresY) {
    write_tips("tip\n");
    window = show_tips_window(tc.ctx, nullptr);
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->findChild<QCheckBox*>(QStringLiteral("c_show_again")), Qt::LeftButton);
    close_window();
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(stored(), QStringLiteral("N"));

    window = show_tips_window(tc.ctx, nullptr);
    ASSERT_NE(window, nullptr);
    close_window();
    EXPECT_EQ(stored(), QStringLiteral("Y"));
}

TEST_F(TipsWindowTest, EscapeClosesAndHotKeysReachTheGeneralRoutine) {
    write_tips("tip\n");
    std::vector<std::pair<int, int>> keys;
    tc.windows.on_hot_key = [&keys](int shift, int key) {
        // The modifier keys pressed on their way to the combination are of no interest here.
        if (key != Qt::Key_Control && key != Qt::Key_Shift) keys.emplace_back(shift, key);
        return shift >= 2;
    };
    window = show_tips_window(tc.ctx, nullptr);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(text(), Qt::Key_F1, Qt::ControlModifier);
    QTest::keyClick(text(), Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(keys.size(), 2U);
    EXPECT_EQ(keys[0], std::make_pair(2, int(Qt::Key_F1)));
    EXPECT_EQ(keys[1], std::make_pair(3, int(Qt::Key_Q)));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("tip\n"));

    QTest::keyClick(text(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(keys.size(), 2U); // Escape is the window's own
    EXPECT_EQ(stored(), QStringLiteral("Y"));
}

} // namespace

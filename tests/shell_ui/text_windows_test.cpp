// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The text window (hot keys, help texts) and the tips window, which share their reading control.
#include "core/params.h"
#include "shell/ui/text_window.h"
#include "shell/ui/tips_window.h"
#include "support/test_db.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TextWindowsTest : public ::testing::Test, protected TestDb {
protected:
    TextWindowsTest() { open_db(QStringLiteral("text.tdb")); }
    ~TextWindowsTest() override {
        if (window) delete window.data();
    }

    QPlainTextEdit* text() const { return window->findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
    QString param(const char* key) const { return get_gen_param(*tc.ctx.db, QString::fromLatin1(key)); }
    // Closes through one of the window's own buttons and lets the deferred deletion happen.
    void click_and_settle(const char* button) {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TestContext& t = tc;
    QPointer<QWidget> window;
};

class TextWindowTest : public TextWindowsTest {
protected:
    void show(const QString& text = QStringLiteral("F1\tDisplay context menu (if any)\n[end of list]")) {
        window = show_text_window(t.ctx, nullptr, text, QStringLiteral("Tessarin - Hot keys"));
    }
};

class TipsWindowTest : public TextWindowsTest {
protected:
    void show(const QByteArray& content) {
        QFile file(t.ctx.program_path(QStringLiteral("tips.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        window = show_tips_window(t.ctx, nullptr);
        ASSERT_NE(window, nullptr);
    }
};

} // namespace

TEST_F(TextWindowTest, ShowsTheTextWithoutWaitingAndSpringsBackTo2000Twips) {
    show();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tessarin - Hot keys"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("F1\tDisplay context menu (if any)\n[end of list]"));
    // Nothing stored: the default size of 5000 by 6000 twips.
    EXPECT_EQ(window->size(), QSize(5000 / 15, 6000 / 15));

    window->resize(500, 40);
    EXPECT_GE(window->height() * 15, 2000);
    EXPECT_LT(window->height() * 15, 2000 + 15);
    EXPECT_EQ(window->width(), 500);
    // The layout in twips (text_window_layout) reaches the controls.
    EXPECT_EQ(text()->geometry(), QRect(10, 6, 480, 71));
}

TEST_F(TextWindowTest, PlaceAndSizeAreStoredOnCloseAndRestoredNextTime) {
    show();
    window->move(45, 30);
    window->resize(420, 360);
    const QPoint place = window->pos();
    QTest::keyClick(text(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);

    show(QStringLiteral("another text"));
    EXPECT_EQ(window->size(), QSize(420, 360));
    EXPECT_EQ(window->pos(), place);
    window->resize(300, 300);
    click_and_settle("b_ok");
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(param("f_msgbox_width"), QStringLiteral("4500"));
}

TEST_F(TipsWindowTest, WithoutTheFileSaysSoAndOpensNothing) {
    window = show_tips_window(t.ctx, nullptr);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(t.prompter.messages(), QStringList{QStringLiteral("File tips.txt not found")});
}

TEST_F(TipsWindowTest, ShowsTheFileReadOnlyInAFixedWindowOnce) {
    show("First tip\r\nSecond tip\r\n");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    // A second request raises the same window.
    EXPECT_EQ(show_tips_window(t.ctx, nullptr), window.data());
    EXPECT_TRUE(t.prompter.shown().empty());

    QTest::keyClicks(text(), QStringLiteral("xyz"));
    QTest::keyClick(text(), Qt::Key_Backspace);
    QTest::keyClick(text(), Qt::Key_Return);
    text()->insertPlainText(QStringLiteral("pasted"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("First tip\nSecond tip\n"));
}

// The box starts checked; closing stores whether it still is.
TEST_F(TipsWindowTest, UncheckingStoresNAndCheckedStoresY) {
    show("tip\n");
    auto* box = window->findChild<QCheckBox*>(QStringLiteral("c_show_again"));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    click_and_settle("b_esc");
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(param("show_initial_tips"), QStringLiteral("N"));

    show("tip\n");
    click_and_settle("b_esc");
    EXPECT_EQ(param("show_initial_tips"), QStringLiteral("Y"));
}

TEST_F(TipsWindowTest, EscapeClosesAndHotKeysReachTheGeneralRoutine) {
    std::vector<std::pair<int, int>> keys;
    t.windows.on_hot_key = [&keys](int shift, int key) {
        // The modifier keys pressed on their way to the combination are of no interest here.
        if (key != Qt::Key_Control && key != Qt::Key_Shift) keys.emplace_back(shift, key);
        return shift >= 2;
    };
    show("tip\n");
    QTest::keyClick(text(), Qt::Key_F1, Qt::ControlModifier);
    QTest::keyClick(text(), Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{2, Qt::Key_F1}, {3, Qt::Key_Q}}));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("tip\n"));

    QTest::keyClick(text(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(keys.size(), 2U); // Escape is the window's own
    EXPECT_EQ(param("show_initial_tips"), QStringLiteral("Y"));
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "shell/ui/text_window.h"
#include "support/test_db.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TextWindowTest : public ::testing::Test {
protected:
    TextWindowTest() { db.open_db(QStringLiteral("text.tdb")); }
    ~TextWindowTest() override {
        if (window) delete window.data();
    }

    TextWindow*
    show(const QString& text = QStringLiteral("F1\tDisplay context menu (if any)\n[end of list]")) {
        window = show_text_window(tc.ctx, nullptr, text, QStringLiteral("Tessarin - Hot keys"));
        return window;
    }
    QPlainTextEdit* text() const { return window->findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
    QPushButton* ok() const { return window->findChild<QPushButton*>(QStringLiteral("b_ok")); }
    void close_window() {
        QTest::mouseClick(ok(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString param(const char* key) const { return get_gen_param(*tc.ctx.db, QString::fromLatin1(key)); }

    TestDb db;
    TestContext& tc = db.tc;
    QPointer<TextWindow> window;
};

TEST_F(TextWindowTest, ShowsTheTextUnderItsCaptionWithoutWaiting) {
    show();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tessarin - Hot keys"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("F1\tDisplay context menu (if any)\n[end of list]"));
    // Nothing stored: the default size of 5000 by 6000 twips.
    EXPECT_EQ(window->size(), QSize(5000 / 15, 6000 / 15));
}

TEST_F(TextWindowTest, ALowerWindowSpringsBackTo2000TwipsAndKeepsItsLayout) {
    show();
    window->resize(500, 40);
    EXPECT_GE(window->height() * 15, 2000);
    EXPECT_LT(window->height() * 15, 2000 + 15);
    EXPECT_EQ(window->width(), 500);
    // The layout in twips (text_window_layout) reaches the controls.
    EXPECT_EQ(text()->geometry(), QRect(10, 6, 480, 71));
    EXPECT_GT(ok()->y(), text()->geometry().bottom());
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
    close_window();
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(param("f_msgbox_width"), QStringLiteral("4500"));
}

} // namespace

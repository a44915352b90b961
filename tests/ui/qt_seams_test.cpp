// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/qt_seams.h"
#include "ui/ui_helpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

TEST(DesktopUrl, WebAddressesGetASchemeOtherAddressesAndPathsStayAsTheyAre) {
    EXPECT_EQ(desktop_url(u"www.example.org/a?b=1"_s), QUrl(u"https://www.example.org/a?b=1"_s));
    EXPECT_EQ(desktop_url(u"WWW.Example.org"_s), QUrl(u"https://WWW.Example.org"_s));
    EXPECT_EQ(desktop_url(u"http://example.org/x y"_s), QUrl(u"http://example.org/x%20y"_s));
    EXPECT_EQ(desktop_url(u"ftp://files.example.org/"_s), QUrl(u"ftp://files.example.org/"_s));
    const QUrl mail = desktop_url(u"mailto:ann@example.org"_s);
    EXPECT_EQ(mail.scheme(), u"mailto"_s);
    EXPECT_EQ(mail.path(), u"ann@example.org"_s);
    // Everything else is a local path taken as it is.
    const QUrl file = desktop_url(u"/home/ann/notes l'été #1.txt"_s);
    EXPECT_TRUE(file.isLocalFile());
    EXPECT_EQ(file.toLocalFile(), u"/home/ann/notes l'été #1.txt"_s);
    // A name that merely starts like an address is still a file.
    EXPECT_TRUE(desktop_url(u"wwwroot/index.html"_s).isLocalFile());
    EXPECT_EQ(desktop_url(u"/tmp/dir/"_s).toLocalFile(), u"/tmp/dir/"_s);
}

TEST(QtFileFilter, PairFormBecomesQtFilterList) {
    EXPECT_EQ(qt_file_filter(u"Tessarin database (*.tdb)"_s), u"Tessarin database (*.tdb)"_s);
    EXPECT_EQ(qt_file_filter(u"Tessarin database (*.tdb)|*.tdb"_s), u"Tessarin database (*.tdb)"_s);
    EXPECT_EQ(qt_file_filter(u"Pictures|*.jpg;*.gif;*.bmp|All files|*.*"_s),
              u"Pictures (*.jpg *.gif *.bmp);;All files (*.*)"_s);
    // Parentheses in a name that are not its patterns do not hide the patterns.
    EXPECT_EQ(qt_file_filter(u"Slide shows (old)|*.ssf"_s), u"Slide shows (old) (*.ssf)"_s);
}

TEST(QtRandom, SameSeedSameRunInUnitInterval) {
    QtRandom a;
    QtRandom b;
    a.seed(0x1234'5678'9abcULL);
    b.seed(0x1234'5678'9abcULL);
    std::vector<double> first;
    for (int i = 0; i < 1000; ++i) {
        const double v = a.next();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        EXPECT_EQ(v, b.next());
        first.push_back(v);
    }
    // Seeds that differ only in their upper half give a different run.
    QtRandom c;
    c.seed(0x1234'5678'9abcULL + (1ULL << 40));
    int same = 0;
    for (double v : first)
        same += v == c.next() ? 1 : 0;
    EXPECT_LT(same, 5);
}

TEST(QtPrompter, YesNoPreselectsTheNamedButtonOkCancelAndMessage) {
    QtPrompter prompter;
    for (const bool default_yes : {false, true}) {
        QString text;
        when_modal_shows([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            text = box->text();
            // Enter presses whatever button is preselected.
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_EQ(prompter.yes_no(u"Delete the map?"_s, u"Maps"_s, default_yes), default_yes);
        EXPECT_EQ(text, u"Delete the map?"_s);
    }
    // Escape answers No even when Yes is preselected.
    when_modal_shows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(prompter.yes_no(u"Sure?"_s, {}, true));

    QString title;
    when_modal_shows([&](QWidget* modal) {
        title = modal->windowTitle();
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(prompter.ok_cancel(u"Compacting not executed"_s));
    // A box given no title carries the program's name.
    EXPECT_EQ(title, u"Tessarin"_s);

    when_modal_shows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_TRUE(prompter.ok_cancel(u"Go on?"_s));

    QStringList buttons;
    when_modal_shows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        for (QAbstractButton* b : box->buttons())
            buttons.append(b->text());
        title = box->windowTitle();
        QTest::keyClick(box, Qt::Key_Return);
    });
    prompter.message(u"File not found"_s, u"Open"_s);
    EXPECT_EQ(buttons.size(), 1);
    EXPECT_EQ(title, u"Open"_s);
}

TEST(QtPrompter, InputReturnsTheTextOrNothingOnCancel) {
    QtPrompter prompter;
    when_modal_shows([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), u"Books"_s);
        dialog->setTextValue(u"Livres d'été"_s);
        dialog->accept();
    });
    EXPECT_EQ(prompter.input(u"New name"_s, u"Rename"_s, u"Books"_s),
              std::optional<QString>(u"Livres d'été"_s));

    // An empty answer is an answer; only Cancel gives nothing.
    when_modal_shows([](QWidget* modal) {
        qobject_cast<QInputDialog*>(modal)->setTextValue({});
        qobject_cast<QInputDialog*>(modal)->accept();
    });
    EXPECT_EQ(prompter.input(u"Name"_s, {}, u"x"_s), std::optional<QString>(QString()));

    when_modal_shows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(prompter.input(u"Name"_s, {}, u"x"_s), std::nullopt);
}

TEST(QtPrompter, InputBoxesShowTheirWholeTitleWithinTheScreen) {
    QtPrompter prompter;
    const QString title = u"Adding item to map Books: Russian and French novels of the nineteenth century"_s;
    const QString endless = title.repeated(20);
    for (const bool choose : {false, true}) {
        for (const QString& caption : {title, endless}) {
            when_modal_shows([&](QWidget* modal) {
                const int screen_width = modal->screen()->availableGeometry().width();
                const int title_width = modal->fontMetrics().horizontalAdvance(caption);
                EXPECT_GE(modal->width(), std::min(title_width, screen_width)) << choose;
                EXPECT_LE(modal->width(), screen_width) << choose;
                qobject_cast<QDialog*>(modal)->reject();
            });
            if (choose)
                EXPECT_EQ(prompter.choose(u"Title?"_s, caption, {u"a"_s}), std::nullopt);
            else
                EXPECT_EQ(prompter.input(u"Title?"_s, caption, {}), std::nullopt);
        }
    }
}

TEST(QtPrompter, DialogsBelongToTheParentWhileItLives) {
    auto window = std::make_unique<QWidget>();
    QtPrompter prompter(window.get());
    QWidget* parent = nullptr;
    when_modal_shows([&](QWidget* modal) {
        parent = modal->parentWidget();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    prompter.message(u"one"_s);
    EXPECT_EQ(parent, window.get());

    // Once the parent window is gone the boxes stand alone.
    window.reset();
    EXPECT_EQ(prompter.parent(), nullptr);
    parent = reinterpret_cast<QWidget*>(1);
    when_modal_shows([&](QWidget* modal) {
        parent = modal->parentWidget();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    prompter.message(u"two"_s);
    EXPECT_EQ(parent, nullptr);
}

TEST(QtDesktop, ClipboardAndRun) {
    QtDesktop desktop;
    desktop.set_clipboard_text(u"Zoë's list"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Zoë's list"_s);

    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    desktop.set_clipboard_image(image);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(4, 3));

    EXPECT_FALSE(desktop.run(u"/nonexistent/tessarin-no-such-program"_s, u"x"_s));
}

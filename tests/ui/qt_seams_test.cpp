// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/qt_seams.h"
#include "ui/ui_helpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

TEST(DesktopUrl, WebAddressesGetASchemeAndOtherAddressesStayAsTheyAre) {
    EXPECT_EQ(desktop_url(QStringLiteral("www.example.org/a?b=1")),
              QUrl(QStringLiteral("https://www.example.org/a?b=1")));
    EXPECT_EQ(desktop_url(QStringLiteral("WWW.Example.org")),
              QUrl(QStringLiteral("https://WWW.Example.org")));
    EXPECT_EQ(desktop_url(QStringLiteral("http://example.org/x y")),
              QUrl(QStringLiteral("http://example.org/x%20y")));
    EXPECT_EQ(desktop_url(QStringLiteral("ftp://files.example.org/")),
              QUrl(QStringLiteral("ftp://files.example.org/")));
    const QUrl mail = desktop_url(QStringLiteral("mailto:ann@example.org"));
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(mail.path(), QStringLiteral("ann@example.org"));
}

TEST(DesktopUrl, EverythingElseIsALocalPathTakenAsItIs) {
    const QUrl file = desktop_url(QStringLiteral("/home/ann/notes l'été #1.txt"));
    EXPECT_TRUE(file.isLocalFile());
    EXPECT_EQ(file.toLocalFile(), QStringLiteral("/home/ann/notes l'été #1.txt"));
    // A name that merely starts like an address is still a file.
    EXPECT_TRUE(desktop_url(QStringLiteral("wwwroot/index.html")).isLocalFile());
    EXPECT_EQ(desktop_url(QStringLiteral("/tmp/dir/")).toLocalFile(), QStringLiteral("/tmp/dir/"));
}

TEST(QtFileFilter, PairFormBecomesQtFilterList) {
    EXPECT_EQ(qt_file_filter(QStringLiteral("Tessarin database (*.tdb)")),
              QStringLiteral("Tessarin database (*.tdb)"));
    EXPECT_EQ(qt_file_filter(QStringLiteral("Tessarin database (*.tdb)|*.tdb")),
              QStringLiteral("Tessarin database (*.tdb)"));
    EXPECT_EQ(qt_file_filter(QStringLiteral("Pictures|*.jpg;*.gif;*.bmp|All files|*.*")),
              QStringLiteral("Pictures (*.jpg *.gif *.bmp);;All files (*.*)"));
    // Parentheses in a name that are not its patterns do not hide the patterns.
    EXPECT_EQ(qt_file_filter(QStringLiteral("Slide shows (old)|*.ssf")),
              QStringLiteral("Slide shows (old) (*.ssf)"));
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

TEST(QtPrompter, YesNoPreselectsTheNamedButton) {
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
        EXPECT_EQ(prompter.yes_no(QStringLiteral("Delete the map?"), QStringLiteral("Maps"), default_yes),
                  default_yes);
        EXPECT_EQ(text, QStringLiteral("Delete the map?"));
    }
    // Escape answers No even when Yes is preselected.
    when_modal_shows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(prompter.yes_no(QStringLiteral("Sure?"), {}, true));
}

TEST(QtPrompter, OkCancelAndMessage) {
    QtPrompter prompter;
    QString title;
    when_modal_shows([&](QWidget* modal) {
        title = modal->windowTitle();
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(prompter.ok_cancel(QStringLiteral("Compacting not executed")));
    // A box given no title carries the program's name.
    EXPECT_EQ(title, QStringLiteral("Tessarin"));

    when_modal_shows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_TRUE(prompter.ok_cancel(QStringLiteral("Go on?")));

    QStringList buttons;
    when_modal_shows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        for (QAbstractButton* b : box->buttons())
            buttons.append(b->text());
        title = box->windowTitle();
        QTest::keyClick(box, Qt::Key_Return);
    });
    prompter.message(QStringLiteral("File not found"), QStringLiteral("Open"));
    EXPECT_EQ(buttons.size(), 1);
    EXPECT_EQ(title, QStringLiteral("Open"));
}

TEST(QtPrompter, InputReturnsTheTextOrNothingOnCancel) {
    QtPrompter prompter;
    when_modal_shows([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), QStringLiteral("Books"));
        dialog->setTextValue(QStringLiteral("Livres d'été"));
        dialog->accept();
    });
    EXPECT_EQ(prompter.input(QStringLiteral("New name"), QStringLiteral("Rename"), QStringLiteral("Books")),
              std::optional<QString>(QStringLiteral("Livres d'été")));

    // An empty answer is an answer; only Cancel gives nothing.
    when_modal_shows([](QWidget* modal) {
        qobject_cast<QInputDialog*>(modal)->setTextValue({});
        qobject_cast<QInputDialog*>(modal)->accept();
    });
    EXPECT_EQ(prompter.input(QStringLiteral("Name"), {}, QStringLiteral("x")),
              std::optional<QString>(QString()));

    when_modal_shows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(prompter.input(QStringLiteral("Name"), {}, QStringLiteral("x")), std::nullopt);
}

TEST(QtPrompter, DialogsBelongToTheParentWhileItLives) {
    auto window = std::make_unique<QWidget>();
    QtPrompter prompter(window.get());
    QWidget* parent = nullptr;
    when_modal_shows([&](QWidget* modal) {
        parent = modal->parentWidget();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    prompter.message(QStringLiteral("one"));
    EXPECT_EQ(parent, window.get());

    // Once the parent window is gone the boxes stand alone.
    window.reset();
    EXPECT_EQ(prompter.parent(), nullptr);
    parent = reinterpret_cast<QWidget*>(1);
    when_modal_shows([&](QWidget* modal) {
        parent = modal->parentWidget();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    prompter.message(QStringLiteral("two"));
    EXPECT_EQ(parent, nullptr);
}

TEST(QtDesktop, ClipboardAndRun) {
    QtDesktop desktop;
    desktop.set_clipboard_text(QStringLiteral("Zoë's list"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Zoë's list"));

    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    desktop.set_clipboard_image(image);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(4, 3));

    EXPECT_FALSE(desktop.run(QStringLiteral("/nonexistent/tessarin-no-such-program"), QStringLiteral("x")));
}

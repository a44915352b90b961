// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_window.h"
#include "pictures/ui/picture_window_canvas.h"
#include "pictures/ui/picture_windows.h"
#include "pictures/ui/slide_show_window.h"
#include "show_support.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct PictureWindowTest : ::testing::Test, ViewerFixture {
    PictureWindow* open(const QString& path) {
        viewer.show_picture(path);
        PictureWindows& table = viewer.picture_windows();
        for (int slot = PictureWindows::capacity; slot >= 1; --slot)
            if (PictureWindow* window = table.window(slot); window && window->path() == path) return window;
        return nullptr;
    }
    static QSize screen_size() { return QGuiApplication::primaryScreen()->availableGeometry().size(); }
};

TEST_F(PictureWindowTest, APictureOpensInAWindowOfItsSizeCaptionedWithItsPath) {
    for (const char* name : {"plain.jpg", "with space.jpg", "l'apostrophe.jpg", "Ärger über Ölbäume.png"}) {
        const QString path = make_picture(QString::fromUtf8(name), QSize(120, 90));
        PictureWindow* window = open(path);
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(window->objectName(), u"form_nf"_s);
        EXPECT_EQ(window->windowTitle(), QDir::toNativeSeparators(path));
        EXPECT_EQ(window->shown_size(), QSize(120, 90));
        EXPECT_EQ(window->size(), QSize(120, 90));
        EXPECT_EQ(t.ctx.pictures.last_picture_file, path);
    }
    EXPECT_EQ(viewer.picture_windows().open_count(), 4);
}

TEST_F(PictureWindowTest, ALargerPictureIsDecodedFittedToTheScreen) {
    const QSize screen = screen_size();
    const QString path = make_picture(u"wide.jpg"_s, QSize(screen.width() * 2, screen.height()));
    PictureWindow* window = open(path);
    ASSERT_NE(window, nullptr);
    EXPECT_LT(window->shown_size().width(), screen.width());
    EXPECT_EQ(window->canvas().image().size(), window->shown_size());
    EXPECT_EQ(window->full_size(), QSize(screen.width() * 2, screen.height()));
    EXPECT_TRUE(QRect(QPoint(0, 0), screen).contains(window->geometry()));
}

TEST_F(PictureWindowTest, AHugePngIsRefusedFromItsHeaderAndBadFilesWithAMessage) {
    const QString path = t.env.path(u"pics/huge.png"_s);
    QDir().mkpath(t.env.path(u"pics"_s));
    {
        QImage huge(20000, 20000, QImage::Format_Mono);
        huge.fill(1);
        ASSERT_TRUE(huge.save(path));
    }
    // Read whole it would take 1.6 GB: it is refused from its header, and says why.
    EXPECT_EQ(open(path), nullptr);
    ASSERT_EQ(error_messages().size(), 1);
    EXPECT_TRUE(error_messages()[0].contains(u"Picture too large to show (20000 x 20000)"_s))
        << error_messages()[0].toStdString();
    EXPECT_TRUE(error_messages()[0].contains(u"huge.png"_s));
    // So are files that are no pictures, or not there.
    EXPECT_EQ(open(t.env.write_file(u"pics/text.jpg"_s, "not a picture at all\n")), nullptr);
    EXPECT_EQ(open(t.env.path(u"pics/missing.jpg"_s)), nullptr);
    ASSERT_EQ(error_messages().size(), 3);
    EXPECT_TRUE(error_messages()[2].startsWith(u"Error 53 - "_s));
    EXPECT_EQ(viewer.picture_windows().open_count(), 0);
}

TEST_F(PictureWindowTest, TheTwoHundredAndFirstWindowIsRefusedAndAClosedOneFreesItsSlot) {
    const QString path = make_picture(u"tiny.jpg"_s, QSize(8, 8));
    for (int count = 0; count < PictureWindows::capacity; ++count)
        viewer.show_picture(path);
    EXPECT_EQ(viewer.picture_windows().open_count(), PictureWindows::capacity);
    EXPECT_TRUE(t.prompter.messages().isEmpty());
    viewer.show_picture(path);
    EXPECT_EQ(viewer.picture_windows().open_count(), PictureWindows::capacity);
    ASSERT_EQ(t.prompter.messages().size(), 1);
    EXPECT_TRUE(t.prompter.messages()[0].contains(u"200"_s));
    QTest::keyClick(viewer.picture_windows().window(57), Qt::Key_Escape);
    EXPECT_EQ(viewer.picture_windows().window(57), nullptr);
    viewer.show_picture(path);
    EXPECT_NE(viewer.picture_windows().window(57), nullptr);
    EXPECT_EQ(t.prompter.messages().size(), 1);
    viewer.close_all();
    EXPECT_FALSE(viewer.has_open_windows());
}

TEST_F(PictureWindowTest, ZoomKeysChangeThePictureByAFifthAndBack) {
    PictureWindow* window = open(make_picture(u"zoom.jpg"_s, QSize(200, 100)));
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_Plus);
    EXPECT_EQ(window->shown_size(), QSize(240, 120));
    EXPECT_EQ(window->canvas().image().size(), QSize(240, 120));
    QTest::keyClick(window, Qt::Key_Minus);
    QTest::keyClick(window, Qt::Key_Minus);
    EXPECT_EQ(window->shown_size(), QSize(154, 77));
    QTest::keyClick(window, Qt::Key_F2);
    EXPECT_EQ(window->shown_size(), QSize(200, 100));
    window->resize(400, 400);
    QTest::keyClick(window, Qt::Key_Asterisk);
    EXPECT_EQ(window->shown_size(), QSize(400, 200));
}

TEST_F(PictureWindowTest, RenameMovesTheWindowToTheNewNameAndDeleteClosesIt) {
    PictureWindow* window = open(make_picture(u"old name.jpg"_s));
    ASSERT_NE(window, nullptr);
    t.prompter.answer("nouveau nom é.jpg");
    QTest::keyClick(window, Qt::Key_N);
    const QString renamed = t.env.path(u"pics/nouveau nom é.jpg"_s);
    EXPECT_TRUE(QFile::exists(renamed));
    EXPECT_EQ(window->path(), renamed);
    EXPECT_EQ(window->windowTitle(), QDir::toNativeSeparators(renamed));
    QTest::keyClick(window, Qt::Key_F5); // refresh reads the file under its new name
    EXPECT_TRUE(error_messages().isEmpty());

    t.prompter.answer(false);
    QTest::keyClick(window, Qt::Key_Delete);
    EXPECT_TRUE(QFile::exists(renamed));
    EXPECT_EQ(viewer.picture_windows().open_count(), 1);
    t.prompter.answer(true);
    QTest::keyClick(window, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(renamed));
    EXPECT_EQ(viewer.picture_windows().open_count(), 0);
    EXPECT_TRUE(t.ctx.pictures.deleted.contains(renamed));
}

TEST_F(PictureWindowTest, BorderlessAndAquariumModes) {
    PictureWindow* window = open(make_picture(u"fish.jpg"_s, QSize(100, 80)));
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_H);
    EXPECT_EQ(window->objectName(), u"form_nf2"_s);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QTest::keyClick(window, Qt::Key_M);
    ASSERT_TRUE(window->aquarium_timer().isActive());
    const QPoint before = window->pos();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (int tick = 0; tick < 300; ++tick) {
        window->swim();
        ASSERT_TRUE(screen.contains(window->frameGeometry())) << tick;
    }
    EXPECT_NE(window->pos(), before);
    QTest::keyClick(window, Qt::Key_M);
    EXPECT_FALSE(window->aquarium_timer().isActive());
    QTest::keyClick(window, Qt::Key_H);
    EXPECT_EQ(window->objectName(), u"form_nf"_s);
    QTest::keyClick(window, Qt::Key_B);
    EXPECT_EQ(window->canvas().background(), QColor(Qt::black));
}

TEST_F(PictureWindowTest, EnterSwitchesToTheFullScreenViewAndBack) {
    const QString path = make_picture(u"both ways.jpg"_s);
    PictureWindow* window = open(path);
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window, Qt::Key_Return);
    SlideShowWindow* show = viewer.slide_show_window();
    ASSERT_NE(show, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(show->show_state().current_path(), path);
    QTest::keyClick(show, Qt::Key_Return);
    run_deferred_deletes();
    EXPECT_EQ(viewer.slide_show_window(), nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(viewer.picture_windows().open_count(), 1)
        << t.prompter.messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(PictureWindowTest, MenuCommandsReachTheDesktopAndTheOtherWindows) {
    const QString path = make_picture(u"menu.jpg"_s);
    PictureWindow* window = open(path);
    ASSERT_NE(window, nullptr);
    auto trigger = [&](const char* name) {
        auto* action = window->popup()->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    };
    trigger("m_copy_to_clipboard");
    EXPECT_EQ(t.desktop.clipboard_texts.size(), 1);
    trigger("m_agenda");
    EXPECT_EQ(t.desktop.opened, QStringList{t.ctx.program_path(u"agenda.txt"_s)});
    trigger("m_edit_file"); // no editor set
    EXPECT_TRUE(t.prompter.messages().contains(u"Path of picture editor is missing."_s));
    const QString copy = t.env.path(u"copy of menu.jpg"_s);
    t.prompter.answer(std::optional<QString>(copy));
    trigger("m_copy_file");
    EXPECT_TRUE(QFile::exists(copy));
    trigger("m_exit");
    EXPECT_EQ(viewer.picture_windows().open_count(), 0);
}

TEST_F(PictureWindowTest, AWindowKeepsItsPlaceForTheNextOne) {
    PictureWindow* window = open(make_picture(u"placed.jpg"_s));
    ASSERT_NE(window, nullptr);
    window->move(130, 110);
    const QPoint kept = window->pos();
    window->close();
    PictureWindow* next = open(make_picture(u"placed.jpg"_s));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->pos(), kept);
    // A stored place off the screen still opens the window on it.
    t.settings.save_setting(u"form_nf_left"_s, u"900000"_s);
    next->close();
    next = open(make_picture(u"placed.jpg"_s));
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(next->geometry()));
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_window.h"
#include "pictures/ui/picture_windows.h"
#include "pictures/ui/slide_show_window.h"
#include "show_support.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct SlideShowWindowTest : ::testing::Test, ViewerFixture {
    QStringList paths;

    void SetUp() override {
        for (int number = 1; number <= 3; ++number)
            paths << make_picture(u"pic %1.jpg"_s.arg(number), QSize(64, 48), number * 60);
    }
    SlideShowWindow* start(int first = 0) {
        viewer.start_slide_show(list_of(paths), first);
        return viewer.slide_show_window();
    }
    static QString label(const SlideShowWindow& show, const char* name) {
        const auto* found = show.findChild<QLabel*>(QString::fromLatin1(name));
        return found ? found->text() : u"<no %1>"_s.arg(QString::fromLatin1(name));
    }
};

TEST_F(SlideShowWindowTest, OpensFullScreenWithItsStatusLineAndKeysMoveIt) {
    SlideShowWindow* show = start(1);
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->objectName(), u"form_fs"_s);
    EXPECT_TRUE(show->isFullScreen());
    EXPECT_FALSE(show->image().isNull());
    EXPECT_EQ(label(*show, "l_filename"), u"pic 2.jpg (2/3)"_s);
    EXPECT_EQ(label(*show, "l_auto"), u"Manual*/Auto(F1)"_s);
    EXPECT_EQ(label(*show, "l_random"), u"Sequential"_s);
    EXPECT_EQ(t.ctx.pictures.last_picture_file, paths[1]);
    EXPECT_TRUE(viewer.has_open_windows());

    QTest::keyClick(show, Qt::Key_Space);
    EXPECT_EQ(show->show_state().current(), 2);
    QTest::keyClick(show, Qt::Key_PageDown); // past the last: a beep and the first
    EXPECT_EQ(show->show_state().current(), 0);
    EXPECT_EQ(t.desktop.beeps, 1);
    QTest::keyClick(show, Qt::Key_PageUp);
    EXPECT_EQ(show->show_state().current(), 2);
    QTest::keyClick(show, Qt::Key_Escape);
    run_deferred_deletes();
    EXPECT_EQ(viewer.slide_show_window(), nullptr);
    EXPECT_EQ(t.settings.get_setting(u"last_picture_file"_s), paths[2]) << "the last picture shown";
}

TEST_F(SlideShowWindowTest, TheTimerAdvancesUntilAManualMovePausesItOverABlackScreen) {
    t.settings.save_setting(u"autom"_s, u"-1"_s);
    t.settings.save_setting(u"interval"_s, u"750"_s);
    t.settings.save_setting(u"black_screen"_s, u"-1"_s);
    const auto black_windows = [] {
        int count = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == u"f_black"_s && top->isVisible()) ++count;
        return count;
    };
    SlideShowWindow* show = start(0);
    EXPECT_EQ(black_windows(), 1);
    EXPECT_TRUE(show->advance_timer().isActive());
    EXPECT_EQ(show->advance_timer().interval(), 750);
    EXPECT_EQ(label(*show, "l_auto"), u"Manual/Auto*(F1)"_s);
    show->advance();
    EXPECT_EQ(show->show_state().current(), 1);
    t.ctx.allow_automatic_changes = false; // the main window holds every timer
    show->advance();
    EXPECT_EQ(show->show_state().current(), 1);
    t.ctx.allow_automatic_changes = true;
    QTest::keyClick(show, Qt::Key_Space);
    EXPECT_FALSE(show->advance_timer().isActive());
    EXPECT_EQ(label(*show, "l_auto"), u"Manual*/Auto(F1)"_s);
    show->advance(); // a tick already queued does nothing while paused
    EXPECT_EQ(show->show_state().current(), 2);
    QTest::keyClick(show, Qt::Key_U);
    EXPECT_TRUE(show->advance_timer().isActive());
    QTest::keyClick(show, Qt::Key_M);
    EXPECT_FALSE(show->advance_timer().isActive());
    // F1 switches it on again and stores the choice.
    QTest::keyClick(show, Qt::Key_F1);
    EXPECT_TRUE(show->advance_timer().isActive());
    EXPECT_EQ(t.settings.get_setting(u"autom"_s), u"-1"_s);
    // The black screen goes with the show.
    show->close();
    run_deferred_deletes();
    EXPECT_EQ(black_windows(), 0);
}

TEST_F(SlideShowWindowTest, StatusLabelsAreCommands) {
    SlideShowWindow* show = start(0);
    auto click = [&](const char* name) {
        QTest::mouseClick(show->findChild<QLabel*>(QString::fromLatin1(name)), Qt::LeftButton);
    };
    t.prompter.answer("1500");
    click("l_interval");
    EXPECT_EQ(label(*show, "l_interval"), u"Interval=1500"_s);
    EXPECT_EQ(t.settings.get_setting(u"interval"_s), u"1500"_s);
    t.prompter.answer("soon"); // not a number: nothing changes
    click("l_interval");
    EXPECT_EQ(label(*show, "l_interval"), u"Interval=1500"_s);
    click("l_auto");
    EXPECT_EQ(show->advance_timer().interval(), 1500);
    EXPECT_TRUE(show->advance_timer().isActive());
    click("l_random");
    EXPECT_EQ(label(*show, "l_random"), u" Random "_s);
    click("l_forward");
    EXPECT_EQ(label(*show, "l_unseen"), u" Unseen=2"_s);
    click("l_show_hide");
    EXPECT_TRUE(show->findChild<QLabel*>(u"l_exit"_s)->isHidden());
    QTest::mouseClick(show->findChild<QWidget*>(u"status_line"_s), Qt::LeftButton);
    EXPECT_FALSE(show->findChild<QLabel*>(u"l_exit"_s)->isHidden());
    click("l_exit");
    run_deferred_deletes();
    EXPECT_EQ(viewer.slide_show_window(), nullptr);
}

TEST_F(SlideShowWindowTest, TheNextPictureIsDecodedAheadAndFitsTheScreen) {
    SlideShowWindow* show = start(0);
    EXPECT_FALSE(show->shown_from_prefetch());
    show->wait_for_prefetch();
    QTest::keyClick(show, Qt::Key_Space);
    EXPECT_TRUE(show->shown_from_prefetch());
    // Fit mode by default: the small picture is enlarged to the screen's height or width.
    const QSize screen = show->screen_size();
    const QSize shown = show->image().size();
    EXPECT_TRUE(shown.width() == screen.width() || shown.height() == screen.height())
        << shown.width() << "x" << shown.height();
    // At its own size when fit mode is off.
    t.settings.save_setting(u"fit_mode"_s, u"0"_s);
    show = start(0);
    EXPECT_EQ(show->image().size(), QSize(64, 48));
    QTest::keyClick(show, Qt::Key_Plus);
    EXPECT_EQ(show->image().size(), QSize(77, 58));
    QTest::keyClick(show, Qt::Key_Slash);
    EXPECT_EQ(show->image().size(), QSize(64, 48));
}

TEST_F(SlideShowWindowTest, UnreadablePicturesAreReportedAndTheShowGoesOn) {
    const QString empty = t.env.write_file(u"pics/empty.jpg"_s, {});
    const QString text = t.env.write_file(u"pics/notes.jpg"_s, "just some text\n");
    const QString not_picture = t.env.write_file(u"pics/readme.txt"_s, "text");
    paths = QStringList{empty, text, not_picture, paths[1]};
    SlideShowWindow* show = start(0);
    ASSERT_NE(show, nullptr);
    for (int move = 0; move < 3; ++move)
        QTest::keyClick(show, Qt::Key_Space);
    EXPECT_EQ(show->show_state().current(), 3);
    EXPECT_FALSE(show->image().isNull());
    EXPECT_EQ(error_messages().size(), 2) << t.prompter.messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(t.prompter.messages().contains(u"Bad file name: "_s + QDir::toNativeSeparators(not_picture)));
}

TEST_F(SlideShowWindowTest, DeletingThePictureOnScreenMovesOnAndTheLastEndsTheShow) {
    SlideShowWindow* show = start(0);
    QTest::keyClick(show, Qt::Key_Space);
    t.prompter.answer(true);
    QTest::keyClick(show, Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(paths[1]));
    EXPECT_EQ(show->show_state().current(), 2);
    EXPECT_TRUE(t.ctx.pictures.deleted.contains(paths[1]));
    for (int move = 0; move < 4; ++move) {
        QTest::keyClick(show, Qt::Key_Space);
        EXPECT_NE(show->show_state().current(), 1);
    }
    // Cancel keeps the picture.
    t.prompter.answer(false);
    QTest::keyClick(show, Qt::Key_Delete);
    EXPECT_TRUE(QFile::exists(show->show_state().current_path()));
    // Deleting the last two ends the show with a message.
    t.prompter.answer(true);
    t.prompter.answer(true);
    QTest::keyClick(show, Qt::Key_Delete);
    QTest::keyClick(show, Qt::Key_Delete);
    run_deferred_deletes();
    EXPECT_EQ(viewer.slide_show_window(), nullptr);
    EXPECT_TRUE(t.prompter.messages().contains(u"There are no pictures left to show."_s));
}

TEST_F(SlideShowWindowTest, CopyEditSaveAsAndPictureWindowsGoThroughTheDesktopAndTheDialogs) {
    SlideShowWindow* show = start(0);
    QTest::keyClick(show, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(t.desktop.clipboard_texts, QStringList{u"<image>"_s});
    const QString editor = t.env.write_file(u"editor"_s, "#!/bin/sh\n");
    t.settings.save_setting(u"picture_editor"_s, editor);
    QTest::keyClick(show, Qt::Key_E);
    EXPECT_EQ(t.desktop.ran, QStringList{editor + u" "_s + paths[0]});
    const QString copy = t.env.path(u"saved.jpg"_s);
    t.prompter.answer(std::optional<QString>(copy));
    QTest::keyClick(show, Qt::Key_A);
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(t.settings.get_setting(u"last_saved_file"_s), copy);

    // Enter opens the picture in a window beside; B ends the show in another.
    QTest::keyClick(show, Qt::Key_Return);
    EXPECT_EQ(viewer.picture_windows().open_count(), 1);
    EXPECT_NE(viewer.slide_show_window(), nullptr);
    QTest::keyClick(show, Qt::Key_B);
    run_deferred_deletes();
    EXPECT_EQ(viewer.slide_show_window(), nullptr);
    ASSERT_EQ(viewer.picture_windows().open_count(), 2);
    EXPECT_EQ(viewer.picture_windows().window(2)->path(), paths[0]);
}

} // namespace

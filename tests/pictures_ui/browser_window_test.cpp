// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture browser (f_start) driven offscreen: its boxes, the search, the list and the menu.
#include "pictures/ui/picture_browser_window.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_windows.h"
#include "support/file_tree.h"
#include "support/test_context.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class BrowserWindowTest : public ::testing::Test {
protected:
    TestContext t;
    PictureViewer viewer{t.ctx};
    QString photos = t.env.path(s("photos"));

    PictureBrowserWindow* open(bool standalone = false) {
        viewer.open_browser(standalone);
        return viewer.browser();
    }
    template <class Widget> Widget* child(const char* name) const {
        Widget* found = viewer.browser()->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QStringList listed() const {
        QStringList lines;
        const auto* list = child<QListWidget>("List1");
        for (int row = 0; row < list->count(); ++row)
            lines.append(list->item(row)->text());
        return lines;
    }
    void picture(const QString& relative) const {
        const QString path = photos + QLatin1Char('/') + relative;
        ASSERT_TRUE(make_file_tree(photos, {relative}));
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(path, "PNG")); // the reader goes by content, not by extension
    }
    // Lets the search's slices run until it is over (each slice is a zero-time timer).
    void finish_search() const {
        for (int round = 0; round < 10000 && viewer.browser()->searching(); ++round)
            QCoreApplication::processEvents();
        EXPECT_FALSE(viewer.browser()->searching());
    }
    void close_browser() const {
        viewer.browser()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(BrowserWindowTest, SearchFillsTheListAndDoubleClickShowsThePicture) {
    picture(s("beach 2020.jpg"));
    picture(s("snow.GIF"));
    picture(s("trip/Beach l'été.bmp"));
    picture(s("trip/.hidden/beach.jpg"));
    ASSERT_TRUE(make_file_tree(photos, {s("trip/beach.txt")}));
    open();
    child<QLineEdit>("t_init_dir_for_search")->setText(photos);
    child<QLineEdit>("t_search_string_2")->setText(s("BEACH"));
    t.prompter.answer(true);
    child<QPushButton>("b_search_picture")->click();
    finish_search();

    const QStringList expected{photos + s("/beach 2020.jpg"), photos + s("/trip/Beach l'été.bmp")};
    EXPECT_EQ(listed(), expected);
    EXPECT_EQ(t.ctx.pictures.search_results, expected) << "the storm and the builds read it";
    EXPECT_EQ(child<QLabel>("lab_search_results")->text(),
              s("directories searched: 2  --  files searched: 5  --  files found: 2"));
    ASSERT_EQ(t.prompter.shown().size(), 1u);
    EXPECT_EQ(t.prompter.shown().front().kind, s("yes_no"));
    EXPECT_EQ(t.prompter.shown().front().title, s("Image viewer"));
    EXPECT_TRUE(t.prompter.shown().front().text.contains(s("'find 1' and string in 'find 2'")));
    EXPECT_TRUE(t.prompter.shown().front().text.contains(s("\"") + photos + s("\"")));

    auto* list = child<QListWidget>("List1");
    QListWidgetItem* second = list->item(1);
    const QPoint at = list->visualItemRect(second).center();
    // The view takes a double click as the second click on the line it has just pressed.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(viewer.picture_windows().open_count(), 1);
    EXPECT_EQ(t.ctx.pictures.last_picture_file, expected[1]);
    EXPECT_EQ(t.settings.get_setting(s("last_picture_file")), expected[1]);
}

TEST_F(BrowserWindowTest, NoSearchWithoutYesOrWithAMissingDirectoryOrOnEnter) {
    picture(s("a.jpg"));
    open();
    child<QLineEdit>("t_init_dir_for_search")->setText(photos);
    t.prompter.answer(false);
    child<QPushButton>("b_search_picture")->click();
    EXPECT_FALSE(viewer.browser()->searching());
    EXPECT_TRUE(listed().isEmpty());

    child<QLineEdit>("t_init_dir_for_search")->setText(photos + s("/nowhere"));
    child<QPushButton>("b_search_picture")->click();
    EXPECT_EQ(t.prompter.messages().last(), s("This directory does not exist: ") + photos + s("/nowhere"));
    EXPECT_TRUE(t.prompter.all_answered());

    // Enter in a search box leads to the search button and starts nothing.
    t.prompter.clear();
    auto* box = child<QLineEdit>("t_search_string_3");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(viewer.browser()->focusWidget(), child<QPushButton>("b_search_picture"));
    EXPECT_TRUE(t.prompter.shown().empty());
}

TEST_F(BrowserWindowTest, EscapeStopsTheSearchAndDeletingTheLastPictureTakesItOffTheList) {
    picture(s("a.jpg"));
    picture(s("b.jpg"));
    PictureBrowserWindow* browser = open();
    QApplication::setActiveWindow(browser);
    child<QLineEdit>("t_init_dir_for_search")->setText(photos);
    t.prompter.answer(true);
    child<QPushButton>("b_search_picture")->click();
    ASSERT_TRUE(browser->searching()); // the first slice waits for the event loop
    QTest::keyClick(child<QListWidget>("List1"), Qt::Key_Escape);
    EXPECT_FALSE(browser->searching());
    EXPECT_TRUE(child<QPushButton>("b_search_picture")->isEnabled());
    t.prompter.answer(true);
    child<QPushButton>("b_search_picture")->click();
    finish_search();
    EXPECT_EQ(listed(), (QStringList{photos + s("/a.jpg"), photos + s("/b.jpg")}));

    t.ctx.pictures.last_picture_file = photos + s("/a.jpg");
    t.prompter.answer(true); // OK to the deletion
    child<QPushButton>("b_delete_last_picture")->click();
    EXPECT_FALSE(QFileInfo::exists(photos + s("/a.jpg")));
    EXPECT_EQ(listed(), QStringList{photos + s("/b.jpg")});
    EXPECT_EQ(t.ctx.pictures.search_results, QStringList{photos + s("/b.jpg")});
    EXPECT_TRUE(t.ctx.pictures.deleted.contains(photos + s("/a.jpg")));
    child<QPushButton>("b_open_last_picture")->click(); // the last picture is forgotten now
    EXPECT_EQ(t.prompter.messages().last(), s("There is no last picture."));
}

TEST_F(BrowserWindowTest, BoxesShowTheSettingsAndEachChangeIsStored) {
    t.settings.save_setting(s("sort_by_datetime"), s("-1"));
    t.settings.save_setting(s("random"), s("-1"));
    t.settings.save_setting(s("picture_editor"), s("/usr/bin/gimp"));
    t.ctx.pictures.last_thumbnail_file = s("/p/_thumbnails_01.tnf");
    open();
    EXPECT_TRUE(child<QRadioButton>("o_sort_by_datetime")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("o_sort_ascending")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("c_random")->isChecked());
    EXPECT_EQ(child<QLineEdit>("t_picture_editor")->text(), s("/usr/bin/gimp"));
    EXPECT_EQ(child<QLineEdit>("t_last_thumbnail_file")->text(), s("/p/_thumbnails_01.tnf"));
    EXPECT_TRUE(t.settings.get_setting(s("autom")).isEmpty()) << "opening writes nothing back";

    child<QCheckBox>("c_auto_show")->click();
    EXPECT_EQ(child<QLineEdit>("t_interval")->text(), s("2000"));
    EXPECT_EQ(t.settings.get_setting(s("interval")), s("2000"));
    EXPECT_EQ(t.settings.get_setting(s("autom")), s("-1"));
    child<QRadioButton>("o_sort_descending")->click();
    child<QRadioButton>("o_sort_by_filename")->click();
    child<QCheckBox>("c_fit_mode")->click();
    EXPECT_EQ(t.settings.get_setting(s("sort_descending")), s("-1"));
    EXPECT_EQ(t.settings.get_setting(s("sort_by_datetime")), s("0"));
    EXPECT_EQ(t.settings.get_setting(s("fit_mode")), s("-1"));

    // The viewer's commands may change the last files: the boxes show them after.
    t.ctx.pictures.last_slide_show = s("/tmp/search_or_sea$$.ssf");
    child<QPushButton>("b_slideshow_from_search_results")->click();
    EXPECT_EQ(child<QLineEdit>("t_last_slideshow")->text(), s("/tmp/search_or_sea$$.ssf"));
    t.ctx.pictures.last_thumbnail_file = s("/tmp/search_or_sea$$_01.tnf");
    child<QPushButton>("b_thumbnails_from_search_results")->click();
    EXPECT_EQ(child<QLineEdit>("t_last_thumbnail_file")->text(), s("/tmp/search_or_sea$$_01.tnf"));

    // An interval typed and left is stored; letters cannot be typed into the box.
    auto* interval = child<QLineEdit>("t_interval");
    interval->clear();
    QTest::keyClicks(interval, s("7x50"));
    EXPECT_EQ(interval->text(), s("750"));
    close_browser(); // closing stores the interval too
    EXPECT_EQ(t.settings.get_setting(s("interval")), s("750"));
    EXPECT_FALSE(t.settings.get_setting(s("f_start_width")).isEmpty()) << "the place is kept";
}

TEST_F(BrowserWindowTest, CaptionAndOrganizerEntryFollowTheWayTheViewerRuns) {
    open(true);
    EXPECT_EQ(viewer.browser()->windowTitle(), s("Glimmeron"));
    EXPECT_FALSE(child<QAction>("m_tessarin_main_panel")->isVisible());
    close_browser();
    EXPECT_EQ(viewer.browser(), nullptr);
    EXPECT_FALSE(viewer.has_open_viewer_windows());

    open(false);
    EXPECT_EQ(viewer.browser()->windowTitle(), s("Image viewer"));
    child<QAction>("m_tessarin_main_panel")->trigger();
    EXPECT_EQ(t.windows.calls_to(s("open_organizer")).size(), 1);
    child<QAction>("m_agenda")->trigger();
    EXPECT_EQ(t.desktop.opened, QStringList{t.ctx.program_path(s("agenda.txt"))});
    EXPECT_TRUE(QFileInfo::exists(t.ctx.program_path(s("agenda.txt"))));
    child<QAction>("m_exit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(viewer.browser(), nullptr);
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The builds and openings the viewer's commands run: messages, limits, names, remembered files.
#include "pictures/sheet_builds.h"
#include "pictures/sheet_list_text.h"
#include "support/file_tree.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Builds : public ::testing::Test {
protected:
    TestContext t;
    QString dir = t.env.path(u"pics"_s);
    QString tmp = t.env.path(u"home/tmp"_s);
    void SetUp() override {
        ASSERT_TRUE(make_file_tree(dir, {u"b.jpg"_s, u"A.gif"_s, u"c d.bmp"_s, u"x.txt"_s}));
    }
};

// The browser's sort options decide a build's order; a directory's builds are driven through the viewer
// in the thumbnail sheet's tests.
TEST_F(Builds, TheOrderComesFromTheSortOptions) {
    t.settings.save_setting(u"sort_by_datetime"_s, u"-1"_s);
    const BuildOrder order = build_order_from_settings(t.settings);
    EXPECT_TRUE(order.by_date);
    EXPECT_FALSE(order.descending);
}

TEST_F(Builds, AnEmptyOrUnreadableDirectoryWritesNothing) {
    const QString empty = t.env.path(u"empty"_s);
    QDir().mkpath(empty);
    EXPECT_FALSE(
        build_directory_slide_show(t.ctx, t.ctx.pictures, empty, {}, empty + u"/_slideshow.ssf"_s, true));
    EXPECT_FALSE(build_directory_thumbnails(t.ctx, t.ctx.pictures, t.env.path(u"gone"_s), tmp, u"_t_"_s));
    EXPECT_EQ(t.prompter.messages(), (QStringList{u"No pictures found in selected directory."_s,
                                                  u"This directory cannot be read: "_s +
                                                      QDir::toNativeSeparators(t.env.path(u"gone"_s))}));
    EXPECT_FALSE(QFileInfo::exists(empty + u"/_slideshow.ssf"_s));
    EXPECT_TRUE(t.ctx.pictures.last_slide_show.isEmpty());
}

TEST_F(Builds, TenThousandPicturesGiveTheFirstThousandAndSaySo) {
    const QString big = t.env.path(u"big"_s);
    QStringList names;
    for (int i = 0; i < 10000; ++i)
        names.append(u"p%1.jpg"_s.arg(i, 5, 10, QLatin1Char('0')));
    ASSERT_TRUE(make_file_tree(big, names));
    const QString ssf = big + u"/_slideshow.ssf"_s;
    ASSERT_TRUE(build_directory_slide_show(t.ctx, t.ctx.pictures, big, {}, ssf, true));
    const QStringList lines = read_list_file(ssf);
    EXPECT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines.last(), u"*\\p00999.jpg"_s);
    EXPECT_EQ(t.prompter.messages(),
              QStringList{u"Too many pictures in list. Only the first 1000 will be shown."_s});
    t.screen.width = 640 * 15;
    const auto first = build_directory_thumbnails(t.ctx, t.ctx.pictures, big, big, u"_thumbnails_"_s);
    ASSERT_TRUE(first);
    EXPECT_EQ(thumbnail_series_length(*first), 100);
    EXPECT_EQ(read_list_file(big + u"/_thumbnails_100.tnf"_s).last(),
              QDir::toNativeSeparators(big + u"/p00999.jpg"_s));
}

TEST_F(Builds, SearchResultsAreWrittenToTheTmpDirectoryAndTold) {
    EXPECT_FALSE(build_results_slide_show(t.ctx, t.ctx.pictures, true, {u"a"_s, u""_s, u""_s}));
    EXPECT_FALSE(build_results_thumbnails(t.ctx, t.ctx.pictures, true, {u"a"_s, u""_s, u""_s}));
    EXPECT_EQ(t.prompter.messages(),
              (QStringList{u"Search results list is empty"_s, u"Search results list is empty"_s}));
    t.prompter.clear();

    for (int i = 0; i < 1001; ++i)
        t.ctx.pictures.search_results.append(dir + u"/b.jpg"_s);
    const auto ssf = build_results_slide_show(t.ctx, t.ctx.pictures, false, {u"sea"_s, u"sun"_s, u""_s});
    ASSERT_EQ(ssf, tmp + u"/search_or_sea$sun$.ssf"_s);
    EXPECT_EQ(read_list_file(*ssf).size(), 1000);
    const QString native_tmp = QDir::toNativeSeparators(tmp);
    EXPECT_EQ(t.prompter.messages(),
              (QStringList{u"Too many pictures in list. Only the first 1000 will be shown."_s,
                           u"The slide show file \"search_or_sea$sun$.ssf\" will remain in directory \""_s +
                               native_tmp + u"\" till the termination of the program."_s}));
    t.prompter.clear();
    const auto tnf = build_results_thumbnails(t.ctx, t.ctx.pictures, true, {u"sea"_s, u"sun"_s, u""_s});
    ASSERT_EQ(tnf, tmp + u"/search_and_sea$sun$_01.tnf"_s);
    EXPECT_EQ(thumbnail_series_length(*tnf), 36); // 1000 in sheets of 28
    EXPECT_EQ(t.prompter.messages().last(), u"The thumbnail file(s) will remain in directory \""_s +
                                                native_tmp + u"\" till the termination of the program."_s);
}

TEST_F(Builds, ChosenFilesAreCheckedForTheirEndingAndExistence) {
    const QString ssf = t.env.write_file(u"pics/s.SSF"_s, "*\\b.jpg\r\n");
    const struct {
        QString path;
        ListFileKind kind;
        QString message; // empty: accepted
    } cases[] = {
        {ssf, ListFileKind::SlideShow, {}},
        {ssf, ListFileKind::Thumbnails, u"Not a valid thumbnail file"_s},
        {dir + u"/b.jpg"_s, ListFileKind::SlideShow, u"Not a valid slide show file"_s},
        {dir + u"/none.tnf"_s, ListFileKind::Thumbnails, u"File not found"_s},
    };
    for (const auto& c : cases) {
        t.prompter.clear();
        EXPECT_EQ(check_list_file(t.ctx, c.path, c.kind), c.message.isEmpty()) << c.path.toStdString();
        EXPECT_EQ(t.prompter.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    t.prompter.clear();
    t.prompter.answer(ssf.toUtf8().constData());
    EXPECT_EQ(ask_list_file(t.ctx, t.ctx.pictures, ListFileKind::SlideShow), ssf);
    t.prompter.answer(std::optional<QString>());
    EXPECT_FALSE(ask_list_file(t.ctx, t.ctx.pictures, ListFileKind::Thumbnails));
    ASSERT_EQ(t.prompter.shown().size(), 2U);
    EXPECT_EQ(t.prompter.shown()[1].title, u"Select any thumbnail file"_s);
    EXPECT_EQ(t.prompter.shown()[1].text, u"Thumbnail file (*.tnf);;All files (*)"_s);
    EXPECT_EQ(t.prompter.shown()[0].text, u"Slide show (*.ssf);;All files (*)"_s);
}

TEST_F(Builds, TheDirectoryChooserStartsAtTheLastPictureAndIsRemembered) {
    t.ctx.pictures.last_picture_file = dir + u"/b.jpg"_s;
    t.prompter.answer(t.env.path(u"other"_s).toUtf8().constData());
    EXPECT_EQ(choose_build_directory(t.ctx, t.ctx.pictures), t.env.path(u"other"_s));
    EXPECT_EQ(t.prompter.shown().front().text, dir); // the chooser's start
    EXPECT_EQ(t.settings.get_setting(u"last_slide_show_dir"_s), t.env.path(u"other"_s));
    EXPECT_EQ(t.ctx.pictures.last_slide_show_dir, t.env.path(u"other"_s));
    t.prompter.answer(std::optional<QString>());
    EXPECT_FALSE(choose_build_directory(t.ctx, t.ctx.pictures));
}

TEST_F(Builds, LoadingRemembersTheShowAndResumesAtTheLastPicture) {
    const QString ssf = t.env.write_file(u"pics/s.ssf"_s, "*\\A.gif\r\n*\\b.jpg\r\n");
    const auto pictures = load_slide_show(t.ctx, t.ctx.pictures, ssf);
    ASSERT_TRUE(pictures);
    EXPECT_EQ(t.ctx.pictures.last_slide_show, ssf);
    EXPECT_EQ(resume_position(*pictures, dir + u"/b.jpg"_s), 1);
    EXPECT_EQ(resume_position(*pictures, dir + u"/gone.jpg"_s), 0);
    EXPECT_EQ(resume_position(*pictures, {}), 0);
    const QString none = t.env.write_file(u"pics/none.ssf"_s, "*\\gone.jpg\r\n");
    EXPECT_FALSE(load_slide_show(t.ctx, t.ctx.pictures, none));
    EXPECT_EQ(t.prompter.messages().last(), u"The slide show file has no pictures to show."_s);
    EXPECT_FALSE(load_slide_show(t.ctx, t.ctx.pictures, dir + u"/missing.ssf"_s));
    EXPECT_TRUE(t.prompter.messages().last().startsWith(u"Error 53 - "_s))
        << t.prompter.messages().last().toStdString();
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnail files: sheet sizes, the numbered series, next and previous files.
#include "pictures/sheet_list_text.h"
#include "pictures/thumbnail_files.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SheetSize, FollowsTheScreenWidthInPixels) {
    const struct {
        int width;
        SheetSize size;
    } cases[] = {{640, {5, 10}}, {800, {6, 18}}, {1024, {7, 28}}, {799, {7, 28}}, {1920, {7, 28}}};
    for (const auto& c : cases)
        EXPECT_EQ(sheet_size_for_width(c.width), c.size) << c.width;
    FakeScreen screen;
    screen.width = 800 * 15;
    EXPECT_EQ(sheet_size_for_screen(screen), (SheetSize{6, 18}));
    EXPECT_EQ((SheetSize{6, 18}).rows(), 3);
    EXPECT_EQ((SheetSize{7, 28}).rows(), 4);
}

QStringList numbered_paths(int count) {
    QStringList paths;
    for (int i = 1; i <= count; ++i)
        paths.append(u"/pics/p%1.jpg"_s.arg(i, 2, 10, QLatin1Char('0')));
    return paths;
}

TEST(ThumbnailSeries, NineteenPicturesOfEighteenASheetMakeTwoFiles) {
    TempEnv env;
    const QStringList files = write_thumbnail_series(env.path(), u"_thumbnails_"_s, numbered_paths(19), 18);
    ASSERT_EQ(files, (QStringList{env.path(u"_thumbnails_01.tnf"_s), env.path(u"_thumbnails_02.tnf"_s)}));
    EXPECT_EQ(read_list_file(files[0]).size(), 18);
    EXPECT_EQ(read_list_file(files[1]), QStringList{QDir::toNativeSeparators(u"/pics/p19.jpg"_s)});
    EXPECT_EQ(thumbnail_series_length(files[1]), 2);
    // The count stops at the first gap, and a file of no series counts none.
    QFile::remove(files[0]);
    EXPECT_EQ(thumbnail_series_length(files[1]), 0);
    EXPECT_EQ(thumbnail_series_length(env.path(u"s.ssf"_s)), 0);
}

TEST(ThumbnailSeries, ABuildDeletesEveryFileOfItsPrefixFirst) {
    TempEnv env;
    write_thumbnail_series(env.path(), u"_thumbnails_"_s, numbered_paths(40), 10);
    ASSERT_TRUE(QFileInfo::exists(env.path(u"_thumbnails_04.tnf"_s)));
    env.write_file(u"_thumbnails_stray.TNF"_s, "x");
    env.write_file(u"other_01.tnf"_s, "x");
    const QStringList files = write_thumbnail_series(env.path(), u"_thumbnails_"_s, numbered_paths(12), 10);
    EXPECT_EQ(files.size(), 2);
    QStringList left = QDir(env.path()).entryList({u"*.tnf"_s, u"*.TNF"_s}, QDir::Files, QDir::Name);
    EXPECT_EQ(left, (QStringList{u"_thumbnails_01.tnf"_s, u"_thumbnails_02.tnf"_s, u"other_01.tnf"_s}));
    EXPECT_EQ(thumbnail_series_length(files[0]), 2);
}

TEST(ThumbnailSeries, SearchNamesJoinTheStringsAndStayFileNames) {
    EXPECT_EQ(search_thumbnail_prefix(true, {u"sea"_s, u"sun"_s, u""_s}), u"search_and_sea$sun$_"_s);
    EXPECT_EQ(search_slide_show_name(false, {u"a/b"_s, u"c*"_s, u"[x]"_s}), u"search_or_a_b$c_$[x].ssf"_s);
    // A prefix with wildcard characters deletes only its own files.
    TempEnv env;
    const QString prefix = search_thumbnail_prefix(true, {u"[x]"_s, u"*"_s, u""_s});
    env.write_file(u"search_and_x_01.tnf"_s, "keep");
    write_thumbnail_series(env.path(), prefix, numbered_paths(3), 28);
    write_thumbnail_series(env.path(), prefix, numbered_paths(3), 28);
    EXPECT_TRUE(QFileInfo::exists(env.path(u"search_and_x_01.tnf"_s)));
    EXPECT_TRUE(QFileInfo::exists(env.path(prefix + u"01.tnf"_s)));
}

TEST(ThumbnailSeries, NextAndPreviousFilesOrWhyNot) {
    TempEnv env;
    write_thumbnail_series(env.path(), u"_thumbnails_"_s, numbered_paths(25), 10);
    const QString first = env.path(u"_thumbnails_01.tnf"_s);
    const QString second = env.path(u"_thumbnails_02.tnf"_s);
    const QString third = env.path(u"_thumbnails_03.tnf"_s);
    const struct {
        SeriesStep step;
        QString path;
        QString error;
    } cases[] = {
        {next_thumbnail_file(first), second, {}},
        {next_thumbnail_file(second), third, {}},
        {previous_thumbnail_file(third), second, {}},
        {next_thumbnail_file(third), {}, u"No more thumbnail files available"_s},
        {previous_thumbnail_file(first), {}, u"No more previous files"_s},
        {next_thumbnail_file(env.path(u"pics.ssf"_s)), {}, u"Next file cannot determined"_s},
        {previous_thumbnail_file(env.path(u"sheet.tnf"_s)), {}, u"File cannot be determined"_s},
        {next_thumbnail_file(env.path(u"sheet5.tnf"_s)), {}, u"File cannot be determined"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.step.path, c.path);
        EXPECT_EQ(c.step.error, c.error);
    }
    EXPECT_EQ(thumbnail_file_number(third), 3);
    EXPECT_EQ(thumbnail_file_number(u"x_100.tnf"_s), 100);
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of a directory and the build orders.
#include "pictures/picture_list.h"
#include "support/file_tree.h"
#include "support/temp_env.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QStringList names_of(const PictureList& pictures) {
    QStringList names;
    for (const PictureEntry& p : pictures)
        names.append(QFileInfo(p.path).fileName());
    return names;
}

void set_time(const QString& path, const QDateTime& when) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST(DirectoryPictures, ListsPicturesOfAnyCaseButNotOtherFilesOrSubdirectories) {
    TempEnv env;
    ASSERT_TRUE(
        make_file_tree(env.path(u"pics"_s), {u"b.JPG"_s, u"a.gif"_s, u"C.bmp"_s, u"notes.txt"_s, u"jpg"_s,
                                             u"sub/inner.jpg"_s, u"d.png"_s, u"it's é.jpeg"_s}));
    const DirectoryPictures found = list_directory_pictures(env.path(u"pics"_s));
    EXPECT_TRUE(found.readable);
    EXPECT_EQ(names_of(found.pictures),
              (QStringList{u"a.gif"_s, u"b.JPG"_s, u"C.bmp"_s, u"d.png"_s, u"it's é.jpeg"_s}));
    EXPECT_TRUE(QFileInfo(found.pictures.front().path).isAbsolute());
    EXPECT_TRUE(found.pictures.front().modified.isValid());

    // Pictures of the same date-time keep the directory's order, whichever the direction.
    const QDateTime when(QDate(2020, 1, 1), QTime(8, 0));
    for (const PictureEntry& p : found.pictures)
        set_time(p.path, p.path.endsWith(u"d.png"_s) ? when.addDays(-1) : when);
    PictureList pictures = list_directory_pictures(env.path(u"pics"_s)).pictures;
    sort_pictures(pictures, {true, false});
    EXPECT_EQ(names_of(pictures),
              (QStringList{u"d.png"_s, u"a.gif"_s, u"b.JPG"_s, u"C.bmp"_s, u"it's é.jpeg"_s}));
    sort_pictures(pictures, {true, true});
    EXPECT_EQ(names_of(pictures),
              (QStringList{u"a.gif"_s, u"b.JPG"_s, u"C.bmp"_s, u"it's é.jpeg"_s, u"d.png"_s}));
}

TEST(DirectoryPictures, AMissingOrUnreadableDirectoryIsToldApart) {
    TempEnv env;
    EXPECT_FALSE(list_directory_pictures(env.path(u"nowhere"_s)).readable);
    ASSERT_TRUE(make_file_tree(env.path(u"locked"_s), {u"a.jpg"_s}));
    QFile::setPermissions(env.path(u"locked"_s), QFileDevice::Permissions());
    // Permissions do not bind root.
    if (geteuid() != 0) {
        EXPECT_FALSE(list_directory_pictures(env.path(u"locked"_s)).readable);
    }
    QFile::setPermissions(env.path(u"locked"_s),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

struct SortCase {
    const char* label;
    BuildOrder order;
    QStringList expected;
};

// Three pictures; "b" and "c" share a date-time and must keep their order whichever the direction.
TEST(SortPictures, OrdersByNameOrDateKeepingTiesInPlace) {
    const QDateTime base(QDate(2024, 5, 1), QTime(12, 0));
    const PictureList input{{u"/p/c.jpg"_s, base},
                            {u"/p/B.jpg"_s, base},
                            {u"/p/a.jpg"_s, base.addSecs(60)},
                            {u"/p/d.jpg"_s, base.addSecs(-60)}};
    const SortCase cases[] = {
        {"name ascending", {false, false}, {u"a.jpg"_s, u"B.jpg"_s, u"c.jpg"_s, u"d.jpg"_s}},
        {"name descending", {false, true}, {u"d.jpg"_s, u"c.jpg"_s, u"B.jpg"_s, u"a.jpg"_s}},
        {"date ascending", {true, false}, {u"d.jpg"_s, u"c.jpg"_s, u"B.jpg"_s, u"a.jpg"_s}},
        {"date descending", {true, true}, {u"a.jpg"_s, u"c.jpg"_s, u"B.jpg"_s, u"d.jpg"_s}},
    };
    for (const SortCase& c : cases) {
        PictureList pictures = input;
        sort_pictures(pictures, c.order);
        EXPECT_EQ(names_of(pictures), c.expected) << c.label;
    }
}

TEST(LimitPictures, KeepsTheFirstThousand) {
    PictureList pictures(1001, PictureEntry{u"/p/x.jpg"_s, {}});
    pictures[999].path = u"/p/last.jpg"_s;
    EXPECT_TRUE(limit_pictures(pictures));
    ASSERT_EQ(pictures.size(), 1000U);
    EXPECT_EQ(pictures.back().path, u"/p/last.jpg"_s);
    EXPECT_FALSE(limit_pictures(pictures));
}

} // namespace

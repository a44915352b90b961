// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_search.h"
#include "support/file_tree.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class BrowserSearchTest : public ::testing::Test {
protected:
    QTemporaryDir tree;
    QString root = tree.path();

    QString at(const QString& relative) const { return root + QLatin1Char('/') + relative; }
    QStringList paths_at(const QStringList& relative) const {
        QStringList paths;
        for (const QString& path : relative)
            paths.append(at(path));
        return paths;
    }
    static QStringList walk(PictureSearch& search, int slice = 1000) {
        int rounds = 0;
        while (search.step(slice) && ++rounds < 100000) {
        }
        EXPECT_TRUE(search.finished());
        return search.found();
    }
    QStringList search(const QStringList& boxes, bool and_join) const {
        PictureSearch walk_of(root, PictureSearchTerms{boxes, and_join});
        return walk(walk_of);
    }
};

// The question names the join only when a box is filled, and the directory searched.
TEST(BrowserSearchTexts, QuestionNamesTheJoinOnlyWhenABoxIsFilled) {
    const QString dir = u"/home/anna/Pictures"_s;
    const QString every = picture_search_question(PictureSearchTerms{{"", "  ", ""}, true}, dir);
    EXPECT_FALSE(every.contains(u"whose names"_s)) << every.toStdString();
    EXPECT_TRUE(every.contains(u" in directory \"/home/anna/Pictures\" and all subdirectories"_s));
    EXPECT_TRUE(picture_search_question(PictureSearchTerms{{"", "sea", ""}, true}, dir)
                    .contains(u"'find 1' and string in 'find 2' and string in 'find 3'"_s));
    EXPECT_TRUE(picture_search_question(PictureSearchTerms{{"sea", "", ""}, false}, dir)
                    .contains(u"'find 1' or string in 'find 2' or string in 'find 3'"_s));
}

TEST_F(BrowserSearchTest, ListsPicturesBreadthFirstInAnySlices) {
    ASSERT_TRUE(make_file_tree(root, {"b.jpg", "A.GIF", "notes.txt", "sub1/deep/x.bmp", "sub1/y.png",
                                      "sub2/z.jpeg", "sub2/readme.md", "sub2/empty/"}));
    const QStringList expected = paths_at({"A.GIF", "b.jpg", "sub1/y.png", "sub2/z.jpeg", "sub1/deep/x.bmp"});
    for (const int slice : {1, 3, 1000}) {
        SCOPED_TRACE(slice);
        PictureSearch search(root, PictureSearchTerms{{"", "", ""}, true});
        EXPECT_EQ(walk(search, slice), expected) << "shallower directories first, other files never";
        EXPECT_EQ(search.directories_searched(), 5);
        EXPECT_EQ(search.files_searched(), 7);
    }
}

// Blank boxes ask nothing, and the strings are taken without the spaces around them.
TEST_F(BrowserSearchTest, AndOrAcrossTheTreeWithoutRegardToCaseOrAccents) {
    ASSERT_TRUE(make_file_tree(root, {"Beach 2019.jpg", "beach_2020.JPG", "snow 2020.gif", "a/BEACH-snow.bmp",
                                      "a/beach.txt", u"l'été à Paris.jpg"_s, u"ÉCOLE d'art/Élan.png"_s}));
    EXPECT_EQ(search({"", "", ""}, false).size(), 6);
    EXPECT_EQ(search({"beach", "  ", ""}, true),
              paths_at({"Beach 2019.jpg", "beach_2020.JPG", "a/BEACH-snow.bmp"}));
    EXPECT_EQ(search({" BEACH ", "2020", ""}, true), paths_at({"beach_2020.JPG"}));
    EXPECT_EQ(search({"", "SNOW", "2019"}, false),
              paths_at({"Beach 2019.jpg", "snow 2020.gif", "a/BEACH-snow.bmp"}));
    EXPECT_TRUE(search({"beach", "summer", ""}, true).isEmpty());
    EXPECT_EQ(search({u"ÉTÉ"_s, "", ""}, true), paths_at({u"l'été à Paris.jpg"_s}));
    EXPECT_EQ(search({u"élan"_s, u"l'"_s, ""}, false),
              paths_at({u"l'été à Paris.jpg"_s, u"ÉCOLE d'art/Élan.png"_s}));
    EXPECT_EQ(search({u"à p"_s, "", ""}, true), paths_at({u"l'été à Paris.jpg"_s}));
}

TEST_F(BrowserSearchTest, HiddenAndLinkedDirectoriesAreNotEntered) {
    ASSERT_TRUE(make_file_tree(root, {".hidden/inner.jpg", "real/photo.jpg", "top.jpg"}));
    ASSERT_TRUE(QFile::link(root, at("loop")));                // a loop back to the top
    ASSERT_TRUE(QFile::link(at("real"), at("again")));         // another way into real/
    ASSERT_TRUE(QFile::link(at("top.jpg"), at("linked.jpg"))); // a linked picture is a picture
    PictureSearch search(root, PictureSearchTerms{{"", "", ""}, true});
    EXPECT_EQ(walk(search), paths_at({"linked.jpg", "top.jpg", "real/photo.jpg"}));
    EXPECT_EQ(search.directories_searched(), 2) << "the top and real/, once each";
}

TEST_F(BrowserSearchTest, UnreadableDirectoriesAreSkippedAndCounted) {
    ASSERT_TRUE(make_file_tree(root, {"a/one.jpg", "b/two.jpg", "c/three.jpg"}));
    PictureSearch search(root, PictureSearchTerms{{"", "", ""}, true});
    EXPECT_TRUE(search.step(3)); // the top's three directories queued, none entered yet
    ASSERT_TRUE(QDir(at("b")).removeRecursively());
    EXPECT_EQ(walk(search), paths_at({"a/one.jpg", "c/three.jpg"}));
    EXPECT_EQ(search.unreadable_directories(), 1);
    if (geteuid() != 0) { // permissions do not bind the superuser
        ASSERT_TRUE(QFile::setPermissions(at("c"), QFileDevice::WriteOwner));
        PictureSearch locked(root, PictureSearchTerms{{"", "", ""}, true});
        EXPECT_EQ(walk(locked), paths_at({"a/one.jpg"}));
        QFile::setPermissions(at("c"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

TEST_F(BrowserSearchTest, StoppedSearchKeepsWhatItFound) {
    ASSERT_TRUE(make_file_tree(root, {"1.jpg", "2.jpg", "3.jpg", "d/4.jpg"}));
    PictureSearch search(root, PictureSearchTerms{{"", "", ""}, true});
    EXPECT_TRUE(search.step(2));
    EXPECT_EQ(search.take_new_found(), paths_at({"1.jpg", "2.jpg"}));
    search.cancel();
    EXPECT_FALSE(search.step(10));
    EXPECT_TRUE(search.finished());
    EXPECT_EQ(search.found(), paths_at({"1.jpg", "2.jpg"}));
    EXPECT_TRUE(search.take_new_found().isEmpty());
}

} // namespace

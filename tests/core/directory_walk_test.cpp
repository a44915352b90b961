// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The breadth-first walk the file search and the picture search share, and its name test.
#include "core/directory_walk.h"
#include "support/file_tree.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DirectoryWalkTest : public ::testing::Test {
protected:
    QTemporaryDir tree;
    QString root = tree.path();

    QString at(const QString& relative) const { return root + QLatin1Char('/') + relative; }
    // Every entry handed to the visitor, relative to the root, `slice` entries at a time.
    QStringList visited(int slice = 1000) const {
        DirectoryWalk walk(root);
        QStringList names;
        const std::string top = QFile::encodeName(root).toStdString();
        int rounds = 0;
        while (walk.step(slice, [&](const std::string& dir, const char* name) {
            names.append(QFile::decodeName(joined_path(dir, name).substr(top.size() + 1).c_str()));
        }) && ++rounds < 100000) {
        }
        EXPECT_TRUE(walk.finished());
        return names;
    }
};

TEST_F(DirectoryWalkTest, ShallowerDirectoriesFirstInNameOrder) {
    ASSERT_TRUE(make_file_tree(root, {"b", "a", "d1/d2/deep", "d1/x", "e/y", "e/empty/"}));
    for (const int slice : {1, 2, 1000}) {
        SCOPED_TRACE(slice);
        EXPECT_EQ(visited(slice), (QStringList{"a", "b", "d1/x", "e/y", "d1/d2/deep"}));
    }
}

TEST_F(DirectoryWalkTest, HiddenAndLinkedDirectoriesAreVisitedNotEntered) {
    ASSERT_TRUE(make_file_tree(root, {".hidden/inside", "real/file"}));
    ASSERT_TRUE(QFile::link(root, at("loop")));
    ASSERT_TRUE(QFile::link(at("real"), at("again")));
    DirectoryWalk walk(root);
    QStringList names;
    while (walk.step(100,
                     [&](const std::string&, const char* name) { names.append(QString::fromUtf8(name)); })) {
    }
    EXPECT_EQ(names, (QStringList{".hidden", "again", "loop", "file"}));
    EXPECT_EQ(walk.directories_searched(), 2);
    EXPECT_EQ(walk.files_searched(), 4);
}

TEST_F(DirectoryWalkTest, MissingTopIsCountedAsUnreadable) {
    DirectoryWalk walk(at("nowhere"));
    EXPECT_FALSE(walk.step(10, [](const std::string&, const char*) { ADD_FAILURE() << "nothing to visit"; }));
    EXPECT_EQ(walk.unreadable_directories(), 1);
    EXPECT_EQ(walk.directories_searched(), 0);
}

TEST(NameNeedle, IgnoresCaseInEveryAlphabet) {
    struct Case {
        const char* needle;
        const char* name;
        bool found;
    };
    const Case cases[] = {
        {"", "anything", true},        {"SEA", "the sea.jpg", true},
        {"sea", "SEASIDE", true},      {"sea", "se a", false},
        {"ÉTÉ", "l'été.jpg", true},    {"k", "\u212A.jpg", true}, // a Kelvin sign folds to "k"
        {"s", "\u017Fun.jpg", true},                              // so does a long s to "s"
        {"x", "\u00E9t\u00E9", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NameNeedle needle(QString::fromUtf8(c.needle));
        EXPECT_EQ(needle.found_in(std::string(c.name)), c.found);
    }
    EXPECT_EQ(search_directory(QStringLiteral(" c:\\ ")), QDir::homePath());
    EXPECT_EQ(search_directory(QStringLiteral("/srv/photos//")), QStringLiteral("/srv/photos"));
    EXPECT_EQ(search_directory(QStringLiteral("/")), QStringLiteral("/"));
}

} // namespace

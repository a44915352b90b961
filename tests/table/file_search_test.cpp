// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "core/settings.h"
#include "support/db_fixtures.h"
#include "support/file_tree.h"
#include "table/file_search.h"

#include <QTemporaryDir>
#include <unistd.h>

namespace {

class FileSearchTest : public MapsDb {
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
    bool link(const QString& target, const QString& relative) const {
        return QFile::link(target, at(relative));
    }
    // The whole walk, `slice` entries at a time.
    static QStringList walk(FileSearchWalk& search, int slice = 1000) {
        int rounds = 0;
        while (search.step(slice) && ++rounds < 100000) {
        }
        EXPECT_TRUE(search.finished());
        return search.found();
    }
    QStringList search(const QString& needle, bool whole_path = false) const {
        FileSearchWalk search_walk(root, needle, whole_path);
        return walk(search_walk);
    }
};

TEST_F(FileSearchTest, WalksBreadthFirstInAnyNumberOfSlices) {
    ASSERT_TRUE(make_file_tree(
        root, {"b.txt", "A_s.TXT", "sub1/deep/x.txt", "sub1/y.txt", "sub2/z.txt", "sub2/empty/"}));
    const QStringList expected =
        paths_at({"A_s.TXT", "b.txt", "sub1/y.txt", "sub2/z.txt", "sub1/deep/x.txt"});
    for (const int slice : {1, 2, 7, 1000}) {
        SCOPED_TRACE(slice);
        FileSearchWalk search(root, QString(), false);
        EXPECT_EQ(walk(search, slice), expected) << "every file once, a level before the next";
        EXPECT_EQ(search.directories_searched(), 5);
        EXPECT_EQ(search.files_searched(), 5);
        EXPECT_EQ(search.unreadable_directories(), 0);
    }
}

TEST_F(FileSearchTest, MatchesNamesOrWholePathsWithoutRegardToCase) {
    ASSERT_TRUE(
        make_file_tree(root, {"Notes.TXT", "sub1/report.txt", "Sub1x/other.md", "sub1/deep/SUB1.log"}));
    struct Case {
        const char* needle;
        bool whole_path;
        QStringList expected;
    };
    const Case cases[] = {
        {"txt", false, paths_at({"Notes.TXT", "sub1/report.txt"})},
        {"NOTES", false, paths_at({"Notes.TXT"})},
        {"sub1", false, paths_at({"sub1/deep/SUB1.log"})}, // directories themselves are not listed
        {"SUB1/", true, paths_at({"sub1/report.txt", "sub1/deep/SUB1.log"})},
        {"sub1", true, paths_at({"Sub1x/other.md", "sub1/report.txt", "sub1/deep/SUB1.log"})},
        {"deep/s", true, paths_at({"sub1/deep/SUB1.log"})},
        {"tx t", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.needle);
        EXPECT_EQ(search(QString::fromUtf8(c.needle), c.whole_path), c.expected);
    }
}

TEST_F(FileSearchTest, HiddenAndLinkedDirectoriesAreMatchedLikeFilesAndNeverEntered) {
    ASSERT_TRUE(make_file_tree(root, {".hidden/inner.txt", "real/file.txt", "target.txt"}));
    ASSERT_TRUE(link(root, "loop"));            // back to the top: a loop through a link
    ASSERT_TRUE(link(at("real"), "real/back")); // a link to its own directory
    ASSERT_TRUE(link(at("target.txt"), "shortcut.txt"));
    FileSearchWalk everything(root, QString(), false);
    EXPECT_EQ(walk(everything),
              paths_at({".hidden", "loop", "shortcut.txt", "target.txt", "real/back", "real/file.txt"}));
    EXPECT_EQ(everything.directories_searched(), 2);
    EXPECT_EQ(search("HIDD"), paths_at({".hidden"}));
    EXPECT_EQ(search("inner"), QStringList()) << "a hidden directory is not entered";
    EXPECT_EQ(search("loop"), paths_at({"loop"}));
}

TEST_F(FileSearchTest, AnUnreadableDirectoryIsCountedAndSkipped) {
    ASSERT_TRUE(make_file_tree(root, {"a/one.txt", "b/two.txt", "c/three.txt"}));
    FileSearchWalk search(root, QStringLiteral(".txt"), false);
    // The top is listed (a, b and c queued), then b goes before it is read.
    ASSERT_TRUE(search.step(3));
    ASSERT_TRUE(QDir(at("b")).removeRecursively());
    EXPECT_EQ(walk(search), paths_at({"a/one.txt", "c/three.txt"}));
    EXPECT_EQ(search.unreadable_directories(), 1);
    EXPECT_EQ(search.directories_searched(), 3);

    // A directory without read permission, where permissions bind (not for the superuser).
    if (geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(at("c"), QFileDevice::WriteOwner));
        FileSearchWalk locked(root, QString(), false);
        EXPECT_EQ(walk(locked), paths_at({"a/one.txt"}));
        EXPECT_EQ(locked.unreadable_directories(), 1);
        QFile::setPermissions(at("c"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // A top that does not exist finds nothing and says so.
    FileSearchWalk missing(at("nowhere"), QString(), false);
    EXPECT_TRUE(walk(missing).isEmpty());
    EXPECT_EQ(missing.unreadable_directories(), 1);
}

TEST_F(FileSearchTest, NamesWithSpacesApostrophesAndOtherLetters) {
    ASSERT_TRUE(make_file_tree(root, {QStringLiteral("l'été à Paris.txt"), QStringLiteral("ÉCOLE notes.md"),
                                      QStringLiteral("my file.txt"), QStringLiteral("Straße/Über.txt"),
                                      QStringLiteral("\u212Aelvin.txt")}));
    struct Case {
        QString needle;
        QStringList expected;
    };
    const Case cases[] = {
        {QStringLiteral("ÉTÉ"), paths_at({QStringLiteral("l'été à Paris.txt")})},
        {QStringLiteral("école"), paths_at({QStringLiteral("ÉCOLE notes.md")})},
        {QStringLiteral("'"), paths_at({QStringLiteral("l'été à Paris.txt")})},
        {QStringLiteral("y f"), paths_at({QStringLiteral("my file.txt")})},
        {QStringLiteral("über"), paths_at({QStringLiteral("Straße/Über.txt")})},
        // An ASCII needle still finds a letter that folds to it.
        {QStringLiteral("kelvin"), paths_at({QStringLiteral("\u212Aelvin.txt")})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.needle.toStdString());
        EXPECT_EQ(search(c.needle), c.expected);
    }
    EXPECT_EQ(search(QStringLiteral("straße/ü"), true), paths_at({QStringLiteral("Straße/Über.txt")}));
}

TEST_F(FileSearchTest, CancellingKeepsWhatWasFoundAndBatchesComeOnce) {
    ASSERT_TRUE(make_file_tree(root, {"1.txt", "2.txt", "3.txt", "d/4.txt", "d/5.txt"}));
    FileSearchWalk search(root, QString(), false);
    ASSERT_TRUE(search.step(2));
    EXPECT_EQ(search.take_new_found(), paths_at({"1.txt", "2.txt"}));
    ASSERT_TRUE(search.step(1));
    EXPECT_EQ(search.take_new_found(), paths_at({"3.txt"}));
    EXPECT_TRUE(search.take_new_found().isEmpty());
    search.cancel();
    EXPECT_TRUE(search.finished());
    EXPECT_FALSE(search.step(10));
    EXPECT_EQ(search.found(), paths_at({"1.txt", "2.txt", "3.txt"}));
    EXPECT_EQ(search.files_searched(), 3);
}

TEST_F(FileSearchTest, DirectoryAsTypedAndAsStored) {
    struct Case {
        const char* typed;
        QString expected;
    };
    const Case cases[] = {
        {"C:\\", QDir::homePath()},
        {"c:", QDir::homePath()},
        {"  /data/photos/ ", "/data/photos"},
        {"/data//", "/data"},
        {"/", "/"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(search_directory(QString::fromUtf8(c.typed)), c.expected) << c.typed;

    EXPECT_EQ(initial_search_dir(t.settings), QDir::homePath());
    EXPECT_EQ(t.settings.get_setting(init_dir_setting), QStringLiteral("C:\\")) << "the default is stored";
    t.settings.save_setting(init_dir_setting, QStringLiteral("/srv/files/"));
    EXPECT_EQ(initial_search_dir(t.settings), QStringLiteral("/srv/files"));
}

TEST_F(FileSearchTest, WebFilesGoToInternetUrlsAndOthersToFileLinks) {
    struct Case {
        const char* path;
        int position;
    };
    const Case cases[] = {
        {"/w/site.url", 4},  {"/w/PAGE.HTM", 4}, {"/w/page.html", 4},    {"/w/notes.txt", 3},
        {"/w/page.htmx", 3}, {"/w/url", 3},      {"/w/a.url/readme", 3}, {"/w/l'été.Html", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const FileLinkHandOff hand_off = file_link_hand_off(QString::fromUtf8(c.path));
        EXPECT_EQ(hand_off.position, c.position);
        EXPECT_EQ(hand_off.no_auto_find, c.position == 3) << "only Internet URLs prompts for a find";
        EXPECT_EQ(hand_off.content, QStringLiteral("LINK=") + QString::fromUtf8(c.path));
    }
}

TEST_F(FileSearchTest, CreatingALinkHandsTheContentToTheTableView) {
    std::vector<TablePresets> seen;
    t.windows.on_open_table_view = [&](int) {
        seen.push_back(ctx.table_presets);
        ctx.table_presets = TablePresets{};
    };
    ctx.table_presets.search_text = QStringLiteral("left over");
    create_file_link(ctx, QStringLiteral("/docs/my file.pdf"));
    create_file_link(ctx, QStringLiteral("/web/News.URL"));
    EXPECT_EQ(t.windows.calls, (QStringList{"open_table_view 3", "open_table_view 4"}));
    ASSERT_EQ(seen.size(), 2U);
    EXPECT_EQ(seen[0].insert_content, QStringLiteral("LINK=/docs/my file.pdf"));
    EXPECT_TRUE(seen[0].no_auto_find);
    EXPECT_TRUE(seen[0].search_text.isEmpty()) << "an earlier search must not filter the table";
    EXPECT_EQ(seen[1].insert_content, QStringLiteral("LINK=/web/News.URL"));
    EXPECT_FALSE(seen[1].no_auto_find);
}

TEST_F(FileSearchTest, PlacesTheWindowFromItsStoredPosition) {
    set_gen_param(*ctx.db, QStringLiteral("f_file_search_top"), QStringLiteral("-300"));
    set_gen_param(*ctx.db, QStringLiteral("f_file_search_left"), QStringLiteral("2000"));
    TwipsRect place = file_search_place(*ctx.db, t.screen);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.left, 2000);
    place.top = 1500;
    save_file_search_place(*ctx.db, place, false);
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_file_search_top")), QStringLiteral("1500"));
}

} // namespace

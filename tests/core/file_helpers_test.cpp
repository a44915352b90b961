// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app_context.h"
#include "core/file_helpers.h"
#include "core/settings.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include "support/test_context.h"

#include <gtest/gtest.h>

// ---------------------------------------------------------------- paths

TEST(FileExists, BlankMissingAndPresentEntries) {
    TempEnv env;
    EXPECT_FALSE(file_exists(QString()));
    EXPECT_FALSE(file_exists(QStringLiteral("   ")));
    EXPECT_FALSE(file_exists(env.path(QStringLiteral("missing.txt"))));
    EXPECT_TRUE(file_exists(env.path()));
    EXPECT_TRUE(file_exists(env.write_file(QStringLiteral("l'été.txt"), "x")));
    EXPECT_TRUE(file_exists(env.write_file(QStringLiteral(".hidden"), "")));
    const QString link = env.path(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(env.path(QStringLiteral("gone")), link));
    EXPECT_TRUE(file_exists(link));
}

TEST(FileNameOf, SplitsOnEitherSeparatorAndTrims) {
    EXPECT_EQ(file_name_of(QStringLiteral("/home/anna/Pictures/cat.jpg")), QStringLiteral("cat.jpg"));
    EXPECT_EQ(file_name_of(QStringLiteral("C:\\Docs\\note.txt")), QStringLiteral("note.txt"));
    EXPECT_EQ(file_name_of(QStringLiteral("C:\\Docs/sub\\mixed.txt")), QStringLiteral("mixed.txt"));
    EXPECT_EQ(file_name_of(QStringLiteral("  plain name.txt  ")), QStringLiteral("plain name.txt"));
    EXPECT_EQ(file_name_of(QStringLiteral("/tmp/ spaced .txt ")), QStringLiteral("spaced .txt"));
    EXPECT_EQ(file_name_of(QStringLiteral("/tmp/dir/")), QString());
    EXPECT_EQ(file_name_of(QString()), QString());
}

TEST(FileTitleOf, CutsBeforeTheLastDotOfTheNameOnly) {
    EXPECT_EQ(file_title_of(QStringLiteral("/docs/README")), QStringLiteral("README"));
    EXPECT_EQ(file_title_of(QStringLiteral("/docs/archive.tar.gz")), QStringLiteral("archive.tar"));
    EXPECT_EQ(file_title_of(QStringLiteral("/my.docs/notes")), QStringLiteral("notes"));
    EXPECT_EQ(file_title_of(QStringLiteral("D:\\Family.2024\\Émile.jpg")), QStringLiteral("Émile"));
    EXPECT_EQ(file_title_of(QStringLiteral("/home/u/.profile")), QString());
}

TEST(StripQuotes, RemovesOneQuoteAtEachEndWhenPresent) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"\"/a b/c.jpg\"", "/a b/c.jpg"},
                 {"\"/a b/c.jpg", "/a b/c.jpg"},
                 {"/a b/c.jpg\"", "/a b/c.jpg"},
                 {"\"", ""},
                 {"\"\"", ""},
                 {"\"\"x\"\"", "\"x\""},
                 {"a\"b", "a\"b"},
                 {"", ""}};
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.in);
        strip_quotes(text);
        EXPECT_EQ(text, QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(IsWebAddress, KnownPrefixesInAnyCase) {
    for (const char* yes : {"https://example.org", "http://x", "ftp://files.example.org", "www.example.org",
                            "HTTP://EXAMPLE.ORG", "WWW.Example.org"})
        EXPECT_TRUE(is_web_address(QLatin1String(yes))) << yes;
    for (const char* no :
         {"mailto:a@b.org", "wwwexample.org", " www.example.org", "example.org", "", "/www."})
        EXPECT_FALSE(is_web_address(QLatin1String(no))) << no;
}

// ---------------------------------------------------------------- open_path

class OpenPath : public ::testing::Test {
protected:
    TempEnv env;
    FakeDesktop desktop;
    FakePrompter prompter;
};

TEST_F(OpenPath, DirectoryAndFileOpenWithTheSystem) {
    const QString dir = env.path(QStringLiteral("Photos d'été"));
    QDir().mkpath(dir);
    const QString file = env.write_file(QStringLiteral("Photos d'été/list.txt"), "x");
    open_path(desktop, prompter, dir);
    open_path(desktop, prompter, file);
    EXPECT_EQ(desktop.opened, (QStringList{dir, file}));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(OpenPath, OnlyTheFirstLineCounts) {
    const QString file = env.write_file(QStringLiteral("a.txt"), "x");
    open_path(desktop, prompter, file + QStringLiteral("\r\nsee also the other file"));
    open_path(desktop, prompter, QStringLiteral("https://example.org/a?b=c\nsecond line"));
    EXPECT_EQ(desktop.opened, (QStringList{file, QStringLiteral("https://example.org/a?b=c")}));
}

TEST_F(OpenPath, WebAddressThatIsNoFileOpensAsAddress) {
    open_path(desktop, prompter, QStringLiteral("www.example.org"));
    EXPECT_EQ(desktop.opened, QStringList{QStringLiteral("www.example.org")});
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(OpenPath, AnythingElseIsReportedAndNothingOpens) {
    const QString missing = env.path(QStringLiteral("missing.doc"));
    open_path(desktop, prompter, missing);
    open_path(desktop, prompter, QStringLiteral("   "));
    open_path(desktop, prompter, QStringLiteral("\r\nwww.example.org"));
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_EQ(prompter.messages(),
              (QStringList{QStringLiteral("Path not found: ") + missing,
                           QStringLiteral("Path not found:    "), QStringLiteral("Path not found: ")}));
}

// ---------------------------------------------------------------- date order

TEST(DetectDateFormat, FollowsTheLocalesShortDateOrder) {
    EXPECT_EQ(detect_date_format(QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("MM/dd/yy"));
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Italian, QLocale::Italy)), QStringLiteral("dd/MM/yy"));
    EXPECT_EQ(detect_date_format(QLocale(QLocale::English, QLocale::UnitedKingdom)),
              QStringLiteral("dd/MM/yy"));
    EXPECT_EQ(detect_date_format(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("dd/MM/yy"));
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Japanese, QLocale::Japan)), QStringLiteral("yy/MM/dd"));
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Hungarian, QLocale::Hungary)), QStringLiteral("yy/MM/dd"));
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Chinese, QLocale::China)), QStringLiteral("yy/MM/dd"));
    // Quoted text after the date ("d.MM.yy 'г'.") is no code.
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)), QStringLiteral("dd/MM/yy"));
}

// ---------------------------------------------------------------- picture settings

class PictureSettingsTest : public ::testing::Test, protected TestContext {
protected:
    QString ini = env.path(QStringLiteral("settings.ini"));
};

TEST_F(PictureSettingsTest, KeepsWhatExistsAndClearsTheRest) {
    const QString editor = env.write_file(QStringLiteral("bin/editor"), "#!");
    const QString show = env.write_file(QStringLiteral("shows/holiday.ssf"), "");
    const QString root = env.path(QStringLiteral("shows"));
    settings.save_setting(QStringLiteral("picture_editor"), editor);
    settings.save_setting(QStringLiteral("last_picture_file"), env.path(QStringLiteral("gone.jpg")));
    settings.save_setting(QStringLiteral("last_slide_show"), show);
    settings.save_setting(QStringLiteral("last_thumbnail_file"), env.path(QStringLiteral("gone.tnf")));
    settings.save_setting(QStringLiteral("init_dir_for_search"), root);
    settings.save_setting(QStringLiteral("interval"), QStringLiteral("3000"));

    load_picture_settings(ctx);
    EXPECT_EQ(ctx.pictures.picture_editor, editor);
    EXPECT_EQ(ctx.pictures.last_picture_file, QString());
    EXPECT_EQ(ctx.pictures.last_slide_show, show);
    EXPECT_EQ(ctx.pictures.last_thumbnail_file, QString());
    EXPECT_EQ(ctx.pictures.init_dir_for_search, root);
    EXPECT_EQ(ctx.pictures.interval, 3000);
    EXPECT_TRUE(QFileInfo(env.path(QStringLiteral("home/tmp"))).isDir());

    // Only the last picture is written back empty.
    Settings reread(ini);
    EXPECT_EQ(reread.get_setting(QStringLiteral("last_picture_file")), QString());
    EXPECT_EQ(reread.get_setting(QStringLiteral("last_thumbnail_file")),
              env.path(QStringLiteral("gone.tnf")));
}

TEST_F(PictureSettingsTest, IntervalIsAWholeNumberOrNothing) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"2000", 2000}, {"1500.6", 1501}, {"", 0}, {"2s", 0}, {"-10", -10}, {"1e12", 0}};
    for (const auto& c : cases) {
        settings.save_setting(QStringLiteral("interval"), QLatin1String(c.stored));
        load_picture_settings(ctx);
        EXPECT_EQ(ctx.pictures.interval, c.expected) << c.stored;
    }
}

TEST_F(PictureSettingsTest, ExistingScratchDirectoryAndItsFilesStay) {
    const QString kept = env.write_file(QStringLiteral("home/tmp/thumb.jpg"), "x");
    load_picture_settings(ctx);
    EXPECT_TRUE(QFile::exists(kept));
}

// ---------------------------------------------------------------- program directory

TEST(ProgramDirectory, HomeVariableWinsAndIsCreated) {
    TempEnv env;
    const QString home = env.path(QStringLiteral("portable/tessarin"));
    qputenv("TESSARIN_HOME", QFile::encodeName(home));
    EXPECT_EQ(program_directory(), home);
    EXPECT_TRUE(QFileInfo(home).isDir());
    qputenv("TESSARIN_HOME", QFile::encodeName(env.path()));
}

TEST(ProgramDirectory, ElseTheApplicationDataLocation) {
    TempEnv env;
    const QByteArray old_xdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(env.path(QStringLiteral("xdg"))));
    qunsetenv("TESSARIN_HOME");
    const QString dir = program_directory();
    EXPECT_EQ(dir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    EXPECT_TRUE(dir.startsWith(env.path(QStringLiteral("xdg")))) << dir.toStdString();
    EXPECT_TRUE(QFileInfo(dir).isDir());
    if (old_xdg.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old_xdg);
    qputenv("TESSARIN_HOME", QFile::encodeName(env.path()));
}

TEST(InstallShippedFiles, CopiesOnlyWhatIsMissing) {
    TempEnv env;
    const QString data = env.path(QStringLiteral("data"));
    const QString home = env.path(QStringLiteral("home"));
    env.write_file(QStringLiteral("data/tips.txt"), "shipped tips");
    const QString readme = env.write_file(QStringLiteral("data/readme.txt"), "shipped readme");
    env.write_file(QStringLiteral("data/icons/x01.ico"), "icon");
    env.write_file(QStringLiteral("home/tips.txt"), "the user's own tips");
    QFile::setPermissions(readme, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);

    install_shipped_files(home, data);
    auto content = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    EXPECT_EQ(content(home + QStringLiteral("/tips.txt")), QByteArray("the user's own tips"));
    EXPECT_EQ(content(home + QStringLiteral("/readme.txt")), QByteArray("shipped readme"));
    EXPECT_EQ(content(home + QStringLiteral("/icons/x01.ico")), QByteArray("icon"));
    EXPECT_TRUE(QFile::permissions(home + QStringLiteral("/readme.txt")) & QFileDevice::WriteOwner);

    // A second start copies nothing over the user's changes.
    env.write_file(QStringLiteral("home/readme.txt"), "edited");
    install_shipped_files(home, data);
    EXPECT_EQ(content(home + QStringLiteral("/readme.txt")), QByteArray("edited"));

    install_shipped_files(home, env.path(QStringLiteral("no such dir"))); // nothing to do, no failure
}

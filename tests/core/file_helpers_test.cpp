// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_helpers.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// ---------------------------------------------------------------- paths

TEST(FileExists, BlankMissingAndPresentEntries) {
    TempEnv env;
    EXPECT_FALSE(file_exists(QString()));
    EXPECT_FALSE(file_exists(u"   "_s));
    EXPECT_FALSE(file_exists(env.path(u"missing.txt"_s)));
    EXPECT_TRUE(file_exists(env.path()));
    EXPECT_TRUE(file_exists(env.write_file(u"l'été.txt"_s, "x")));
    const QString link = env.path(u"dangling"_s);
    ASSERT_TRUE(QFile::link(env.path(u"gone"_s), link));
    EXPECT_TRUE(file_exists(link));
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
    for (const char* yes : {"https://example.org", "http://x", "ftp://files.example.org", "WWW.Example.org"})
        EXPECT_TRUE(is_web_address(QLatin1String(yes))) << yes;
    for (const char* no : {"mailto:a@b.org", "wwwexample.org", " www.example.org", ""})
        EXPECT_FALSE(is_web_address(QLatin1String(no))) << no;
}

// ---------------------------------------------------------------- open_path

class OpenPath : public ::testing::Test {
protected:
    TempEnv env;
    FakeDesktop desktop;
    FakePrompter prompter;
};

// Only the first line counts; a web address that is no file opens as an address.
TEST_F(OpenPath, DirectoriesFilesAndWebAddressesOpenWithTheSystem) {
    const QString dir = env.path(u"Photos d'été"_s);
    QDir().mkpath(dir);
    const QString file = env.write_file(u"Photos d'été/list.txt"_s, "x");
    open_path(desktop, prompter, dir);
    open_path(desktop, prompter, file + u"\r\nsee also the other file"_s);
    open_path(desktop, prompter, u"www.example.org"_s);
    open_path(desktop, prompter, u"https://example.org/a?b=c\nsecond line"_s);
    EXPECT_EQ(desktop.opened, (QStringList{dir, file, u"www.example.org"_s, u"https://example.org/a?b=c"_s}));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(OpenPath, AnythingElseIsReportedAndNothingOpens) {
    const QString missing = env.path(u"missing.doc"_s);
    open_path(desktop, prompter, missing);
    open_path(desktop, prompter, u"   "_s);
    open_path(desktop, prompter, u"\r\nwww.example.org"_s);
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_EQ(prompter.messages(), (QStringList{u"Path not found: "_s + missing, u"Path not found:    "_s,
                                                u"Path not found: "_s}));
    // A file without a program for its type is named in the message.
    desktop.open_result = false;
    const QString file = env.write_file(u"a.xyz"_s, "x");
    open_path(desktop, prompter, file);
    EXPECT_EQ(prompter.messages().last(), u"No program is set to open "_s + file);
}

// ---------------------------------------------------------------- date order

TEST(DetectDateFormat, FollowsTheLocalesShortDateOrder) {
    EXPECT_EQ(detect_date_format(QLocale(QLocale::English, QLocale::UnitedStates)), u"MM/dd/yy"_s);
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Italian, QLocale::Italy)), u"dd/MM/yy"_s);
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Japanese, QLocale::Japan)), u"yy/MM/dd"_s);
    // Quoted text after the date ("d.MM.yy 'г'.") is no code.
    EXPECT_EQ(detect_date_format(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)), u"dd/MM/yy"_s);
}

// ---------------------------------------------------------------- picture settings

class PictureSettingsTest : public ::testing::Test, protected TestContext {
protected:
    QString ini = env.path(u"settings.ini"_s);
};

TEST_F(PictureSettingsTest, KeepsWhatExistsAndClearsTheRest) {
    const QString editor = env.write_file(u"bin/editor"_s, "#!");
    const QString show = env.write_file(u"shows/holiday.ssf"_s, "");
    const QString root = env.path(u"shows"_s);
    settings.save_setting(u"picture_editor"_s, editor);
    settings.save_setting(u"last_picture_file"_s, env.path(u"gone.jpg"_s));
    settings.save_setting(u"last_slide_show"_s, show);
    settings.save_setting(u"last_thumbnail_file"_s, env.path(u"gone.tnf"_s));
    settings.save_setting(u"init_dir_for_search"_s, root);
    settings.save_setting(u"interval"_s, u"3000"_s);
    // An existing scratch directory and its files stay.
    const QString kept = env.write_file(u"home/tmp/thumb.jpg"_s, "x");

    load_picture_settings(ctx);
    EXPECT_EQ(ctx.pictures.picture_editor, editor);
    EXPECT_EQ(ctx.pictures.last_picture_file, QString());
    EXPECT_EQ(ctx.pictures.last_slide_show, show);
    EXPECT_EQ(ctx.pictures.last_thumbnail_file, QString());
    EXPECT_EQ(ctx.pictures.init_dir_for_search, root);
    EXPECT_EQ(ctx.pictures.interval, 3000);
    EXPECT_TRUE(QFile::exists(kept));

    // Only the last picture is written back empty.
    Settings reread(ini);
    EXPECT_EQ(reread.get_setting(u"last_picture_file"_s), QString());
    EXPECT_EQ(reread.get_setting(u"last_thumbnail_file"_s), env.path(u"gone.tnf"_s));
}

TEST_F(PictureSettingsTest, IntervalIsAWholeNumberOrNothing) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"2000", 2000}, {"1500.6", 1501}, {"", 0}, {"2s", 0}, {"-10", -10}, {"1e12", 0}};
    for (const auto& c : cases) {
        settings.save_setting(u"interval"_s, QLatin1String(c.stored));
        load_picture_settings(ctx);
        EXPECT_EQ(ctx.pictures.interval, c.expected) << c.stored;
    }
}

// ---------------------------------------------------------------- program directory

TEST(ProgramDirectory, HomeVariableWinsElseTheApplicationDataLocation) {
    TempEnv env;
    const QString home = env.path(u"portable/tessarin"_s);
    qputenv("TESSARIN_HOME", QFile::encodeName(home));
    EXPECT_EQ(program_directory(), home);
    EXPECT_TRUE(QFileInfo(home).isDir());

    const QByteArray old_xdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(env.path(u"xdg"_s)));
    qunsetenv("TESSARIN_HOME");
    const QString dir = program_directory();
    EXPECT_EQ(dir, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    EXPECT_TRUE(dir.startsWith(env.path(u"xdg"_s))) << dir.toStdString();
    EXPECT_TRUE(QFileInfo(dir).isDir());
    if (old_xdg.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old_xdg);
    qputenv("TESSARIN_HOME", QFile::encodeName(env.path()));
}

TEST(InstallShippedFiles, CopiesOnlyWhatIsMissing) {
    TempEnv env;
    const QString data = env.path(u"data"_s);
    const QString home = env.path(u"home"_s);
    env.write_file(u"data/tips.txt"_s, "shipped tips");
    const QString readme = env.write_file(u"data/readme.txt"_s, "shipped readme");
    env.write_file(u"data/icons/x01.ico"_s, "icon");
    env.write_file(u"home/tips.txt"_s, "the user's own tips");
    QFile::setPermissions(readme, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);

    install_shipped_files(home, data);
    auto content = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    EXPECT_EQ(content(home + u"/tips.txt"_s), QByteArray("the user's own tips"));
    EXPECT_EQ(content(home + u"/readme.txt"_s), QByteArray("shipped readme"));
    EXPECT_EQ(content(home + u"/icons/x01.ico"_s), QByteArray("icon"));
    EXPECT_TRUE(QFile::permissions(home + u"/readme.txt"_s) & QFileDevice::WriteOwner);

    // A second start copies nothing over the user's changes.
    env.write_file(u"home/readme.txt"_s, "edited");
    install_shipped_files(home, data);
    EXPECT_EQ(content(home + u"/readme.txt"_s), QByteArray("edited"));

    install_shipped_files(home, env.path(u"no such dir"_s)); // nothing to do, no failure
}

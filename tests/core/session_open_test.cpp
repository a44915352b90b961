// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_files.h"
#include "core/params.h"
#include "core/program_end.h"
#include "core/schema.h"
#include "core/session.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Makes a folder unwritable for the test's lifetime: for the superuser by mounting it read-only
// in a mount namespace of this thread's own, for anyone else by its permission bits.
struct ReadOnlyFolder {
    QString folder;
    QString error;
    bool mounted = false;

    explicit ReadOnlyFolder(QString path) : folder(std::move(path)) {
        if (::geteuid() != 0) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            return;
        }
        const QByteArray name = QFile::encodeName(folder);
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(name.constData(), name.constData(), nullptr, MS_BIND, nullptr) != 0) {
            error = u"cannot mount "_s + folder + u": "_s + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        mounted = true;
        if (::mount(nullptr, name.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            error =
                u"cannot make "_s + folder + u" read-only: "_s + QString::fromLocal8Bit(std::strerror(errno));
    }
    ~ReadOnlyFolder() {
        if (mounted)
            ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
        else
            QFile::setPermissions(folder,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
};

class OpenDatabase : public ::testing::Test, protected TestContext {
protected:
    Session session{ctx, ui};
    QString db = env.path(u"my notes.tdb"_s);
    QStringList opened_maps;

    void SetUp() override {
        windows.then[u"open_named_map"_s] = [this] {
            opened_maps.append(windows.calls.last().section(u' ', 1));
        };
    }
    void remember(const QString& path) { settings.save_setting(u"last_db_file"_s, path); }
    // Runs Session::start; true when it ended the program.
    bool run(const QString& command_line = {}) {
        try {
            session.start(command_line);
            return false;
        } catch (const ProgramEnd&) {
            return true;
        }
    }
};

} // namespace

// No remembered file, or one deleted meanwhile: the file dialog, and Cancel ends silently. The
// stored language opens the translation tables once (tested with the translator); one that is no
// number means English.
TEST_F(OpenDatabase, WithoutAnOpenableRememberedFileTheDialogShowsAndCancelEndsSilently) {
    settings.save_setting(u"language"_s, u"abc"_s);
    ctx.language = 3;
    for (const QString& remembered : {QString(), env.path(u"gone.tdb"_s)}) {
        remember(remembered);
        ui.choose(std::nullopt);
        EXPECT_TRUE(run());
        EXPECT_TRUE(prompter.shown().empty());
    }
    EXPECT_EQ(ui.calls.value(0), u"choose:"_s + ctx.program_dir);
    EXPECT_EQ(ctx.language, 1);
}

TEST_F(OpenDatabase, RememberedDatabaseOpensAfterThePassword) {
    make_database(db, u"pa'ss"_s, 10, &clock);
    remember(db);
    ui.enter(u"pa'ss"_s);
    EXPECT_FALSE(run());
    ASSERT_TRUE(ctx.db);
    EXPECT_EQ(ctx.db->scalar(u"select count(*) from repos"_s).toInt(), 10);
    EXPECT_EQ(ctx.db_title, u"my notes"_s);
    EXPECT_TRUE(ui.main_shown);
    EXPECT_EQ(ui.wait_box_depth, 0);
    EXPECT_TRUE(QFileInfo::exists(db + u".old"_s));
    EXPECT_FALSE(QFileInfo::exists(db + u".tmp"_s));
    EXPECT_TRUE(prompter.shown().empty()) << prompter.messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(OpenDatabase, CommandLineWithMapNameOpensWithoutDialogAndOpensTheMap) {
    make_database(db, {}, 3, &clock);
    ui.enter({});
    EXPECT_FALSE(run(u"\""_s + db + u" | Books: Novels\""_s));
    EXPECT_FALSE(ui.calls.join(QLatin1Char(' ')).contains(u"choose:"_s));
    EXPECT_EQ(ctx.map_to_open, u"Books: Novels"_s);
    EXPECT_EQ(opened_maps, QStringList{u"Books: Novels"_s});
}

TEST_F(OpenDatabase, WrongPasswordOnRememberedFileThenThreeMoreEndTheProgram) {
    make_database(db, u"right"_s, 3, &clock);
    const QByteArray before = contents(db);
    remember(db);
    ui.enter(u"wrong"_s);
    ui.choose(db);
    ui.enter(u"wrong"_s);
    ui.enter(u"Right"_s);
    ui.enter(u"right "_s);
    EXPECT_TRUE(run());
    ASSERT_EQ(prompter.messages().size(), 4);
    EXPECT_EQ(prompter.messages().first(), u"error 3031 - Not a valid password."_s);
    EXPECT_EQ(contents(db), before);
    EXPECT_FALSE(QFileInfo::exists(db + u".old"_s)) << "no rotation after a wrong password";
}

TEST_F(OpenDatabase, MissingPasswordHasItsOwnMessageAndTheNextTryOpens) {
    make_database(db, u"pw"_s, 1, &clock);
    ui.enter({});
    ui.enter(u"pw"_s);
    EXPECT_FALSE(run(db));
    EXPECT_EQ(prompter.messages(), QStringList{u"Missing password."_s});
    EXPECT_TRUE(ctx.db);
}

TEST_F(OpenDatabase, ChangeDatabaseButtonAlwaysShowsTheFileDialog) {
    make_database(db, {}, 1, &clock);
    const QString other = env.path(u"other.tdb"_s);
    make_database(other, {}, 7, &clock);
    ui.change_database();
    ui.choose(other);
    ui.enter({});
    EXPECT_FALSE(run(db));
    EXPECT_EQ(ctx.db->scalar(u"select count(*) from repos"_s).toInt(), 7);
    EXPECT_EQ(settings.get_setting(u"last_db_file"_s), other);
}

TEST_F(OpenDatabase, NewNameTypedInTheDialogCreatesAnEncryptedDatabase) {
    ui.choose(env.path(u"fresh"_s));
    ui.enter(u"né'w"_s);
    EXPECT_FALSE(run());
    const QString created = env.path(u"fresh.tdb"_s);
    EXPECT_EQ(ctx.db_path, created);
    EXPECT_EQ(ctx.db->scalar(u"select count(*) from repos"_s).toInt(), 0);
    ctx.db.reset();
    session.close_database();
    EXPECT_THROW(Database::open(created, {}, &clock), DbError);
}

TEST_F(OpenDatabase, FileThatIsNoDatabaseIsReportedAndTheDialogFollows) {
    const QString letter = env.write_file(u"letter.tdb"_s, "Dear Emile");
    remember(letter);
    ui.enter(u"x"_s);
    ui.choose(std::nullopt);
    EXPECT_TRUE(run());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages().first().startsWith(u"error 3343 - "_s));
    EXPECT_EQ(contents(letter), QByteArray("Dear Emile"));
}

TEST_F(OpenDatabase, DatabaseHeldByAnotherInstanceIsLeftAlone) {
    make_database(db, {}, 2, &clock);
    const QByteArray before = contents(db);
    QLockFile other(db + u".lock"_s);
    ASSERT_TRUE(other.tryLock(0));
    ui.enter({});
    ui.choose(std::nullopt);
    EXPECT_TRUE(run(db));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages().first().contains(u"already open in another Tessarin"_s));
    EXPECT_EQ(contents(db), before);
}

TEST_F(OpenDatabase, CompactionErrorOffersToGoOnUncompacted) {
    make_database(db, {}, 20, &clock);
    session.file_hook = [](const char* step) {
        if (qstrcmp(step, "export") == 0) throw DbError(13, u"database or disk is full"_s);
    };
    ui.enter({});
    prompter.answer(true);
    EXPECT_FALSE(run(db));
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral(
                  "Compacting not executed due to error 13 (database or disk is full). "
                  "Processing may proceed nevertheless. Press OK to continue, Cancel to quit.")});
    EXPECT_EQ(ctx.db->scalar(u"select count(*) from repos"_s).toInt(), 20);
    EXPECT_TRUE(QFileInfo::exists(db + u".old"_s));
}

// The backups rotate by the clock the session is given.
TEST_F(OpenDatabase, StartingTwiceWithinTwelveHoursLeavesBackupsAlone) {
    make_database(db, {}, 5, &clock);
    for (const qint64 hours : {0, 11, 2}) {
        clock.advance_seconds(hours * 3600);
        ui.enter({});
        ASSERT_FALSE(run(db));
        session.close_database();
        EXPECT_EQ(QFileInfo::exists(db + u".old.old"_s), hours == 2) << hours;
    }
}

TEST_F(OpenDatabase, DatabaseMadeByAnotherToolIsUpgradedInPlace) {
    {
        auto raw = Database::open(db, {}, &clock, Database::Mode::CreateNew);
        raw->exec(QStringLiteral(
            "create table repos (item_nr integer primary key, collection text, cat text, mark text, item_id "
            "integer, seq text, item_title text, item_content text, date_expiry real, date_remind real, "
            "date_notified real);"
            "create table gen_params (param text, value text);"
            "create table map_params (colcat text, param text, value text);"
            "create table cat_seq (collection text, cat text, seq integer);"
            "create table session_log (start_time real, end_time real, duration_seconds integer);"
            "insert into repos (collection, cat, item_title) values ('Books', 'Novels', 'L''Étranger');"));
    }
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_EQ(ctx.db->user_version(), schema::current_version);
    EXPECT_EQ(ctx.db->scalar(u"select item_title from repos where collection='books' and cat='NOVELS'"_s)
                  .toString(),
              u"L'Étranger"_s);
}

TEST_F(OpenDatabase, ScreenWidthLimits) {
    screen.width = 11999;
    EXPECT_TRUE(run());
    EXPECT_EQ(prompter.messages(),
              QStringList{u"This program requires a screen resolution of at least 800x640 pixels."_s});

    prompter.clear();
    screen.width = 12000;
    make_database(db, {}, 1, &clock);
    ui.enter({});
    EXPECT_FALSE(run(db));
    EXPECT_TRUE(ctx.small_screen);
    session.close_database();

    screen.width = 15360;
    ui.enter({});
    EXPECT_FALSE(run(db));
    EXPECT_FALSE(ctx.small_screen);
}

TEST_F(OpenDatabase, PictureOnTheCommandLineIsShownAndAMissingOneGoesOnToTheDatabase) {
    const QString picture = env.write_file(u"Holiday Photo.JPG"_s, "not really a jpeg");
    windows.picture_viewer = true;
    EXPECT_FALSE(run(u"\""_s + picture + u"\""_s));
    EXPECT_EQ(windows.calls_to(u"show_picture"_s), QStringList{u"show_picture "_s + picture});
    EXPECT_FALSE(ctx.db);
    EXPECT_EQ(settings.get_setting(u"last_picture_file"_s), picture);
    EXPECT_EQ(ctx.pictures.last_picture_file, picture);

    ui.choose(std::nullopt);
    EXPECT_TRUE(run(env.path(u"missing.jpg"_s)));
    EXPECT_EQ(ui.calls.filter(u"choose:"_s).size(), 1);
}

TEST_F(OpenDatabase, TipsFollowTheParameter) {
    make_database(db, {}, 1, &clock);
    int tips = 0;
    windows.then[u"show_tips"_s] = [&] { ++tips; };
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_EQ(tips, 1);
    set_gen_param(*ctx.db, u"show_initial_tips"_s, u"n"_s);
    session.close_database();
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_EQ(tips, 1);
}

TEST_F(OpenDatabase, RestartOpensAnotherDatabaseInTheSameProcess) {
    make_database(db, {}, 1, &clock);
    const QString other = env.path(u"other.tdb"_s);
    make_database(other, {}, 4, &clock);
    ui.enter({});
    ASSERT_FALSE(run(db));
    ui.choose(other);
    ui.enter({});
    session.restart_with_database();
    EXPECT_FALSE(ctx.restarting);
    EXPECT_EQ(ui.calls.count(u"close_all"_s), 2);
    EXPECT_EQ(ctx.db->scalar(u"select count(*) from repos"_s).toInt(), 4);
    // The first database is free again for another program.
    QLockFile probe(db + u".lock"_s);
    EXPECT_TRUE(probe.tryLock(0));
}

TEST_F(OpenDatabase, DatabaseLockedByAnotherProgramIsReportedAndLeftIntact) {
    make_database(db, {}, 12, &clock);
    const QByteArray before = contents(db);
    auto other = Database::open(db, {}, &clock);
    other->exec(u"BEGIN IMMEDIATE"_s);
    ui.enter({});
    prompter.answer(false); // do not go on uncompacted
    EXPECT_TRUE(run(db));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].kind, u"ok_cancel"_s);
    EXPECT_TRUE(prompter.messages()[0].startsWith(u"Compacting not executed due to error 5 ("_s));
    other->exec(u"ROLLBACK"_s);
    EXPECT_EQ(contents(db), before);
}

TEST_F(OpenDatabase, PasswordsOfNineCharactersWithQuotesAndAccents) {
    for (const QString& password : {u"l'été'9ch"_s, u"\"; drop--"_s, u"ÄÖÜäöüß€x"_s}) {
        SCOPED_TRACE(password.toStdString());
        const QString file = env.path(u"pw%1.tdb"_s.arg(qHash(password)));
        make_database(file, password, 4, &clock);
        ui.enter(password);
        ASSERT_FALSE(run(file));
        EXPECT_EQ(ctx.db->scalar(u"select count(*) from repos"_s).toInt(), 4);
        session.close_database();
        EXPECT_EQ(count_items(file + u".old"_s, password, &clock), 4);
        EXPECT_THROW(Database::open(file, password.left(8), &clock), DbError);
    }
}

TEST_F(OpenDatabase, APasswordTypedForAPlainFileLeavesItAndItsBackupPlain) {
    make_database(db, {}, 6, &clock);
    ui.enter(u"oops"_s);
    ASSERT_FALSE(run(db));
    EXPECT_FALSE(ctx.db->encrypted());
    session.end_session();
    for (const QString& file : {db, db + u".old"_s}) {
        SCOPED_TRACE(file.toStdString());
        QFile raw(file);
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        EXPECT_EQ(raw.read(16), QByteArray("SQLite format 3\0", 16));
        EXPECT_EQ(count_items(file, {}, &clock), 6);
    }
}

TEST_F(OpenDatabase, ReadOnlyFolderIsReportedBeforeAnythingIsTouched) {
    const QString folder = env.path(u"locked"_s);
    QDir().mkpath(folder);
    const QString file = folder + u"/ro.tdb"_s;
    make_database(file, {}, 3, &clock);
    const QByteArray before = contents(file);
    // Permission bits do not bind the superuser; a read-only mount does.
    const ReadOnlyFolder locked(folder);
    ASSERT_TRUE(locked.error.isEmpty()) << locked.error.toStdString();
    ui.enter({});
    ui.choose(std::nullopt);
    EXPECT_TRUE(run(file));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].contains(u"cannot be written"_s))
        << prompter.messages()[0].toStdString();
    EXPECT_EQ(contents(file), before);
}

TEST_F(OpenDatabase, LowDiskSpaceSkipsCompactionWithAMessageAndStillOpens) {
    make_database(db, {}, 30, &clock);
    session.free_bytes = [this](const QString&) { return QFileInfo(db).size() * 2 - 1; };
    ui.enter({});
    ASSERT_FALSE(run(db));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(u"Compacting skipped: the disk holding "_s));
    EXPECT_EQ(ctx.db->scalar(u"select count(*) from repos"_s).toInt(), 30);
    ctx.db.reset();
    session.close_database();
    EXPECT_EQ(count_items(db + u".old"_s, {}, &clock), 30);
}

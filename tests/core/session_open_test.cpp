// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_files.h"
#include "core/params.h"
#include "core/program_end.h"
#include "core/session.h"
#include "support/test_context.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class OpenDatabase : public ::testing::Test, protected TestContext {
protected:
    Session session{ctx, ui};
    QString db = env.path(QStringLiteral("my notes.tdb"));
    QStringList opened_maps;

    void SetUp() override {
        session.steps.open_named = [this](const QString& name) { opened_maps.append(name); };
    }
    void remember(const QString& path) { settings.save_setting(QStringLiteral("last_db_file"), path); }
    // Runs Main; true when it ended the program.
    bool run(const QString& command_line = {}) {
        try {
            session.Main(command_line);
            return false;
        } catch (const ProgramEnd&) {
            return true;
        }
    }
};

} // namespace

TEST_F(OpenDatabase, FirstStartWithoutRememberedFileAsksAndCancelEndsSilently) {
    ui.choose(std::nullopt);
    EXPECT_TRUE(run());
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(ui.calls.value(0), QStringLiteral("choose:") + ctx.program_dir);
}

TEST_F(OpenDatabase, RememberedDatabaseOpensAfterThePassword) {
    make_database(db, QStringLiteral("pa'ss"), 10, &clock);
    remember(db);
    ui.enter(QStringLiteral("pa'ss"));
    EXPECT_FALSE(run());
    ASSERT_TRUE(ctx.db);
    EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 10);
    EXPECT_EQ(ctx.db_title, QStringLiteral("my notes"));
    EXPECT_TRUE(ui.main_shown);
    EXPECT_EQ(ui.wait_box_depth, 0);
    EXPECT_TRUE(QFileInfo::exists(db + QStringLiteral(".old")));
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral(".tmp")));
    EXPECT_TRUE(prompter.shown().empty()) << prompter.messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(OpenDatabase, DeletedRememberedFileShowsTheDialogWithoutComplaint) {
    remember(env.path(QStringLiteral("gone.tdb")));
    ui.choose(std::nullopt);
    EXPECT_TRUE(run());
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(OpenDatabase, CommandLineWithMapNameOpensWithoutDialogAndOpensTheMap) {
    make_database(db, {}, 3, &clock);
    ui.enter({});
    EXPECT_FALSE(run(QStringLiteral("\"") + db + QStringLiteral(" | Books: Novels\"")));
    EXPECT_FALSE(ui.calls.join(QLatin1Char(' ')).contains(QStringLiteral("choose:")));
    EXPECT_EQ(ctx.map_to_open, QStringLiteral("Books: Novels"));
    EXPECT_EQ(opened_maps, QStringList{QStringLiteral("Books: Novels")});
}

TEST_F(OpenDatabase, WrongPasswordOnRememberedFileThenThreeMoreEndTheProgram) {
    make_database(db, QStringLiteral("right"), 3, &clock);
    const QByteArray before = digest(db);
    remember(db);
    ui.enter(QStringLiteral("wrong"));
    ui.choose(db);
    ui.enter(QStringLiteral("wrong"));
    ui.enter(QStringLiteral("Right"));
    ui.enter(QStringLiteral("right "));
    EXPECT_TRUE(run());
    ASSERT_EQ(prompter.messages().size(), 4);
    EXPECT_EQ(prompter.messages().first(), QStringLiteral("error 3031 - Not a valid password."));
    EXPECT_EQ(digest(db), before);
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral(".old"))) << "no rotation after a wrong password";
}

TEST_F(OpenDatabase, SecondTryWithTheRightPasswordOpens) {
    make_database(db, QStringLiteral("right"), 3, &clock);
    ui.enter(QStringLiteral("wrong"));
    ui.enter(QStringLiteral("right"));
    EXPECT_FALSE(run(db));
    EXPECT_TRUE(ctx.db);
}

TEST_F(OpenDatabase, MissingPasswordHasItsOwnMessage) {
    make_database(db, QStringLiteral("pw"), 1, &clock);
    ui.enter({});
    ui.cancel();
    EXPECT_TRUE(run(db));
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("Missing password.")});
}

TEST_F(OpenDatabase, ChangeDatabaseButtonAlwaysShowsTheFileDialog) {
    make_database(db, {}, 1, &clock);
    const QString other = env.path(QStringLiteral("other.tdb"));
    make_database(other, {}, 7, &clock);
    ui.change_database();
    ui.choose(other);
    ui.enter({});
    EXPECT_FALSE(run(db));
    EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 7);
    EXPECT_EQ(settings.get_setting(QStringLiteral("last_db_file")), other);
}

TEST_F(OpenDatabase, NewNameTypedInTheDialogCreatesAnEncryptedDatabase) {
    ui.choose(env.path(QStringLiteral("fresh")));
    ui.enter(QStringLiteral("né'w"));
    EXPECT_FALSE(run());
    const QString created = env.path(QStringLiteral("fresh.tdb"));
    EXPECT_EQ(ctx.db_path, created);
    EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 0);
    ctx.db.reset();
    session.close_database();
    EXPECT_THROW(Database::open(created, {}, &clock), DbError);
}

TEST_F(OpenDatabase, FileThatIsNoDatabaseIsReportedAndTheDialogFollows) {
    const QString letter = env.write_file(QStringLiteral("letter.tdb"), "Dear Emile");
    remember(letter);
    ui.enter(QStringLiteral("x"));
    ui.choose(std::nullopt);
    EXPECT_TRUE(run());
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages().first().startsWith(QStringLiteral("error 3343 - ")));
    EXPECT_EQ(digest(letter), QCryptographicHash::hash("Dear Emile", QCryptographicHash::Sha256));
}

TEST_F(OpenDatabase, DatabaseHeldByAnotherInstanceIsLeftAlone) {
    make_database(db, {}, 2, &clock);
    const QByteArray before = digest(db);
    QLockFile other(db + QStringLiteral(".lock"));
    ASSERT_TRUE(other.tryLock(0));
    ui.enter({});
    ui.choose(std::nullopt);
    EXPECT_TRUE(run(db));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages().first().contains(QStringLiteral("already open in another Tessarin")));
    EXPECT_EQ(digest(db), before);
}

TEST_F(OpenDatabase, CompactionErrorOffersToGoOnUncompacted) {
    make_database(db, {}, 20, &clock);
    session.file_hook = [](const char* step) {
        if (qstrcmp(step, "export") == 0) throw DbError(13, QStringLiteral("database or disk is full"));
    };
    ui.enter({});
    prompter.answer(true);
    EXPECT_FALSE(run(db));
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral(
                  "Compacting not executed due to error 13 (database or disk is full). "
                  "Processing may proceed nevertheless. Press OK to continue, Cancel to quit.")});
    EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 20);
    EXPECT_TRUE(QFileInfo::exists(db + QStringLiteral(".old")));
}

TEST_F(OpenDatabase, CompactionErrorCancelEndsWithTheFileUntouched) {
    make_database(db, {}, 20, &clock);
    const QByteArray before = digest(db);
    session.file_hook = [](const char* step) {
        if (qstrcmp(step, "verify") == 0) throw DbError(3049, QStringLiteral("copy differs"));
    };
    ui.enter({});
    prompter.answer(false);
    EXPECT_TRUE(run(db));
    EXPECT_EQ(digest(db), before);
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral(".tmp")));
}

TEST_F(OpenDatabase, StartingTwiceWithinTwelveHoursLeavesBackupsAlone) {
    make_database(db, {}, 5, &clock);
    ui.enter({});
    ASSERT_FALSE(run(db));
    const QByteArray first = digest(db + QStringLiteral(".old"));
    session.close_database();
    {
        auto conn = Database::open(db, {}, &clock);
        conn->exec(QStringLiteral("insert into repos (collection,cat,item_title) values ('A','B','C')"));
    }
    clock.advance_seconds(11 * 3600);
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_EQ(digest(db + QStringLiteral(".old")), first);
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral(".old.old")));
    session.close_database();
    clock.advance_seconds(2 * 3600);
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_EQ(digest(db + QStringLiteral(".old.old")), first);
    EXPECT_EQ(count_items(db + QStringLiteral(".old"), {}, &clock), 6);
}

TEST_F(OpenDatabase, LeftoverTemporaryCopyIsDeletedBeforeCompacting) {
    make_database(db, {}, 5, &clock);
    env.write_file(QStringLiteral("my notes.tdb.tmp"), "stale");
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_FALSE(QFileInfo::exists(db + QStringLiteral(".tmp")));
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
    EXPECT_EQ(ctx.db->user_version(), 1);
    EXPECT_EQ(
        ctx.db
            ->scalar(QStringLiteral("select item_title from repos where collection='books' and cat='NOVELS'"))
            .toString(),
        QStringLiteral("L'Étranger"));
}

TEST_F(OpenDatabase, ScreenWidthLimits) {
    screen.width = 11999;
    EXPECT_TRUE(run());
    EXPECT_EQ(
        prompter.messages(),
        QStringList{QStringLiteral("This program requires a screen resolution of at least 800x640 pixels.")});

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

TEST_F(OpenDatabase, PictureOnTheCommandLineIsRecognised) {
    const QString picture = env.write_file(QStringLiteral("Holiday Photo.JPG"), "not really a jpeg");
    QString shown;
    session.steps.show_picture = [&](const QString& path) { shown = path; };
    EXPECT_FALSE(run(QStringLiteral("\"") + picture + QStringLiteral("\"")));
    EXPECT_EQ(shown, picture);
    EXPECT_FALSE(ctx.db);
    EXPECT_EQ(settings.get_setting(QStringLiteral("last_picture_file")), picture);
    EXPECT_EQ(ctx.pictures.last_picture_file, picture);
}

TEST_F(OpenDatabase, MissingPictureOnTheCommandLineGoesOnToTheDatabase) {
    remember(QString());
    ui.choose(std::nullopt);
    EXPECT_TRUE(run(env.path(QStringLiteral("missing.jpg"))));
    EXPECT_TRUE(ui.calls.value(0).startsWith(QStringLiteral("choose:")));
}

TEST_F(OpenDatabase, LanguageSetting) {
    settings.save_setting(QStringLiteral("language"), QStringLiteral("3"));
    ui.choose(std::nullopt);
    int translations = 0;
    session.steps.open_translation_tables = [&] { ++translations; };
    run();
    EXPECT_EQ(ctx.language, 3);
    EXPECT_EQ(translations, 1);

    settings.save_setting(QStringLiteral("language"), QStringLiteral("abc"));
    ui.choose(std::nullopt);
    run();
    EXPECT_EQ(ctx.language, 1);
    EXPECT_EQ(translations, 1);
}

TEST_F(OpenDatabase, TipsFollowTheParameter) {
    make_database(db, {}, 1, &clock);
    int tips = 0;
    session.steps.show_tips = [&] { ++tips; };
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_EQ(tips, 1);
    set_gen_param(*ctx.db, QStringLiteral("show_initial_tips"), QStringLiteral("n"));
    session.close_database();
    ui.enter({});
    ASSERT_FALSE(run(db));
    EXPECT_EQ(tips, 1);
}

TEST_F(OpenDatabase, RestartOpensAnotherDatabaseInTheSameProcess) {
    make_database(db, {}, 1, &clock);
    const QString other = env.path(QStringLiteral("other.tdb"));
    make_database(other, {}, 4, &clock);
    ui.enter({});
    ASSERT_FALSE(run(db));
    ui.choose(other);
    ui.enter({});
    session.restart_with_database();
    EXPECT_FALSE(ctx.restarting);
    EXPECT_EQ(ui.calls.count(QStringLiteral("close_all")), 2);
    EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 4);
    // The first database is free again for another program.
    QLockFile probe(db + QStringLiteral(".lock"));
    EXPECT_TRUE(probe.tryLock(0));
}

TEST_F(OpenDatabase, DatabaseLockedByAnotherProgramIsReportedAndLeftIntact) {
    make_database(db, {}, 12, &clock);
    const QByteArray before = digest(db);
    auto other = Database::open(db, {}, &clock);
    other->exec(QStringLiteral("BEGIN IMMEDIATE"));
    ui.enter({});
    prompter.answer(false); // do not go on uncompacted
    EXPECT_TRUE(run(db));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].kind, QStringLiteral("ok_cancel"));
    EXPECT_TRUE(
        prompter.messages()[0].startsWith(QStringLiteral("Compacting not executed due to error 5 (")));
    other->exec(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(digest(db), before);
}

TEST_F(OpenDatabase, PasswordsOfNineCharactersWithQuotesAndAccents) {
    for (const QString& password :
         {QStringLiteral("l'été'9ch"), QStringLiteral("\"; drop--"), QStringLiteral("ÄÖÜäöüß€x")}) {
        SCOPED_TRACE(password.toStdString());
        const QString file = env.path(QStringLiteral("pw%1.tdb").arg(qHash(password)));
        make_database(file, password, 4, &clock);
        ui.enter(password);
        ASSERT_FALSE(run(file));
        EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 4);
        session.close_database();
        EXPECT_EQ(count_items(file + QStringLiteral(".old"), password, &clock), 4);
        EXPECT_THROW(Database::open(file, password.left(8), &clock), DbError);
    }
}

TEST_F(OpenDatabase, ReadOnlyFolderIsReportedBeforeAnythingIsTouched) {
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
    const QString folder = env.path(QStringLiteral("locked"));
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("/ro.tdb");
    make_database(file, {}, 3, &clock);
    const QByteArray before = digest(file);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ui.enter({});
    ui.choose(std::nullopt);
    EXPECT_TRUE(run(file));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].contains(QStringLiteral("cannot be written")));
    EXPECT_EQ(digest(file), before);
}

TEST_F(OpenDatabase, LowDiskSpaceSkipsCompactionWithAMessageAndStillOpens) {
    make_database(db, {}, 30, &clock);
    session.free_bytes = [this](const QString&) { return QFileInfo(db).size() * 2 - 1; };
    ui.enter({});
    ASSERT_FALSE(run(db));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(QStringLiteral("Compacting skipped: the disk holding ")));
    EXPECT_EQ(ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt(), 30);
    ctx.db.reset();
    session.close_database();
    EXPECT_EQ(count_items(db + QStringLiteral(".old"), {}, &clock), 30);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/db_files.h"
#include "core/schema.h"
#include "support/test_context.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void set_mtime(const QString& path, const QDateTime& when) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

// The kind of error that opening `file` raises.
DbErrorKind open_error(const QString& file, const QString& password, const Clock* clock) {
    try {
        Database::open(file, password, clock);
        ADD_FAILURE() << "opened " << file.toStdString();
    } catch (const DbError& e) {
        return e.kind();
    }
    return DbErrorKind::Other;
}

class DbFiles : public ::testing::Test {
protected:
    TempEnv env;
    FakeClock clock;
    QString path = env.path(QStringLiteral("notes.tdb"));
};

} // namespace

// ------------------------------------------------------------------ encryption and opening

TEST_F(DbFiles, EncryptedFileHoldsNoReadableTextAndNeedsItsKey) {
    make_database(path, QStringLiteral("s3cr'ét"), 50, &clock);
    const QByteArray raw = contents(path);
    EXPECT_FALSE(raw.contains("secret content"));
    EXPECT_FALSE(raw.contains("Novels"));
    EXPECT_FALSE(raw.startsWith("SQLite format 3"));
    EXPECT_EQ(raw.size() % cipher_page_size, 0);
    EXPECT_EQ(count_items(path, QStringLiteral("s3cr'ét"), &clock), 50);
    EXPECT_EQ(open_error(path, QStringLiteral("s3cr'et"), &clock), DbErrorKind::WrongPassword);
    EXPECT_EQ(open_error(path, {}, &clock), DbErrorKind::MissingPassword);
}

TEST_F(DbFiles, FilesThatAreNoDatabaseAreToldApart) {
    const QString text = env.write_file(QStringLiteral("letter.tdb"), "Dear Emile,\nthis is no database.\n");
    EXPECT_EQ(open_error(text, QStringLiteral("pw"), &clock), DbErrorKind::NotADatabase);
    const QString empty = env.write_file(QStringLiteral("empty.tdb"), QByteArray());
    EXPECT_EQ(open_error(empty, QStringLiteral("pw"), &clock), DbErrorKind::NotADatabase);
    // Whole pages of noise look like an encrypted file: without a password that is what it asks for.
    const QString pages = env.write_file(QStringLiteral("noise.tdb"), QByteArray(4096, '\x5a'));
    EXPECT_EQ(open_error(pages, {}, &clock), DbErrorKind::MissingPassword);
}

TEST_F(DbFiles, TruncatedDatabaseFailsCleanly) {
    make_database(path, {}, 400, &clock);
    QFile file(path);
    ASSERT_TRUE(file.resize(file.size() / 3));
    EXPECT_THROW(
        {
            auto db = Database::open(path, {}, &clock);
            db->scalar(QStringLiteral("select count(*) from repos where item_content like '%x%'"));
        },
        DbError);
}

// ------------------------------------------------------------------ compaction

TEST_F(DbFiles, CompactionKeepsEveryRowShrinksAndLeavesNoTemporaryFile) {
    const QString password = QStringLiteral("pw");
    make_database(path, password, 2000, &clock);
    {
        auto db = Database::open(path, password, &clock);
        db->exec(QStringLiteral("delete from repos where item_nr > 200"));
    }
    const qint64 before = QFileInfo(path).size();
    db_files::compact(Database::open(path, password, &clock));
    EXPECT_LT(QFileInfo(path).size(), before / 2);
    EXPECT_FALSE(QFileInfo::exists(db_files::tmp_path(path)));
    EXPECT_EQ(count_items(path, password, &clock), 200);
    EXPECT_FALSE(contents(path).contains("secret content"));
    // Indexes and the schema version travel with the copy.
    auto db = Database::open(path, password, &clock);
    EXPECT_EQ(db->user_version(), schema::current_version);
    EXPECT_GT(db->scalar(QStringLiteral("select count(*) from sqlite_master where type='index'")).toInt(), 3);
}

TEST_F(DbFiles, CompactedFileAndBackupsKeepTheOriginalPermissions) {
    const auto mode_of = [](const QString& file) {
        struct stat info {};
        EXPECT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
        return info.st_mode & 07777;
    };
    make_database(path, QStringLiteral("pw"), 20, &clock);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0);
    db_files::compact(Database::open(path, QStringLiteral("pw"), &clock));
    ASSERT_TRUE(db_files::rotate_backups(path, QDateTime(QDate(2026, 2, 1), QTime(9, 0))));
    EXPECT_EQ(mode_of(path), 0604U);
    EXPECT_EQ(mode_of(db_files::backup_path(path, 1)), 0604U);
}

TEST_F(DbFiles, FailureAtEachStepBeforeTheSwapLeavesTheOriginalByteIdentical) {
    const QString password = QStringLiteral("pw");
    make_database(path, password, 300, &clock);
    const QByteArray original = contents(path);
    for (const char* failing : {"remove_tmp", "export", "verify", "replace"}) {
        SCOPED_TRACE(failing);
        bool reached = false;
        const auto hook = [&](const char* step) {
            if (qstrcmp(step, failing) != 0) return;
            reached = true;
            throw DbError(13, QStringLiteral("database or disk is full"));
        };
        EXPECT_THROW(db_files::compact(Database::open(path, password, &clock), hook), DbError);
        EXPECT_TRUE(reached);
        EXPECT_EQ(contents(path), original);
        EXPECT_FALSE(QFileInfo::exists(db_files::tmp_path(path)));
    }
    EXPECT_EQ(count_items(path, password, &clock), 300);
}

// A copy is done only once it is on the disk: one whose flush fails (a pipe cannot be flushed) is
// reported and removed, so that it is never taken for a backup.
TEST_F(DbFiles, ACopyThatCannotBeFlushedIsReportedAndRemoved) {
    const QString source = env.write_file(QStringLiteral("small.txt"), "a few bytes");
    const QString pipe = env.path(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_THROW(db_files::copy_file_synced(source, pipe), DbError);
    ::close(reader);
    EXPECT_FALSE(QFileInfo::exists(pipe));
}

TEST_F(DbFiles, VerifySpotsDamage) {
    make_database(path, {}, 500, &clock);
    EXPECT_TRUE(db_files::verify(path, {}, &clock));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(qint64{2} * 4096);
    file.write(QByteArray(static_cast<int>(file.size() / 2), '\xff'));
    file.close();
    EXPECT_FALSE(db_files::verify(path, {}, &clock));
}

// ------------------------------------------------------------------ backups

TEST_F(DbFiles, BackupsRotateOnlyOnceTwelveHoursHavePassed) {
    make_database(path, {}, 5, &clock);
    const QDateTime start(QDate(2026, 3, 1), QTime(8, 0));
    auto old = [&](int n) { return db_files::backup_path(path, n); };

    EXPECT_TRUE(db_files::rotate_backups(path, start));
    EXPECT_TRUE(QFileInfo::exists(old(1)));
    EXPECT_FALSE(QFileInfo::exists(old(2)));
    const QByteArray first = contents(old(1));

    // Eleven hours later nothing moves, even though the database changed.
    {
        auto db = Database::open(path, {}, &clock);
        db->exec(QStringLiteral("insert into repos (collection,cat,item_title) values ('A','B','later')"));
    }
    EXPECT_FALSE(db_files::rotate_backups(path, start.addSecs(qint64{11} * 3600)));
    EXPECT_EQ(contents(old(1)), first);
    EXPECT_FALSE(QFileInfo::exists(old(2)));

    // Past the boundary the generations shift.
    EXPECT_TRUE(db_files::rotate_backups(path, start.addSecs(12 * 3600 + 60)));
    EXPECT_EQ(contents(old(2)), first);
    EXPECT_EQ(contents(old(1)), contents(path));

    EXPECT_TRUE(db_files::rotate_backups(path, start.addDays(2)));
    EXPECT_TRUE(db_files::rotate_backups(path, start.addDays(3)));
    EXPECT_EQ(contents(old(3)), contents(old(2))) << "both are copies of the same state";
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".old.old.old.old")));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".old.new")));
}

TEST_F(DbFiles, BackupAgeComesFromTheNewestBackupsModificationTime) {
    make_database(path, {}, 1, &clock);
    const QDateTime now(QDate(2026, 6, 1), QTime(12, 0));
    env.write_file(QStringLiteral("notes.tdb.old"), "older backup");
    set_mtime(db_files::backup_path(path, 1), now.addSecs(-11 * 3600 - 3599));
    EXPECT_FALSE(db_files::rotate_backups(path, now));
    set_mtime(db_files::backup_path(path, 1), now.addSecs(-12 * 3600 - 1));
    EXPECT_TRUE(db_files::rotate_backups(path, now));
    EXPECT_EQ(contents(db_files::backup_path(path, 2)), QByteArray("older backup"));
}

TEST_F(DbFiles, FailedRotationStepKeepsEveryGenerationReadable) {
    make_database(path, {}, 2, &clock);
    const QDateTime t0(QDate(2026, 1, 1), QTime(0, 0));
    db_files::rotate_backups(path, t0);
    db_files::rotate_backups(path, t0.addDays(1));
    db_files::rotate_backups(path, t0.addDays(2));
    QDateTime when = t0.addDays(5);
    for (const char* failing :
         {"backup_copy", "rotate_oldest", "rotate_2_to_3", "rotate_1_to_2", "rotate_new_to_1"}) {
        SCOPED_TRACE(failing);
        const auto hook = [&](const char* step) {
            if (qstrcmp(step, failing) == 0) throw DbError(13, QStringLiteral("disk full"));
        };
        when = when.addDays(2);
        EXPECT_THROW(db_files::rotate_backups(path, when, hook), DbError);
        int backups = 0;
        for (int n = 1; n <= 3; ++n) {
            if (!QFileInfo::exists(db_files::backup_path(path, n))) continue;
            ++backups;
            EXPECT_EQ(count_items(db_files::backup_path(path, n), {}, &clock), 2);
        }
        EXPECT_GE(backups, 2);
        db_files::remove_leftovers(path);
        db_files::rotate_backups(path, when.addDays(1)); // the next start mends the generations
        EXPECT_TRUE(QFileInfo::exists(db_files::backup_path(path, 1)));
    }
}

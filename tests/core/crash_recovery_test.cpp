// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_files.h"
#include "support/test_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ChildRun {
    int exit_code;
    QString output;
};

ChildRun run_child(const QString& db, const QString& password, int die_at, int day) {
    QProcess child;
    child.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/crash_child"));
    child.setArguments({db, password, QString::number(die_at), QString::number(day)});
    child.start();
    EXPECT_TRUE(child.waitForFinished(60000));
    return {child.exitCode(), QString::fromUtf8(child.readAllStandardOutput()).trimmed()};
}

int backups_of(const QString& db) {
    int n = 0;
    const QFileInfo info(db);
    for (const QString& name : QDir(info.absolutePath()).entryList(QDir::Files))
        if (name.startsWith(info.fileName() + QStringLiteral(".old"))) ++n;
    return n;
}

} // namespace

// The program killed at every moment of compaction and backup rotation, one after the other:
// after each death the next start opens the database with all its items and at most three backups.
TEST(CrashRecovery, KilledAtEveryFileStepTheNextStartFindsEverything) {
    TempEnv env;
    FakeClock clock;
    const QString db = env.path(QStringLiteral("crash.tdb"));
    const QString password = QStringLiteral("k'ill");
    make_database(db, password, 300, &clock);

    int day = 0;
    int die_at = 1;
    for (; die_at < 40; ++die_at) {
        SCOPED_TRACE(die_at);
        day += 1; // a day later each time, so that every start rotates the backups
        const ChildRun killed = run_child(db, password, die_at, day);
        if (killed.exit_code == 0) break; // past the last step: the run completed
        ASSERT_EQ(killed.exit_code, 42);
        ASSERT_TRUE(QFileInfo::exists(db)) << "the database file is never missing";

        day += 1;
        const ChildRun next = run_child(db, password, 0, day);
        ASSERT_EQ(next.exit_code, 0);
        EXPECT_EQ(next.output, QStringLiteral("300"));
        EXPECT_LE(backups_of(db), 3);
        EXPECT_FALSE(QFileInfo::exists(db_files::tmp_path(db)));
    }
    EXPECT_GT(die_at, 8) << "every step of compaction and rotation was visited";
    EXPECT_LT(die_at, 40);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(count_items(db_files::backup_path(db, n), password, &clock), 300);
}

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
    bool killed; // died by its own hand (exit 42) or by the kernel's file-size signal
    int exit_code;
    QString output;
};

ChildRun run_child(const QString& db, const QString& password, const char* step, int day, bool cut) {
    QProcess child;
    child.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/crash_child"));
    QStringList args{db, password, QString::fromLatin1(step), QString::number(day)};
    if (cut) args.append(QStringLiteral("cut"));
    child.setArguments(args);
    child.start();
    EXPECT_TRUE(child.waitForFinished(60000));
    const bool killed = child.exitStatus() == QProcess::CrashExit || child.exitCode() == 42;
    return {killed, child.exitCode(), QString::fromUtf8(child.readAllStandardOutput()).trimmed()};
}

// Every file beside the database whose name starts with the database's, the lock aside.
QStringList files_of(const QString& db) {
    const QFileInfo info(db);
    QStringList names;
    for (const QString& name : QDir(info.absolutePath()).entryList(QDir::Files))
        if (name.startsWith(info.fileName()) && !name.endsWith(QStringLiteral(".lock")))
            names.append(name.mid(info.fileName().size()));
    names.sort();
    return names;
}

} // namespace

// The program killed at every step of compaction and backup rotation, and in the middle of the
// export and of the backup copy: the next start finds every item, and exactly the backup
// generations it should, each with its own content (every completed start adds one item).
TEST(CrashRecovery, KilledAnywhereTheNextStartLosesNeitherItemsNorGenerations) {
    TempEnv env;
    FakeClock clock;
    const QString db = env.path(QStringLiteral("crash.tdb"));
    const QString password = QStringLiteral("k'ill");
    make_database(db, password, 300, &clock);

    int day = 0;
    int items = 300;
    QList<int> generations; // expected items of ".old", ".old.old", ".old.old.old"
    const auto rotated = [&] {
        generations.prepend(items);
        if (generations.size() > 3) generations.removeLast();
    };
    // A start a day after the last one: it rotates the backups, then adds an item.
    const auto complete_start = [&] {
        day += 1;
        const ChildRun run = run_child(db, password, "-", day, false);
        ASSERT_EQ(run.exit_code, 0);
        rotated();
        ++items;
        EXPECT_EQ(run.output, QString::number(items));
    };
    for (int i = 0; i < 3; ++i)
        complete_start();

    struct Kill {
        const char* step;
        bool cut;          // killed in the middle of the step's writing rather than before it
        bool rotation_due; // the new generation was complete: the next start shifts it in
    };
    const Kill kills[] = {
        {"remove_tmp", false, false},   {"export", false, false},       {"export", true, false},
        {"verify", false, false},       {"replace", false, false},      {"sync_directory", false, false},
        {"backup_copy", false, false},  {"backup_copy", true, false},   {"rotate_oldest", false, true},
        {"rotate_2_to_3", false, true}, {"rotate_1_to_2", false, true}, {"rotate_new_to_1", false, true},
        {"sync_backups", false, true},
    };
    for (const Kill& kill : kills) {
        SCOPED_TRACE(std::string(kill.step) + (kill.cut ? " (cut)" : ""));
        day += 1;
        const ChildRun killed = run_child(db, password, kill.step, day, kill.cut);
        ASSERT_TRUE(killed.killed) << "exit code " << killed.exit_code;
        ASSERT_TRUE(QFileInfo::exists(db)) << "the database file is never missing";
        if (kill.rotation_due) rotated();

        complete_start();
        QStringList expected{QString()};
        for (int n = 1; n <= generations.size(); ++n)
            expected.append(QStringLiteral(".old").repeated(n));
        expected.sort();
        EXPECT_EQ(files_of(db), expected);
        for (int n = 1; n <= generations.size(); ++n)
            EXPECT_EQ(count_items(db_files::backup_path(db, n), password, &clock), generations[n - 1]) << n;
    }
}

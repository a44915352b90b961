// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a database the way the program does and dies abruptly at a chosen file step, so that
// tests can check what a crash at that moment leaves behind. A run that completes adds one item
// (so that each backup generation has its own content) and prints the number of items.
// Usage: crash_child DATABASE PASSWORD STEP DAY [cut]
//   STEP: the name of the file step to die at ("-": never die); DAY: days after a fixed date.
//   With "cut" the child does not die before the step but in the middle of its writing: from
//   the step on, no file may grow past half the database's size (the kernel kills the writer).
#include "core/program_end.h"
#include "core/session.h"
#include "support/test_context.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 && !(args.size() == 6 && args[5] == QStringLiteral("cut"))) {
        std::fprintf(stderr, "usage: crash_child DATABASE PASSWORD STEP DAY [cut]\n");
        return 2;
    }
    const QByteArray die_at = args[3].toUtf8();
    const bool cut = args.size() == 6;
    TestContext t;
    t.clock.set(QDateTime(QDate(2026, 1, 1), QTime(10, 0)).addDays(args[4].toInt()));
    Session session(t.ctx, t.ui);
    session.file_hook = [&](const char* step) {
        if (die_at != step) return;
        if (!cut) {
            std::fprintf(stderr, "dying at %s\n", step);
            ::_exit(42);
        }
        std::fprintf(stderr, "cutting the writing of %s\n", step);
        const rlimit no_core{0, 0};
        ::setrlimit(RLIMIT_CORE, &no_core);
        const auto half = static_cast<rlim_t>(QFileInfo(args[1]).size() / 2);
        const rlimit limit{half, half};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    t.ui.enter(args[2]);
    try {
        session.start(args[1]);
    } catch (const ProgramEnd&) {
        return 3;
    }
    if (cut) return 4; // the writing was expected to be cut off
    t.ctx.db->exec(
        QStringLiteral("insert into repos (collection, cat, item_title) values ('Books', 'Novels', 'run')"));
    std::printf("%d\n", t.ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt());
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opens a database the way the program does and dies abruptly at the Nth file step, so that
// tests can check what a crash at that moment leaves behind.
// Usage: crash_child DATABASE PASSWORD STEP DAY   (STEP 0: never die; DAY: days after a fixed date)
#include "core/program_end.h"
#include "core/session.h"
#include "support/test_context.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: crash_child DATABASE PASSWORD STEP DAY\n");
        return 2;
    }
    const int die_at = args[3].toInt();
    TestContext t;
    t.clock.set(QDateTime(QDate(2026, 1, 1), QTime(10, 0)).addDays(args[4].toInt()));
    Session session(t.ctx, t.ui);
    int steps = 0;
    session.file_hook = [&](const char* step) {
        if (++steps == die_at) {
            std::fprintf(stderr, "dying at %s\n", step);
            ::_exit(42);
        }
    };
    t.ui.enter(args[2]);
    try {
        session.Main(args[1]);
    } catch (const ProgramEnd&) {
        return 3;
    }
    std::printf("%d\n", t.ctx.db->scalar(QStringLiteral("select count(*) from repos")).toInt());
    return 0;
}

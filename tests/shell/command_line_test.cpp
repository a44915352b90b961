// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"
#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(CommandLine, RelativePathsAreResolvedAgainstTheStartDirectory) {
    TempEnv env;
    const QString start = env.path("work");
    QDir().mkpath(start + "/sub");
    for (const char* name : {"notes.tdb", "sub/my notes.tdb", "cat.JPG"}) {
        QFile file(start + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString elsewhere = env.path("elsewhere.tdb");
    struct Case {
        QString line;
        QString expected;
    };
    const Case cases[] = {
        {"notes.tdb", start + "/notes.tdb"},
        {"\"sub/my notes.tdb\"", start + "/sub/my notes.tdb"},
        {"./sub/../notes.tdb|Books: Novels", start + "/notes.tdb|Books: Novels"},
        {"cat.JPG", start + "/cat.JPG"},
        // Absolute paths, names of nothing there, and other words stay as typed.
        {elsewhere, elsewhere},
        {"missing.tdb", "missing.tdb"},
        {"vb", "vb"},
        {"", ""},
        {"|Books", "|Books"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolve_command_line(c.line, start), c.expected) << c.line.toStdString();
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"
#include "support/temp_env.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(SettingsStore, ValuesSurviveARestart) {
    TempEnv env;
    const QString ini = env.path(QStringLiteral("settings.ini"));
    const QString path = QStringLiteral("C:\\Docs\\l'été, \"copie\"; #1.tdb");
    {
        Settings settings(ini);
        settings.save_setting(QStringLiteral("last_db_file"), path);
        settings.save_setting(QStringLiteral("language"), QStringLiteral("3"));
        settings.save_setting(QStringLiteral("last_picture_file"), QString());
    }
    // QSettings caches a file's contents per process: reading a copy is what the next run sees.
    const QString next_run = env.path(QStringLiteral("next_run.ini"));
    ASSERT_TRUE(QFile::copy(ini, next_run));
    Settings settings(next_run);
    EXPECT_EQ(settings.get_setting(QStringLiteral("last_db_file")), path);
    EXPECT_EQ(settings.get_setting(QStringLiteral("language")), QStringLiteral("3"));
    EXPECT_EQ(settings.get_setting(QStringLiteral("last_picture_file")), QString());
}

TEST(SettingsStore, GarbageFileReadsEmptyAndCanBeWrittenAgain) {
    TempEnv env;
    static constexpr char start[] = "\x00\xff\xfe[general\n=\n[[[]]]\n\\\\\\\n";
    QByteArray garbage(start, sizeof start - 1);
    for (int i = 0; i < 512; ++i)
        garbage.append(static_cast<char>((i * 37) % 256));
    const QString ini = env.write_file(QStringLiteral("settings.ini"), garbage);
    Settings settings(ini);
    for (const char* key : {"language", "last_db_file", "interval", "general", ""})
        EXPECT_EQ(settings.get_setting(QLatin1String(key)), QString()) << key;
    settings.save_setting(QStringLiteral("language"), QStringLiteral("2"));
    EXPECT_EQ(settings.get_setting(QStringLiteral("language")), QStringLiteral("2"));
}

// The store keeps its "general" section under the name QSettings gives it in ini files.
TEST(SettingsStore, HandEditedListValueReadsEmpty) {
    TempEnv env;
    const QString ini =
        env.write_file(QStringLiteral("settings.ini"), "[%General]\nlanguage=1, 2\ninterval=2000\n");
    Settings settings(ini);
    EXPECT_EQ(settings.get_setting(QStringLiteral("language")), QString());
    EXPECT_EQ(settings.get_setting(QStringLiteral("interval")), QStringLiteral("2000"));
}

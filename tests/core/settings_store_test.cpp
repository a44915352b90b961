// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"
#include "support/temp_env.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SettingsStore, MissingKeyAndMissingFileReadEmpty) {
    TempEnv env;
    Settings settings(env.path(u"none/settings.ini"_s));
    EXPECT_EQ(settings.get_setting(u"language"_s), QString());
    EXPECT_EQ(settings.get_setting(QString()), QString());
}

TEST(SettingsStore, ValuesSurviveARestart) {
    TempEnv env;
    const QString ini = env.path(u"settings.ini"_s);
    const QString path = u"C:\\Docs\\l'été, \"copie\"; #1.tdb"_s;
    {
        Settings settings(ini);
        settings.save_setting(u"last_db_file"_s, path);
        settings.save_setting(u"language"_s, u"3"_s);
        settings.save_setting(u"last_picture_file"_s, QString());
    }
    // QSettings caches a file's contents per process: reading a copy is what the next run sees.
    const QString next_run = env.path(u"next_run.ini"_s);
    ASSERT_TRUE(QFile::copy(ini, next_run));
    Settings settings(next_run);
    EXPECT_EQ(settings.get_setting(u"last_db_file"_s), path);
    EXPECT_EQ(settings.get_setting(u"language"_s), u"3"_s);
    EXPECT_EQ(settings.get_setting(u"last_picture_file"_s), QString());
}

TEST(SettingsStore, GarbageFileReadsEmptyAndCanBeWrittenAgain) {
    TempEnv env;
    QByteArray garbage("\x00\xff\xfe[general\n=\n[[[]]]\n\\\\\\\n", 28);
    for (int i = 0; i < 512; ++i)
        garbage.append(static_cast<char>((i * 37) % 256));
    const QString ini = env.write_file(u"settings.ini"_s, garbage);
    Settings settings(ini);
    for (const char* key : {"language", "last_db_file", "interval", "general", ""})
        EXPECT_EQ(settings.get_setting(QLatin1String(key)), QString()) << key;
    settings.save_setting(u"language"_s, u"2"_s);
    EXPECT_EQ(settings.get_setting(u"language"_s), u"2"_s);
}

// The store keeps its "general" section under the name QSettings gives it in ini files.
TEST(SettingsStore, HandEditedListValueReadsEmpty) {
    TempEnv env;
    const QString ini = env.write_file(u"settings.ini"_s, "[%General]\nlanguage=1, 2\ninterval=2000\n");
    Settings settings(ini);
    EXPECT_EQ(settings.get_setting(u"language"_s), QString());
    EXPECT_EQ(settings.get_setting(u"interval"_s), u"2000"_s);
}

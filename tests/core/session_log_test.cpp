// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dates.h"
#include "core/session.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SessionLog : public ::testing::Test, protected TestContext {
protected:
    Session session{ctx, ui};
    QString db = env.path(u"log.tdb"_s);
    QStringList saved_maps;

    void SetUp() override {
        make_database(db, {}, 1, &clock);
        windows.then[u"save_open_maps"_s] = [this] { saved_maps.append(u"saved"_s); };
        ui.enter({});
        session.start(db);
        ctx.main_window_loaded = true;
    }
    QString log_text() {
        QFile log(ctx.program_path(u"log.txt"_s));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
};

} // namespace

// Quitting also empties the scratch files.
TEST_F(SessionLog, NinetySecondSessionWritesRowAndBothLogLines) {
    const QDateTime start = clock.now();
    ASSERT_TRUE(QFileInfo(ctx.program_path(u"tmp"_s)).isDir()) << "made at start-up";
    env.write_file(u"home/tmp/nested/thumb 1.jpg"_s, "x");
    env.write_file(u"home/buff.tmp"_s, "x");
    clock.advance_seconds(90);
    session.end_session();
    EXPECT_FALSE(QFileInfo::exists(ctx.program_path(u"tmp"_s)));
    EXPECT_FALSE(QFileInfo::exists(ctx.program_path(u"buff.tmp"_s)));
    EXPECT_TRUE(ui.quitted);
    EXPECT_EQ(saved_maps.size(), 1);
    EXPECT_EQ(ui.geometry_saves, 1);

    auto check = Database::open(db, {}, &clock);
    Statement row = check->prepare(u"select * from session_log"_s);
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(u"duration_seconds"_s).toInt(), 90);
    EXPECT_EQ(dates::from_julian(row.value(u"start_time"_s).toDouble()), start);
    EXPECT_EQ(dates::from_julian(row.value(u"end_time"_s).toDouble()), start.addSecs(90));
    EXPECT_FALSE(row.next());

    EXPECT_EQ(log_text(), QStringLiteral("Start 2026/03/14 09:26:53\r\nEnd   2026/03/14 09:28:23 - duration "
                                         "minutes: 1.50\r\n"));
}

TEST_F(SessionLog, TwoRunsInTheSameMinuteWriteTwoRows) {
    clock.advance_seconds(3);
    session.end_session();
    clock.advance_seconds(2);
    ui.enter({});
    session.start(db);
    clock.advance_seconds(4);
    session.end_session();
    auto check = Database::open(db, {}, &clock);
    EXPECT_EQ(check->scalar(u"select count(*) from session_log where end_time is not null"_s).toInt(), 2);
    EXPECT_EQ(check->scalar(u"select sum(duration_seconds) from session_log"_s).toInt(), 7);
    EXPECT_EQ(log_text().count(u"Start "_s), 2);
}

TEST_F(SessionLog, ClosingTheMainWindowEndsTheSessionUnlessRestarting) {
    ctx.restarting = true;
    EXPECT_TRUE(session.main_window_unloading());
    EXPECT_FALSE(ctx.restarting);
    EXPECT_FALSE(ctx.main_window_loaded);
    EXPECT_FALSE(ui.quitted);
    EXPECT_FALSE(log_text().contains(u"End"_s));
    EXPECT_EQ(saved_maps.size(), 1);

    ctx.main_window_loaded = true;
    EXPECT_TRUE(session.main_window_unloading());
    EXPECT_TRUE(ui.quitted);
    EXPECT_TRUE(log_text().contains(u"End   "_s));
}

TEST_F(SessionLog, RowNotFoundStillWritesTheLogLine) {
    ctx.db->exec(u"delete from session_log"_s);
    clock.advance_seconds(60);
    session.end_session();
    EXPECT_TRUE(log_text().endsWith(u" - duration minutes: 1.00\r\n"_s));
}

// A database error while quitting is reported and the rest of the shutdown still runs; the
// session's end is written wherever the database still allows it.
TEST_F(SessionLog, ADatabaseErrorWhileQuittingDoesNotStopTheShutdown) {
    for (const bool table_gone : {false, true}) {
        SCOPED_TRACE(table_gone);
        prompter.clear();
        ui.quitted = false;
        env.write_file(u"home/tmp/thumb.jpg"_s, "x");
        windows.then[u"save_open_maps"_s] = [] {
            throw DbError(8, u"attempt to write a readonly database"_s);
        };
        if (table_gone) ctx.db->exec(u"drop table session_log"_s);
        clock.advance_seconds(60);
        EXPECT_NO_THROW(session.main_window_unloading());
        EXPECT_TRUE(ui.quitted);
        EXPECT_FALSE(QFileInfo::exists(ctx.program_path(u"tmp"_s)));
        EXPECT_TRUE(log_text().endsWith(u" - duration minutes: 1.00\r\n"_s));
        ASSERT_FALSE(prompter.messages().isEmpty());
        EXPECT_TRUE(prompter.messages()[0].contains(u"attempt to write a readonly database"_s));
        if (!table_gone) {
            auto check = Database::open(db, {}, &clock);
            EXPECT_EQ(check->scalar(u"select duration_seconds from session_log"_s).toInt(), 60);
        }
        ui.enter({});
        session.start(db);
        QFile::remove(ctx.program_path(u"log.txt"_s));
    }
}

// "Change database" whose completion meets a database error reports it and finishes opening.
TEST_F(SessionLog, ADatabaseErrorWhileFinishingChangeDatabaseIsReported) {
    const QString other = env.path(u"other.tdb"_s);
    make_database(other, {}, 2, &clock);
    int tips = 0;
    windows.then[u"check_reminders"_s] = [] { throw DbError(11, u"database disk image is malformed"_s); };
    windows.then[u"show_tips"_s] = [&] { ++tips; };
    ui.choose(other);
    ui.enter({});
    EXPECT_NO_THROW(session.restart_with_database());
    ASSERT_TRUE(ctx.db);
    EXPECT_EQ(ctx.db->path(), other);
    EXPECT_EQ(ctx.db->scalar(u"select count(*) from session_log"_s).toInt(), 1);
    EXPECT_EQ(tips, 1) << "the steps after the failing one ran";
    EXPECT_EQ(prompter.messages().size(), 1);
}

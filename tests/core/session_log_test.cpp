// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dates.h"
#include "core/session.h"
#include "support/test_context.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class SessionLog : public ::testing::Test, protected TestContext {
protected:
    Session session{ctx, ui};
    QString db = env.path(QStringLiteral("log.tdb"));
    QStringList saved_maps;

    void SetUp() override {
        make_database(db, {}, 1, &clock);
        session.steps.save_open_maps = [this] { saved_maps.append(QStringLiteral("saved")); };
        ui.enter({});
        session.Main(db);
        ctx.main_window_loaded = true;
    }
    QString log_text() {
        QFile log(ctx.program_path(QStringLiteral("log.txt")));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
};

} // namespace

TEST_F(SessionLog, NinetySecondSessionWritesRowAndBothLogLines) {
    const QDateTime start = clock.now();
    clock.advance_seconds(90);
    session.end_session();
    EXPECT_TRUE(ui.quitted);
    EXPECT_EQ(saved_maps.size(), 1);
    EXPECT_EQ(ui.geometry_saves, 1);

    auto check = Database::open(db, {}, &clock);
    Statement row = check->prepare(QStringLiteral("select * from session_log"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(QStringLiteral("duration_seconds")).toInt(), 90);
    EXPECT_EQ(dates::from_julian(row.value(QStringLiteral("start_time")).toDouble()), start);
    EXPECT_EQ(dates::from_julian(row.value(QStringLiteral("end_time")).toDouble()), start.addSecs(90));
    EXPECT_FALSE(row.next());

    EXPECT_EQ(log_text(), QStringLiteral("Start 2026/03/14 09:26:53\r\nEnd   2026/03/14 09:28:23 - duration "
                                         "minutes: 1.50\r\n"));
}

TEST_F(SessionLog, TwoRunsInTheSameMinuteWriteTwoRows) {
    clock.advance_seconds(3);
    session.end_session();
    clock.advance_seconds(2);
    ui.enter({});
    session.Main(db);
    clock.advance_seconds(4);
    session.end_session();
    auto check = Database::open(db, {}, &clock);
    EXPECT_EQ(
        check->scalar(QStringLiteral("select count(*) from session_log where end_time is not null")).toInt(),
        2);
    EXPECT_EQ(check->scalar(QStringLiteral("select sum(duration_seconds) from session_log")).toInt(), 7);
    EXPECT_EQ(log_text().count(QStringLiteral("Start ")), 2);
}

TEST_F(SessionLog, QuittingEmptiesTheScratchFiles) {
    const QString scratch = ctx.program_path(QStringLiteral("tmp"));
    ASSERT_TRUE(QFileInfo(scratch).isDir()) << "made at start-up";
    env.write_file(QStringLiteral("home/tmp/thumb 1.jpg"), "x");
    env.write_file(QStringLiteral("home/tmp/nested/deeper.txt"), "x");
    env.write_file(QStringLiteral("home/buff.tmp"), "x");
    session.end_session();
    EXPECT_FALSE(QFileInfo::exists(scratch));
    EXPECT_FALSE(QFileInfo::exists(ctx.program_path(QStringLiteral("buff.tmp"))));
}

TEST_F(SessionLog, ClosingTheMainWindowWhileRestartingDoesNotEndTheSession) {
    ctx.restarting = true;
    EXPECT_TRUE(session.main_window_unloading());
    EXPECT_FALSE(ctx.restarting);
    EXPECT_FALSE(ctx.main_window_loaded);
    EXPECT_FALSE(ui.quitted);
    EXPECT_FALSE(log_text().contains(QStringLiteral("End")));
    EXPECT_EQ(saved_maps.size(), 1);
}

TEST_F(SessionLog, ClosingTheMainWindowOtherwiseEndsIt) {
    EXPECT_TRUE(session.main_window_unloading());
    EXPECT_TRUE(ui.quitted);
    EXPECT_TRUE(log_text().contains(QStringLiteral("End   ")));
}

TEST_F(SessionLog, RowNotFoundStillWritesTheLogLine) {
    ctx.db->exec(QStringLiteral("delete from session_log"));
    clock.advance_seconds(60);
    session.end_session();
    EXPECT_TRUE(log_text().endsWith(QStringLiteral(" - duration minutes: 1.00\r\n")));
}

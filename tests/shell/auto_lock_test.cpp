// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/program_end.h"
#include "shell/auto_lock.h"
#include "support/db_fixtures.h"

namespace {

// Records what the lock did to the windows, in order.
class AutoLockTest : public ShellTest {
protected:
    AutoLock lock{ctx};
    QStringList events;
    int reminder_checks = 0;

    void SetUp() override {
        open_database("Secret");
        ctx.prefs.lock_interval = 30;
        lock.side.set_timer_enabled = [this](bool on) { events.append(on ? "timer on" : "timer off"); };
        lock.side.hide_windows = [this] { events.append("hide"); };
        lock.side.restore_windows = [this] { events.append("restore"); };
        lock.side.refresh_caption = [this] { events.append("caption"); };
        windows.then["check_reminders"] = [this] {
            EXPECT_EQ(windows.calls.last(), "check_reminders") << "the calendar is not opened";
            ++reminder_checks;
        };
        // Noon: the first tick runs the once-a-minute step, which the tests of the lock skip.
        clock.set(QDateTime(QDate(2026, 3, 14), QTime(12, 0, 0)));
        lock.start();
        lock.tick();
        events.clear();
        ctx.inactivity = 0;
    }
    // Ticks `n` times, the clock standing still; true when the unlock box was shown.
    bool ticks(int n) {
        for (int i = 0; i < n; ++i)
            lock.tick();
        return !prompter.shown().empty();
    }
    int unlock_boxes() const {
        int n = 0;
        for (const auto& shown : prompter.shown())
            n += shown.kind == "input" ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(AutoLockTest, HalfAMinuteLocksAfterThirtyQuietSecondsInputStartsTheCountAgain) {
    ticks(20);
    ctx.inactivity = 0; // what the event filter does on a key press
    EXPECT_FALSE(ticks(29));
    EXPECT_EQ(ctx.inactivity, 29);
    prompter.answer("Secret");
    EXPECT_TRUE(ticks(1));
    EXPECT_EQ(events, (QStringList{"timer off", "hide", "restore", "timer on"}));
    EXPECT_EQ(ctx.inactivity, 0);
    EXPECT_TRUE(lock.timer_enabled());
}

TEST_F(AutoLockTest, ZeroNeverLocksUntilTheCountPassesAMillion) {
    ctx.prefs.lock_interval = 0;
    EXPECT_FALSE(ticks(5000));
    EXPECT_EQ(ctx.inactivity, 0);
    ctx.inactivity = 1000000;
    prompter.answer("Secret");
    EXPECT_TRUE(ticks(1));
}

TEST_F(AutoLockTest, RestartingDoesNothing) {
    ctx.restarting = true;
    clock.advance_seconds(3600);
    EXPECT_FALSE(ticks(100));
    EXPECT_EQ(ctx.inactivity, 0);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(reminder_checks, 1); // only the one of SetUp
}

// The box names the interval only while one is in force; the password is taken in any letter case.
TEST_F(AutoLockTest, ManualLockLocksWhateverTheIntervalAndNamesOnlyAnIntervalInForce) {
    const QString unlock = "To unlock the program, enter the database password and press OK. To quit the "
                           "program, press Cancel.";
    for (const int interval : {180, 0}) {
        SCOPED_TRACE(interval);
        ctx.prefs.lock_interval = interval;
        prompter.clear();
        events.clear();
        prompter.answer("sECRET");
        lock.lock_now();
        ASSERT_EQ(unlock_boxes(), 1);
        EXPECT_EQ(prompter.shown()[0].title, "Tessarin (family)");
        EXPECT_EQ(prompter.shown()[0].text,
                  interval ? unlock + "\nThe current auto-lock interval is 180 secs of inactivity. You may "
                                      "change it through the 'preferences' menu."
                           : unlock);
        EXPECT_EQ(events, (QStringList{"timer off", "hide", "restore", "timer on"}));
        EXPECT_EQ(ctx.inactivity, 0);
    }
}

TEST_F(AutoLockTest, CancelEndsAtOnceWrongAnswersAreToldAndTheThirdEndsTheProgram) {
    prompter.answer(std::nullopt);
    try {
        lock.lock_now();
        ADD_FAILURE() << "cancel did not end the program";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.code(), 0);
    }
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(events, (QStringList{"timer off", "hide"}));

    // Two wrong answers, then the right one.
    prompter.clear();
    prompter.answer("nope");
    prompter.answer("Secret!");
    prompter.answer("secret");
    EXPECT_NO_THROW(lock.lock_now());
    EXPECT_EQ(messages(), (QStringList{"Invalid password.", "Invalid password."}));

    // Two wrong answers, then an empty one: the same as Cancel.
    prompter.clear();
    events.clear();
    prompter.answer("nope");
    prompter.answer("again");
    prompter.answer("");
    EXPECT_THROW(lock.lock_now(), ProgramEnd);
    EXPECT_FALSE(events.contains("restore"));
    EXPECT_FALSE(lock.timer_enabled());

    prompter.clear();
    for (const char* wrong : {"a", "b", "c"})
        prompter.answer(wrong);
    try {
        lock.lock_now();
        ADD_FAILURE() << "three wrong answers did not end the program";
    } catch (const ProgramEnd& end) {
        EXPECT_NE(end.code(), 0);
    }
    EXPECT_EQ(unlock_boxes(), 3);
    EXPECT_EQ(messages().size(), 3);
}

TEST_F(AutoLockTest, NoPasswordRefusesAndLeavesTheTimerOff) {
    ctx.db.reset();
    QFile::remove(ctx.db_path);
    open_database();
    lock.lock_now();
    EXPECT_EQ(messages(), QStringList{cannot_lock_message});
    EXPECT_EQ(events, QStringList{"timer off"});
    EXPECT_FALSE(lock.timer_enabled());

    // The refusal also skips the once-a-minute step of that tick.
    events.clear();
    clock.advance_seconds(600);
    ctx.inactivity = 29;
    prompter.clear();
    lock.tick();
    EXPECT_EQ(messages(), QStringList{cannot_lock_message});
    EXPECT_FALSE(events.contains("caption"));

    // The next database opening starts the timer again.
    lock.start();
    EXPECT_TRUE(lock.timer_enabled());
    EXPECT_EQ(ctx.inactivity, 0);
}

TEST_F(AutoLockTest, OnceAMinuteRefreshesTheCaptionAndChecksRemindersFromMidnightOn) {
    ctx.prefs.lock_interval = 0;
    const int start_checks = reminder_checks;
    EXPECT_EQ(lock.last_minute_tick(), 12 * 3600);
    clock.advance_seconds(59);
    lock.tick();
    EXPECT_EQ(reminder_checks, start_checks);
    clock.advance_seconds(1);
    lock.tick();
    EXPECT_EQ(reminder_checks, start_checks + 1);
    EXPECT_EQ(events, QStringList{"caption"});
    EXPECT_EQ(lock.last_minute_tick(), 12 * 3600 + 60);
    clock.advance_seconds(60);
    lock.tick();
    EXPECT_EQ(events, (QStringList{"caption", "caption"}));

    // Midnight starts the count again.
    clock.set(QDateTime(QDate(2026, 3, 14), QTime(23, 59, 50)));
    lock.tick();
    events.clear();
    clock.set(QDateTime(QDate(2026, 3, 15), QTime(0, 0, 5)));
    lock.tick();
    EXPECT_EQ(events, QStringList{"caption"});
    EXPECT_EQ(lock.last_minute_tick(), 5);
    clock.set(QDateTime(QDate(2026, 3, 15), QTime(0, 0, 30)));
    lock.tick();
    EXPECT_EQ(events, QStringList{"caption"});
}

TEST_F(AutoLockTest, AskPasswordSideTakesThePlaceOfTheInputBox) {
    QStringList asked;
    lock.side.ask_password = [&](const QString&, const QString& title) -> std::optional<QString> {
        asked.append(title);
        return "SECRET";
    };
    lock.lock_now();
    EXPECT_EQ(asked, QStringList{"Tessarin (family)"});
    EXPECT_TRUE(prompter.shown().empty());
}

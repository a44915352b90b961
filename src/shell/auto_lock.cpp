// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/auto_lock.h"

#include "core/app_context.h"
#include "core/program_end.h"
#include "core/program_title.h"
#include "core/windows.h"

#include <limits>

namespace {

// A count this high means the lock was asked for: it locks even when auto-lock is off.
constexpr int requested_count = 10000;
constexpr int forced_count = 1000000;
constexpr int tries = 3;

} // namespace

AutoLock::AutoLock(AppContext& ctx) : ctx_(ctx) {}

void AutoLock::set_timer(bool enabled) {
    timer_enabled_ = enabled;
    if (side.set_timer_enabled) side.set_timer_enabled(enabled);
}

void AutoLock::start() {
    ctx_.inactivity = 0;
    set_timer(true);
}

void AutoLock::tick() {
    run(false);
}

void AutoLock::lock_now() {
    ctx_.inactivity = requested_count;
    run(true);
}

void AutoLock::run(bool requested) {
    // A database change is closing and reopening the windows.
    if (ctx_.restarting) return;
    const int interval = ctx_.prefs.lock_interval;
    if (requested || interval != 0 || ctx_.inactivity >= forced_count) {
        if (ctx_.inactivity < std::numeric_limits<int>::max()) ++ctx_.inactivity;
        if (requested || ctx_.inactivity >= interval) {
            if (!lock()) return;
        }
    }
    minute_step();
}

QString AutoLock::lock_title() const {
    return program_title() + QStringLiteral(" (") + ctx_.db_title + QStringLiteral(")");
}

QString AutoLock::lock_prompt() const {
    QString prompt = QStringLiteral("To unlock the program, enter the database password and press OK. ") +
                     QStringLiteral("To quit the program, press Cancel.");
    if (ctx_.prefs.lock_interval != 0)
        prompt +=
            QStringLiteral("\nThe current auto-lock interval is %1 secs of inactivity. You may change it "
                           "through the 'preferences' menu.")
                .arg(ctx_.prefs.lock_interval);
    return prompt;
}

bool AutoLock::lock() {
    set_timer(false);
    const QString password = ctx_.db ? ctx_.db->password() : QString();
    if (password.isEmpty()) {
        // The timer stays off until the next database opening starts it again.
        ctx_.prompter.message(cannot_lock_message);
        return false;
    }
    if (side.hide_windows) side.hide_windows();
    for (int wrong = 0;;) {
        const auto answer = side.ask_password ? side.ask_password(lock_prompt(), lock_title())
                                              : ctx_.prompter.input(lock_prompt(), lock_title());
        if (!answer || answer->isEmpty()) throw ProgramEnd(0);
        if (answer->compare(password, Qt::CaseInsensitive) == 0) break;
        ctx_.prompter.message(QStringLiteral("Invalid password."));
        if (++wrong >= tries) throw ProgramEnd(1);
    }
    if (side.restore_windows) side.restore_windows();
    set_timer(true);
    ctx_.inactivity = 0;
    return true;
}

void AutoLock::minute_step() {
    const int now = ctx_.clock.now().time().msecsSinceStartOfDay() / 1000;
    const int elapsed = now - last_minute_tick_;
    // Negative: the clock passed midnight since the last run.
    if (elapsed < 60 && elapsed >= 0) return;
    last_minute_tick_ = now;
    if (side.refresh_caption) side.refresh_caption();
    ctx_.windows.check_reminders(false);
}

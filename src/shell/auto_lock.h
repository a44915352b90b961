// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class AppContext;

inline const QString cannot_lock_message =
    QStringLiteral("The program cannot be locked as the current database has no password.");

// What locking does to the windows. Every member may be left empty (nothing happens), except
// that an empty ask_password asks through the context's prompter.
struct LockWindowSide {
    // Starts or stops the one-second timer that calls AutoLock::tick.
    std::function<void(bool enabled)> set_timer_enabled;
    // Hides every window of the program, so that nothing of the data shows while locked.
    std::function<void()> hide_windows;
    // Shows again the windows hidden by hide_windows, as they were, the main window in front.
    std::function<void()> restore_windows;
    // The main window caption shows the time to the minute.
    std::function<void()> refresh_caption;
    // The unlock box: a masked input box; nullopt for Cancel.
    std::function<std::optional<QString>(const QString& prompt, const QString& title)> ask_password;
};

// The inactivity count, the lock and the once-a-minute work of the command form's timer.
// Locking ends the program (throws ProgramEnd) when the user cancels the unlock box or gives a
// wrong password three times; whoever runs the timer turns that into an immediate exit,
// without the session's end.
class AutoLock {
public:
    explicit AutoLock(AppContext& ctx);

    LockWindowSide side;

    // Enables the timer with the count at 0 (the completion steps of every database opening).
    void start();
    bool timer_enabled() const { return timer_enabled_; }

    // One second has passed.
    void tick();
    // The lock command. It locks even with auto-lock off or a long interval: a user who asks
    // for the lock expects the program to lock now, whatever the automatic setting says.
    void lock_now();

    // The unlock box's title and prompt for the current database and interval.
    QString lock_title() const;
    QString lock_prompt() const;

    // Seconds since midnight at the last once-a-minute run.
    int last_minute_tick() const { return last_minute_tick_; }

private:
    void run(bool requested);
    // False when the database has no password and the lock was refused.
    bool lock();
    void minute_step();
    void set_timer(bool enabled);

    AppContext& ctx_;
    bool timer_enabled_ = false;
    int last_minute_tick_ = 0;
};

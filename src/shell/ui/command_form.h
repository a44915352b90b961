// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/auto_lock.h"
#include "shell/preference_commands.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

class AppContext;
class MainWindow;
class QMenu;
class QTimer;

// The hidden command form "f_ghost": its one-second timer "Timer1" drives the auto-lock, the
// caption's clock and the reminder check; one application-wide event filter counts any mouse or
// key input as activity. It also carries the general commands of the preferences, the lock and
// the password change.
class CommandForm final : public QWidget {
    Q_OBJECT
public:
    // `main_window` answers the main window once it exists (nullptr before).
    CommandForm(AppContext& ctx, std::function<MainWindow*()> main_window);
    ~CommandForm() override;

    // Loads the form once per process: from then on every input anywhere resets the count.
    void load();
    // Enables the timer with the inactivity count at 0 (every database opening).
    void start_timer();

    // The entries of the Preferences submenu other than the language.
    PreferenceCommands& preferences() { return preferences_; }
    AutoLock& auto_lock() { return lock_; }
    QTimer* timer() const { return timer_; }

    // Adds the Preferences entries of this form to `menu`, in menu order, each with its object
    // name, caption and check mark, all kept current when chosen. The toolbar entries are not
    // among them; the language entry comes from build_language_entry, before the cogniva entry.
    void build_preferences(QMenu& menu);
    std::function<void(QMenu& menu)> build_language_entry;

    // "Lock the program" (menu entry and toolbar button).
    void lock_program();
    // "Change password".
    void ask_password_change();

    // Ends the program at once, without the session's end, after the unlock box was cancelled or
    // answered wrongly three times. By default it leaves the event loops with `code`, the main
    // loop included even when it has not started yet.
    std::function<void(int code)> end_program;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void on_tick();
    // Runs a step that may lock; an ended program leaves through end_program.
    void guarded(const std::function<void()>& step);
    void hide_windows();
    void restore_windows();
    std::optional<QString> ask_unlock_password(const QString& prompt, const QString& title);

    AppContext& ctx_;
    std::function<MainWindow*()> main_window_;
    QTimer* timer_;
    PreferenceCommands preferences_;
    AutoLock lock_;
    // The windows hidden while locked, to show again after the unlock.
    QList<QPointer<QWidget>> hidden_;
    QPointer<QWidget> active_before_lock_;
    bool loaded_ = false;
};

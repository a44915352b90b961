// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/startup_ui.h"

#include <functional>
#include <memory>

class AppContext;
class MainWindow;
class QtPrompter;
class WaitBox;

// The real windows behind start-up: database dialog, password dialog, wait box, main window.
class QtStartupUi : public StartupUi {
public:
    QtStartupUi(AppContext& ctx, QtPrompter& prompter);
    ~QtStartupUi() override;

    // Asked when the main window is about to close (the session's unload).
    std::function<bool()> on_main_window_close;
    // The main window has been made (once per process): the general commands attach to it.
    std::function<void(MainWindow& window)> on_main_window_made;
    MainWindow* main_window() const { return main_window_.get(); }

    std::optional<QString> choose_database(const QString& start) override;
    PasswordAnswer ask_password(const QString& path) override;
    void show_wait_box() override;
    void close_wait_box() override;
    void process_events() override;
    void set_hourglass(bool on) override;
    void show_main_window() override;
    void bring_main_window_forward() override;
    void save_main_window_geometry() override;
    void close_all_windows() override;
    void quit() override;

private:
    AppContext& ctx_;
    QtPrompter& prompter_;
    std::unique_ptr<MainWindow> main_window_;
    std::unique_ptr<WaitBox> wait_box_;
    bool hourglass_ = false;
};

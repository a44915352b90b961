// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// What the password dialog answered.
struct PasswordAnswer {
    enum class Kind { Enter, ChangeDatabase, Cancel };
    Kind kind = Kind::Cancel;
    QString password; // trimmed, at most 9 characters; only with Enter
};

// The windows that start-up, database opening and quitting drive. Implemented with Qt widgets
// in the program and by a recording fake in tests.
class StartupUi {
public:
    virtual ~StartupUi() = default;
    // The database file dialog ("Select database file", filter "*.tdb"); a new file name may be
    // typed. nullopt when cancelled.
    virtual std::optional<QString> choose_database(const QString& start) = 0;
    // Shows the password dialog modally for the database at `path`.
    virtual PasswordAnswer ask_password(const QString& path) = 0;
    // The "Please wait..." box, centred on the screen.
    virtual void show_wait_box() = 0;
    virtual void close_wait_box() = 0;
    // Lets the event loop run once so that windows repaint.
    virtual void process_events() = 0;
    virtual void set_hourglass(bool on) = 0;
    // Shows the main window (restoring its geometry) and sets its caption.
    virtual void show_main_window() = 0;
    virtual void bring_main_window_forward() = 0;
    // The main window's geometry, saved at quit; nothing when it is not loaded or minimised.
    virtual void save_main_window_geometry() = 0;
    // Closes every map and table window.
    virtual void close_all_windows() = 0;
    // Ends the event loop; the process then leaves main().
    virtual void quit() = 0;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/db_files.h"

#include <QString>
#include <functional>
#include <memory>

class AppContext;
class StartupUi;
class QLockFile;

// True when the program file was started under the picture viewer's name, "glimmeron" (a link
// to the program of that name, with or without an extension; letter case ignored).
bool started_as_picture_viewer(const QString& program_path);

// Start-up, the database opening with compaction and backups, changing database, and the
// session's end. Ends the program by throwing ProgramEnd.
class Session {
public:
    Session(AppContext& ctx, StartupUi& ui);
    ~Session();

    // Tests stop or fail the file work at a named step.
    db_files::StepHook file_hook;
    // Free space on the database's disk; tests stand in a full disk.
    std::function<qint64(const QString& path)> free_bytes = db_files::free_bytes;

    // The entry point: language, screen check, program directory, picture settings, command
    // line, then the database. Returns when the main window is up. A picture on the command
    // line is shown without a database; so is the picture browser when the program runs as the
    // picture viewer (`as_picture_viewer`, see started_as_picture_viewer).
    void start(const QString& command_line, bool as_picture_viewer = false);

    // Chooses, unlocks, compacts, backs up and opens a database, then runs the completion steps.
    void open_database(bool& auto_open);

    // "Change database": closes the windows and the database and opens another in this process.
    void restart_with_database();

    // The main window's unload: true when it may close. Ends the session unless restarting.
    bool main_window_unloading();

    // Writes the session's start (a session_log row and a "Start " line in log.txt).
    void start_session();
    // Cleans the scratch files, stores what the next run needs, writes the end, quits.
    void end_session();

    // Closes the database and releases the lock on its file.
    void close_database();

private:
    enum class Next { Choose, Dialog, Password, Done };
    Next open_chosen(const QString& file, bool from_dialog, bool& auto_open, QString& candidate,
                     int& attempts);
    void open_file(const QString& file, const QString& password, bool is_new);
    void back_up(const QString& file, const QString& password, bool verified);
    void completion_steps();
    void append_log(const QString& line);
    // Runs `work`; a database error is reported and the caller goes on with its next step.
    void report_failure(const std::function<void()>& work);

    AppContext& ctx_;
    StartupUi& ui_;
    QString command_line_;
    std::unique_ptr<QLockFile> lock_;
    bool error_while_compacting_ = false;
};

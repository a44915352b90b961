// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

class AppContext;
class Desktop;
class Prompter;

// False for an empty or all-blank path; true when a file or directory (hidden ones too) exists
// there. Never fails.
bool file_exists(const QString& path);

// Removes one double quote at the start and one at the end, each only when present.
void strip_quotes(QString& text);

// True for texts beginning "https://", "ftp://", "http://" or "www." (any letter case).
bool is_web_address(const QString& text);

// Opens a file, a directory or an address (also "mailto:") with the system; when no program
// opens it the user is told so, with the target. True when it opened.
bool open_with_system(Desktop& desktop, Prompter& prompter, const QString& target);

// Opens a directory, a file or a web address with the system; anything else is reported as
// "Path not found: " + path. Only the path's first line counts.
void open_path(Desktop& desktop, Prompter& prompter, const QString& path);

// The order of day, month and year in the locale's short dates, as a date-time format text:
// "dd/MM/yy", "MM/dd/yy" or "yy/MM/dd".
QString detect_date_format(const QLocale& locale = QLocale::system());

// Reads the picture viewer's settings into ctx.pictures at start-up and creates the program's
// scratch directory "tmp". Settings naming a missing file or directory are cleared.
void load_picture_settings(AppContext& ctx);

// The per-user data directory: $TESSARIN_HOME when set, else the application data location
// (created when missing).
QString program_directory();

// Copies the shipped files (tips, readme, translation database, icons...) from data_dir into
// program_dir where they are missing; files already there are never overwritten.
void install_shipped_files(const QString& program_dir, const QString& data_dir);

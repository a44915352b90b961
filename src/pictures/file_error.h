// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/seams.h"

#include <QFileDevice>
#include <QString>
#include <stdexcept>

// A file operation of the picture viewer that failed: a number the user can quote and what
// happened. Every command runs its file work under one trap that shows it as
// "Error " + number + " - " + description and leaves the window as it was.
class FileError : public std::runtime_error {
public:
    FileError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }
    QString message() const;

private:
    int number_;
    QString description_;
};

// The numbers users of older tools know for the common failures.
constexpr int file_not_found_error = 53;
constexpr int file_exists_error = 58;
constexpr int permission_denied_error = 70;
constexpr int path_access_error = 75;
constexpr int path_not_found_error = 76;

// The failure of `file`'s last operation, with its path in the description.
FileError file_error(const QFileDevice& file, const QString& path);

// Runs `work`; a FileError is shown to the user. True when `work` ran to its end.
template <typename Work> bool run_file_command(Prompter& prompter, Work&& work) {
    try {
        work();
        return true;
    } catch (const FileError& error) {
        prompter.message(error.message());
        return false;
    }
}

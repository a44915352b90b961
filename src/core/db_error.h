// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

// What went wrong, as far as callers need to tell conditions apart.
enum class DbErrorKind {
    Other,
    WrongPassword,   // the file is encrypted and the key does not open it
    MissingPassword, // the file is encrypted and no password was given
    NotADatabase,    // the file is no database (or is damaged beyond reading its header)
    FileNotFound,
};

// Error numbers for the conditions above; other engine failures carry the engine's result code.
namespace db_errno {
inline constexpr int wrong_password = 3031;
inline constexpr int missing_password = 3001;
inline constexpr int not_a_database = 3343;
inline constexpr int file_not_found = 3024;
inline constexpr int disk_space = 3183;
inline constexpr int verification_failed = 3049;
inline constexpr int in_use = 3045;
inline constexpr int read_only = 3051;
} // namespace db_errno

class DbError : public std::runtime_error {
public:
    DbError(int number, QString description, DbErrorKind kind = DbErrorKind::Other)
        : std::runtime_error(description.toStdString()), number_(number),
          description_(std::move(description)), kind_(kind) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }
    DbErrorKind kind() const { return kind_; }

private:
    int number_;
    QString description_;
    DbErrorKind kind_;
};

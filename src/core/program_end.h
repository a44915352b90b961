// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>

// Thrown by logic when the program must end (the user cancelled the database dialog, a fatal
// error in a configuration file was reported...). Whatever had to be said has been said through
// the Prompter already; main() catches it and leaves with `code`.
class ProgramEnd : public std::exception {
public:
    explicit ProgramEnd(int code = 0) : code_(code) {}
    int code() const { return code_; }
    const char* what() const noexcept override { return "program end"; }

private:
    int code_;
};

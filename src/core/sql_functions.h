// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct sqlite3;
class Clock;

// Registers on a connection the Access-family functions the program's statements use:
// like (with * ? # and [..]), the Unicode-aware NOCASE collation, cvdate, now, iif and val.
// `clock` supplies now(); it must outlive the connection.
void register_sql_functions(sqlite3* db, const Clock* clock);

// The like matcher itself, exposed for tests and benchmarks: true when `text` matches `pattern`
// with * any run, ? one character, # one digit, [..] a literal character or a set, case ignored.
bool access_like(const QString& text, const QString& pattern);

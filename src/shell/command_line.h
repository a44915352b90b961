// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The command line as start-up reads it, with a relative path made absolute against
// `start_dir`, the directory the program was started from: start-up moves into the program
// directory before it reads the path. The line is a database or picture path, optionally in
// double quotes, optionally followed by "|" and a map name. Only a path naming something that
// exists there is resolved; any other text ("vb", a missing file) comes back as it was.
QString resolve_command_line(const QString& line, const QString& start_dir);

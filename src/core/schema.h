// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Database;

namespace schema {

// Version written to PRAGMA user_version by the newest upgrade step.
inline constexpr int current_version = 2;

// Brings a database to the current schema: creates the tables of a new file, and applies the
// numbered upgrade steps to an older one (including a file made by another tool that holds just
// the tables of the data model). All steps run in one transaction.
void upgrade(Database& db);

} // namespace schema

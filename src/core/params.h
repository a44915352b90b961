// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class Database;
class DbError;
class Prompter;

// Global parameters (gen_params) and per-map parameters (map_params). Keys are passed as they
// are; map names are quoted. Values compare without regard to case: writing a value equal to
// the stored one writes nothing.
QString get_gen_param(Database& db, const QString& key);
void set_gen_param(Database& db, const QString& key, const QString& value);

QString get_map_param(Database& db, const QString& map_name, const QString& key);
// These two report a failure to the user and return.
void set_map_param(Database& db, Prompter& prompter, const QString& map_name, const QString& key,
                   const QString& value);
void delete_map_param(Database& db, Prompter& prompter, const QString& map_name, const QString& key);

// "Error " + number + " - " + description, with only an OK button.
void report_error(Prompter& prompter, const DbError& error);

// A stored text read as a number the way the parameter rules need: trimmed, '.' as the decimal
// point; nullopt when it is empty or not a number.
std::optional<double> numeric_value(const QString& text);

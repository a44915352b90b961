// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <variant>

class Clock;
class Database;

// Builds the databases a new user explores and the benchmarks load: a small hand-made sample
// with the files its links point to, or a large generated one of a given number of items.
namespace sample {

struct Options {
    QString output;              // the database file to create
    QString password;            // empty: a plain file
    std::optional<qint64> items; // set: the large generated database of exactly this many items
    quint64 seed = 1;            // the large database is the same for the same seed
    bool force = false;          // replace an existing output
    bool help = false;
    // Called now and then with the number of items written so far; may throw to abandon the run.
    std::function<void(qint64 written, qint64 total)> progress;
};

struct Summary {
    qint64 items = 0;
    qint64 maps = 0;
};

// The output exists and --force was not given; nothing was touched.
class OutputExists : public std::runtime_error {
public:
    explicit OutputExists(const QString& path)
        : std::runtime_error(("Output file already exists: " + path).toStdString()) {}
};

QString usage();

// Reads the command line (without the program name). Returns the options or the reason they
// are wrong.
std::variant<Options, QString> parse_arguments(const QStringList& arguments);

// Creates the database described by `options`: written to output + ".part" and renamed at the
// end, so a failed run never leaves a half database under the real name (the ".part" file is
// removed when the failure is an exception). Dates are placed around `clock.now()`.
// Throws OutputExists, DbError, or std::runtime_error for file failures.
Summary generate(const Options& options, const Clock& clock);

// The directories the small sample writes beside the database: linked files, and pictures.
QString files_dir(const QString& output);
QString pictures_dir(const QString& output);

// Number of distinct maps (collection and category; an item whose category is a comma list
// counts in each of its maps), compared without regard to case.
qint64 count_maps(Database& db);

} // namespace sample

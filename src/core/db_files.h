// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

class Clock;
class Database;

// File-level care of a database: compaction into a verified copy that replaces the original
// atomically, and the three backup generations beside it. At no moment is the database file
// missing or half-written: a crash at any point leaves either the old or the new file whole.
namespace db_files {

// Called before each step with the step's name; tests use it to fail or stop at a given step.
using StepHook = std::function<void(const char* step)>;

// Names of the files beside a database (the suffix is appended to the full name).
QString tmp_path(const QString& path);
QString backup_path(const QString& path, int generation); // 1: ".old", 2: ".old.old", 3: ".old.old.old"

// Removes what an interrupted compaction or rotation left behind (".tmp", a half-written backup).
void remove_leftovers(const QString& path);

// Free bytes on the disk holding `path` (for a file: its folder); -1 when unknown.
qint64 free_bytes(const QString& path);
// True when `available` bytes leave room for a compacted copy: twice the database's size.
// Unknown space (-1) does not stop the compaction; a full disk will make it fail cleanly.
bool enough_space_to_compact(const QString& path, qint64 available);

// Compacts `path` into path + ".tmp" with the same key, checks the copy (integrity and the row
// count of every table) and puts it in place by an atomic rename. Throws DbError; on failure the
// original is left byte-identical and the ".tmp" removed. A wrong or missing password throws
// before anything is written. `source` is the open database (its key already checked); it is
// closed before the copy takes its place.
void compact(std::unique_ptr<Database> source, const QString& password, const Clock* clock,
             const StepHook& hook = {});

// Replaces the database by a compacted copy encrypted with `new_password` ("" makes a plain
// file), through the same verified copy and atomic rename as `compact`: on failure the original
// is left byte-identical, still opening with its old password, and the ".tmp" removed.
void change_key(std::unique_ptr<Database> source, const QString& new_password, const Clock* clock,
                const StepHook& hook = {});

// Writes a compacted copy of the open database to `target` under `key` ("" makes a plain file),
// keeping the schema version, and flushes it to disk before returning.
void export_copy(Database& db, const QString& target, const QString& key);

// True when a database passes the engine's quick integrity check.
bool verify(const QString& path, const QString& password, const Clock* clock);

// Shifts the backup generations when ".old" is 12 hours old or missing, and writes a new ".old"
// as a plain copy of the database (its own storage, written under a temporary name first).
// Returns true when a rotation happened. Throws DbError when a file operation fails.
bool rotate_backups(const QString& path, const QDateTime& now, const StepHook& hook = {});

// Copies a file byte by byte (never sharing storage with the source) and flushes it to disk.
void copy_file_synced(const QString& from, const QString& to);
// Flushes a directory entry change (rename, delete) to disk.
void sync_directory(const QString& dir);

} // namespace db_files

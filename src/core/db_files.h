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
// A complete new backup that was waiting to be shifted in is kept: rotate_backups finishes it.
void remove_leftovers(const QString& path);

// Free bytes on the disk holding `path` (for a file: its folder); -1 when unknown.
qint64 free_bytes(const QString& path);
// True when `available` bytes leave room for a compacted copy: twice the database's size.
// Unknown space (-1) does not stop the compaction; a full disk will make it fail cleanly.
bool enough_space_to_compact(const QString& path, qint64 available);

// Compacts `source`'s file into path + ".tmp" under the key the file has (never a password
// merely typed for a plain file), checks the copy (integrity and the row count of every table)
// and puts it in place by an atomic rename; the copy keeps the file's permission bits. Throws
// DbError; on failure the original is left byte-identical and the ".tmp" removed. `source` is
// the open database (its key already checked); it is closed before the copy takes its place.
void compact(std::unique_ptr<Database> source, const StepHook& hook = {});

// Replaces the database by a compacted copy encrypted with `new_password` ("" makes a plain
// file), through the same verified copy and atomic rename as `compact`: on failure the original
// is left byte-identical, still opening with its old password, and the ".tmp" removed. `db` is
// closed in every case (before the rename on success); reopen it with the key the file holds.
void change_key(Database& db, const QString& new_password, const StepHook& hook = {});

// Writes a compacted copy of the open database to `target` under `key` ("" makes a plain file),
// keeping the schema version, and flushes it to disk before returning.
void export_copy(Database& db, const QString& target, const QString& key);

// True when a database passes the engine's quick integrity check.
bool verify(const QString& path, const QString& password, const Clock* clock);

// Shifts the backup generations when ".old" is 12 hours old or missing, and writes a new ".old"
// as a plain copy of the database (its own storage, written and flushed under a temporary name,
// then renamed to ".old.new" before any generation moves). A rotation that was interrupted
// after ".old.new" was complete is finished first, so no generation is lost to a crash.
// Returns true when a rotation happened. Throws DbError when a file operation fails.
bool rotate_backups(const QString& path, const QDateTime& now, const StepHook& hook = {});

// Copies a file byte by byte (never sharing storage with the source) with the source's
// permission bits and flushes it to disk.
void copy_file_synced(const QString& from, const QString& to);
// Flushes a directory entry change (rename, delete) to disk.
void sync_directory(const QString& dir);

} // namespace db_files

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/db_error.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;
class Clock;

// One prepared statement, finalised when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds by 1-based position; used by the program's own bulk writes, never for user SQL text.
    void bind(int index, const QVariant& value);
    // Steps to the next row; false at the end. Statements without rows run at the first call.
    bool next();
    void reset();

    int column_count() const;
    QString column_name(int index) const;
    // Column lookup by name ignores letter case; an unknown name throws.
    int column_index(const QString& name) const;
    QVariant value(int index) const;
    QVariant value(const QString& name) const { return value(column_index(name)); }
    QString text(const QString& name) const { return value(name).toString(); }
    bool is_null(const QString& name) const;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    mutable QStringList names_;
};

// The one connection to a database file, with the program's SQL functions registered.
class Database {
public:
    enum class Mode { OpenExisting, CreateNew };

    // Opens `path` with `password` (empty: a plain file). A plain file opens whatever password
    // is typed. CreateNew makes a new file (encrypted when a password is given) with no tables.
    // Throws DbError telling a wrong password, a missing password and "not a database" apart.
    static std::unique_ptr<Database> open(const QString& path, const QString& password, const Clock* clock,
                                          Mode mode = Mode::OpenExisting);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    bool encrypted() const { return !password_.isEmpty(); }
    // The key the file really has: "" for a plain file, whatever password was typed for it.
    const QString& password() const { return password_; }

    // Closes the connection; every later use throws DbError until reopen() succeeds. Refuses
    // (throws, connection left open) while a prepared statement of this connection is alive, so
    // that no statement outlives the connection it was prepared on.
    void close();
    // Opens the same file again in place with `password`, so that every holder of this object
    // reads the new connection. On failure the object stays closed and the error is thrown.
    void reopen(const QString& password);
    bool is_open() const { return db_ != nullptr; }

    // Runs one or more statements that return no rows.
    void exec(const QString& sql);
    Statement prepare(const QString& sql);
    // First column of the first row; an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql);
    qint64 last_insert_id() const;
    int changes() const;

    int user_version();
    void set_user_version(int version);
    QStringList table_names();

    // Writes a compacted copy of the whole database to `target` with the same key and page size.
    // The copy is synced to disk before this returns.
    void export_to(const QString& target);

    // The live connection; throws DbError when the database is closed.
    sqlite3* handle() const;

    // Raises the DbError for the connection's last failure.
    [[noreturn]] void raise(int rc, const QString& context = {}) const;

private:
    Database(sqlite3* db, QString path, QString password, const Clock* clock);
    sqlite3* db_;
    QString path_;
    QString password_;
    const Clock* clock_;
};

// Rolls back unless committed, so that a failure half-way writes nothing.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool done_ = false;
};

// Page size of encrypted files; 4096 makes compaction and scans much faster than 1024.
inline constexpr int cipher_page_size = 4096;

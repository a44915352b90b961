// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_files.h"

#include "core/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace db_files {

namespace {

constexpr int io_error = 3026; // a file operation beside the database failed

void step(const StepHook& hook, const char* name) {
    if (hook) hook(name);
}

[[noreturn]] void fail(const QString& what, const QString& path) {
    throw DbError(io_error, what + QStringLiteral(" ") + QDir::toNativeSeparators(path) +
                                QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)));
}

void remove_if_exists(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (::unlink(name.constData()) != 0 && errno != ENOENT) fail(QStringLiteral("Cannot delete"), path);
}

void rename_file(const QString& from, const QString& to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        fail(QStringLiteral("Cannot rename to"), to);
}

void sync_file(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(QStringLiteral("Cannot open to flush"), path);
    const int rc = ::fsync(fd);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    if (rc != 0) fail(QStringLiteral("Cannot flush"), path);
}

bool exists(const QString& path) {
    return QFileInfo::exists(path);
}

QString directory_of(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// Row counts of every table, to compare a copy with its original.
QList<QPair<QString, qint64>> table_counts(Database& db, const QString& schema_name) {
    QList<QPair<QString, qint64>> counts;
    Statement tables = db.prepare(QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type='table' "
                                                 "ORDER BY name")
                                      .arg(schema_name));
    while (tables.next()) {
        const QString table = tables.value(0).toString();
        const qint64 n =
            db.scalar(QStringLiteral("SELECT count(*) FROM %1.\"%2\"").arg(schema_name, table)).toLongLong();
        counts.append({table, n});
    }
    return counts;
}

} // namespace

QString tmp_path(const QString& path) {
    return path + QStringLiteral(".tmp");
}

QString backup_path(const QString& path, int generation) {
    return path + QStringLiteral(".old").repeated(generation);
}

static QString new_backup_path(const QString& path) {
    return path + QStringLiteral(".old.new");
}

// Where the new backup is written before it is complete; renamed to ".old.new" once flushed.
static QString partial_backup_path(const QString& path) {
    return path + QStringLiteral(".old.part");
}

void remove_leftovers(const QString& path) {
    remove_if_exists(tmp_path(path));
    remove_if_exists(tmp_path(path) + QStringLiteral("-journal"));
    remove_if_exists(partial_backup_path(path));
}

qint64 free_bytes(const QString& path) {
    const QStorageInfo storage(directory_of(path));
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

bool enough_space_to_compact(const QString& path, qint64 available) {
    return available < 0 || available >= 2 * QFileInfo(path).size();
}

// Attaches `file` to `db` as `schema_name`. With the source's own key no KEY clause is given:
// the engine then hands the attached file the key already derived for the source (with its
// salt), so no second key derivation runs. Another key (or "" for a plain file) is bound.
static void attach(Database& db, const QString& file, const QString& schema_name, const QString& key) {
    const bool same_key = key == db.password();
    Statement statement = db.prepare(
        QStringLiteral("ATTACH DATABASE ? AS %1%2").arg(schema_name, same_key ? QString() : " KEY ?"));
    statement.bind(1, file);
    if (!same_key) statement.bind(2, key);
    if (key.isEmpty()) {
        statement.next();
        return;
    }
    // An existing encrypted file is read as soon as it is attached, before a page size can be
    // given for it: the engine's default page size (process-wide) stands in for that moment.
    const int default_page_size = db.scalar(QStringLiteral("PRAGMA cipher_default_page_size")).toInt();
    db.exec(QStringLiteral("PRAGMA cipher_default_page_size = %1").arg(cipher_page_size));
    try {
        statement.next();
    } catch (...) {
        db.exec(QStringLiteral("PRAGMA cipher_default_page_size = %1").arg(default_page_size));
        throw;
    }
    db.exec(QStringLiteral("PRAGMA cipher_default_page_size = %1").arg(default_page_size));
    db.exec(QStringLiteral("PRAGMA %1.cipher_page_size = %2").arg(schema_name).arg(cipher_page_size));
}

static void detach_quietly(Database& db, const QString& schema_name) {
    try {
        db.exec(QStringLiteral("DETACH DATABASE %1").arg(schema_name));
    } catch (const DbError&) {
        // Already detached, or the connection is failing: the first error is the one to report.
    }
}

// Pages kept in memory while a whole file is read twice (integrity, then row counts), so that the
// second pass need not read and decrypt every page again.
static qint64 cache_kib_for(const QString& file) {
    constexpr qint64 cap_kib = qint64{512} * 1024;
    return std::min(cap_kib, QFileInfo(file).size() / 1024 + 1024);
}

// Reads the flushed copy back through a fresh attachment (nothing of it cached from the export)
// and compares it with the source: integrity, then the row count of every table.
static void verify_copy(Database& source, const QString& copy, const QString& key) {
    const QList<QPair<QString, qint64>> before = table_counts(source, QStringLiteral("main"));
    attach(source, copy, QStringLiteral("verified"), key);
    try {
        source.exec(QStringLiteral("PRAGMA verified.cache_size = -%1").arg(cache_kib_for(copy)));
        const QString check = source.scalar(QStringLiteral("PRAGMA verified.quick_check")).toString();
        if (check != QStringLiteral("ok"))
            throw DbError(db_errno::verification_failed,
                          QStringLiteral("the compacted copy failed its integrity check (%1)").arg(check));
        if (table_counts(source, QStringLiteral("verified")) != before)
            throw DbError(db_errno::verification_failed,
                          QStringLiteral("the compacted copy does not hold the same rows as the database"));
    } catch (...) {
        detach_quietly(source, QStringLiteral("verified"));
        throw;
    }
    source.exec(QStringLiteral("DETACH DATABASE verified"));
}

// Creates `file` empty with the permission bits of `like`, so that the copy written into it is
// never readable by more people than the original (the engine would create it with defaults).
static void create_like(const QString& file, const QString& like) {
    struct stat original {};
    if (::stat(QFile::encodeName(like).constData(), &original) != 0)
        fail(QStringLiteral("Cannot read"), like);
    const mode_t mode = original.st_mode & 07777;
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) fail(QStringLiteral("Cannot write"), file);
    const int rc = ::fchmod(fd, mode);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    if (rc != 0) fail(QStringLiteral("Cannot set the permissions of"), file);
}

// The copy is written under `key` and checked against the source before it takes the source's
// place; the source is closed just before the rename, and closed too when anything fails.
static void replace_by_copy(Database& source, const QString& key, const StepHook& hook) {
    const QString path = source.path();
    const QString tmp = tmp_path(path);
    try {
        step(hook, "remove_tmp");
        remove_if_exists(tmp);
        // Hold the file exclusively while it is copied and replaced, so that no other program
        // writes into a file that is about to be swapped. The export reads every page once; a
        // cache as large as the file lets the row counts of the check find them in memory.
        source.exec(QStringLiteral("PRAGMA main.locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT; "
                                   "PRAGMA main.cache_size = -%1")
                        .arg(cache_kib_for(path)));
        step(hook, "export");
        create_like(tmp, path);
        export_copy(source, tmp, key);
        step(hook, "verify");
        verify_copy(source, tmp, key);
        step(hook, "replace");
        source.close();
        rename_file(tmp, path);
        step(hook, "sync_directory");
        sync_directory(directory_of(path));
    } catch (...) {
        try {
            source.close();
        } catch (const DbError&) {
            // A statement still open keeps the connection; the first error is the one to report.
        }
        ::unlink(QFile::encodeName(tmp).constData());
        throw;
    }
}

void compact(std::unique_ptr<Database> source, const StepHook& hook) {
    replace_by_copy(*source, source->password(), hook);
}

void change_key(Database& db, const QString& new_password, const StepHook& hook) {
    replace_by_copy(db, new_password, hook);
}

void export_copy(Database& db, const QString& target, const QString& key) {
    attach(db, target, QStringLiteral("compacted"), key);
    try {
        if (key.isEmpty()) db.exec(QStringLiteral("PRAGMA compacted.page_size = %1").arg(cipher_page_size));
        // The copy is of no use until it has been flushed and checked as a whole, so the engine
        // need not journal or sync each of the export's statements.
        db.exec(QStringLiteral("PRAGMA compacted.journal_mode = OFF; PRAGMA compacted.synchronous = OFF"));
        const int version = db.user_version();
        Statement exporter = db.prepare(QStringLiteral("SELECT sqlcipher_export('compacted')"));
        exporter.next();
        db.exec(QStringLiteral("PRAGMA compacted.user_version = %1").arg(version));
        db.exec(QStringLiteral("DETACH DATABASE compacted"));
    } catch (...) {
        detach_quietly(db, QStringLiteral("compacted"));
        throw;
    }
    sync_file(target);
}

bool verify(const QString& path, const QString& password, const Clock* clock) {
    try {
        std::unique_ptr<Database> db = Database::open(path, password, clock);
        return db->scalar(QStringLiteral("PRAGMA quick_check")).toString() == QStringLiteral("ok");
    } catch (const DbError&) {
        return false;
    }
}

// Moves a complete ".old.new" in as ".old", shifting the older generations first. Each step
// checks what is still to do, so a run cut short anywhere is finished by the next one without
// dropping a generation.
static void shift_in_new_backup(const QString& path, const StepHook& hook) {
    const QString old1 = backup_path(path, 1);
    const QString old2 = backup_path(path, 2);
    step(hook, "rotate_oldest");
    if (exists(old2)) remove_if_exists(backup_path(path, 3));
    step(hook, "rotate_2_to_3");
    if (exists(old2)) rename_file(old2, backup_path(path, 3));
    step(hook, "rotate_1_to_2");
    if (exists(old1)) rename_file(old1, old2);
    step(hook, "rotate_new_to_1");
    rename_file(new_backup_path(path), old1);
    step(hook, "sync_backups");
    sync_directory(directory_of(path));
}

bool rotate_backups(const QString& path, const QDateTime& now, const StepHook& hook) {
    const QString fresh = new_backup_path(path);
    // An earlier rotation stopped after its new generation was complete: finish it first.
    if (exists(fresh)) shift_in_new_backup(path, hook);

    const QFileInfo newest(backup_path(path, 1));
    if (newest.exists() && newest.lastModified() > now.addSecs(qint64{-12} * 3600)) return false;

    // The new generation is written in full before any older one moves.
    const QString partial = partial_backup_path(path);
    step(hook, "backup_copy");
    copy_file_synced(path, partial);
    {
        QFile stamp(partial);
        if (stamp.open(QIODevice::ReadWrite)) stamp.setFileTime(now, QFileDevice::FileModificationTime);
    }
    rename_file(partial, fresh);
    shift_in_new_backup(path, hook);
    return true;
}

void copy_file_synced(const QString& from, const QString& to) {
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) fail(QStringLiteral("Cannot read"), from);
    struct stat original {};
    const int out = ::fstat(in, &original) == 0 ? ::open(QFile::encodeName(to).constData(),
                                                         O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)
                                                : -1;
    // The copy has the source's permission bits, whatever the umask or a leftover file had.
    if (out < 0 || ::fchmod(out, original.st_mode & 07777) != 0) {
        const int saved = errno;
        ::close(in);
        if (out >= 0) ::close(out);
        errno = saved;
        fail(QStringLiteral("Cannot write"), to);
    }
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        ssize_t written = 0;
        while (written < n) {
            const ssize_t w = ::write(out, buffer.data() + written, static_cast<size_t>(n - written));
            if (w < 0) {
                if (errno == EINTR) continue;
                ok = false;
                break;
            }
            written += w;
        }
        if (!ok) break;
    }
    if (ok && ::fsync(out) != 0) ok = false;
    const int saved = errno;
    ::close(in);
    ::close(out);
    if (!ok) {
        ::unlink(QFile::encodeName(to).constData());
        errno = saved;
        fail(QStringLiteral("Cannot write"), to);
    }
}

void sync_directory(const QString& dir) {
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // some file systems do not let a directory be opened; nothing to flush then
    ::fsync(fd);
    ::close(fd);
}

} // namespace db_files

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_files.h"

#include "core/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

void remove_leftovers(const QString& path) {
    remove_if_exists(tmp_path(path));
    remove_if_exists(tmp_path(path) + QStringLiteral("-journal"));
    remove_if_exists(new_backup_path(path));
}

qint64 free_bytes(const QString& path) {
    const QStorageInfo storage(directory_of(path));
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

bool enough_space_to_compact(const QString& path, qint64 available) {
    return available < 0 || available >= 2 * QFileInfo(path).size();
}

// The copy is written under `key` and checked against the source before it takes the source's
// place; the source is closed just before the rename.
static void replace_by_copy(std::unique_ptr<Database> source, const QString& key, const Clock* clock,
                            const StepHook& hook) {
    const QString path = source->path();
    const QString tmp = tmp_path(path);
    try {
        step(hook, "remove_tmp");
        remove_if_exists(tmp);
        // Hold the file exclusively while it is copied and replaced, so that no other program
        // writes into a file that is about to be swapped.
        source->exec(QStringLiteral("PRAGMA main.locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;"));
        step(hook, "export");
        export_copy(*source, tmp, key);
        step(hook, "verify");
        {
            const auto before = table_counts(*source, QStringLiteral("main"));
            std::unique_ptr<Database> copy = Database::open(tmp, key, clock);
            const QString check = copy->scalar(QStringLiteral("PRAGMA quick_check")).toString();
            if (check != QStringLiteral("ok"))
                throw DbError(
                    db_errno::verification_failed,
                    QStringLiteral("the compacted copy failed its integrity check (%1)").arg(check));
            if (table_counts(*copy, QStringLiteral("main")) != before)
                throw DbError(
                    db_errno::verification_failed,
                    QStringLiteral("the compacted copy does not hold the same rows as the database"));
        }
        step(hook, "replace");
        source.reset();
        rename_file(tmp, path);
        step(hook, "sync_directory");
        sync_directory(directory_of(path));
    } catch (...) {
        source.reset();
        ::unlink(QFile::encodeName(tmp).constData());
        throw;
    }
}

void compact(std::unique_ptr<Database> source, const QString& password, const Clock* clock,
             const StepHook& hook) {
    replace_by_copy(std::move(source), password, clock, hook);
}

void change_key(std::unique_ptr<Database> source, const QString& new_password, const Clock* clock,
                const StepHook& hook) {
    replace_by_copy(std::move(source), new_password, clock, hook);
}

void export_copy(Database& db, const QString& target, const QString& key) {
    // The key travels as a bound value, so passwords with quotes need no escaping.
    Statement attach = db.prepare(QStringLiteral("ATTACH DATABASE ? AS compacted KEY ?"));
    attach.bind(1, target);
    attach.bind(2, key);
    attach.next();
    try {
        if (!key.isEmpty())
            db.exec(QStringLiteral("PRAGMA compacted.cipher_page_size = %1").arg(cipher_page_size));
        else
            db.exec(QStringLiteral("PRAGMA compacted.page_size = %1").arg(cipher_page_size));
        // The copy is of no use until it has been flushed and checked as a whole, so the engine
        // need not journal or sync each of the export's statements.
        db.exec(QStringLiteral("PRAGMA compacted.journal_mode = OFF; PRAGMA compacted.synchronous = OFF"));
        const int version = db.user_version();
        Statement exporter = db.prepare(QStringLiteral("SELECT sqlcipher_export('compacted')"));
        exporter.next();
        db.exec(QStringLiteral("PRAGMA compacted.user_version = %1").arg(version));
        db.exec(QStringLiteral("DETACH DATABASE compacted"));
    } catch (...) {
        try {
            db.exec(QStringLiteral("DETACH DATABASE compacted"));
        } catch (const DbError&) {
            // Already detached, or the connection is failing: the first error is the one to report.
        }
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

bool rotate_backups(const QString& path, const QDateTime& now, const StepHook& hook) {
    const QString old1 = backup_path(path, 1);
    const QFileInfo newest(old1);
    if (newest.exists() && newest.lastModified() > now.addSecs(-12 * 3600)) return false;

    // The new generation is written in full before any older one moves.
    const QString fresh = new_backup_path(path);
    step(hook, "backup_copy");
    copy_file_synced(path, fresh);
    {
        QFile stamp(fresh);
        if (stamp.open(QIODevice::ReadWrite)) stamp.setFileTime(now, QFileDevice::FileModificationTime);
    }
    step(hook, "rotate_oldest");
    remove_if_exists(backup_path(path, 3));
    step(hook, "rotate_2_to_3");
    if (exists(backup_path(path, 2))) rename_file(backup_path(path, 2), backup_path(path, 3));
    step(hook, "rotate_1_to_2");
    if (exists(old1)) rename_file(old1, backup_path(path, 2));
    step(hook, "rotate_new_to_1");
    rename_file(fresh, old1);
    step(hook, "sync_backups");
    sync_directory(directory_of(path));
    return true;
}

void copy_file_synced(const QString& from, const QString& to) {
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) fail(QStringLiteral("Cannot read"), from);
    const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
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

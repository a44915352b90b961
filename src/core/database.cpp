// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"

#include "core/db_files.h"
#include "core/sql_functions.h"
#include "core/vector_state.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

QString last_message(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

bool has_plain_header(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

void check(sqlite3* db, int rc, const QString& context = {}) {
    if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return;
    QString text = last_message(db);
    if (!context.isEmpty()) text = context + QStringLiteral(": ") + text;
    throw DbError(rc, text, rc == SQLITE_NOTADB ? DbErrorKind::NotADatabase : DbErrorKind::Other);
}

// True when the connection can read its schema, i.e. the key (or no key) fits the file. As the
// first read after keying it runs the key derivation, at full speed only from a clean vector state.
int probe(sqlite3* db) {
    clear_upper_vector_state();
    return sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

void apply_key(sqlite3* db, const QString& password, int page_size) {
    const QByteArray key = password.toUtf8();
    check(db, sqlite3_key(db, key.constData(), static_cast<int>(key.size())), QStringLiteral("key"));
    const QByteArray pragma = "PRAGMA cipher_page_size = " + QByteArray::number(page_size);
    check(db, sqlite3_exec(db, pragma.constData(), nullptr, nullptr, nullptr));
}

} // namespace

// ---------------------------------------------------------------- Statement

Statement::Statement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = last_message(db);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw DbError(rc, message, rc == SQLITE_NOTADB ? DbErrorKind::NotADatabase : DbErrorKind::Other);
    }
    if (!stmt_) throw DbError(SQLITE_MISUSE, QStringLiteral("Empty SQL statement"));
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(other.stmt_), names_(std::move(other.names_)) {
    other.stmt_ = nullptr;
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull() || !value.isValid()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(stmt_, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt_, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(stmt_, index, bytes.constData(), static_cast<int>(bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    check(db_, rc, QStringLiteral("bind"));
}

bool Statement::next() {
    // The caller's code between two rows may have left the vector state dirty again.
    clear_upper_vector_state();
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const int code = sqlite3_errcode(db_);
    const QString message = last_message(db_);
    throw DbError(code, message, code == SQLITE_NOTADB ? DbErrorKind::NotADatabase : DbErrorKind::Other);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::column_count() const {
    return sqlite3_column_count(stmt_);
}

QString Statement::column_name(int index) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, index));
}

int Statement::column_index(const QString& name) const {
    if (names_.isEmpty()) {
        for (int i = 0; i < column_count(); ++i)
            names_.append(column_name(i));
    }
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    throw DbError(SQLITE_ERROR, QStringLiteral("Item not found in this collection: ") + name);
}

QVariant Statement::value(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt_, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, index));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, index)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, index));
        return QVariant(QByteArray(data, sqlite3_column_bytes(stmt_, index)));
    }
    default:
        return QVariant();
    }
}

bool Statement::is_null(const QString& name) const {
    return sqlite3_column_type(stmt_, column_index(name)) == SQLITE_NULL;
}

// ---------------------------------------------------------------- Database

Database::Database(sqlite3* db, QString path, QString password, const Clock* clock)
    : db_(db), path_(std::move(path)), password_(std::move(password)), clock_(clock) {}

Database::~Database() {
    sqlite3_close_v2(db_);
}

sqlite3* Database::handle() const {
    if (!db_) throw DbError(SQLITE_MISUSE, QStringLiteral("The database is closed."));
    return db_;
}

void Database::close() {
    if (!db_) return;
    if (sqlite3_next_stmt(db_, nullptr))
        throw DbError(SQLITE_BUSY,
                      QStringLiteral("The database cannot be closed while a statement is open."));
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::reopen(const QString& password) {
    close();
    std::unique_ptr<Database> fresh = open(path_, password, clock_);
    std::swap(db_, fresh->db_);
    std::swap(password_, fresh->password_);
}

std::unique_ptr<Database> Database::open(const QString& path, const QString& password, const Clock* clock,
                                         Mode mode) {
    const QFileInfo info(path);
    bool plain = true;
    if (mode == Mode::OpenExisting) {
        if (!info.exists() || !info.isFile())
            throw DbError(db_errno::file_not_found, QStringLiteral("File not found"),
                          DbErrorKind::FileNotFound);
        plain = has_plain_header(path);
        // Encrypted files are whole pages; anything else that lacks the plain header is no database.
        if (!plain && (info.size() < 512 || info.size() % 512 != 0))
            throw DbError(db_errno::not_a_database, QStringLiteral("The file is not a database: ") + path,
                          DbErrorKind::NotADatabase);
        if (!plain && password.isEmpty())
            throw DbError(db_errno::missing_password, QStringLiteral("Missing password."),
                          DbErrorKind::MissingPassword);
    } else {
        plain = password.isEmpty();
    }

    // CREATE is needed even for an existing file: databases attached later (the compacted copy)
    // are opened with the main connection's flags. The file's presence was checked above.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const QByteArray file_name = QFile::encodeName(path);
    auto open_connection = [&](int page_size) {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(file_name.constData(), &raw, flags, nullptr);
        std::unique_ptr<Database> db(new Database(raw, path, plain ? QString() : password, clock));
        check(raw, rc, QStringLiteral("open"));
        sqlite3_extended_result_codes(raw, 0);
        sqlite3_busy_timeout(raw, 2000);
        if (!plain) apply_key(raw, password, page_size);
        return db;
    };

    std::unique_ptr<Database> db = open_connection(cipher_page_size);
    if (mode == Mode::CreateNew && plain)
        check(db->db_, sqlite3_exec(db->db_, "PRAGMA page_size = 4096", nullptr, nullptr, nullptr));
    int rc = probe(db->db_);
    if (rc == SQLITE_NOTADB && !plain) {
        // Files written by other tools may use the engine's older default page size.
        db = open_connection(1024);
        rc = probe(db->db_);
        if (rc == SQLITE_NOTADB)
            throw DbError(db_errno::wrong_password, QStringLiteral("Not a valid password."),
                          DbErrorKind::WrongPassword);
    }
    if (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT)
        throw DbError(db_errno::not_a_database,
                      QStringLiteral("The file is not a database or is damaged: ") + path,
                      DbErrorKind::NotADatabase);
    check(db->db_, rc, QStringLiteral("open"));
    register_sql_functions(db->db_, clock);
    return db;
}

void Database::raise(int rc, const QString& context) const {
    check(db_, rc == SQLITE_OK ? SQLITE_ERROR : rc, context);
    throw DbError(rc, context);
}

void Database::exec(const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    char* error = nullptr;
    clear_upper_vector_state();
    const int rc = sqlite3_exec(handle(), utf8.constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : last_message(db_);
        sqlite3_free(error);
        throw DbError(rc, message, rc == SQLITE_NOTADB ? DbErrorKind::NotADatabase : DbErrorKind::Other);
    }
}

Statement Database::prepare(const QString& sql) {
    return Statement(handle(), sql);
}

QVariant Database::scalar(const QString& sql) {
    Statement statement(handle(), sql);
    return statement.next() ? statement.value(0) : QVariant();
}

qint64 Database::last_insert_id() const {
    return sqlite3_last_insert_rowid(handle());
}

int Database::changes() const {
    return sqlite3_changes(handle());
}

int Database::user_version() {
    return scalar(QStringLiteral("PRAGMA user_version")).toInt();
}

void Database::set_user_version(int version) {
    exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

QStringList Database::table_names() {
    QStringList names;
    Statement statement(handle(),
                        QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT "
                                       "LIKE 'sqlite[_]%' ESCAPE '[' ORDER BY name"));
    while (statement.next())
        names.append(statement.value(0).toString());
    return names;
}

void Database::export_to(const QString& target) {
    db_files::export_copy(*this, target, password_);
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database& db) : db_(db) {
    db_.exec(QStringLiteral("BEGIN"));
}

Transaction::~Transaction() {
    if (!done_ && db_.is_open()) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    db_.exec(QStringLiteral("COMMIT"));
    done_ = true;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sql_functions.h"

#include "core/access_like.h"
#include "core/dates.h"
#include "core/db_error.h"
#include "core/seams.h"
#include "core/utf8_fold.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <new>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace {

std::string_view text_of(sqlite3_value* value) {
    // sqlite3_value_text first, then the byte count of that conversion.
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!text) return {};
    return {text, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

// Reads a text argument without the copy sqlite3_value_text makes to append a terminator: on a
// UTF-8 database the stored bytes of a TEXT value are already what the matcher reads.
std::string_view stored_text_of(sqlite3_value* value, bool utf8_database) {
    if (!utf8_database || sqlite3_value_type(value) != SQLITE_TEXT) return text_of(value);
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
    if (!bytes) return {};
    return {bytes, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

// ---------------------------------------------------------------- like

void delete_pattern(void* pattern) {
    delete static_cast<AccessLikePattern*>(pattern);
}

// like(pattern, text): what "text LIKE pattern" calls. The compiled pattern is kept with the
// statement, so a scan compiles a constant pattern once.
void like_function(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool utf8_database = sqlite3_user_data(ctx) != nullptr;
    const std::string_view pattern = stored_text_of(argv[0], utf8_database);
    const std::string_view text = stored_text_of(argv[1], utf8_database);
    try {
        // The cache is checked against the pattern text, as the engine may keep it across rows
        // of a non-constant pattern argument.
        const auto* cached = static_cast<const AccessLikePattern*>(sqlite3_get_auxdata(ctx, 0));
        if (cached && cached->source() == pattern) {
            sqlite3_result_int(ctx, cached->matches(text) ? 1 : 0);
            return;
        }
        auto compiled = std::make_unique<AccessLikePattern>(pattern);
        sqlite3_result_int(ctx, compiled->matches(text) ? 1 : 0);
        // Last: the engine may free the pattern before set_auxdata returns.
        sqlite3_set_auxdata(ctx, 0, compiled.release(), delete_pattern);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(ctx);
    }
}

// ---------------------------------------------------------------- NOCASE

// Compares the case-folded code points of both texts, shorter text first on a common prefix.
// Runs of ASCII compare byte by byte; both paths compute the same order, which indexes rely on.
int nocase_compare(void*, int size_a, const void* data_a, int size_b, const void* data_b) {
    const auto* a = static_cast<const unsigned char*>(data_a);
    const auto* b = static_cast<const unsigned char*>(data_b);
    const auto na = static_cast<std::size_t>(size_a);
    const auto nb = static_cast<std::size_t>(size_b);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < na && j < nb) {
        const unsigned char x = a[i];
        const unsigned char y = b[j];
        if ((x | y) < 0x80) {
            if (x != y) {
                const int diff = utf8_fold::ascii_fold[x] - utf8_fold::ascii_fold[y];
                if (diff != 0) return diff;
            }
            ++i;
            ++j;
            continue;
        }
        const char32_t fx = utf8_fold::fold(utf8_fold::decode(a, na, i));
        const char32_t fy = utf8_fold::fold(utf8_fold::decode(b, nb, j));
        if (fx != fy) return fx < fy ? -1 : 1;
    }
    if (i < na) return 1;
    if (j < nb) return -1;
    return 0;
}

// ---------------------------------------------------------------- dates

void cvdate_function(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        // Stored date-times are Julian days already.
        sqlite3_result_value(ctx, argv[0]);
        return;
    default:
        break;
    }
    const std::string_view raw = text_of(argv[0]);
    const QString text = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    const std::optional<QDateTime> parsed = dates::parse(text);
    if (!parsed) {
        const QByteArray message = QStringLiteral("cvdate: not a date: '%1'").arg(text).toUtf8();
        sqlite3_result_error(ctx, message.constData(), static_cast<int>(message.size()));
        return;
    }
    sqlite3_result_double(ctx, dates::to_julian(*parsed));
}

void now_function(sqlite3_context* ctx, int, sqlite3_value**) {
    const auto* clock = static_cast<const Clock*>(sqlite3_user_data(ctx));
    sqlite3_result_double(ctx, dates::to_julian(clock ? clock->now() : QDateTime::currentDateTime()));
}

// ---------------------------------------------------------------- iif

bool is_true(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(value) != 0;
    default:
        // Texts count by their numeric value, as the engine's own conditions do.
        return sqlite3_value_double(value) != 0.0;
    }
}

void iif_function(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_value(ctx, is_true(argv[0]) ? argv[1] : argv[2]);
}

// ---------------------------------------------------------------- val

void result_number(sqlite3_context* ctx, double value) {
    // Whole numbers come back as integers, so val('12') = 12 compares and prints as 12.
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.2e18)
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(value));
    else
        sqlite3_result_double(ctx, value);
}

bool is_digit_of(char c, int base) {
    if (base == 8) return c >= '0' && c <= '7';
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "&H" and "&O" numbers are read as the Access family stores them: in 16 bits when they fit
// (so "&HFFFF" is -1), else in 32 bits.
void radix_number(sqlite3_context* ctx, std::string_view digits, int base) {
    std::size_t end = 0;
    while (end < digits.size() && is_digit_of(digits[end], base))
        ++end;
    if (end == 0) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    unsigned long long value = 0;
    const std::from_chars_result read = std::from_chars(digits.data(), digits.data() + end, value, base);
    if (read.ec != std::errc() || value > 0xFFFFFFFFull) {
        sqlite3_result_error(ctx, "val: overflow", -1);
        return;
    }
    if (value <= 0xFFFF)
        sqlite3_result_int64(ctx, static_cast<qint16>(static_cast<quint16>(value)));
    else
        sqlite3_result_int64(ctx, static_cast<qint32>(static_cast<quint32>(value)));
}

// val(text): the number at the start of the text, 0 when there is none. Blanks, tabs and line
// feeds are ignored wherever they stand ("1 2 3" is 123); reading stops at the first other
// character that cannot continue the number.
void val_function(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        sqlite3_result_value(ctx, argv[0]);
        return;
    case SQLITE_FLOAT:
        result_number(ctx, sqlite3_value_double(argv[0]));
        return;
    default:
        break;
    }
    const std::string_view raw = text_of(argv[0]);
    std::string s;
    s.reserve(raw.size());
    for (char c : raw)
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);

    if (s.size() >= 2 && s[0] == '&') {
        const char radix = s[1];
        if (radix == 'h' || radix == 'H') return radix_number(ctx, std::string_view(s).substr(2), 16);
        if (radix == 'o' || radix == 'O') return radix_number(ctx, std::string_view(s).substr(2), 8);
    }

    // The longest prefix of the form [sign] digits [. digits] [e|d [sign] digits].
    std::string number;
    std::size_t k = 0;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
        if (s[k] == '-') number.push_back('-');
        ++k;
    }
    bool mantissa = false;
    while (k < s.size() && s[k] >= '0' && s[k] <= '9') {
        number.push_back(s[k++]);
        mantissa = true;
    }
    if (k < s.size() && s[k] == '.') {
        number.push_back(s[k++]);
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') {
            number.push_back(s[k++]);
            mantissa = true;
        }
    }
    if (!mantissa) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E' || s[k] == 'd' || s[k] == 'D')) {
        std::size_t e = k + 1;
        std::string exponent = "e";
        if (e < s.size() && (s[e] == '+' || s[e] == '-')) exponent.push_back(s[e++]);
        const std::size_t digits_start = e;
        while (e < s.size() && s[e] >= '0' && s[e] <= '9')
            exponent.push_back(s[e++]);
        if (e > digits_start) number += exponent;
    }
    double value = 0.0;
    // from_chars ignores the locale, which may use a decimal comma.
    const std::from_chars_result read = std::from_chars(number.data(), number.data() + number.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        sqlite3_result_error(ctx, "val: overflow", -1);
        return;
    }
    result_number(ctx, value == 0.0 ? 0.0 : value);
}

void check(sqlite3* db, int rc, const char* what) {
    if (rc == SQLITE_OK) return;
    throw DbError(rc, QStringLiteral("Cannot register %1: %2")
                          .arg(QString::fromLatin1(what), QString::fromUtf8(sqlite3_errmsg(db))));
}

bool is_utf8_database(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    bool utf8 = false;
    if (sqlite3_prepare_v2(db, "PRAGMA encoding", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        utf8 = name && std::string_view(name) == "UTF-8";
    }
    sqlite3_finalize(statement);
    return utf8;
}

// Any non-null user data marks the like function of a UTF-8 database.
char utf8_marker = 0;

} // namespace

void register_sql_functions(sqlite3* db, const Clock* clock) {
    constexpr int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    void* like_data = is_utf8_database(db) ? &utf8_marker : nullptr;
    // Only the two-argument like is replaced: "X LIKE Y" calls like(Y, X). The three-argument
    // form (LIKE ... ESCAPE) stays the engine's own, with its "%" and "_", for the program's
    // internal catalogue queries; the Access dialect has no ESCAPE clause.
    check(
        db,
        sqlite3_create_function_v2(db, "like", 2, pure, like_data, like_function, nullptr, nullptr, nullptr),
        "like");
    check(db, sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, nocase_compare, nullptr),
          "NOCASE");
    check(db,
          sqlite3_create_function_v2(db, "cvdate", 1, pure, nullptr, cvdate_function, nullptr, nullptr,
                                     nullptr),
          "cvdate");
    check(db,
          sqlite3_create_function_v2(db, "now", 0, SQLITE_UTF8, const_cast<Clock*>(clock), now_function,
                                     nullptr, nullptr, nullptr),
          "now");
    check(db,
          sqlite3_create_function_v2(db, "iif", 3, pure, nullptr, iif_function, nullptr, nullptr, nullptr),
          "iif");
    check(db,
          sqlite3_create_function_v2(db, "val", 1, pure, nullptr, val_function, nullptr, nullptr, nullptr),
          "val");
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/statement_counter.h"

#include <sqlite3.h>

StatementCounter::StatementCounter(sqlite3* db, bool keep_texts) : db_(db), keep_texts_(keep_texts) {
    sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &StatementCounter::on_trace, this);
}

StatementCounter::~StatementCounter() {
    sqlite3_trace_v2(db_, 0, nullptr, nullptr);
}

int StatementCounter::on_trace(unsigned type, void* self, void* statement, void* text) {
    if (type != SQLITE_TRACE_STMT) return 0;
    auto* counter = static_cast<StatementCounter*>(self);
    const char* sql = static_cast<const char*>(text);
    // Statements run inside triggers are reported as "-- " comments; they are part of their
    // statement, not statements of their own.
    if (sql && sql[0] == '-' && sql[1] == '-') return 0;
    ++counter->count_;
    if (counter->keep_texts_) {
        const char* source = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        counter->texts_.append(QString::fromUtf8(source ? source : sql));
    }
    return 0;
}

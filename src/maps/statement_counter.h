// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

struct sqlite3;

// Counts the statements the engine starts on one connection while it lives, whoever issues
// them, by tracing the connection. Used to keep an eye on how many statements a window costs;
// only one counter may watch a connection at a time.
class StatementCounter {
public:
    // With keep_texts the expanded texts are kept too, for a test to show what ran.
    explicit StatementCounter(sqlite3* db, bool keep_texts = false);
    ~StatementCounter();
    StatementCounter(const StatementCounter&) = delete;
    StatementCounter& operator=(const StatementCounter&) = delete;

    int count() const { return count_; }
    const QStringList& texts() const { return texts_; }
    void reset() {
        count_ = 0;
        texts_.clear();
    }

private:
    static int on_trace(unsigned type, void* self, void* statement, void* text);
    sqlite3* db_;
    bool keep_texts_;
    int count_ = 0;
    QStringList texts_;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/column_values.h"
#include "core/database.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

// Helpers shared by the editing commands of the table view.
namespace table_edit {

bool same_text(const QString& a, const QString& b);

// An empty text is stored as Null.
QVariant null_if_empty(const QString& text);
// A date of the edit area as the Julian day the date columns hold; Null when switched off.
QVariant julian_or_null(const std::optional<QDateTime>& when);
// A number column as the edit area shows it: "7", "2.5"; "" for Null.
QString number_text(const QVariant& value);

// A row to renumber: its item and the seq it holds now (possibly Null).
struct SeqRow {
    qint64 item_nr = 0;
    QVariant seq;
};
// Gives the rows seq 1, 2, 3... in their order, writing only those whose seq is Null or differs
// in its "000" form. Answers the number of rows written.
int write_sequence(Database& db, const std::vector<SeqRow>& rows);

// A transaction unless the connection is already inside one, so that a routine can run alone
// or as part of a larger command.
class JoinedTransaction {
public:
    explicit JoinedTransaction(Database& db);
    void commit();

private:
    std::optional<Transaction> own_;
};

} // namespace table_edit

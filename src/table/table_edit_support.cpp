// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_edit_support.h"

#include "core/dates.h"
#include "core/format.h"

#include <sqlite3.h>

namespace table_edit {

bool same_text(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QVariant null_if_empty(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant julian_or_null(const std::optional<QDateTime>& when) {
    if (!when || !when->isValid()) return {};
    return dates::to_julian(*when);
}

QString number_text(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

int write_sequence(Database& db, const std::vector<SeqRow>& rows) {
    const QString form = QStringLiteral("000");
    Statement update = db.prepare(QStringLiteral("update repos set seq=? where item_nr=?"));
    int written = 0;
    int position = 0;
    for (const SeqRow& row : rows) {
        ++position;
        bool numeric = false;
        const double held = row.seq.toDouble(&numeric);
        if (!row.seq.isNull() && numeric && format_number(held, form) == format_number(position, form))
            continue;
        update.reset();
        update.bind(1, position);
        update.bind(2, row.item_nr);
        update.next();
        ++written;
    }
    return written;
}

JoinedTransaction::JoinedTransaction(Database& db) {
    if (sqlite3_get_autocommit(db.handle()) != 0) own_.emplace(db);
}

void JoinedTransaction::commit() {
    if (own_) own_->commit();
}

} // namespace table_edit

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/column_values.h"

#include "core/dates.h"

std::optional<QDateTime> date_of(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::LongLong)
        return dates::from_julian(value.toDouble());
    return dates::parse(value.toString());
}

std::optional<double> number_of(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok) return std::nullopt;
    return number;
}

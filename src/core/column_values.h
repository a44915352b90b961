// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QVariant>
#include <optional>

// Values of the item columns as a Statement reads them.

// A date column: a Julian day, or a date text written by another tool; nullopt for Null or a
// text that is no date.
std::optional<QDateTime> date_of(const QVariant& value);
// A number column (item_id, seq); nullopt for Null or a text that is no number.
std::optional<double> number_of(const QVariant& value);

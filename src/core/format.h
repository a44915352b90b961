// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The one formatter for the format texts the program writes its dates and numbers with.

// Date codes (any letter case): "yyyy", "yy", "y" (day of the year); "mmmm" (January), "mmm"
// (Jan), "mm", "m" for the month; "dddd" (Monday), "ddd" (Mon), "dd", "d" for the day; "hh",
// "h" for the hour (0-23); "nn", "n" minutes; "ss", "s" seconds. "mm" is always the month:
// minutes are written "nn". Names are English. Text in double quotes and a character after '\'
// are copied as they are, as is every other character. An invalid date-time gives "".
QString format_date(const QDateTime& when, const QString& pattern);

// Number placeholders: '0' a digit always shown, '#' a digit shown only when significant, '.'
// the decimal point, ',' anywhere in the whole part groups thousands with ','. The value is
// rounded half away from zero at its 15th significant digit and at the pattern's decimals.
// An all-'#' whole part shows nothing for a whole part of 0 ("###,###" of 0 is ""). Text before
// the first and after the last placeholder is copied. Infinities and NaN give "".
QString format_number(double value, const QString& pattern);

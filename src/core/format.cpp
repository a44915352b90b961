// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/format.h"

#include <algorithm>
#include <cmath>

namespace {

const char* const month_names[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const day_names[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                 "Friday", "Saturday", "Sunday"};

QString two_digits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// How many times `c` repeats from `at`, ignoring letter case.
qsizetype run_of(const QString& text, qsizetype at, QChar c) {
    qsizetype n = 0;
    while (at + n < text.size() && text[at + n].toLower() == c)
        ++n;
    return n;
}

// A whole part and decimals, as digit texts, of a non-negative value rounded the way it is shown.
struct Digits {
    QString whole; // no leading zeros; empty for 0
    QString fraction;
};

Digits round_to(double magnitude, int decimals) {
    // 15 significant digits first, so that 1.005 rounds as the 1.005 it is shown as.
    const QString e = QString::number(magnitude, 'e', 14);
    const qsizetype exponent_at = e.indexOf(QLatin1Char('e'));
    QString digits = e.left(1) + e.mid(2, exponent_at - 2);
    int point = e.mid(exponent_at + 1).toInt() + 1; // digits before the decimal point
    if (point < 0) {
        digits.prepend(QString(-point, QLatin1Char('0')));
        point = 0;
    }
    const qsizetype keep = point + decimals;
    if (keep < digits.size()) {
        const bool up = digits[keep] >= QLatin1Char('5');
        digits.truncate(keep);
        if (up) {
            qsizetype i = keep - 1;
            while (i >= 0 && digits[i] == QLatin1Char('9'))
                digits[i--] = QLatin1Char('0');
            if (i >= 0) {
                digits[i] = QChar(digits[i].unicode() + 1);
            } else {
                digits.prepend(QLatin1Char('1'));
                ++point;
            }
        }
    }
    while (digits.size() < point + decimals)
        digits.append(QLatin1Char('0'));

    Digits result;
    result.whole = digits.left(point);
    while (result.whole.startsWith(QLatin1Char('0')))
        result.whole.remove(0, 1);
    result.fraction = digits.mid(point, decimals);
    return result;
}

bool is_placeholder(QChar c) {
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.') || c == QLatin1Char(',');
}

} // namespace

QString format_date(const QDateTime& when, const QString& pattern) {
    if (!when.isValid()) return {};
    const QDate date = when.date();
    const QTime time = when.time();
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i].toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (c == QLatin1Char('\\')) {
            if (i + 1 < pattern.size()) out += pattern[i + 1];
            i += 2;
            continue;
        }
        const qsizetype run = run_of(pattern, i, c);
        qsizetype used = 1;
        if (c == QLatin1Char('y')) {
            if (run >= 4) {
                out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
                used = 4;
            } else if (run >= 2) {
                out += two_digits(date.year() % 100);
                used = 2;
            } else {
                out += QString::number(date.dayOfYear());
            }
        } else if (c == QLatin1Char('m')) {
            used = std::min<qsizetype>(run, 4);
            const int month = date.month();
            if (used == 4)
                out += QLatin1String(month_names[month - 1]);
            else if (used == 3)
                out += QLatin1String(month_names[month - 1], 3);
            else if (used == 2)
                out += two_digits(month);
            else
                out += QString::number(month);
        } else if (c == QLatin1Char('d')) {
            used = std::min<qsizetype>(run, 4);
            const int weekday = date.dayOfWeek();
            if (used == 4)
                out += QLatin1String(day_names[weekday - 1]);
            else if (used == 3)
                out += QLatin1String(day_names[weekday - 1], 3);
            else if (used == 2)
                out += two_digits(date.day());
            else
                out += QString::number(date.day());
        } else if (c == QLatin1Char('h') || c == QLatin1Char('n') || c == QLatin1Char('s')) {
            const int value = c == QLatin1Char('h')   ? time.hour()
                              : c == QLatin1Char('n') ? time.minute()
                                                      : time.second();
            used = std::min<qsizetype>(run, 2);
            out += used == 2 ? two_digits(value) : QString::number(value);
        } else {
            out += pattern[i];
        }
        i += used;
    }
    return out;
}

QString format_number(double value, const QString& pattern) {
    if (!std::isfinite(value)) return {};
    qsizetype first = 0;
    while (first < pattern.size() && !is_placeholder(pattern[first]))
        ++first;
    qsizetype last = pattern.size() - 1;
    while (last >= first && !is_placeholder(pattern[last]))
        --last;
    const QString prefix = pattern.left(first);
    const QString suffix = pattern.mid(last + 1);
    const QString body = pattern.mid(first, last - first + 1);

    const qsizetype point = body.indexOf(QLatin1Char('.'));
    const QString whole_pattern = point < 0 ? body : body.left(point);
    const QString fraction_pattern = point < 0 ? QString() : body.mid(point + 1);
    const qsizetype min_whole = whole_pattern.count(QLatin1Char('0'));
    const bool grouped = whole_pattern.contains(QLatin1Char(','));
    const qsizetype min_fraction = fraction_pattern.count(QLatin1Char('0'));
    const int decimals = static_cast<int>(min_fraction + fraction_pattern.count(QLatin1Char('#')));

    Digits digits = round_to(std::fabs(value), decimals);
    bool zero = digits.whole.isEmpty();
    for (const QChar c : digits.fraction)
        zero = zero && c == QLatin1Char('0');

    QString whole = digits.whole;
    if (whole.size() < min_whole) whole.prepend(QString(min_whole - whole.size(), QLatin1Char('0')));
    if (grouped) {
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, QLatin1Char(','));
    }
    QString fraction = digits.fraction;
    while (fraction.size() > min_fraction && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString out = whole;
    if (point >= 0) out += QLatin1Char('.') + fraction;
    const QString sign = value < 0 && !zero ? QStringLiteral("-") : QString();
    return sign + prefix + out + suffix;
}

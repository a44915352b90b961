// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dates.h"

#include <QRegularExpression>
#include <cmath>

namespace dates {

QDateTime local_date_time(const QDate& date, const QTime& time) {
    QDateTime local(date, time);
    if (local.isValid() || !date.isValid() || !time.isValid()) return local;
    // The wall-clock times of a gap form one run; the first valid one after it is found by
    // halving the distance to a time known to be valid. No gap lasts a day.
    const QDateTime wall(date, time, Qt::UTC);
    qint64 invalid_ms = 0;
    qint64 valid_ms = 24LL * 3600 * 1000;
    const auto local_at = [&wall](qint64 ms) {
        const QDateTime shifted = wall.addMSecs(ms);
        return QDateTime(shifted.date(), shifted.time());
    };
    if (!local_at(valid_ms).isValid()) return local;
    while (valid_ms - invalid_ms > 1) {
        const qint64 middle = invalid_ms + (valid_ms - invalid_ms) / 2;
        if (local_at(middle).isValid())
            valid_ms = middle;
        else
            invalid_ms = middle;
    }
    return local_at(valid_ms);
}

double to_julian(const QDateTime& local) {
    const QDate d = local.date();
    const QTime t = local.time();
    const double seconds = t.hour() * 3600.0 + t.minute() * 60.0 + t.second() + t.msec() / 1000.0;
    // A Julian day starts at noon; midnight of a date is its day number minus one half.
    return static_cast<double>(d.toJulianDay()) - 0.5 + seconds / 86400.0;
}

QDateTime from_julian(double julian_day) {
    const double shifted = julian_day + 0.5;
    qint64 day = static_cast<qint64>(std::floor(shifted));
    // Round to the millisecond so that values written by to_julian come back exactly.
    qint64 ms = std::llround((shifted - static_cast<double>(day)) * 86400000.0);
    if (ms >= 86400000) {
        ++day;
        ms -= 86400000;
    }
    return local_date_time(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QString sql_text(const QDateTime& local) {
    return local.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString sql_literal(const QDateTime& local) {
    return QStringLiteral("cvdate('") + sql_text(local) + QStringLiteral("')");
}

namespace {
int expand_year(int year, int digits) {
    if (digits > 2) return year;
    // Two-digit years as the Access family reads them: 00-29 are 2000-2029, 30-99 are 1930-1999.
    return year < 30 ? 2000 + year : 1900 + year;
}
} // namespace

std::optional<QDateTime> parse(const QString& text) {
    static const QRegularExpression iso(QStringLiteral(
        R"(^\s*(\d{4})[-/.](\d{1,2})[-/.](\d{1,2})(?:[ T]+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    static const QRegularExpression day_first(QStringLiteral(
        R"(^\s*(\d{1,2})[-/.](\d{1,2})[-/.](\d{2}|\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    int year = 0;
    int month = 0;
    int day = 0;
    QRegularExpressionMatch m = iso.match(text);
    if (m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
    } else {
        m = day_first.match(text);
        if (!m.hasMatch()) return std::nullopt;
        day = m.captured(1).toInt();
        month = m.captured(2).toInt();
        year = expand_year(m.captured(3).toInt(), static_cast<int>(m.captured(3).size()));
    }
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    QTime time(0, 0);
    if (m.capturedLength(4) > 0) {
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                     m.capturedLength(6) > 0 ? m.captured(6).toInt() : 0);
        if (!time.isValid()) return std::nullopt;
    }
    return local_date_time(date, time);
}

} // namespace dates

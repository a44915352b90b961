// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/format.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
const QDateTime morning(QDate(2026, 3, 4), QTime(9, 5, 7));
}

TEST(FormatDate, TheProgramsDateTexts) {
    EXPECT_EQ(format_date(morning, QStringLiteral("dd/mm/yy hh:nn")), QStringLiteral("04/03/26 09:05"));
    EXPECT_EQ(format_date(morning, QStringLiteral("dd/mmm/yy")), QStringLiteral("04/Mar/26"));
    EXPECT_EQ(format_date(morning, QStringLiteral("yyyymmddhhnn")), QStringLiteral("202603040905"));
    EXPECT_EQ(format_date(morning, QStringLiteral("yyyy/mm/dd hh:nn:ss")),
              QStringLiteral("2026/03/04 09:05:07"));
    EXPECT_EQ(format_date(morning, QStringLiteral("dd/mm/yy")), QStringLiteral("04/03/26"));
}

TEST(FormatDate, MmIsAlwaysTheMonthAndNnTheMinutes) {
    const QDateTime t(QDate(2026, 11, 30), QTime(14, 42, 0));
    EXPECT_EQ(format_date(t, QStringLiteral("hh:mm")), QStringLiteral("14:11"));
    EXPECT_EQ(format_date(t, QStringLiteral("hh:nn")), QStringLiteral("14:42"));
}

TEST(FormatDate, ShortCodesNamesCaseAndLiterals) {
    EXPECT_EQ(format_date(morning, QStringLiteral("d/m/yy h:n:s")), QStringLiteral("4/3/26 9:5:7"));
    EXPECT_EQ(format_date(morning, QStringLiteral("DD/MM/YYYY")), QStringLiteral("04/03/2026"));
    EXPECT_EQ(format_date(morning, QStringLiteral("dddd d mmmm yyyy")),
              QStringLiteral("Wednesday 4 March 2026"));
    EXPECT_EQ(format_date(morning, QStringLiteral("ddd dd-mmm")), QStringLiteral("Wed 04-Mar"));
    EXPECT_EQ(format_date(morning, QStringLiteral("\"day\" d \\h hh")), QStringLiteral("day 4 h 09"));
    EXPECT_EQ(format_date(morning, QStringLiteral("y")), QStringLiteral("63")); // day of the year
}

TEST(FormatDate, BoundariesAndInvalid) {
    EXPECT_EQ(
        format_date(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), QStringLiteral("dd/mmm/yy hh:nn:ss")),
        QStringLiteral("31/Dec/26 23:59:59"));
    EXPECT_EQ(format_date(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), QStringLiteral("dd/mm/yy hh:nn")),
              QStringLiteral("01/01/00 00:00"));
    EXPECT_EQ(format_date(QDateTime(QDate(987, 6, 5), QTime(0, 0)), QStringLiteral("yyyy")),
              QStringLiteral("0987"));
    EXPECT_EQ(format_date(QDateTime(), QStringLiteral("dd/mm/yy")), QString());
}

TEST(FormatNumber, LeadingZeros) {
    EXPECT_EQ(format_number(5, QStringLiteral("000")), QStringLiteral("005"));
    EXPECT_EQ(format_number(0, QStringLiteral("000")), QStringLiteral("000"));
    EXPECT_EQ(format_number(1234, QStringLiteral("000")), QStringLiteral("1234"));
    EXPECT_EQ(format_number(4.5, QStringLiteral("000")), QStringLiteral("005"));
    EXPECT_EQ(format_number(7.49, QStringLiteral("000")), QStringLiteral("007"));
    EXPECT_EQ(format_number(-3, QStringLiteral("000")), QStringLiteral("-003"));
}

TEST(FormatNumber, DecimalsRoundHalfAwayFromZeroAsShown) {
    EXPECT_EQ(format_number(1.5, QStringLiteral("0.00")), QStringLiteral("1.50"));
    EXPECT_EQ(format_number(2.25, QStringLiteral("0.0")), QStringLiteral("2.3"));
    EXPECT_EQ(format_number(-2.25, QStringLiteral("0.0")), QStringLiteral("-2.3"));
    // Stored in binary just below the half, but shown (and rounded) as the decimal text.
    EXPECT_EQ(format_number(1.005, QStringLiteral("0.00")), QStringLiteral("1.01"));
    EXPECT_EQ(format_number(2.675, QStringLiteral("0.00")), QStringLiteral("2.68"));
    EXPECT_EQ(format_number(99.995, QStringLiteral("0.00")), QStringLiteral("100.00"));
    EXPECT_EQ(format_number(0.04, QStringLiteral("0.0")), QStringLiteral("0.0"));
    EXPECT_EQ(format_number(-0.04, QStringLiteral("0.0")), QStringLiteral("0.0"));
    EXPECT_EQ(format_number(0.000123, QStringLiteral("0.00")), QStringLiteral("0.00"));
    EXPECT_EQ(format_number(3.0 / 60.0 * 90, QStringLiteral("0.0 mins")), QStringLiteral("4.5 mins"));
}

TEST(FormatNumber, ThousandsWithoutLeadingZeros) {
    const QString pattern = QStringLiteral("###,###,###,###,###");
    EXPECT_EQ(format_number(0, pattern), QString());
    EXPECT_EQ(format_number(0.4, pattern), QString());
    EXPECT_EQ(format_number(0.5, pattern), QStringLiteral("1"));
    EXPECT_EQ(format_number(999, pattern), QStringLiteral("999"));
    EXPECT_EQ(format_number(1000, pattern), QStringLiteral("1,000"));
    EXPECT_EQ(format_number(1234567, pattern), QStringLiteral("1,234,567"));
    EXPECT_EQ(format_number(1234.5, pattern), QStringLiteral("1,235"));
    EXPECT_EQ(format_number(-1234, pattern), QStringLiteral("-1,234"));
    EXPECT_EQ(format_number(123456789012345.0, pattern), QStringLiteral("123,456,789,012,345"));
}

TEST(FormatNumber, NotANumberGivesNothing) {
    EXPECT_EQ(format_number(std::numeric_limits<double>::infinity(), QStringLiteral("0.0")), QString());
    EXPECT_EQ(format_number(std::numeric_limits<double>::quiet_NaN(), QStringLiteral("000")), QString());
}

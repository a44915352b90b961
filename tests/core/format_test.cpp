// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/format.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
const QDateTime morning(QDate(2026, 3, 4), QTime(9, 5, 7));
}

TEST(FormatDate, TheProgramsDateTexts) {
    EXPECT_EQ(format_date(morning, u"dd/mm/yy hh:nn"_s), u"04/03/26 09:05"_s);
    EXPECT_EQ(format_date(morning, u"dd/mmm/yy"_s), u"04/Mar/26"_s);
    EXPECT_EQ(format_date(morning, u"yyyymmddhhnn"_s), u"202603040905"_s);
    EXPECT_EQ(format_date(morning, u"yyyy/mm/dd hh:nn:ss"_s), u"2026/03/04 09:05:07"_s);
    EXPECT_EQ(format_date(morning, u"dd/mm/yy"_s), u"04/03/26"_s);
}

TEST(FormatDate, MmIsAlwaysTheMonthAndNnTheMinutes) {
    const QDateTime t(QDate(2026, 11, 30), QTime(14, 42, 0));
    EXPECT_EQ(format_date(t, u"hh:mm"_s), u"14:11"_s);
    EXPECT_EQ(format_date(t, u"hh:nn"_s), u"14:42"_s);
}

TEST(FormatDate, ShortCodesNamesCaseAndLiterals) {
    EXPECT_EQ(format_date(morning, u"d/m/yy h:n:s"_s), u"4/3/26 9:5:7"_s);
    EXPECT_EQ(format_date(morning, u"DD/MM/YYYY"_s), u"04/03/2026"_s);
    EXPECT_EQ(format_date(morning, u"dddd d mmmm yyyy"_s), u"Wednesday 4 March 2026"_s);
    EXPECT_EQ(format_date(morning, u"ddd dd-mmm"_s), u"Wed 04-Mar"_s);
    EXPECT_EQ(format_date(morning, u"\"day\" d \\h hh"_s), u"day 4 h 09"_s);
    EXPECT_EQ(format_date(morning, u"y"_s), u"63"_s); // day of the year
}

TEST(FormatDate, BoundariesAndInvalid) {
    EXPECT_EQ(format_date(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), u"dd/mmm/yy hh:nn:ss"_s),
              u"31/Dec/26 23:59:59"_s);
    EXPECT_EQ(format_date(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), u"dd/mm/yy hh:nn"_s),
              u"01/01/00 00:00"_s);
    EXPECT_EQ(format_date(QDateTime(QDate(987, 6, 5), QTime(0, 0)), u"yyyy"_s), u"0987"_s);
    EXPECT_EQ(format_date(QDateTime(), u"dd/mm/yy"_s), QString());
}

TEST(FormatNumber, LeadingZeros) {
    EXPECT_EQ(format_number(5, u"000"_s), u"005"_s);
    EXPECT_EQ(format_number(0, u"000"_s), u"000"_s);
    EXPECT_EQ(format_number(1234, u"000"_s), u"1234"_s);
    EXPECT_EQ(format_number(4.5, u"000"_s), u"005"_s);
    EXPECT_EQ(format_number(7.49, u"000"_s), u"007"_s);
    EXPECT_EQ(format_number(-3, u"000"_s), u"-003"_s);
}

TEST(FormatNumber, DecimalsRoundHalfAwayFromZeroAsShown) {
    EXPECT_EQ(format_number(1.5, u"0.00"_s), u"1.50"_s);
    EXPECT_EQ(format_number(2.25, u"0.0"_s), u"2.3"_s);
    EXPECT_EQ(format_number(-2.25, u"0.0"_s), u"-2.3"_s);
    // Stored in binary just below the half, but shown (and rounded) as the decimal text.
    EXPECT_EQ(format_number(1.005, u"0.00"_s), u"1.01"_s);
    EXPECT_EQ(format_number(2.675, u"0.00"_s), u"2.68"_s);
    EXPECT_EQ(format_number(99.995, u"0.00"_s), u"100.00"_s);
    EXPECT_EQ(format_number(0.04, u"0.0"_s), u"0.0"_s);
    EXPECT_EQ(format_number(-0.04, u"0.0"_s), u"0.0"_s);
    EXPECT_EQ(format_number(0.000123, u"0.00"_s), u"0.00"_s);
    EXPECT_EQ(format_number(3.0 / 60.0 * 90, u"0.0 mins"_s), u"4.5 mins"_s);
}

TEST(FormatNumber, ThousandsWithoutLeadingZeros) {
    const QString pattern = u"###,###,###,###,###"_s;
    EXPECT_EQ(format_number(0, pattern), QString());
    EXPECT_EQ(format_number(0.4, pattern), QString());
    EXPECT_EQ(format_number(0.5, pattern), u"1"_s);
    EXPECT_EQ(format_number(999, pattern), u"999"_s);
    EXPECT_EQ(format_number(1000, pattern), u"1,000"_s);
    EXPECT_EQ(format_number(1234567, pattern), u"1,234,567"_s);
    EXPECT_EQ(format_number(1234.5, pattern), u"1,235"_s);
    EXPECT_EQ(format_number(-1234, pattern), u"-1,234"_s);
    EXPECT_EQ(format_number(123456789012345.0, pattern), u"123,456,789,012,345"_s);
}

TEST(FormatNumber, NotANumberGivesNothing) {
    EXPECT_EQ(format_number(std::numeric_limits<double>::infinity(), u"0.0"_s), QString());
    EXPECT_EQ(format_number(std::numeric_limits<double>::quiet_NaN(), u"000"_s), QString());
}

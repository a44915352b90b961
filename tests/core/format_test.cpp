// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/format.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;

TEST(FormatDate, CodesNamesCaseLiteralsAndBoundaries) {
    const QDateTime morning(QDate(2026, 3, 4), QTime(9, 5, 7));
    const struct {
        QDateTime when;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {morning, "dd/mm/yy hh:nn", "04/03/26 09:05"},
        {morning, "dd/mmm/yy", "04/Mar/26"},
        {morning, "yyyymmddhhnn", "202603040905"},
        {morning, "yyyy/mm/dd hh:nn:ss", "2026/03/04 09:05:07"},
        // "mm" is always the month, "nn" the minutes.
        {QDateTime(QDate(2026, 11, 30), QTime(14, 42)), "hh:mm hh:nn", "14:11 14:42"},
        {morning, "d/m/yy h:n:s", "4/3/26 9:5:7"},
        {morning, "DD/MM/YYYY", "04/03/2026"},
        {morning, "dddd d mmmm yyyy", "Wednesday 4 March 2026"},
        {morning, "ddd dd-mmm", "Wed 04-Mar"},
        {morning, "\"day\" d \\h hh", "day 4 h 09"},
        {morning, "y", "63"}, // day of the year
        {QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), "dd/mmm/yy hh:nn:ss", "31/Dec/26 23:59:59"},
        {QDateTime(QDate(2000, 1, 1), QTime(0, 0)), "dd/mm/yy hh:nn", "01/01/00 00:00"},
        {QDateTime(QDate(987, 6, 5), QTime(0, 0)), "yyyy", "0987"},
        {QDateTime(), "dd/mm/yy", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_date(c.when, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << c.pattern;
}

// Zeros, decimals rounded half away from zero as the value is shown, thousands without leading zeros.
TEST(FormatNumber, ZerosDecimalsAndThousands) {
    const char* thousands = "###,###,###,###,###";
    const struct {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {5, "000", "005"},
        {0, "000", "000"},
        {1234, "000", "1234"},
        {4.5, "000", "005"},
        {7.49, "000", "007"},
        {-3, "000", "-003"},
        {1.5, "0.00", "1.50"},
        {2.25, "0.0", "2.3"},
        {-2.25, "0.0", "-2.3"},
        // Stored in binary just below the half, but shown (and rounded) as the decimal text.
        {1.005, "0.00", "1.01"},
        {2.675, "0.00", "2.68"},
        {99.995, "0.00", "100.00"},
        {-0.04, "0.0", "0.0"},
        {0.000123, "0.00", "0.00"},
        {3.0 / 60.0 * 90, "0.0 mins", "4.5 mins"},
        {0.4, thousands, ""},
        {0.5, thousands, "1"},
        {999, thousands, "999"},
        {1000, thousands, "1,000"},
        {1234.5, thousands, "1,235"},
        {-1234, thousands, "-1,234"},
        {123456789012345.0, thousands, "123,456,789,012,345"},
        {std::numeric_limits<double>::infinity(), "0.0", ""},
        {std::numeric_limits<double>::quiet_NaN(), "000", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_number(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << c.value << " " << c.pattern;
}

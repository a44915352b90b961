// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dates.h"

#include <gtest/gtest.h>
#include <time.h>

using namespace Qt::StringLiterals;

namespace {

// Runs the tests under a time zone whose clocks move: in Rome 2026-03-29 goes from 02:00 straight
// to 03:00, and 2026-10-25 goes through 02:00..03:00 twice. The zone of the machine comes back
// afterwards.
class DatesInRome : public ::testing::Test {
protected:
    void SetUp() override {
        had_tz_ = qEnvironmentVariableIsSet("TZ");
        old_tz_ = qgetenv("TZ");
        qputenv("TZ", "Europe/Rome");
        tzset();
    }
    void TearDown() override {
        if (had_tz_)
            qputenv("TZ", old_tz_);
        else
            qunsetenv("TZ");
        tzset();
    }

    static QDateTime at(int month, int day, int hour, int minute) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute));
    }

private:
    bool had_tz_ = false;
    QByteArray old_tz_;
};

} // namespace

TEST_F(DatesInRome, ATimeTheClockSkipsBecomesTheFirstTimeAfterTheGap) {
    ASSERT_FALSE(at(3, 29, 2, 30).isValid()) << "the test needs the spring-forward gap of Rome";
    const QDateTime after_gap = at(3, 29, 3, 0);
    const QDate day(2026, 3, 29);

    for (const QTime& time : {QTime(2, 0), QTime(2, 30), QTime(2, 59, 59, 999)}) {
        const QDateTime moment = dates::local_date_time(day, time);
        EXPECT_TRUE(moment.isValid()) << time.toString().toStdString();
        EXPECT_EQ(moment, after_gap) << time.toString().toStdString();
    }
    // Every conversion of the program goes through it: stored day numbers and typed texts.
    const double in_gap = static_cast<double>(day.toJulianDay()) - 0.5 + 2.5 / 24;
    EXPECT_EQ(dates::from_julian(in_gap), after_gap);
    for (const QString& text : {u"2026-03-29 02:30"_s, u"29/03/2026 02:30"_s, u"29/03/26 02:30:10"_s})
        EXPECT_EQ(dates::parse(text), std::optional<QDateTime>(after_gap)) << text.toStdString();
}

TEST_F(DatesInRome, OtherTimesStayAsTheyAre) {
    for (const QDateTime& moment : {at(3, 29, 1, 59), at(3, 29, 3, 0), at(10, 25, 2, 30), at(7, 1, 12, 0)}) {
        EXPECT_EQ(dates::local_date_time(moment.date(), moment.time()), moment);
        EXPECT_EQ(dates::from_julian(dates::to_julian(moment)), moment);
    }
    EXPECT_FALSE(dates::local_date_time(QDate(2026, 2, 30), QTime(1, 0)).isValid());
}

// Two-digit years as users type them: 00-29 are this century, 30-99 the last one.
TEST(ParseDate, TwoDigitYearsPivotAtThirty) {
    const struct {
        const char* text;
        int year;
    } cases[] = {{"01/02/00", 2000}, {"01/02/29", 2029}, {"01/02/30", 1930}, {"01/02/99", 1999}};
    for (const auto& c : cases) {
        const std::optional<QDateTime> date = dates::parse(QString::fromLatin1(c.text));
        ASSERT_TRUE(date) << c.text;
        EXPECT_EQ(date->date(), QDate(c.year, 2, 1)) << c.text;
    }
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the calendar's logic tests share: short texts, wall-clock moments and a time zone of the
// test's choosing.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <time.h>

inline QString s(const char* text) {
    return QString::fromUtf8(text);
}

inline QDateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return {QDate(year, month, day), QTime(hour, minute, second)};
}

// Sets the process's time zone for one test and puts the machine's back afterwards.
class ZoneForTest {
public:
    explicit ZoneForTest(const char* zone)
        : had_zone_(qEnvironmentVariableIsSet("TZ")), old_zone_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneForTest() {
        if (had_zone_)
            qputenv("TZ", old_zone_);
        else
            qunsetenv("TZ");
        tzset();
    }
    ZoneForTest(const ZoneForTest&) = delete;
    ZoneForTest& operator=(const ZoneForTest&) = delete;

private:
    bool had_zone_;
    QByteArray old_zone_;
};

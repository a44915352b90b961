// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/reminders.h"

#include "calendar/calendar_test_helpers.h"
#include "support/db_fixtures.h"

#include <gtest/gtest.h>

// The clock stands at 14 March 2026, 09:26:53.
class Reminders : public MapsDb {
protected:
    QDateTime now() const { return t.clock.now(); }
    QDateTime hours_ago(int hours) const { return now().addSecs(-3600LL * hours); }
    using When = std::optional<QDateTime>;
    qint64 add_event(const QString& title, const When& expiry, const When& remind,
                     const When& notified = {}) {
        return add(Row{s("Agenda"), s("Work"), title, {}, {}, expiry, remind, notified});
    }
    QString message(const QStringList& lines) const {
        return reminders_heading + s("\r\n") + s("\r\n- ") + lines.join(s("\r\n- "));
    }
};

TEST_F(Reminders, EitherDateMatchesAndEachItemIsToldOncePerDay) {
    const qint64 either = add_event(s("Call O'Brien"), hours_ago(24), now().addDays(1));
    const qint64 recent = add_event(s("told 23 hours ago"), hours_ago(30), {}, hours_ago(23));
    const qint64 day_old = add_event(s("told a day ago"), {}, hours_ago(30), hours_ago(24));
    const qint64 future = add_event(s("next week"), now().addDays(7), now().addDays(6));
    const qint64 untitled = add(Row{s("Agenda"), {}, {}, {}, {}, {}, now()});

    const ReminderCheck check = check_reminders(ctx, false);
    EXPECT_EQ(check.matched, 4);
    // The lines come in the order the engine returns the rows.
    QStringList told = check.reported;
    told.sort();
    EXPECT_EQ(told, (QStringList{QString(), s("Call O'Brien"), s("told a day ago")}));
    EXPECT_EQ(t.prompter.messages(), QStringList{message(check.reported)});
    EXPECT_EQ(t.windows.calls, QStringList{s("open_calendar")});
    EXPECT_EQ(t.desktop.attention_requests, 1);
    for (const qint64 item : {either, day_old, untitled})
        EXPECT_EQ(date_column(item, s("date_notified")), now()) << item;
    EXPECT_EQ(date_column(recent, s("date_notified")), hours_ago(23));
    EXPECT_EQ(date_column(future, s("date_notified")), std::nullopt);

    // A minute later everything was told within the day: a periodic check shows nothing, while
    // the check after opening a database still opens the calendar, without a message.
    t.clock.advance_seconds(60);
    t.prompter.clear();
    t.windows.calls.clear();
    EXPECT_TRUE(check_reminders(ctx, false).reported.isEmpty());
    EXPECT_TRUE(t.windows.calls.isEmpty());
    EXPECT_TRUE(check_reminders(ctx, true).calendar);
    EXPECT_EQ(t.windows.calls, QStringList{s("open_calendar")});
    EXPECT_TRUE(t.prompter.messages().isEmpty());

    // 24 hours after its last notice the item is told again, and only it.
    t.clock.advance_seconds(3600 - 60);
    EXPECT_EQ(check_reminders(ctx, false).reported, QStringList{s("told 23 hours ago")});
    EXPECT_EQ(date_column(recent, s("date_notified")), now());
}

TEST_F(Reminders, NothingDueOrAgendaSwitchedOffDoesNothing) {
    add_event(s("next week"), now().addDays(7), {});
    EXPECT_FALSE(check_reminders(ctx, true).calendar);

    const qint64 due = add_event(s("due"), hours_ago(1), {});
    ctx.collections.at(1).defined = false;
    const ReminderCheck check = check_reminders(ctx, true);
    EXPECT_EQ(check.matched, 0);
    EXPECT_TRUE(t.prompter.messages().isEmpty());
    EXPECT_TRUE(t.windows.calls.isEmpty());
    EXPECT_EQ(date_column(due, s("date_notified")), std::nullopt);
}

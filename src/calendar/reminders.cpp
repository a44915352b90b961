// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/reminders.h"

#include "core/app_context.h"
#include "core/dates.h"
#include "core/windows.h"

#include <vector>

namespace {

struct MatchedItem {
    qint64 item_nr = 0;
    QString title;
    bool due = false;
};

} // namespace

ReminderCheck check_reminders(AppContext& ctx, bool open_calendar_if_any) {
    ReminderCheck check;
    if (!ctx.db || !ctx.collections.at(1).defined) return check;

    const double now = dates::to_julian(ctx.clock.now());
    std::vector<MatchedItem> matched;
    {
        // The present moment is bound rather than asked of now() row by row, so that the engine
        // can read the two date indexes instead of every item.
        Statement rows = ctx.db->prepare(
            QStringLiteral("Select * from repos where date_remind <= ?1 or date_expiry <= ?1 "));
        rows.bind(1, now);
        while (rows.next()) {
            MatchedItem item;
            item.item_nr = rows.value(QStringLiteral("item_nr")).toLongLong();
            item.title = rows.text(QStringLiteral("item_title"));
            // Reported again once a whole day (24 hours) has passed since the last report.
            item.due = rows.is_null(QStringLiteral("date_notified")) ||
                       now - rows.value(QStringLiteral("date_notified")).toDouble() >= 1.0;
            matched.push_back(std::move(item));
        }
    }
    check.matched = static_cast<int>(matched.size());
    if (matched.empty()) return check;

    QString notice;
    {
        Transaction transaction(*ctx.db);
        Statement mark =
            ctx.db->prepare(QStringLiteral("update repos set date_notified = ? where item_nr = ?"));
        for (const MatchedItem& item : matched) {
            if (!item.due) continue;
            notice += QStringLiteral("\r\n- ") + item.title;
            check.reported.append(item.title);
            mark.bind(1, now);
            mark.bind(2, item.item_nr);
            mark.next();
            mark.reset();
        }
        transaction.commit();
    }

    if (!notice.isEmpty()) {
        ctx.desktop.request_attention();
        ctx.prompter.message(reminders_heading + QStringLiteral("\r\n") + notice);
    }
    if (!notice.isEmpty() || open_calendar_if_any) {
        check.calendar = true;
        ctx.windows.open_calendar();
    }
    return check;
}

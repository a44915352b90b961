// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

class AppContext;

// What the calendar window's edit frame and lists change in the database. Each function asks
// its questions through the prompter, tells refusals with a message and writes nothing after a
// refusal; the window refreshes the views after a change. Database failures propagate as
// DbError, with nothing half-written.

// The window's mode: showing an event, entering a new one, or changing the shown one.
enum class EventMode { Showing, Insert, Edit };

// The edit frame's fields. A date picker without its tick holds no date.
struct EventDraft {
    QString title;
    QString content;
    std::optional<QDateTime> expiry;
    std::optional<QDateTime> remind;
};

// The collection and category new events go to: the Agenda (collection position 1), "Scheduled".
inline const QString scheduled_category = QStringLiteral("Scheduled");
// Where an event set done goes: the Journal (collection position 6), "Done".
inline const QString done_category = QStringLiteral("Done");

struct SaveResult {
    enum class Outcome {
        Saved,    // written; `item_nr` is the saved item
        Declined, // the user answered No: the window shows its current item again
        Refused,  // a check failed (the user was told): the window keeps its mode and input
    };
    Outcome outcome = Outcome::Refused;
    qint64 item_nr = 0;
    // The saved deadline's day, for the window to select; nothing for an event without one.
    std::optional<QDate> day;
};

// Saves the frame in `mode` (Insert: a new event in the Agenda's "Scheduled" category, or the
// one of that title after the user agrees to replace it; Edit: the event `current_item`). With
// `ask`, the user is first asked whether to save. Title and content are trimmed. The checks, in
// order: both dates or none, a reminder not later than its deadline, a title. A new deadline that
// has already come marks the item as reported; changed dates of an existing event clear the mark,
// so that the reminder check tells it again.
SaveResult save_event(AppContext& ctx, EventMode mode, qint64 current_item, const EventDraft& draft,
                      bool ask);

// Deletes the event after the user agrees. False when it was gone ("Item not found") or the user
// answered No.
bool delete_event(AppContext& ctx, qint64 item_nr);

// Moves the event to the Journal's "Done" category after the user agrees: its deadline becomes
// its title, its old title the first line of its content, and both dates are cleared. Then the
// Journal's table view opens on it. False when it was gone or the user answered No.
bool set_event_done(AppContext& ctx, qint64 item_nr);

// A line dropped on a list or a day: deadline and reminder both become `day` at midnight.
// False when the item is gone (the user was told).
bool reschedule_event(AppContext& ctx, qint64 item_nr, const QDate& day);

// The day of the first event after `selected` whose title or content holds `text` (any letter
// case; "*", "?", "#" and apostrophes match themselves), else of the first such event in the
// whole calendar; nothing, after "String not found", when none holds it.
std::optional<QDate> find_event_day(AppContext& ctx, const QString& text, const QDate& selected);

// A double click on a list line: a link or map reference in the content is followed; a title
// "> map" opens that map when it exists; anything else opens the Agenda's table view on the item.
void open_event(AppContext& ctx, qint64 item_nr);

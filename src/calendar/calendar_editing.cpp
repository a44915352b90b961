// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_editing.h"

#include "core/app_context.h"
#include "core/column_values.h"
#include "core/dates.h"
#include "core/file_helpers.h"
#include "core/format.h"
#include "core/overloaded.h"
#include "core/sql_text.h"
#include "core/windows.h"
#include "maps/links.h"
#include "maps/map_names.h"
#include "maps/navigation.h"
#include "table/table_edit_support.h"
#include "table/table_editing.h"

#include <variant>

namespace {

// A Journal title: the day, and the time unless it is midnight ("10/12/26", "10/12/26 09:30").
QString journal_title(const QDateTime& moment) {
    const bool midnight = moment.time().hour() == 0 && moment.time().minute() == 0;
    return format_date(moment, midnight ? QStringLiteral("dd/mm/yy") : QStringLiteral("dd/mm/yy hh:nn"));
}

constexpr int agenda_position = 1;
constexpr int journal_position = 6;

const QString line_break = QStringLiteral("\r\n");
const QString reference_prefix = QStringLiteral("> ");
const QString item_not_found = QStringLiteral("Item not found");
// The save question's No shows the current item again; this one tells that it has gone.
const QString shown_item_not_found = QStringLiteral("Item not found.");
const QString saving_changes_caption = QStringLiteral("Saving changes");
const QString replace_caption = QStringLiteral("Saving last changes");
const QString deleting_caption = QStringLiteral("Deleting item");
const QString item_already_exists = QStringLiteral("Item already exists");
// The saved row could not be found again by its map and title.
const QString saved_row_lost = QStringLiteral("error 2000 11 21 14 00");
const QString string_not_found = QStringLiteral("String not found");

// An event row as the edit frame needs it. Collection and category stay QVariants, so that a
// Null stored there is looked for as Null.
struct StoredEvent {
    qint64 item_nr = 0;
    QVariant collection;
    QVariant cat;
    QString title;
    QString content;
    std::optional<QDateTime> expiry;
    std::optional<QDateTime> remind;
};

std::optional<StoredEvent> load_event(Database& db, qint64 item_nr) {
    Statement row = db.prepare(QStringLiteral("Select * from repos where item_nr=?"));
    row.bind(1, item_nr);
    if (!row.next()) return std::nullopt;
    StoredEvent event;
    event.item_nr = item_nr;
    event.collection = row.value(QStringLiteral("collection"));
    event.cat = row.value(QStringLiteral("cat"));
    event.title = row.text(QStringLiteral("item_title"));
    event.content = row.text(QStringLiteral("item_content"));
    event.expiry = date_of(row.value(QStringLiteral("date_expiry")));
    event.remind = date_of(row.value(QStringLiteral("date_remind")));
    return event;
}

// Wall-clock equality, as the pickers show the moments; both empty counts as the same.
bool same_moment(const std::optional<QDateTime>& a, const std::optional<QDateTime>& b) {
    if (!a || !b) return !a && !b;
    return a->date() == b->date() && a->time() == b->time();
}

QString quoted_title(const QString& title) {
    return line_break + line_break + QStringLiteral("   \"") + title + QLatin1Char('"');
}

QString save_question(const QString& title) {
    return QStringLiteral("Do you want to save record \"") + title + QStringLiteral("\"?");
}

// The first failing check of the frame, in the order the user is told them.
std::optional<QString> draft_problem(const EventDraft& draft) {
    if (draft.expiry || draft.remind) {
        if (!draft.remind) return QStringLiteral("Date remind must be filled.");
        if (!draft.expiry) return QStringLiteral("Date aexipry must be filled.");
        if (!draft.remind->isValid()) return QStringLiteral("Date remind is not valid.");
        if (!draft.expiry->isValid()) return QStringLiteral("Date expiry is not valid.");
        if (*draft.remind > *draft.expiry) return QStringLiteral("Date remind is later than date expiry.");
    }
    if (draft.title.isEmpty()) return QStringLiteral(" Item title should not be empty.");
    return std::nullopt;
}

// The item of a map with this title. With `preferred`, that item wins over others of the same
// title, so that an edited row is found again rather than a namesake.
std::optional<qint64> item_in_map(Database& db, const QVariant& collection, const QVariant& cat,
                                  const QString& title, qint64 preferred = 0) {
    Statement find = db.prepare(QStringLiteral("Select item_nr from repos where collection =? and cat =? and "
                                               "item_title = ? order by item_nr=? desc, item_nr"));
    find.bind(1, collection);
    find.bind(2, cat);
    find.bind(3, title);
    find.bind(4, preferred);
    if (!find.next()) return std::nullopt;
    return find.value(0).toLongLong();
}

// A deadline that has already come was seen by the user as they entered it: it is marked as
// reported, so that the reminder check does not tell it at once.
QVariant notified_for_new_deadline(AppContext& ctx, const QDateTime& expiry) {
    const QDateTime now = ctx.clock.now();
    return expiry <= now ? QVariant(dates::to_julian(now)) : QVariant();
}

void write_fields(Database& db, qint64 item_nr, const EventDraft& draft) {
    Statement update = db.prepare(QStringLiteral(
        "update repos set item_title=?, item_content=?, date_remind=?, date_expiry=? where item_nr=?"));
    update.bind(1, draft.title);
    update.bind(2, draft.content);
    update.bind(3, table_edit::julian_or_null(draft.remind));
    update.bind(4, table_edit::julian_or_null(draft.expiry));
    update.bind(5, item_nr);
    update.next();
}

void write_notified(Database& db, qint64 item_nr, const QVariant& notified) {
    Statement update = db.prepare(QStringLiteral("update repos set date_notified=? where item_nr=?"));
    update.bind(1, notified);
    update.bind(2, item_nr);
    update.next();
}

// Insert mode: the row of the Agenda's "Scheduled" category with this title (`replaced`), or a
// new one made as the table view makes its rows. Answers the row written.
qint64 write_scheduled(AppContext& ctx, const EventDraft& draft, std::optional<StoredEvent> replaced) {
    Database& db = *ctx.db;
    const QString agenda = ctx.collections.at(agenda_position).name;
    qint64 item_nr = 0;
    if (replaced) {
        item_nr = replaced->item_nr;
    } else {
        Statement insert =
            db.prepare(QStringLiteral("Insert into repos (collection,cat,item_title) values (?,?,?)"));
        insert.bind(1, agenda);
        insert.bind(2, scheduled_category);
        insert.bind(3, draft.title);
        insert.next();
        item_nr = db.last_insert_id();
        if (table_edit::id_position(agenda_position)) {
            Statement id = db.prepare(QStringLiteral("update repos set item_id=? where item_nr=?"));
            id.bind(1, table_edit::next_item_id(db, agenda).toDouble());
            id.bind(2, item_nr);
            id.next();
        }
    }
    Statement place = db.prepare(QStringLiteral("update repos set collection=?, cat=? where item_nr=?"));
    place.bind(1, agenda);
    place.bind(2, scheduled_category);
    place.bind(3, item_nr);
    place.next();
    write_fields(db, item_nr, draft);
    // A replaced row that keeps its deadline keeps its mark too.
    if (!draft.expiry)
        write_notified(db, item_nr, QVariant());
    else if (!replaced || !same_moment(replaced->expiry, draft.expiry))
        write_notified(db, item_nr, notified_for_new_deadline(ctx, *draft.expiry));
    return item_nr;
}

// Edit mode: the fields of the shown event; changed dates clear the mark, so that the reminder
// check tells the event again.
void write_edited(Database& db, const StoredEvent& stored, const EventDraft& draft) {
    write_fields(db, stored.item_nr, draft);
    if (!same_moment(stored.expiry, draft.expiry) || !same_moment(stored.remind, draft.remind))
        write_notified(db, stored.item_nr, QVariant());
}

SaveResult refused(AppContext& ctx, const QString& message) {
    ctx.prompter.message(message);
    return {};
}

SaveResult declined() {
    SaveResult result;
    result.outcome = SaveResult::Outcome::Declined;
    return result;
}

// Carries out where a content's reference leads.
void open_route(AppContext& ctx, const Route& route) {
    std::visit(Overloaded{
                   [](const std::monostate&) {},
                   [&ctx](const route::TopMap&) { ctx.windows.open_named_map(top_map_name); },
                   [&ctx](const route::Map& map) { ctx.windows.open_named_map(map.name); },
                   [&ctx](const route::CategoryMap& map) {
                       ctx.windows.open_map(MapParts{map.collection, map.cat, {}});
                   },
                   [&ctx](const route::Table& table) {
                       ctx.table_presets.category = table.cat;
                       ctx.table_presets.title = table.title;
                       ctx.windows.open_table_view(table.position);
                   },
               },
               route);
}

// The first event with a deadline after `after` (nothing: the whole calendar) whose title or
// content holds `text`.
std::optional<QDate> first_event_holding(Database& db, const QString& text, std::optional<QDateTime> after) {
    // The program's like takes "*", "?", "#" and "[" as pattern characters: the search string
    // has them bracketed so that they match only themselves.
    const QString pattern = QStringLiteral("'*") + like_escaped(text) + QStringLiteral("*'");
    QString sql = QStringLiteral("Select date_expiry from repos where (item_title like ") + pattern +
                  QStringLiteral(" or item_content like ") + pattern +
                  QStringLiteral(") and date_expiry is not null");
    if (after) sql += QStringLiteral(" and date_expiry > ?");
    sql += QStringLiteral(" order by date_expiry");
    Statement find = db.prepare(sql);
    if (after) find.bind(1, dates::to_julian(*after));
    while (find.next())
        if (const auto expiry = date_of(find.value(0))) return expiry->date();
    return std::nullopt;
}

} // namespace

SaveResult save_event(AppContext& ctx, EventMode mode, qint64 current_item, const EventDraft& draft,
                      bool ask) {
    if (mode == EventMode::Showing) return declined();
    EventDraft frame = draft;
    frame.title = frame.title.trimmed();
    frame.content = frame.content.trimmed();
    Database& db = *ctx.db;

    if (ask && !ctx.prompter.yes_no(save_question(frame.title), saving_changes_caption, true)) {
        if (current_item != 0 && !load_event(db, current_item)) ctx.prompter.message(shown_item_not_found);
        return declined();
    }
    if (const auto problem = draft_problem(frame)) return refused(ctx, *problem);

    const QString agenda = ctx.collections.at(agenda_position).name;
    const std::optional<qint64> duplicate = item_in_map(db, agenda, scheduled_category, frame.title);
    if (mode == EventMode::Insert && duplicate &&
        !ctx.prompter.yes_no(QStringLiteral("Item ") + frame.title +
                                 QStringLiteral(" already exists. Replace it?"),
                             replace_caption, false))
        return declined();
    if (mode == EventMode::Edit && duplicate && *duplicate != current_item)
        return refused(ctx, item_already_exists);

    // The question above is asked before the transaction opens, so that no transaction stays
    // open while the user decides.
    Transaction transaction(db);
    qint64 written = 0;
    QVariant collection = agenda;
    QVariant cat = scheduled_category;
    if (mode == EventMode::Insert) {
        written = write_scheduled(ctx, frame, duplicate ? load_event(db, *duplicate) : std::nullopt);
    } else {
        const std::optional<StoredEvent> stored = load_event(db, current_item);
        if (!stored) return refused(ctx, item_not_found);
        write_edited(db, *stored, frame);
        written = stored->item_nr;
        collection = stored->collection;
        cat = stored->cat;
    }
    // The saved row is found again the way the lists will look for it; when that fails nothing
    // is kept, and the window stays in its mode with the user's input.
    const std::optional<qint64> found = item_in_map(db, collection, cat, frame.title, written);
    if (!found) return refused(ctx, saved_row_lost);
    if (mode == EventMode::Insert)
        table_edit::regenerate_sequence_within_category(db, agenda, scheduled_category);
    transaction.commit();

    SaveResult result;
    result.outcome = SaveResult::Outcome::Saved;
    result.item_nr = *found;
    if (frame.expiry) result.day = frame.expiry->date();
    return result;
}

bool delete_event(AppContext& ctx, qint64 item_nr) {
    Database& db = *ctx.db;
    const std::optional<StoredEvent> event = load_event(db, item_nr);
    if (!event) {
        ctx.prompter.message(item_not_found);
        return false;
    }
    if (!ctx.prompter.yes_no(QStringLiteral("Do you really want to delete this item?") +
                                 quoted_title(event->title),
                             deleting_caption, false))
        return false;
    Statement remove = db.prepare(QStringLiteral("Delete from repos where item_nr=?"));
    remove.bind(1, item_nr);
    remove.next();
    return true;
}

bool set_event_done(AppContext& ctx, qint64 item_nr) {
    Database& db = *ctx.db;
    const std::optional<StoredEvent> event = load_event(db, item_nr);
    if (!event) {
        ctx.prompter.message(item_not_found);
        return false;
    }
    // The item's title and dates are replaced: No is the preselected answer, as for every
    // question that replaces data.
    if (!ctx.prompter.yes_no(
            QStringLiteral("This will move the selected item to the Journal. Do you want to proceed?") +
                quoted_title(event->title),
            deleting_caption, false))
        return false;

    // The Journal's titles are dates it sorts by and shows its entries under, written as its own
    // entries are. An event listed by
    // its reminder alone takes that moment; one without any date the moment it was done.
    const QDateTime done_at = event->expiry   ? *event->expiry
                              : event->remind ? *event->remind
                                              : ctx.clock.now();
    QString content = event->title;
    if (!event->content.isEmpty()) content += line_break + event->content;
    Statement update = db.prepare(QStringLiteral(
        "Update repos set collection=?, cat=?, item_title=?, item_content=?, date_remind=null, "
        "date_expiry=null where item_nr=?"));
    update.bind(1, ctx.collections.at(journal_position).name);
    update.bind(2, done_category);
    update.bind(3, journal_title(done_at));
    update.bind(4, content);
    update.bind(5, item_nr);
    update.next();

    ctx.table_presets = TablePresets{};
    ctx.table_presets.item_nr = item_nr;
    ctx.windows.open_table_view(journal_position);
    return true;
}

bool reschedule_event(AppContext& ctx, qint64 item_nr, const QDate& day) {
    Database& db = *ctx.db;
    if (!load_event(db, item_nr)) {
        ctx.prompter.message(item_not_found);
        return false;
    }
    const QDateTime midnight = dates::local_date_time(day, QTime(0, 0));
    // A drop gives the event a new deadline, so the mark follows the rule of a new deadline:
    // a day to come clears it, so that the reminder check tells the event when that day comes
    // (a mark kept from the old date would silence it for up to a day); today or a past day,
    // which the user has just chosen, marks it as told now instead of raising a reminder at the
    // next check.
    Statement update = db.prepare(
        QStringLiteral("update repos set date_expiry=?, date_remind=?, date_notified=? where item_nr=?"));
    update.bind(1, dates::to_julian(midnight));
    update.bind(2, dates::to_julian(midnight));
    update.bind(3, notified_for_new_deadline(ctx, midnight));
    update.bind(4, item_nr);
    update.next();
    return true;
}

std::optional<QDate> find_event_day(AppContext& ctx, const QString& text, const QDate& selected) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty()) return std::nullopt;
    Database& db = *ctx.db;
    const QDateTime next_day = dates::local_date_time(selected.addDays(1), QTime(0, 0));
    std::optional<QDate> day = first_event_holding(db, wanted, next_day);
    if (!day) day = first_event_holding(db, wanted, std::nullopt);
    if (!day) ctx.prompter.message(string_not_found);
    return day;
}

void open_event(AppContext& ctx, qint64 item_nr) {
    const std::optional<StoredEvent> event = load_event(*ctx.db, item_nr);
    if (!event) {
        ctx.prompter.message(item_not_found);
        return;
    }
    // A content that runs as a link does so, as a map panel's does.
    if (event->content.startsWith(QLatin1String("LINK="), Qt::CaseInsensitive) ||
        is_web_address(event->content)) {
        open_link(ctx, event->content, true);
        return;
    }
    // A reference that leads nowhere opens the event itself below.
    const Route reference = follow_reference(ctx, event->content, false);
    if (!std::holds_alternative<std::monostate>(reference)) {
        open_route(ctx, reference);
        return;
    }
    if (event->title.startsWith(reference_prefix)) {
        const QString map = event->title.mid(reference_prefix.size()).trimmed();
        if (is_top_map_name(map) || map_exists(ctx, map, true)) {
            ctx.windows.open_named_map(map);
            return;
        }
    }
    ctx.table_presets.search_text.clear();
    ctx.table_presets.category.clear();
    ctx.table_presets.title.clear();
    ctx.table_presets.item_nr = item_nr;
    ctx.windows.open_table_view(agenda_position);
}

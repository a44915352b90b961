// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/ui/calendar_window.h"

#include "calendar/ui/calendar_colours.h"
#include "calendar/ui/day_strip.h"
#include "calendar/ui/event_list.h"
#include "calendar/ui/optional_date_time.h"
#include "calendar/ui/print_calendar_window.h"
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/geometry.h"
#include "core/params.h"
#include "core/translate.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_frame.h"
#include "core/ui/form_place.h"
#include "maps/ui/map_windows.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace {

// The month calendar shows six weeks.
constexpr int shown_days = 42;

QLabel* caption_label(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(translate(QString::fromUtf8(text)), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

CalendarWindow::CalendarWindow(AppContext& ctx, MapWindows& maps, qint64 preset_item, QWidget* parent)
    : QWidget(parent), ctx_(ctx), maps_(maps), date_pattern_(short_date_pattern(QLocale())),
      current_item_(preset_item) {
    setObjectName(calendar_form);
    build_controls();
    build_menus();
    connect_fields();
    install_filters();
}

CalendarWindow::~CalendarWindow() = default;

void CalendarWindow::build_controls() {
    monthview_ = new QCalendarWidget(this);
    monthview_->setObjectName(QStringLiteral("monthview"));
    monthview_->setGridVisible(true);
    monthview_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    monthview_->setContextMenuPolicy(Qt::CustomContextMenu);

    const auto make_list = [this](const char* name) {
        auto* events = new EventList(this);
        events->setObjectName(QString::fromLatin1(name));
        events->setContextMenuPolicy(Qt::CustomContextMenu);
        QFont font = events->font();
        font.setPointSizeF(ctx_.prefs.font_size);
        events->setFont(font);
        return events;
    };
    list_calendar_ = make_list("List_calendar");
    list_today_ = make_list("list_today");
    list_expired_ = make_list("list_expired");
    strip_ = new DayStrip(this);
    strip_->setObjectName(QStringLiteral("day_strip"));

    auto* upper = new QHBoxLayout;
    upper->addWidget(monthview_);
    upper->addWidget(list_calendar_, 1);
    auto* lists = new QGridLayout;
    lists->addWidget(caption_label("Lab_today", "Today", this), 0, 0);
    lists->addWidget(caption_label("Lab_exp", "Expired (E) / Reminded (R)", this), 0, 1);
    lists->addWidget(list_today_, 1, 0);
    lists->addWidget(list_expired_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 3);
    layout->addWidget(strip_);
    layout->addLayout(lists, 2);
    layout->addWidget(build_edit_frame());
}

void CalendarWindow::build_menus() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("m_popup"));
    const auto add = [this](QMenu* menu, const char* name, const char* caption,
                            void (CalendarWindow::*slot)()) {
        QAction* action = menu->addAction(translate(QString::fromUtf8(caption)));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
    };
    add(popup_, "m_next_occ", "Show next day occupied", &CalendarWindow::show_next_occupied);
    add(popup_, "m_prev_occ", "Show previous day occupied", &CalendarWindow::show_previous_occupied);
    add(popup_, "m_next_free", "Show next day free", &CalendarWindow::show_next_free);
    add(popup_, "m_prev_free", "Show previous day free", &CalendarWindow::show_previous_free);
    add(popup_, "m_print_calendar", "Print calendar", &CalendarWindow::print_calendar);
    add(popup_, "m_select_today", "Select today (F5)", &CalendarWindow::select_today);
    connect(monthview_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(monthview_->mapToGlobal(at)); });

    popup_items_ = new QMenu(this);
    popup_items_->setObjectName(QStringLiteral("m_popup_items"));
    add(popup_items_, "m_delete_item", "delete item (DEL)", &CalendarWindow::delete_current);
    for (EventList* events : {list_calendar_, list_today_, list_expired_}) {
        connect(events, &QWidget::customContextMenuRequested, this, [this, events](const QPoint& at) {
            // The line under the pointer is the one the menu acts on.
            if (QListWidgetItem* line = events->itemAt(at)) {
                events->setCurrentItem(line);
                show_line(*events);
            }
            popup_items_->popup(events->viewport()->mapToGlobal(at));
        });
    }
}

void CalendarWindow::connect_fields() {
    connect(monthview_, &QCalendarWidget::selectionChanged, this, [this] {
        if (!loading_) day_changed();
    });
    connect(monthview_, &QCalendarWidget::currentPageChanged, this, [this] {
        if (!loading_) mark_days();
    });
    for (EventList* events : {list_calendar_, list_today_, list_expired_}) {
        connect(events, &QListWidget::itemClicked, this, [this, events] { show_line(*events); });
        connect(events, &QListWidget::currentRowChanged, this, [this, events] {
            if (!loading_ && events->hasFocus()) show_line(*events);
        });
        connect(events, &QListWidget::itemDoubleClicked, this, [this, events] { open_line(*events); });
    }
    connect(list_today_, &EventList::item_dropped, this,
            [this](qint64 item_nr) { reschedule(item_nr, ctx_.clock.now().date()); });
    connect(list_expired_, &EventList::item_dropped, this,
            [this](qint64 item_nr) { reschedule(item_nr, ctx_.clock.now().date()); });
    connect(list_calendar_, &EventList::item_dropped, this,
            [this](qint64 item_nr) { reschedule(item_nr, selected_day()); });
    connect(strip_, &DayStrip::item_dropped, this, [this](qint64 item_nr, int offset) {
        const QDate day = ctx_.clock.now().date().addDays(offset);
        reschedule(item_nr, day);
        select_day(day);
    });
    connect(strip_, &DayStrip::day_clicked, this, [this](int offset) {
        select_day(ctx_.clock.now().date().addDays(offset));
        monthview_->setFocus(Qt::MouseFocusReason);
        list_calendar_->setFocus(Qt::MouseFocusReason);
    });
}

void CalendarWindow::load() {
    loading_ = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        set_form_caption(*this, translate(QStringLiteral("Calendar")));
        const QDateTime now = ctx_.clock.now();
        expiry_->set_value(now);
        remind_->set_value(now);
        std::optional<QDate> opening_day;
        if (current_item_ != 0) opening_day = reminder_day(ctx_, current_item_);
        if (!opening_day) current_item_ = 0;
        monthview_->setSelectedDate(opening_day.value_or(now.date()));
        apply_form_place(
            *this, restore_form_position(*ctx_.db, ctx_.screen, calendar_form, true, form_place(*this)));
        ctx_.active_kind = WindowKind::Calendar;
        refresh_lists();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    QGuiApplication::restoreOverrideCursor();
    loading_ = false;
}

void CalendarWindow::refresh_lists() {
    try {
        load_list(CalendarList::Today);
        load_list(CalendarList::Expired);
        load_list(CalendarList::Calendar);
        mark_days();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

EventList& CalendarWindow::list(CalendarList which) const {
    switch (which) {
    case CalendarList::Today:
        return *list_today_;
    case CalendarList::Expired:
        return *list_expired_;
    case CalendarList::Calendar:
        break;
    }
    return *list_calendar_;
}

void CalendarWindow::load_list(CalendarList which) {
    const QDateTime now = ctx_.clock.now();
    if (which == CalendarList::Calendar) paint_strip();
    const QDate day = which == CalendarList::Calendar ? selected_day() : now.date();
    EventList& events = list(which);
    // The line shown in the frame stays selected when it is still listed.
    const qint64 kept = events.current_item_nr();
    const bool was_loading = loading_;
    loading_ = true;
    events.set_lines(::load_list(ctx_, which, day, date_pattern_));
    events.select_item(kept);
    loading_ = was_loading;
}

void CalendarWindow::paint_strip() {
    const QDate today = ctx_.clock.now().date();
    strip_->set_days(today);
    strip_->set_colours(day_strip_colours(today, selected_day()));
}

void CalendarWindow::mark_days() {
    const QDate today = ctx_.clock.now().date();
    // The first day the month calendar shows: the week-start on or before the month's first day.
    const QDate first_of_month(monthview_->yearShown(), monthview_->monthShown(), 1);
    const int back = (first_of_month.dayOfWeek() - static_cast<int>(monthview_->firstDayOfWeek()) + 7) % 7;
    const QDate first_shown = first_of_month.addDays(-back);
    const DayMarks marks = ::mark_days(ctx_, today, first_shown);
    strip_->set_counts(marks);
    for (const QDate& day : std::as_const(bold_days_))
        monthview_->setDateTextFormat(day, {});
    bold_days_.clear();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (const QDate& day : marks.bold) {
        if (day < first_shown || day >= first_shown.addDays(shown_days)) continue;
        monthview_->setDateTextFormat(day, bold);
        bold_days_.append(day);
    }
}

QDate CalendarWindow::selected_day() const {
    return monthview_->selectedDate();
}

void CalendarWindow::select_day(const QDate& day) {
    if (monthview_->selectedDate() == day) {
        load_list(CalendarList::Calendar);
        return;
    }
    monthview_->setSelectedDate(day);
}

void CalendarWindow::day_changed() {
    save_record(true);
    try {
        load_list(CalendarList::Calendar);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    tint(*monthview_, monthview_->hasFocus() ? CellColour::LightCyan : CellColour::White);
    list_calendar_->setFocus(Qt::OtherFocusReason);
}

void CalendarWindow::select_today() {
    select_day(ctx_.clock.now().date());
    list_calendar_->setFocus(Qt::OtherFocusReason);
}

void CalendarWindow::show_next_occupied() {
    const std::optional<QDate> day = next_occupied_day(ctx_, selected_day());
    if (!day) {
        msg_translated(ctx_.prompter, QStringLiteral("No date found."));
        return;
    }
    select_day(*day);
}

void CalendarWindow::show_previous_occupied() {
    const std::optional<QDate> day = previous_occupied_day(ctx_, selected_day());
    if (!day) {
        ctx_.prompter.message(translate(QStringLiteral("No date found.")),
                              translate(QStringLiteral("Show previous occupied")));
        return;
    }
    select_day(*day);
}

void CalendarWindow::show_next_free() {
    select_day(next_free_day(ctx_, selected_day()));
}

void CalendarWindow::show_previous_free() {
    select_day(previous_free_day(ctx_, selected_day()));
}

void CalendarWindow::print_calendar() {
    open_print_calendar_window(ctx_, frame_of(*this) ? frame_of(*this)->mdiArea() : nullptr);
}

void CalendarWindow::activated() {
    ctx_.active_kind = WindowKind::Calendar;
}

FormAttributes CalendarWindow::form_attributes() const {
    FormAttributes attributes;
    attributes.query = calendar_selection;
    attributes.item_nr = current_item_;
    return attributes;
}

void CalendarWindow::tint(QWidget& control, CellColour colour) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, cell_colour(colour));
    control.setPalette(palette);
}

void CalendarWindow::focus_changed(QWidget* control, bool gained) {
    const bool today = selected_day() == ctx_.clock.now().date();
    if (gained) {
        tint(*control, control == monthview_ && today ? CellColour::LightGreen : CellColour::LightCyan);
        if (auto* events = qobject_cast<EventList*>(control);
            events && events->currentRow() < 0 && events->count() > 0) {
            events->setCurrentRow(0);
            show_line(*events);
        }
        return;
    }
    const bool day_control = control == monthview_ || control == list_calendar_;
    tint(*control, day_control && today ? CellColour::LightYellow : CellColour::White);
}

void CalendarWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void CalendarWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        try {
            save_form_position(*ctx_.db, calendar_form, true, form_place(*this), form_minimised(*this));
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}

CalendarWindow* open_calendar_window(AppContext& ctx, MapWindows& maps, qint64 preset_item, QMdiArea* area) {
    if (!ctx.db) return nullptr;
    auto* window = new CalendarWindow(ctx, maps, preset_item);
    QMdiSubWindow* frame = frame_form(*window, area);
    if (frame)
        QObject::connect(frame, &QMdiSubWindow::aboutToActivate, window, [window] { window->activated(); });
    window->load();
    fit_form_to_content(*window);
    show_form(*window, frame);
    window->activated();
    // Each list selects its first line as it gains the focus; the day's list keeps it last.
    for (EventList* events : {&window->list(CalendarList::Calendar), &window->list(CalendarList::Expired),
                              &window->list(CalendarList::Today), &window->list(CalendarList::Calendar)})
        events->setFocus(Qt::OtherFocusReason);
    return window;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window's edit frame: its fields and buttons, the modes, and the commands that
// change events.
#include "calendar/ui/calendar_colours.h"
#include "calendar/ui/calendar_window.h"
#include "calendar/ui/event_list.h"
#include "calendar/ui/optional_date_time.h"
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/translate.h"
#include "core/ui/form_place.h"
#include "core/windows.h"
#include "maps/ui/map_windows.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QPushButton* command_button(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(translate(QString::fromUtf8(caption)), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel* field_label(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(translate(QString::fromUtf8(text)), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

QWidget* CalendarWindow::build_edit_frame() {
    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("frame_edit"));
    title_ = new QLineEdit(frame);
    title_->setObjectName(QStringLiteral("t_item_title"));
    content_ = new QPlainTextEdit(frame);
    content_->setObjectName(QStringLiteral("t_item_content"));
    content_->setTabChangesFocus(true);
    content_->setMaximumHeight(content_->fontMetrics().lineSpacing() * 5);
    expiry_ = new OptionalDateTimeEdit(frame);
    expiry_->setObjectName(QStringLiteral("t_date_exp"));
    remind_ = new OptionalDateTimeEdit(frame);
    remind_->setObjectName(QStringLiteral("t_date_rem"));
    const QString picker_format = date_pattern_ + QStringLiteral(" HH:mm");
    expiry_->set_display_format(picker_format);
    remind_->set_display_format(picker_format);

    auto* fields = new QGridLayout;
    fields->addWidget(field_label("title", title_, frame), 0, 0);
    fields->addWidget(title_, 0, 1);
    fields->addWidget(field_label("date expiry", expiry_, frame), 0, 2);
    fields->addWidget(expiry_, 0, 3);
    fields->addWidget(field_label("content", content_, frame), 1, 0, Qt::AlignTop);
    fields->addWidget(content_, 1, 1);
    fields->addWidget(field_label("date remind", remind_, frame), 1, 2, Qt::AlignTop);
    fields->addWidget(remind_, 1, 3, Qt::AlignTop);
    fields->setColumnStretch(1, 1);

    add_ = command_button("b_add", "Add (INS)", frame);
    edit_ = command_button("b_edit", "Edit (F2)", frame);
    save_ = command_button("b_save", "Save (F12)", frame);
    cancel_ = command_button("b_cancel", "Cancel (ESC)", frame);
    delete_ = command_button("b_delete", "Delete (DEL)", frame);
    done_ = command_button("b_done", "Set done (F8)", frame);
    find_ = command_button("b_find", "Find (F3)", frame);
    zoom_ = command_button("b_zoom", "Zoom (F10)", frame);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {add_, edit_, save_, cancel_, delete_, done_, find_, zoom_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    save_->setEnabled(false);

    connect(add_, &QPushButton::clicked, this, &CalendarWindow::begin_insert);
    connect(edit_, &QPushButton::clicked, this, &CalendarWindow::begin_edit);
    connect(save_, &QPushButton::clicked, this, [this] { save_record(false); });
    connect(cancel_, &QPushButton::clicked, this, &CalendarWindow::cancel);
    connect(delete_, &QPushButton::clicked, this, &CalendarWindow::delete_current);
    connect(done_, &QPushButton::clicked, this, &CalendarWindow::set_done);
    connect(find_, &QPushButton::clicked, this, &CalendarWindow::find);
    connect(zoom_, &QPushButton::clicked, this, &CalendarWindow::zoom);

    connect(title_, &QLineEdit::textEdited, this, &CalendarWindow::field_changed);
    connect(title_, &QLineEdit::returnPressed, this, [this] {
        if (save_->isEnabled()) save_record(false);
    });
    connect(content_, &QPlainTextEdit::textChanged, this, &CalendarWindow::field_changed);
    connect(remind_, &OptionalDateTimeEdit::changed, this, &CalendarWindow::field_changed);
    connect(expiry_, &OptionalDateTimeEdit::changed, this, [this] {
        if (loading_) return;
        // A new deadline is also the moment to be reminded, until the reminder is changed.
        loading_ = true;
        remind_->set_value(expiry_->value());
        loading_ = false;
        field_changed();
    });

    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    return frame;
}

void CalendarWindow::field_changed() {
    if (loading_) return;
    if (mode_ == EventMode::Showing) enter_mode(current_item_ != 0 ? EventMode::Edit : EventMode::Insert);
    save_->setEnabled(true);
}

void CalendarWindow::enter_mode(EventMode mode) {
    mode_ = mode;
    set_commands_enabled(false);
    QPushButton* tinted = mode == EventMode::Insert ? add_ : edit_;
    QPalette palette = tinted->palette();
    palette.setColor(QPalette::Button, cell_colour(CellColour::LightCyan));
    tinted->setPalette(palette);
    const bool lists = mode != EventMode::Insert;
    for (QWidget* control :
         std::initializer_list<QWidget*>{monthview_, list_calendar_, list_today_, list_expired_})
        control->setEnabled(lists);
}

void CalendarWindow::set_commands_enabled(bool showing) {
    for (QPushButton* button : {add_, edit_, delete_})
        button->setEnabled(showing);
    if (showing) save_->setEnabled(false);
}

void CalendarWindow::return_to_showing() {
    mode_ = EventMode::Showing;
    set_commands_enabled(true);
    for (QPushButton* button : {add_, edit_})
        button->setPalette(QPalette());
    for (QWidget* control :
         std::initializer_list<QWidget*>{monthview_, list_calendar_, list_today_, list_expired_})
        control->setEnabled(true);
}

void CalendarWindow::begin_insert() {
    if (mode_ != EventMode::Insert) {
        if (!save_record(true)) return;
    }
    const QDateTime now = ctx_.clock.now();
    const QDateTime proposed = selected_day() == now.date() ? now : QDateTime(selected_day(), QTime(0, 0));
    enter_mode(EventMode::Insert);
    loading_ = true;
    current_item_ = 0;
    title_->clear();
    content_->clear();
    expiry_->set_value(proposed);
    remind_->set_value(proposed);
    loading_ = false;
    save_->setEnabled(false);
    title_->setFocus(Qt::OtherFocusReason);
}

void CalendarWindow::begin_edit() {
    if (!save_record(true)) return;
    enter_mode(EventMode::Edit);
    save_->setEnabled(false);
    if (!in_edit_field(focusWidget())) title_->setFocus(Qt::OtherFocusReason);
}

bool CalendarWindow::save_record(bool ask) {
    if (!save_->isEnabled()) return true;
    ctx_.inactivity = 0;
    EventDraft draft;
    draft.title = title_->text();
    draft.content = content_->toPlainText();
    draft.expiry = expiry_->value();
    draft.remind = remind_->value();
    try {
        const SaveResult result = save_event(ctx_, mode_, current_item_, draft, ask);
        switch (result.outcome) {
        case SaveResult::Outcome::Refused:
            return false;
        case SaveResult::Outcome::Declined:
            return_to_showing();
            show_item(current_item_);
            return true;
        case SaveResult::Outcome::Saved:
            break;
        }
        current_item_ = result.item_nr;
        return_to_showing();
        if (result.day && *result.day != selected_day()) {
            loading_ = true;
            monthview_->setSelectedDate(*result.day);
            loading_ = false;
        }
        refresh_everything();
        // The saved event's line is the day list's current one before the list takes the focus,
        // which would otherwise show its first line.
        loading_ = true;
        list_calendar_->select_item(current_item_);
        loading_ = false;
        list_calendar_->setFocus(Qt::OtherFocusReason);
        show_item(current_item_);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    return true;
}

void CalendarWindow::refresh_everything() {
    // The maps and table views show the change too; the program-wide refresh reloads this
    // window's lists through the calendar's refresh request.
    maps_.refresh_all_windows();
}

void CalendarWindow::cancel() {
    if (save_->isEnabled()) {
        // A refused check keeps the input for the user to correct.
        if (!save_record(true)) return;
        return_to_showing();
        show_item(current_item_);
        return;
    }
    if (mode_ != EventMode::Showing) {
        return_to_showing();
        show_item(current_item_);
        return;
    }
    close_form(*this);
}

void CalendarWindow::show_line(EventList& events) {
    if (!save_record(true)) return;
    if (events.currentRow() < 0) return;
    for (EventList* other : {list_calendar_, list_today_, list_expired_}) {
        if (other == &events) continue;
        other->blockSignals(true);
        other->clearSelection();
        other->setCurrentRow(-1);
        other->blockSignals(false);
    }
    if (&events == list_today_)
        current_list_ = CalendarList::Today;
    else if (&events == list_expired_)
        current_list_ = CalendarList::Expired;
    else
        current_list_ = CalendarList::Calendar;
    show_item(events.current_item_nr());
}

void CalendarWindow::show_item(qint64 item_nr) {
    std::optional<CalendarEvent> event;
    try {
        if (item_nr != 0) event = read_event(ctx_, item_nr);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    if (!event) {
        clear_frame();
        return;
    }
    loading_ = true;
    current_item_ = event->item_nr;
    current_collection_ = event->collection;
    current_cat_ = event->cat;
    title_->setText(event->title);
    content_->setPlainText(event->content);
    expiry_->set_value(event->expiry);
    remind_->set_value(event->remind);
    loading_ = false;
    // The main window's commands on the selected item act on this one.
    maps_.last_selected_item = event->item_nr;
    save_->setEnabled(false);
}

void CalendarWindow::clear_frame() {
    loading_ = true;
    current_item_ = 0;
    current_collection_.clear();
    current_cat_.clear();
    title_->clear();
    content_->clear();
    expiry_->set_value(std::nullopt);
    remind_->set_value(std::nullopt);
    loading_ = false;
    save_->setEnabled(false);
}

void CalendarWindow::delete_current() {
    if (mode_ != EventMode::Showing || current_item_ == 0) return;
    QWidget* focused = focusWidget();
    try {
        if (!delete_event(ctx_, current_item_)) return;
        current_item_ = 0;
        clear_frame();
        refresh_everything();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    if (focused) focused->setFocus(Qt::OtherFocusReason);
}

void CalendarWindow::set_done() {
    if (mode_ != EventMode::Showing || current_item_ == 0) return;
    try {
        if (!set_event_done(ctx_, current_item_)) return;
        clear_frame();
        refresh_everything();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void CalendarWindow::find() {
    if (!save_record(true)) return;
    const std::optional<QString> answer = ctx_.prompter.input(
        translate(QStringLiteral("String?")), translate(QStringLiteral("Find calendar item")), last_search_);
    if (!answer) return;
    const QString text = answer->trimmed();
    if (text.isEmpty()) return;
    last_search_ = text;
    try {
        const std::optional<QDate> day = find_event_day(ctx_, text, selected_day());
        if (!day) return;
        select_day(*day);
        // Every line holding the text is selected in turn: the last stays selected.
        for (int row = 0; row < list_calendar_->count(); ++row)
            if (list_calendar_->item(row)->text().contains(text, Qt::CaseInsensitive))
                list_calendar_->setCurrentRow(row);
        list_calendar_->setFocus(Qt::OtherFocusReason);
        show_line(*list_calendar_);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void CalendarWindow::zoom() {
    if (title_->text().trimmed().isEmpty() || current_item_ == 0) return;
    if (!save_record(true)) return;
    ctx_.windows.open_content_editor(current_item_);
}

void CalendarWindow::open_line(EventList& events) {
    const qint64 item_nr = events.current_item_nr();
    if (item_nr == 0) return;
    try {
        open_event(ctx_, item_nr);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void CalendarWindow::reschedule(qint64 item_nr, const QDate& day) {
    if (mode_ != EventMode::Showing) return;
    try {
        if (!reschedule_event(ctx_, item_nr, day)) return;
        refresh_everything();
        if (item_nr == current_item_) show_item(item_nr);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

bool CalendarWindow::in_edit_field(const QObject* watched) const {
    for (const QWidget* field : std::initializer_list<const QWidget*>{title_, content_, expiry_, remind_}) {
        for (const QObject* at = watched; at; at = at->parent())
            if (at == field) return true;
    }
    return false;
}

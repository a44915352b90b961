// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window's keys and focus tints: the window sees every key before its controls.
#include "calendar/ui/calendar_colours.h"
#include "calendar/ui/calendar_window.h"
#include "calendar/ui/event_list.h"
#include "core/app_context.h"
#include "core/ui/form_place.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

void CalendarWindow::install_filters() {
    // Keys of every control, the month calendar's inner table included, pass here first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QWidget* CalendarWindow::tinted_control(QObject* watched) const {
    for (QObject* at = watched; at && at != this; at = at->parent()) {
        if (at == monthview_ || at == list_calendar_ || at == list_today_ || at == list_expired_)
            return static_cast<QWidget*>(at);
    }
    return nullptr;
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handle_key(watched, *static_cast<QKeyEvent*>(event))) return true;
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (QWidget* control = tinted_control(watched); control && !loading_)
            focus_changed(control, event->type() == QEvent::FocusIn);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool CalendarWindow::handle_key(QObject* watched, const QKeyEvent& event) {
    // While a modal flow runs (the lock box), keys reach no window.
    if (ctx_.key_lock) return true;
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const bool in_field = in_edit_field(watched);
    if (mods == Qt::NoModifier) {
        switch (event.key()) {
        case Qt::Key_F10:
            if (!title_->text().trimmed().isEmpty()) zoom();
            return true;
        case Qt::Key_F3:
            find();
            return true;
        case Qt::Key_F2:
            begin_edit();
            return true;
        case Qt::Key_F12:
            save_record(false);
            return true;
        case Qt::Key_F5:
            select_today();
            return true;
        case Qt::Key_F8:
            set_done();
            return true;
        case Qt::Key_Escape:
            cancel();
            return true;
        case Qt::Key_Delete:
            if (in_field) return false;
            delete_current();
            return true;
        case Qt::Key_Insert:
            if (in_field) return false;
            begin_insert();
            return true;
        case Qt::Key_Left:
            if (tinted_control(watched) != list_calendar_) break;
            monthview_->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Tab:
            if (watched != title_) break;
            content_->setFocus(Qt::TabFocusReason);
            return true;
        default:
            break;
        }
    }
    // The edit fields keep their own editing keys (copy, cut, paste, undo, word moves...).
    if (in_field && is_text_editing_key(event)) return false;
    // Typing into a date picker is a change even before the picker reports one.
    if (in_field && watched != title_ && watched != content_ && !event.text().isEmpty() &&
        (event.text().at(0).isDigit() || mods.testFlag(Qt::ShiftModifier)) && mode_ == EventMode::Showing) {
        field_changed();
        return false;
    }
    return pass_to_hot_keys(ctx_, event);
}

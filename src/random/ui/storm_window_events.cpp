// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The storm's keys, mouse and animation.
#include "core/app_context.h"
#include "core/ui/form_place.h"
#include "maps/links.h"
#include "random/ui/storm_window.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace {

// A tag brought forward by focus mode keeps its enlarged look this long.
constexpr qint64 enlarged_milliseconds = 3000;
constexpr double focus_growth = 2.0;

} // namespace

bool StormWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handle_key(*static_cast<QKeyEvent*>(event))) return true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        if (handle_mouse(watched, event)) return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool StormWindow::handle_key(const QKeyEvent& event) {
    // While a modal flow runs (the lock box), keys reach no window.
    if (ctx_.key_lock) return true;
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            animation_step(true);
            return true;
        case Qt::Key_F7:
            arrange(true);
            return true;
        case Qt::Key_F8:
            arrange(false);
            return true;
        case Qt::Key_Insert:
            insert_tag();
            return true;
        case Qt::Key_F3:
            find_tag();
            return true;
        case Qt::Key_Asterisk:
            if (!event.modifiers().testFlag(Qt::KeypadModifier)) break;
            toggle_show_content();
            return true;
        case Qt::Key_Escape:
            // Escape first leaves focus mode; with focus mode off it closes the board.
            if (focus_mode_)
                toggle_focus_mode();
            else
                close_form(*this);
            return true;
        default:
            break;
        }
    }
    return pass_to_hot_keys(ctx_, event);
}

bool StormWindow::handle_mouse(QObject* watched, QEvent* event) {
    const int index = index_of(watched);
    if (event->type() == QEvent::ContextMenu) {
        const auto* menu_event = static_cast<QContextMenuEvent*>(event);
        if (index >= 0) selected_ = index;
        update_menus();
        (index >= 0 ? popup_tag_ : popup_)->popup(menu_event->globalPos());
        return true;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (index < 0 || mouse->button() != Qt::LeftButton) return false;
        selected_ = index;
        update_menus();
        dragging_ = index;
        drag_offset_ = mouse->position().toPoint();
        label(index)->raise();
        return true;
    case QEvent::MouseMove:
        if (dragging_ < 0 || watched != label(dragging_)) return false;
        label(dragging_)->move(label(dragging_)->mapToParent(mouse->position().toPoint()) - drag_offset_);
        return true;
    case QEvent::MouseButtonRelease:
        if (dragging_ < 0) return false;
        dragging_ = -1;
        return true;
    case QEvent::MouseButtonDblClick:
        if (index < 0 || !shown_[static_cast<std::size_t>(index)].picture) return false;
        run_link(ctx_, shown_[static_cast<std::size_t>(index)].tag.content);
        return true;
    default:
        return false;
    }
}

bool StormWindow::animation_paused() const {
    const QMdiSubWindow* frame = frame_of(*this);
    const bool minimised = frame ? frame->isMinimized() : isMinimized();
    return !ctx_.allow_automatic_changes || ctx_.title_being_asked || minimised || dragging_ >= 0;
}

void StormWindow::animation_step(bool forced) {
    if (!forced && (!auto_mode_ || animation_paused())) return;
    restore_expired_looks();
    const int index = cycle_.pick(ctx_.random);
    if (index < 0) return;
    QLabel& chosen = *label(index);
    if (colour_change_) paint(chosen);
    if (position_change_) place_at_random(chosen);
    if (focus_mode_) enlarge(index);
}

void StormWindow::enlarge(int index) {
    ShownTag& shown = shown_[static_cast<std::size_t>(index)];
    shown.label->raise();
    if (!shown.enlarged_since && !shown.picture) {
        QFont large = label_font_;
        large.setPointSizeF(label_font_.pointSizeF() * focus_growth);
        shown.label->setFont(large);
        fit_text_label(*shown.label);
    }
    shown.enlarged_since = ctx_.clock.now();
}

void StormWindow::restore_look(int index) {
    ShownTag& shown = shown_[static_cast<std::size_t>(index)];
    shown.enlarged_since.reset();
    if (shown.picture) return;
    shown.label->setFont(label_font_);
    fit_text_label(*shown.label);
}

void StormWindow::restore_expired_looks() {
    // Only the enlarged tags are laid out again; the others are not touched.
    const QDateTime now = ctx_.clock.now();
    for (int i = 0; i < tag_count(); ++i) {
        const auto& since = shown_[static_cast<std::size_t>(i)].enlarged_since;
        if (since && since->msecsTo(now) > enlarged_milliseconds) restore_look(i);
    }
}

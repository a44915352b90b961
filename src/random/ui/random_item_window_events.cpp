// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The random item view's pop-up menu, keys, clicks and dragging.
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/translate.h"
#include "core/ui/form_place.h"
#include "core/windows.h"
#include "maps/active_selection.h"
#include "maps/map_names.h"
#include "random/random_requests.h"
#include "random/ui/random_item_window.h"
#include "random/ui/random_windows.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace {

// A press shorter than this is a click; a longer one moves the window.
constexpr qint64 click_ms = 300;
const QString unavailable_tip = QStringLiteral("Not available in this version");

} // namespace

void RandomItemWindow::build_menu() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("m_popup"));
    popup_->setToolTipsVisible(true);
    const auto add = [this](const char* name, const char* caption, void (RandomItemWindow::*command)()) {
        QAction* action = popup_->addAction(translate(QString::fromUtf8(caption)));
        action->setObjectName(QString::fromLatin1(name));
        if (command) connect(action, &QAction::triggered, this, command);
        return action;
    };
    connect(add("m_close", "Close (ESC)", nullptr), &QAction::triggered, this, [this] { close_form(*this); });
    add("m_autochange", "Auto change on/off", &RandomItemWindow::toggle_auto_change)->setCheckable(true);
    add("m_selection_change_on_off", "Selection change on/off", &RandomItemWindow::toggle_selection_change)
        ->setCheckable(true);
    add("m_random_item_position_change", "Position change on/off", &RandomItemWindow::toggle_position_change)
        ->setCheckable(true);
    add("m_color_change", "Colour change on/off", &RandomItemWindow::toggle_colour_change)
        ->setCheckable(true);
    add("m_col_and_cat_visible", "Collection and category visible on/off",
        &RandomItemWindow::toggle_col_and_cat_visible)
        ->setCheckable(true);
    add("m_display_next_item", "Display next item (ENTER)", &RandomItemWindow::show_next);
    add("m_display_previous_item", "Display previous item (BACKSPACE)", &RandomItemWindow::show_previous);
    add("m_view_image", "View image in normal size", &RandomItemWindow::view_image);
    add("m_change_selection", "Change selection", &RandomItemWindow::change_selection);
    add("m_table_view_of_item", "Table view of items", &RandomItemWindow::table_view_of_item);
    add("m_random_map_view_of_items", "Random map view of items",
        &RandomItemWindow::random_map_view_of_items);
    update_menu();
}

void RandomItemWindow::update_menu() {
    const RandomToggles& toggles = chooser_->toggles;
    const auto set = [this](const char* name, bool checked) {
        if (auto* action = popup_->findChild<QAction*>(QLatin1String(name))) action->setChecked(checked);
    };
    set("m_autochange", toggles.auto_change);
    set("m_selection_change_on_off", toggles.selection_change);
    set("m_random_item_position_change", toggles.position_change);
    set("m_color_change", toggles.colour_change);
    set("m_col_and_cat_visible", toggles.col_and_cat_visible);
    // The picture viewer is a window of its own; without it the command stays in sight, disabled.
    auto* view_image_action = popup_->findChild<QAction*>(QStringLiteral("m_view_image"));
    const bool viewer = ctx_.windows.has_picture_viewer();
    view_image_action->setEnabled(viewer && !shown_picture_.isEmpty());
    view_image_action->setToolTip(viewer ? QString() : unavailable_tip);
}

// ---------------------------------------------------------------- commands

void RandomItemWindow::toggle_auto_change() {
    chooser_->toggles.auto_change = !chooser_->toggles.auto_change;
    if (chooser_->toggles.auto_change)
        timer_->start();
    else
        timer_->stop();
    update_menu();
}

void RandomItemWindow::toggle_selection_change() {
    chooser_->toggles.selection_change = !chooser_->toggles.selection_change;
    update_menu();
}

void RandomItemWindow::toggle_position_change() {
    chooser_->toggles.position_change = !chooser_->toggles.position_change;
    update_menu();
}

void RandomItemWindow::toggle_colour_change() {
    chooser_->toggles.colour_change = !chooser_->toggles.colour_change;
    update_menu();
}

void RandomItemWindow::toggle_col_and_cat_visible() {
    RandomToggles& toggles = chooser_->toggles;
    toggles.col_and_cat_visible = !toggles.col_and_cat_visible;
    lab_collection_->setVisible(toggles.col_and_cat_visible);
    lab_cat_->setVisible(toggles.col_and_cat_visible);
    fit_to_content();
    update_menu();
}

void RandomItemWindow::view_image() {
    if (ctx_.windows.has_picture_viewer() && !shown_picture_.isEmpty())
        ctx_.windows.show_picture(shown_picture_);
}

void RandomItemWindow::change_selection() {
    try {
        const MapParts prefill = ctx_.db ? parts_of_attributes(ctx_, form_attributes()) : MapParts{};
        const std::optional<MapParts> choice = ctx_.windows.select_map(prefill, false);
        if (!choice) return;
        RandomSelection selection = selection_of_choice(ctx_, *choice);
        std::unique_ptr<RandomChooser> chooser = manager_.make_chooser(selection);
        // A choice with nothing to show has been explained; the view keeps its selection.
        if (!chooser) return;
        chooser->toggles = chooser_->toggles;
        chooser->toggles.col_and_cat_visible = selection.map_name.isEmpty();
        chooser_ = std::move(chooser);
        selection_ = std::move(selection);
        shown_item_ = 0;
        arrange_for_mode();
        update_menu();
        show_next();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void RandomItemWindow::table_view_of_item() {
    int position = selection_.position;
    ctx_.table_presets = TablePresets{};
    if (shown_item_ != 0) {
        try {
            if (const std::optional<RandomItemRow> row = read_random_item(*ctx_.db, shown_item_)) {
                position = collection_index(ctx_.collections, row->collection);
                ctx_.table_presets.item_nr = row->item_nr;
            }
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
            return;
        }
    }
    if (position < 1 || position > CollectionTable::count) position = CollectionTable::all_collections;
    ctx_.windows.open_table_view(position);
}

void RandomItemWindow::random_map_view_of_items() {
    msg_translated(ctx_.prompter, QStringLiteral("Function under construction"));
}

// ---------------------------------------------------------------- keys and mouse

bool RandomItemWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (handle_key(*static_cast<QKeyEvent*>(event))) return true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
        if (is_label(watched) && handle_mouse(watched, event)) return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool RandomItemWindow::handle_key(const QKeyEvent& event) {
    if (ctx_.key_lock) return true;
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (event.key()) {
        case Qt::Key_Escape:
            if (chooser_->toggles.auto_change)
                toggle_auto_change();
            else
                close_form(*this);
            return true;
        case Qt::Key_Backspace:
        case Qt::Key_PageUp:
            show_previous();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
        case Qt::Key_PageDown:
            show_next();
            return true;
        default:
            break;
        }
    }
    return pass_to_hot_keys(ctx_, event);
}

bool RandomItemWindow::is_label(const QObject* watched) const {
    return watched == lab_collection_ || watched == lab_cat_ || watched == lab_item_ || watched == picx_;
}

bool RandomItemWindow::handle_mouse(QObject* watched, QEvent* event) {
    const auto& mouse = *static_cast<QMouseEvent*>(event);
    const QPoint global = mouse.globalPosition().toPoint();
    if (event->type() == QEvent::MouseButtonDblClick) {
        // The collection or category label: the table view of what the view shows.
        if (mouse.button() == Qt::LeftButton && (watched == lab_collection_ || watched == lab_cat_)) {
            pressed_ = false;
            manager_.set_dragging(0);
            open_table_view_of_active_form(ctx_);
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse.button() == Qt::RightButton) {
            update_menu();
            popup_->popup(global);
            return true;
        }
        if (mouse.button() != Qt::LeftButton) return false;
        pressed_ = true;
        press_time_ = ctx_.clock.now();
        press_global_ = global;
        const QMdiSubWindow* frame = frame_of(*this);
        press_frame_pos_ = frame ? frame->pos() : pos();
        chooser_->toggles.position_change = false;
        manager_.set_dragging(slot_);
        return true;
    }
    if (!pressed_) return false;
    if (event->type() == QEvent::MouseMove) {
        drag_to(global);
        return true;
    }
    if (mouse.button() == Qt::LeftButton) end_drag(watched, global);
    return true;
}

void RandomItemWindow::drag_to(const QPoint& global) {
    // lab_drag: an outline of the window that follows the pointer until the button is let go.
    QMdiSubWindow* frame = frame_of(*this);
    if (!frame || !frame->mdiArea()) return;
    if (!lab_drag_) {
        lab_drag_ = new QLabel(frame->mdiArea()->viewport());
        lab_drag_->setObjectName(QStringLiteral("lab_drag"));
        lab_drag_->setFrameStyle(QFrame::Box);
        lab_drag_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    lab_drag_->setGeometry(QRect(press_frame_pos_ + (global - press_global_), frame->size()));
    lab_drag_->show();
    lab_drag_->raise();
}

void RandomItemWindow::end_drag(QObject* watched, const QPoint& global) {
    pressed_ = false;
    manager_.set_dragging(0);
    if (lab_drag_) lab_drag_->hide();
    if (press_time_.msecsTo(ctx_.clock.now()) < click_ms) {
        // A click: the next item; on the item label the selection first stays put.
        if (watched == lab_item_ && chooser_->toggles.selection_change)
            chooser_->toggles.selection_change = false;
        show_next();
        return;
    }
    const QPoint target = press_frame_pos_ + (global - press_global_);
    if (QMdiSubWindow* frame = frame_of(*this))
        frame->move(target);
    else
        move(target);
}

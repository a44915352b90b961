// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map window's keyboard, mouse and drag and drop.
#include "core/app_context.h"
#include "core/key_shift.h"
#include "core/windows.h"
#include "maps/links.h"
#include "maps/ui/map_panel.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"

#include <QAction>
#include <QDrag>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QResizeEvent>

namespace {

void trigger(QAction* action) {
    if (action && action->isEnabled()) action->trigger();
}

} // namespace

bool MapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == sub_window()) {
        frame_resized(static_cast<QResizeEvent*>(event)->size());
        return false;
    }
    if (event->type() == QEvent::KeyPress && (watched == panel_area_ || watched == edit_box_)) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The window sees every key before its controls.
        if (handle_key(key)) return true;
        if (watched == edit_box_ && !key->text().isEmpty() && key->text().at(0).isPrint() &&
            !key->modifiers().testFlag(Qt::ControlModifier)) {
            content_box_typed(ctx_, items_.identity());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool MapWindow::handle_key(QKeyEvent* event) {
    if (closing_ || ctx_.key_lock) return true;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    const int key = event->key();
    if (handle_movement_key(key, ctrl, alt) || handle_command_key(key, ctrl, alt)) return true;
    if (mods == Qt::NoModifier && handle_letter_key(key)) return true;
    // Anything else goes to the general keys.
    return ctx_.windows.handle_hot_key(shift_bits(mods), key);
}

// Opening, closing and moving between panels and windows.
bool MapWindow::handle_movement_key(int key, bool ctrl, bool alt) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        open_selected(alt);
        return true;
    case Qt::Key_Escape:
        trigger(action(QStringLiteral("m_close_map")));
        return true;
    case Qt::Key_Up:
        if (ctrl)
            trigger(action(QStringLiteral("m_open_parent_map")));
        else
            move_vertical(-1);
        return true;
    case Qt::Key_Down:
        move_vertical(1);
        return true;
    case Qt::Key_Right:
        move_horizontal(1);
        return true;
    case Qt::Key_Left:
        move_horizontal(-1);
        return true;
    case Qt::Key_Tab:
        activate_neighbour(true);
        return true;
    case Qt::Key_Backtab:
        activate_neighbour(false);
        return true;
    case Qt::Key_Home:
        select(0);
        return true;
    case Qt::Key_End:
        select(panel_count() - 1);
        return true;
    default:
        return false;
    }
}

// The function keys and the other keys that run a command of the pop-up menu.
bool MapWindow::handle_command_key(int key, bool ctrl, bool alt) {
    QString command;
    switch (key) {
    case Qt::Key_F1:
        if (ctrl || alt) return false; // the general keys: Ctrl+F1 lists the keys
        show_popup(panel_area_->mapToGlobal(panel_area_->rect().center()));
        return true;
    case Qt::Key_Control:
        return true;
    case Qt::Key_Space:
        command = QStringLiteral("m_table_view_of_this_map");
        break;
    case Qt::Key_F2:
        command = ctrl ? QStringLiteral("m_change_topic_name") : QStringLiteral("m_popup_change_item_title");
        break;
    case Qt::Key_F3:
        command = QStringLiteral("m_search_in_this_collection");
        break;
    case Qt::Key_F5:
        command = QStringLiteral("m_auto_size");
        break;
    case Qt::Key_F6:
        command = QStringLiteral("m_create_topic_from_item");
        break;
    case Qt::Key_F7:
        command = QStringLiteral("m_sort");
        break;
    case Qt::Key_F8:
        command = QStringLiteral("m_insert_reference_to_another_map");
        break;
    case Qt::Key_F9:
        command = QStringLiteral("m_popup_view_edit_item_content");
        break;
    case Qt::Key_F10:
        command = QStringLiteral("m_edit_content");
        break;
    case Qt::Key_Insert:
        command = QStringLiteral("m_popup_add_item");
        break;
    case Qt::Key_Delete:
        command = ctrl ? QStringLiteral("m_delete_topic") : QStringLiteral("m_popup_remove_item");
        break;
    default:
        return false;
    }
    trigger(action(command));
    return true;
}

// Keys pressed without modifiers: a digit sets the number of columns, letters run commands.
bool MapWindow::handle_letter_key(int key) {
    if (key >= Qt::Key_1 && key <= Qt::Key_6) {
        set_columns(key - Qt::Key_0);
        return true;
    }
    if (key == Qt::Key_I) {
        trigger(action(QStringLiteral("m_random_item_view_of_selected_item")));
        return true;
    }
    if (key == Qt::Key_R) {
        trigger(action(QStringLiteral("m_random_map_of_cat")));
        return true;
    }
    return false;
}

void MapWindow::move_vertical(int step) {
    last_navigation_ = ctx_.clock.now();
    const int rows = std::max(1, layout_.rows);
    const int current = std::max(0, selected_);
    const int column = current / rows;
    const int row = (current % rows + step + rows) % rows;
    select(column * rows + row);
}

void MapWindow::move_horizontal(int step) {
    last_navigation_ = ctx_.clock.now();
    const int rows = std::max(1, layout_.rows);
    const int columns = std::max(1, layout_.columns);
    if (columns == 1) {
        activate_neighbour(step > 0);
        return;
    }
    const int current = std::max(0, selected_);
    int column = current / rows + step;
    const int row = current % rows;
    if (column < 0 || column >= columns) {
        // Past the edge: on to the next open map, or round to the other side when alone.
        if (ctx_.map_windows.in_use_count() > 1) {
            activate_neighbour(step > 0);
            return;
        }
        column = column < 0 ? columns - 1 : 0;
    }
    select(column * rows + row);
}

void MapWindow::activate_neighbour(bool forward) {
    const auto next = forward ? ctx_.map_windows.next_in_use(window_number_)
                              : ctx_.map_windows.previous_in_use(window_number_);
    if (next && *next != window_number_) windows_.activate(*next);
}

void MapWindow::panel_clicked(int index) {
    const PendingMapOperation pending = ctx_.pending_map_operation;
    if (pending.kind == PendingMapOperation::Kind::InsertReference && pending.requester != window_number_) {
        // The clicked panel is the target of the reference another window is waiting for.
        std::optional<QString> requester_map;
        if (pending.requester >= 1 && pending.requester <= MapWindowTable::capacity) {
            const MapSlot& slot = ctx_.map_windows.slot(pending.requester);
            if (slot.in_use) requester_map = slot.map_name;
        }
        const QString address = panel_address(items_.identity(), entry_at(index).title);
        select(index);
        apply(complete_insert_reference(ctx_, requester_map, window_number_, address));
        return;
    }
    select(index);
}

void MapWindow::show_popup(const QPoint& global_pos) {
    update_menu();
    menu_->popup(global_pos);
}

std::optional<DragPayload> MapWindow::drag_payload(int index, bool shift) const {
    // A grid filler exists only in the window: there is nothing to carry.
    if (busy_ || closing_ || index < 0 || index >= items_.count() || index >= panel_count())
        return std::nullopt;
    const MapItem& entry = items_.item(index);
    DragPayload payload;
    payload.item_nr = entry.item_nr;
    payload.title = entry.title;
    payload.source_window = window_number_;
    payload.source_index = index;
    payload.copy = shift;
    return payload;
}

void MapWindow::start_drag(int index, bool shift) {
    const std::optional<DragPayload> payload = drag_payload(index, shift);
    if (!payload) return;
    auto* drag = new QDrag(panel(index)); // owned by the panel, deleted by Qt when done
    drag->setMimeData(panel_drag::encode(*payload));
    drag->setPixmap(panel(index)->grab());
    drag->exec(Qt::MoveAction | Qt::CopyAction, payload->copy ? Qt::CopyAction : Qt::MoveAction);
}

void MapWindow::drop(const DragPayload& payload, int target) {
    if (busy_ || closing_ || items_.identity().top_map()) return;
    if (payload.source_window == window_number_) {
        // Only an entry of the map moves; a payload naming a grid filler carries nothing.
        if (payload.source_index < 0 || payload.source_index >= items_.count()) return;
        const int from = payload.source_index;
        const int to = std::clamp(target, 0, items_.count() - 1);
        if (from == to) return select(to);
        apply(drop_within(ctx_, items_, from, to));
        return;
    }
    MapWindow* source = windows_.window(payload.source_window);
    if (!source || payload.source_index < 0 || payload.source_index >= source->items().count()) return;
    apply(drop_between(ctx_, source->identity(), payload, items_));
}

void MapWindow::drop_on_background(const DragPayload& payload) {
    MapWindow* source = windows_.window(payload.source_window);
    if (!source || source->busy() || payload.source_index < 0) return;
    source->select(payload.source_index);
    source->cmd_remove_item();
}

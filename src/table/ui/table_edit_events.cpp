// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/table_edit_events.h"

#include "table/table_model.h"
#include "table/ui/table_edit_area.h"
#include "table/ui/table_grid.h"
#include "table/ui/table_view.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace {

bool pending(EditMode mode) {
    return mode == EditMode::Insert || mode == EditMode::Edit;
}

} // namespace

TableEditEvents::TableEditEvents(TableView* view) : QObject(view), view_(view) {
    setObjectName(QStringLiteral("edit_events"));
}

bool TableEditEvents::eventFilter(QObject* watched, QEvent* event) {
    QLineEdit* cell_editor = view_->grid()->cell_editor();
    const bool on_rows = watched == view_->grid()->viewport();
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // The content field and the window background open the content editor.
        if (watched == view_->edit_area()->content_field()->viewport() || watched == view_) {
            if (!pending(view_->edit_mode())) view_->expand_edit_area();
            return watched == view_;
        }
        break;
    case QEvent::KeyPress:
        if (cell_editor && watched == cell_editor) return cell_editor_key(static_cast<QKeyEvent*>(event));
        if (watched == view_->grid()) return grid_key(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::FocusOut:
        // Clicking or tabbing elsewhere leaves the cell; a message box about the cell does not,
        // so that the text typed stays to be corrected.
        if (cell_editor && watched == cell_editor && cell_editor->isVisible()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                reason == Qt::BacktabFocusReason)
                view_->cancel_cell_edit();
        }
        break;
    case QEvent::MouseButtonPress:
        if (on_rows) mouse_pressed(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseMove:
        if (on_rows) return mouse_moved(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        if (on_rows) drag_row_ = -1;
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (on_rows) return drag_event(event);
        break;
    default:
        break;
    }
    return false;
}

bool TableEditEvents::drag_event(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!drop->mimeData()->hasFormat(row_mime_type)) return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        const qint64 item_nr = drop->mimeData()->data(row_mime_type).toLongLong();
        view_->drop_on_row(item_nr, view_->grid()->rowAt(drop->position().toPoint().y()));
    }
    return true;
}

bool TableEditEvents::cell_editor_key(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        view_->commit_cell_edit();
        return true;
    case Qt::Key_Escape:
        view_->cancel_cell_edit();
        return true;
    default:
        return false;
    }
}

// A printable key typed on the grid starts a cell edit; Ctrl+Z undoes the last cell write.
bool TableEditEvents::grid_key(QKeyEvent* key) {
    if (key->key() == Qt::Key_Z && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier)
        return view_->undo_cell_edit();
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    return view_->start_cell_edit(text);
}

void TableEditEvents::mouse_pressed(QMouseEvent* mouse) {
    drag_row_ =
        mouse->button() == Qt::LeftButton ? view_->grid()->rowAt(mouse->position().toPoint().y()) : -1;
    drag_start_ = mouse->position().toPoint();
}

bool TableEditEvents::mouse_moved(QMouseEvent* mouse) {
    if (drag_row_ < 0 || !(mouse->buttons() & Qt::LeftButton) || pending(view_->edit_mode())) return false;
    if ((mouse->position().toPoint() - drag_start_).manhattanLength() < QApplication::startDragDistance())
        return false;
    const qint64 item_nr = view_->model() ? view_->model()->item_nr_at(drag_row_) : 0;
    drag_row_ = -1;
    if (item_nr == 0) return false;
    auto* drag = new QDrag(view_->grid()->viewport()); // owned by Qt until the drag ends
    auto* data = new QMimeData;
    data->setData(row_mime_type, QByteArray::number(item_nr));
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    return true;
}

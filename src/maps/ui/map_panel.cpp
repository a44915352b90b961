// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/map_panel.h"

#include <QApplication>
#include <QDataStream>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace panel_drag {

QMimeData* encode(const DragPayload& payload) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << payload.item_nr << payload.title << payload.source_window << payload.source_index << payload.copy;
    auto* mime = new QMimeData; // handed to QDrag, which owns it
    mime->setData(mime_type, bytes);
    mime->setText(payload.title);
    return mime;
}

std::optional<DragPayload> decode(const QMimeData* mime) {
    if (!mime || !mime->hasFormat(mime_type)) return std::nullopt;
    QByteArray bytes = mime->data(mime_type);
    QDataStream in(&bytes, QIODevice::ReadOnly);
    DragPayload payload;
    in >> payload.item_nr >> payload.title >> payload.source_window >> payload.source_index >> payload.copy;
    if (in.status() != QDataStream::Ok) return std::nullopt;
    return payload;
}

} // namespace panel_drag

MapPanel::MapPanel(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setObjectName(QStringLiteral("pan_%1").arg(index + 1));
    // The window takes every key: the panel area holds the focus, never a panel.
    setFocusPolicy(Qt::NoFocus);
    setAcceptDrops(true);
    setAutoFillBackground(true);
}

void MapPanel::set_background(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Button, colour);
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QColor MapPanel::background() const {
    return palette().color(QPalette::Button);
}

void MapPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        press_pos_ = event->position().toPoint();
        shift_at_press_ = event->modifiers().testFlag(Qt::ShiftModifier);
        Q_EMIT clicked_at(index_);
    } else if (event->button() == Qt::RightButton) {
        Q_EMIT clicked_at(index_);
        Q_EMIT context_menu_at(index_, event->globalPosition().toPoint());
    }
    event->accept();
}

void MapPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) return;
    if ((event->position().toPoint() - press_pos_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    Q_EMIT drag_started_at(index_, shift_at_press_);
}

void MapPanel::mouseReleaseEvent(QMouseEvent* event) {
    pressed_ = false;
    event->accept();
}

void MapPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT double_clicked_at(index_, event->modifiers().testFlag(Qt::AltModifier));
    event->accept();
}

void MapPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(panel_drag::mime_type)) event->acceptProposedAction();
}

void MapPanel::dropEvent(QDropEvent* event) {
    if (auto payload = panel_drag::decode(event->mimeData())) {
        event->acceptProposedAction();
        Q_EMIT dropped_on(index_, *payload);
    }
}

PanelArea::PanelArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pan_pan"));
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
}

void PanelArea::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(panel_drag::mime_type)) event->acceptProposedAction();
}

void PanelArea::dropEvent(QDropEvent* event) {
    if (auto payload = panel_drag::decode(event->mimeData())) {
        event->acceptProposedAction();
        Q_EMIT dropped_on_background(*payload);
    }
}

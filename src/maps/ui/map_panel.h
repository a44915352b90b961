// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_editing.h"

#include <QPoint>
#include <QPushButton>
#include <QWidget>
#include <optional>

class QMimeData;

// The drag of a panel carries the item number, the title, the source window and the source
// index, and whether Shift was held when it started (copy instead of move).
namespace panel_drag {
inline const QString mime_type = QStringLiteral("application/x-tessarin-tag");
QMimeData* encode(const DragPayload& payload);
std::optional<DragPayload> decode(const QMimeData* mime);
} // namespace panel_drag

// One tag panel of a map window: a push button that leaves keys to the window and reports
// clicks, double clicks, right clicks, drags and drops by its 0-based index.
class MapPanel final : public QPushButton {
    Q_OBJECT
public:
    MapPanel(int index, QWidget* parent);
    int index() const { return index_; }
    // Background colour; kept in the palette so that the style paints it.
    void set_background(const QColor& colour);
    QColor background() const;

Q_SIGNALS:
    void clicked_at(int index);
    void double_clicked_at(int index, bool alt);
    void context_menu_at(int index, const QPoint& global_pos);
    void drag_started_at(int index, bool shift);
    void dropped_on(int index, const DragPayload& payload);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int index_;
    QPoint press_pos_;
    bool pressed_ = false;
    bool shift_at_press_ = false;
};

// The area holding the panels; a drop on its background deletes the dragged tag.
class PanelArea final : public QWidget {
    Q_OBJECT
public:
    explicit PanelArea(QWidget* parent);

Q_SIGNALS:
    void dropped_on_background(const DragPayload& payload);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

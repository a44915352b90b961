// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QKeyEvent;
class QMouseEvent;
class TableView;

// Mouse, key and drop events of the table view's edit area and grid that its editing handles:
// double clicks open the content editor, typing on the grid opens the cell editor (Enter writes,
// Escape leaves, Ctrl+Z undoes the last write), and rows are dragged onto rows.
class TableEditEvents final : public QObject {
public:
    explicit TableEditEvents(TableView* view);
    // The MIME type of a dragged row: its item number.
    inline static const QString row_mime_type = QStringLiteral("application/x-tessarin-item-nr");

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool cell_editor_key(QKeyEvent* key);
    bool grid_key(QKeyEvent* key);
    void mouse_pressed(QMouseEvent* mouse);
    bool mouse_moved(QMouseEvent* mouse);
    bool drag_event(QEvent* event);

    TableView* view_;
    int drag_row_ = -1; // the row a mouse press may start to drag
    QPoint drag_start_;
};

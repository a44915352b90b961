// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

class QMimeData;

// The type under which a dragged list line carries its item number.
inline const QString item_line_mime_type = QStringLiteral("application/x-tessarin-item-nr");
// The item number a drag carries; 0 when it carries none.
qint64 dragged_item(const QMimeData* data);

// One of the calendar's lists of events. Each line shows its visible text and keeps the whole
// line, whose last 8 characters are the item number. A line can be dragged onto a list or a day
// cell, and a line dropped here is reported with its item number.
class EventList final : public QListWidget {
    Q_OBJECT
public:
    explicit EventList(QWidget* parent = nullptr);

    void set_lines(const QStringList& lines);
    // The item number of line `row`; 0 when there is none.
    qint64 item_at(int row) const;
    qint64 current_item_nr() const { return item_at(currentRow()); }
    // Makes the line of `item_nr` the current one; false when the list does not hold it.
    bool select_item(qint64 item_nr);
    // What a drop of `carried` here does: the item it carries is reported. True when it carried one.
    bool take_drop(const QMimeData* carried);

signals:
    void item_dropped(qint64 item_nr);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

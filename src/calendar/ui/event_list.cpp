// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/ui/event_list.h"

#include "calendar/calendar_lists.h"

#include <QDropEvent>
#include <QMimeData>

namespace {

constexpr int line_role = Qt::UserRole;

// The visible part of a line: its text without the padding and the number.
QString visible_part(const QString& line) {
    QString text = line.left(list_text_width);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

qint64 dragged_item(const QMimeData* data) {
    if (!data || !data->hasFormat(item_line_mime_type)) return 0;
    return data->data(item_line_mime_type).toLongLong();
}

EventList::EventList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setUniformItemSizes(true);
}

void EventList::set_lines(const QStringList& lines) {
    clear();
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(visible_part(line), this);
        item->setData(line_role, line);
    }
}

qint64 EventList::item_at(int row) const {
    const QListWidgetItem* line = item(row);
    return line ? item_of_line(line->data(line_role).toString()) : 0;
}

bool EventList::select_item(qint64 item_nr) {
    for (int row = 0; item_nr != 0 && row < count(); ++row) {
        if (item_at(row) != item_nr) continue;
        setCurrentRow(row);
        return true;
    }
    return false;
}

QStringList EventList::mimeTypes() const {
    return {item_line_mime_type};
}

QMimeData* EventList::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.isEmpty()) return nullptr;
    auto* carried = new QMimeData;
    carried->setData(item_line_mime_type,
                     QByteArray::number(item_of_line(items.first()->data(line_role).toString())));
    return carried;
}

void EventList::dragEnterEvent(QDragEnterEvent* event) {
    if (dragged_item(event->mimeData()) != 0) event->acceptProposedAction();
}

void EventList::dragMoveEvent(QDragMoveEvent* event) {
    if (dragged_item(event->mimeData()) != 0) event->acceptProposedAction();
}

void EventList::dropEvent(QDropEvent* event) {
    if (!take_drop(event->mimeData())) return;
    // The line is not moved between lists: the item is rescheduled and the lists reload.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

bool EventList::take_drop(const QMimeData* carried) {
    const qint64 item_nr = dragged_item(carried);
    if (item_nr == 0) return false;
    emit item_dropped(item_nr);
    return true;
}

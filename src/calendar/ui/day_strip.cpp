// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/ui/day_strip.h"

#include "calendar/ui/calendar_colours.h"
#include "calendar/ui/event_list.h"
#include "core/translate.h"

#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>

namespace {

// Index in the cell arrays: 0 the days before today, 1 to 40 the strip, 41 the days beyond.
constexpr int expired_index = 0;
constexpr int more_index = strip_days + 1;

QLabel* make_cell(QWidget* parent, const QString& name) {
    auto* cell = new QLabel(parent);
    cell->setObjectName(name);
    cell->setAlignment(Qt::AlignCenter);
    cell->setAutoFillBackground(true);
    cell->setFrameShape(QFrame::Box);
    cell->setMinimumWidth(cell->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    return cell;
}

void paint(QLabel& cell, CellColour colour) {
    QPalette palette = cell.palette();
    palette.setColor(QPalette::Window, cell_colour(colour));
    palette.setColor(QPalette::WindowText, Qt::black);
    cell.setPalette(palette);
}

QString count_text(int count) {
    return count == 0 ? QString() : QString::number(count);
}

} // namespace

DayStrip::DayStrip(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(1);
    grid->setVerticalSpacing(1);
    for (int index = 0; index < strip_days + 2; ++index) {
        QString day_name;
        QString count_name;
        if (index == expired_index) {
            day_name = QStringLiteral("Lab_day_expired");
            count_name = QStringLiteral("Lab_histo_expired");
        } else if (index == more_index) {
            day_name = QStringLiteral("lab_day_more");
            count_name = QStringLiteral("lab_histo_more");
        } else {
            day_name = QStringLiteral("Lab_day_%1").arg(index);
            count_name = QStringLiteral("Lab_histo_%1").arg(index);
        }
        days_.at(index) = make_cell(this, day_name);
        counts_.at(index) = make_cell(this, count_name);
        grid->addWidget(days_.at(index), 0, index);
        grid->addWidget(counts_.at(index), 1, index);
        for (QLabel* cell : {days_.at(index), counts_.at(index)}) {
            cell->setAcceptDrops(index != expired_index && index != more_index);
            cell->installEventFilter(this);
        }
    }
    days_.at(expired_index)->setText(QStringLiteral("<"));
    days_.at(expired_index)->setToolTip(translate(QStringLiteral("Before today")));
    days_.at(more_index)->setText(QStringLiteral(">"));
    days_.at(more_index)->setToolTip(translate(QStringLiteral("40 days ahead and later")));
}

void DayStrip::set_days(const QDate& today) {
    const QLocale locale;
    for (int offset = 0; offset < strip_days; ++offset) {
        const QDate day = today.addDays(offset);
        QLabel& cell = day_cell(offset);
        cell.setText(QString::number(day.day()));
        cell.setToolTip(locale.toString(day, QLocale::LongFormat));
    }
}

void DayStrip::set_colours(const DayStripColours& colours) {
    for (int offset = 0; offset < strip_days; ++offset)
        paint(day_cell(offset), colours.days.at(offset));
    paint(day_cell(-1), colours.expired);
    paint(day_cell(strip_days), colours.more);
}

void DayStrip::set_counts(const DayMarks& marks) {
    for (int offset = 0; offset < strip_days; ++offset)
        count_cell(offset).setText(count_text(marks.days.at(offset)));
    count_cell(-1).setText(count_text(marks.expired));
    count_cell(strip_days).setText(count_text(marks.more));
}

QLabel& DayStrip::day_cell(int i) const {
    return *days_.at(i + 1);
}

QLabel& DayStrip::count_cell(int i) const {
    return *counts_.at(i + 1);
}

bool DayStrip::take_drop(int offset, const QMimeData* carried) {
    const qint64 item_nr = dragged_item(carried);
    if (item_nr == 0 || offset < 0 || offset >= strip_days) return false;
    emit item_dropped(item_nr, offset);
    return true;
}

std::optional<int> DayStrip::offset_of(const QObject* cell) const {
    for (int index = 1; index <= strip_days; ++index)
        if (days_.at(index) == cell || counts_.at(index) == cell) return index - 1;
    return std::nullopt;
}

bool DayStrip::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<int> offset = offset_of(watched);
    if (!offset) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) emit day_clicked(*offset);
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (dragged_item(drag->mimeData()) != 0) drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (take_drop(*offset, drop->mimeData())) {
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
        }
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

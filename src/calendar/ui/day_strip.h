// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/calendar_lists.h"

#include <QWidget>
#include <array>

class QLabel;
class QMimeData;

// The strip of day cells under the month calendar: one cell for the days before today, cells for
// today and the next 39 days, one for the days beyond, each with its count of events beneath.
// A cell takes the item lines dropped on it.
class DayStrip final : public QWidget {
    Q_OBJECT
public:
    explicit DayStrip(QWidget* parent = nullptr);

    // Captions the cells with their days (the day of the month, the month's name on the first of
    // a month), from today on.
    void set_days(const QDate& today);
    void set_colours(const DayStripColours& colours);
    // An empty count shows no number.
    void set_counts(const DayMarks& marks);

    // Cell i (0 to 39 the strip's days, -1 before today, strip_days beyond) and its count.
    QLabel& day_cell(int i) const;
    QLabel& count_cell(int i) const;
    // What a drop of `carried` on the cell of day `offset` does: the item it carries is reported.
    // True when it carried one.
    bool take_drop(int offset, const QMimeData* carried);

signals:
    // A click on the cell or count of day `offset` (0 to 39 days after today).
    void day_clicked(int offset);
    // An item line dropped on the cell of day `offset`.
    void item_dropped(qint64 item_nr, int offset);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The strip index of a day or count cell, or nothing.
    std::optional<int> offset_of(const QObject* cell) const;

    std::array<QLabel*, strip_days + 2> days_{};
    std::array<QLabel*, strip_days + 2> counts_{};
};

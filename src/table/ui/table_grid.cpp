// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/table_grid.h"

#include "core/db_error.h"
#include "core/geometry.h"
#include "table/table_columns.h"
#include "table/table_query.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace {

constexpr int px(int twips) {
    return twips / twips_per_pixel;
}

} // namespace

TableGrid::TableGrid(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("grid"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fit_rows_to_font();
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
}

void TableGrid::fit_rows_to_font() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void TableGrid::set_col_widths(Database& db, const TableQuery& query) {
    for (int column = 0; column <= query.last_column(); ++column) {
        const bool hide = table_columns::hidden(query.position(), column);
        setColumnHidden(column, hide);
        if (hide) continue;
        int width = px(table_columns::default_width(column));
        try {
            width = px(table_columns::width(db, query.position(), column));
        } catch (const DbError&) {
            // The default width stands.
        }
        // A date column is never narrower than a date in the font in use ("05/1..." otherwise).
        if (column >= table_columns::date_expiry && column <= table_columns::date_remind)
            width = std::max(width, date_column_width());
        setColumnWidth(column, width);
    }
}

int TableGrid::date_column_width() const {
    const QFontMetrics metrics = fontMetrics();
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    return metrics.horizontalAdvance(QStringLiteral("00/00/00 00:00")) + margin;
}

void TableGrid::save_col_widths(Database& db, const TableQuery& query) const {
    table_columns::save_widths(db, query.position(), query.last_column(),
                               [this](int column) { return columnWidth(column) * twips_per_pixel; });
}

void TableGrid::show_row(int row, int column) {
    const QSignalBlocker block(selectionModel());
    const QModelIndex index = model()->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // Only the rows scroll: bringing the title column into a grid not yet laid out would leave
    // the window opened on its far right, with blank headers.
    QScrollBar* across = horizontalScrollBar();
    const int across_before = across->value();
    scrollTo(index);
    across->setValue(across_before);
}

QLineEdit* TableGrid::open_cell_editor(const QModelIndex& index, const QString& typed, QObject* keys) {
    if (!cell_editor_) {
        cell_editor_ = new QLineEdit(viewport());
        cell_editor_->setObjectName(QStringLiteral("cell_editor"));
        // Plainly not a row any more: a framed, tinted field over the cell.
        cell_editor_->setStyleSheet(
            QStringLiteral("QLineEdit { border: 2px solid #0050b0; background-color: #ffffd0; }"));
        cell_editor_->installEventFilter(keys);
    }
    cell_editor_->setGeometry(visualRect(index));
    cell_editor_->setText(typed);
    cell_editor_->show();
    cell_editor_->setFocus();
    return cell_editor_;
}

void TableGrid::close_cell_editor() {
    if (!cell_editor_) return;
    const bool had_focus = cell_editor_->hasFocus();
    cell_editor_->hide();
    if (had_focus) setFocus();
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class Database;
class QLineEdit;
class TableQuery;

// The grid of the table view: one row per item, whole rows selected, captions clickable for the
// sort, column widths kept in twips per position, and the cell editor that typing opens over a
// cell.
class TableGrid final : public QTableView {
    Q_OBJECT
public:
    explicit TableGrid(QWidget* parent);

    // Row height after a font change.
    void fit_rows_to_font();
    // Column widths and visibility of the query's position, from the stored parameters (the
    // defaults when they cannot be read).
    void set_col_widths(Database& db, const TableQuery& query);
    // Stores the column widths of the query's position.
    void save_col_widths(Database& db, const TableQuery& query) const;
    // Makes `row` current (showing `column`) without signals; only the rows scroll.
    void show_row(int row, int column);

    // The cell editor over `index`, made at its first use, with `typed` in it; `keys` sees its
    // events.
    QLineEdit* open_cell_editor(const QModelIndex& index, const QString& typed, QObject* keys);
    QLineEdit* cell_editor() const { return cell_editor_; }
    // Hides the cell editor; the focus goes back to the grid when the editor had it.
    void close_cell_editor();

private:
    // The width, in pixels, that shows a date and time of the grid in full.
    int date_column_width() const;

    QLineEdit* cell_editor_ = nullptr;
};

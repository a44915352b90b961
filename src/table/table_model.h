// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <array>
#include <list>
#include <memory>
#include <vector>

class Database;

// The rows of a table view's statement. Filling it runs the statement once and keeps only the
// item numbers in the statement's order; the columns of a row are read by item number when the
// grid asks for them, a page of rows at a time, and only a few pages are kept. So a grid of
// 100,000 rows holds 100,000 numbers, not 100,000 contents.
class TableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // Rows read together when the grid asks for one of them.
    static constexpr int page_rows = 128;
    // Pages kept; the oldest is dropped first.
    static constexpr int kept_pages = 16;
    // A content cell shows its first line, cut to this many characters.
    static constexpr int content_display_chars = 250;

    // `select_from` is the SELECT ... FROM ... of the statements, without WHERE: the columns are
    // read through it, "where repos.item_nr in (...)" being appended. `columns` is the number of
    // its columns (8, or 11 with the date columns). `db` is the slot owning the program's
    // connection (ctx.db): it is read at each use, so the model never holds a connection that a
    // password change or "Change database" has replaced or closed.
    TableModel(const std::unique_ptr<Database>& db, QString select_from, int columns,
               QObject* parent = nullptr);

    // Runs `statement` (whose first column is item_nr) and shows its rows. A failing statement
    // throws DbError and leaves the rows shown before.
    void fill(const QString& statement);
    // The statement that reads only the item numbers of `statement`'s rows, in its order.
    static QString numbers_statement(const QString& statement);
    // Drops the cached columns so that the next look reads the rows afresh.
    void invalidate();

    qint64 item_nr_at(int row) const;
    // The first row showing `item_nr`, -1 when none.
    int row_of(qint64 item_nr) const;
    // Every column of a row as stored (the content whole), empty when the row is gone.
    std::vector<QVariant> record(int row) const;
    // The display text of a cell.
    QString text(int row, int column) const;
    // Sets the header captions of columns 0 onwards.
    void set_headers(const QStringList& headers);
    void set_right_aligned(int column) { right_aligned_ = column; }
    // Pages read from the database since the model was made (the grid's cost of scrolling).
    int pages_read() const { return pages_read_; }
    int cached_pages() const { return static_cast<int>(pages_.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    using Row = std::array<QString, 11>;
    const std::vector<Row>& page(int number) const;
    Database& db() const;

    const std::unique_ptr<Database>& db_;
    QString select_from_;
    int columns_;
    std::vector<qint64> ids_;
    QStringList headers_;
    int right_aligned_ = -1;
    mutable QHash<int, std::vector<Row>> pages_;
    mutable std::list<int> page_order_; // most recently used first
    mutable int pages_read_ = 0;
};

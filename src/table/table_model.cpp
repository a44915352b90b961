// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_model.h"

#include "core/database.h"
#include "core/dates.h"
#include "core/format.h"

#include <algorithm>

namespace {

// Dates are stored as Julian day numbers; the grid shows them day first.
QString display_text(int column, const QVariant& value) {
    if (value.isNull()) return {};
    if (column == 8 || column == 9) {
        bool ok = false;
        const double julian = value.toDouble(&ok);
        if (ok && value.typeId() != QMetaType::QString)
            return format_date(dates::from_julian(julian), QStringLiteral("dd/mm/yy hh:nn"));
    }
    QString text = value.toString();
    if (column == 7) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
                text.truncate(i);
                break;
            }
        }
        if (text.size() > TableModel::content_display_chars) text.truncate(TableModel::content_display_chars);
    }
    return text;
}

} // namespace

TableModel::TableModel(const std::unique_ptr<Database>& db, QString select_from, int columns, QObject* parent)
    : QAbstractTableModel(parent), db_(db), select_from_(std::move(select_from)), columns_(columns) {}

Database& TableModel::db() const {
    if (!db_) throw DbError(db_errno::not_a_database, QStringLiteral("No database is open."));
    return *db_;
}

// The rows' order and item numbers only: the columns are read later, a page at a time, so the
// engine's sorter need not carry every title and content through the sort.
QString TableModel::numbers_statement(const QString& statement) {
    static const QString from = QStringLiteral(" from repos ");
    if (!statement.startsWith(QStringLiteral("Select item_nr,"), Qt::CaseInsensitive)) return statement;
    const qsizetype at = statement.indexOf(from, 0, Qt::CaseInsensitive);
    if (at < 0) return statement;
    return QStringLiteral("Select repos.item_nr") + statement.mid(at);
}

void TableModel::fill(const QString& statement) {
    std::vector<qint64> ids;
    {
        Statement rows = db().prepare(numbers_statement(statement));
        while (rows.next())
            ids.push_back(rows.value(0).toLongLong());
    }
    beginResetModel();
    ids_ = std::move(ids);
    ids_.shrink_to_fit();
    pages_.clear();
    page_order_.clear();
    endResetModel();
}

void TableModel::invalidate() {
    pages_.clear();
    page_order_.clear();
    if (!ids_.empty()) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columns_ - 1));
}

qint64 TableModel::item_nr_at(int row) const {
    if (row < 0 || row >= rowCount()) return 0;
    return ids_[static_cast<std::size_t>(row)];
}

int TableModel::row_of(qint64 item_nr) const {
    const auto it = std::find(ids_.begin(), ids_.end(), item_nr);
    return it == ids_.end() ? -1 : static_cast<int>(it - ids_.begin());
}

std::vector<QVariant> TableModel::record(int row) const {
    std::vector<QVariant> values;
    const qint64 item_nr = item_nr_at(row);
    if (item_nr == 0) return values;
    Statement read =
        db().prepare(select_from_ + QStringLiteral(" where repos.item_nr = ") + QString::number(item_nr));
    if (!read.next()) return values;
    for (int column = 0; column < read.column_count(); ++column)
        values.push_back(read.value(column));
    return values;
}

const std::vector<TableModel::Row>& TableModel::page(int number) const {
    if (const auto it = pages_.constFind(number); it != pages_.cend()) {
        page_order_.remove(number);
        page_order_.push_front(number);
        return *it;
    }
    const int first = number * page_rows;
    const int count = std::min(page_rows, rowCount() - first);
    QString in;
    in.reserve(qsizetype{count} * 8);
    for (int i = 0; i < count; ++i) {
        if (i > 0) in += QLatin1Char(',');
        in += QString::number(ids_[static_cast<std::size_t>(first) + static_cast<std::size_t>(i)]);
    }
    // The same item may appear in several rows (a join may repeat it); every row gets its columns.
    QHash<qint64, Row> by_item;
    try {
        Statement read =
            db().prepare(select_from_ + QStringLiteral(" where repos.item_nr in (") + in + QLatin1Char(')'));
        while (read.next()) {
            Row row;
            for (int column = 0; column < columns_ && column < read.column_count(); ++column)
                row[static_cast<std::size_t>(column)] = display_text(column, read.value(column));
            by_item.insert(read.value(0).toLongLong(), row);
        }
    } catch (const DbError&) {
        // A row that cannot be read shows empty; the next query reports the failure.
    }
    ++pages_read_;
    std::vector<Row> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto found =
            by_item.constFind(ids_[static_cast<std::size_t>(first) + static_cast<std::size_t>(i)]);
        if (found != by_item.cend()) rows[static_cast<std::size_t>(i)] = *found;
    }
    if (static_cast<int>(page_order_.size()) >= kept_pages) {
        pages_.remove(page_order_.back());
        page_order_.pop_back();
    }
    page_order_.push_front(number);
    return *pages_.insert(number, rows);
}

QString TableModel::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_) return {};
    const std::vector<Row>& rows = page(row / page_rows);
    return rows[static_cast<std::size_t>(row % page_rows)][static_cast<std::size_t>(column)];
}

void TableModel::set_headers(const QStringList& headers) {
    headers_ = headers;
    if (columns_ > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ids_.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columns_) return {};
    if (role == Qt::DisplayRole) return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() == right_aligned_)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= columns_) return {};
    return headers_.value(section);
}

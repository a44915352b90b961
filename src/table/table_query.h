// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// The statement behind a table view: its fixed part for the collection position, the filters
// joined by AND or OR, and the order of the sort column with its direction text.

// The six filter fields of the window, as typed.
struct TableFilters {
    QString mark;
    QString collection;
    QString cat;
    QString id;
    QString title;
    QString content;
    bool use_or = true;
};

// The content filter text that selects link items pointing at pictures.
inline const QString picture_filter = QStringLiteral("%image%");

// Turns a filter text into a condition on `field`: words joined by and, or and parentheses,
// each word matched anywhere in the field ("field like '*word*'"). The keywords are found also
// inside words, so "Gordon" gives the words "G" and "don" joined by " or ". `text` is expected
// to have passed through sql_quote already.
QString build_like_condition(const QString& field, const QString& text);

// In position 11 the first "item_title" after the first "order by" becomes "val(item_title)";
// in position 6 "cvdate(item_title)"; in positions 7 and 8 the first "item_id" becomes
// "val(item_id)". Other positions, or no such key, leave the statement as it is.
QString typed_ordering(int position, const QString& statement);

class TableQuery {
public:
    static constexpr int all_collections = 45;
    static constexpr int max_sort_column = 10;

    TableQuery() = default;
    TableQuery(int position, QString collection_name, bool deadlines_only);

    int position() const { return position_; }
    const QString& collection_name() const { return collection_name_; }
    bool deadlines_only() const { return deadlines_only_; }
    bool all_collections_view() const { return position_ == all_collections; }
    // Positions 1, 44 and 45 show the date columns.
    bool date_position() const { return position_ == 1 || position_ == 44 || position_ == all_collections; }
    // The last column of the statement: 10 with the date columns, else 7.
    int last_column() const { return date_position() ? 10 : 7; }

    // The SELECT with its fixed WHERE part.
    const QString& base_statement() const { return base_; }
    // The SELECT and FROM of the base statement, without any WHERE: rows of it are read by
    // item number when the grid shows them.
    QString select_from() const;

    int sort_column() const { return sort_column_; }
    // "ASC", "DESC" or "" for columns 1 to 10.
    QString direction(int column) const;
    void set_sort_column(int column) { sort_column_ = column; }
    void set_direction(int column, const QString& direction);
    // A click on the header of `column`: columns that can order the rows become the sort column
    // with their direction flipped. False when the column cannot order the rows.
    bool header_click(int column);
    static bool can_sort_by(int column);

    struct Built {
        QString statement; // with the typed ordering of the position
        QString plain;     // without it: the one retry when the statement fails
    };
    Built build(const TableFilters& filters) const;

private:
    int position_ = 0;
    QString collection_name_;
    bool deadlines_only_ = false;
    QString base_;
    int sort_column_ = 2;
    std::array<QString, max_sort_column + 1> directions_{};
};

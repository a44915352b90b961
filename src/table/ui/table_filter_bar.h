// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/lookup_list.h"
#include "table/table_query.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// fra_filters of the table view: the six filter fields, the AND/OR choice, b_clear, the lookup
// buttons of the collection and category filters, and lab_filter_problem, which says why a
// filter cannot be used yet.
class TableFilterBar final : public QGroupBox {
    Q_OBJECT
public:
    explicit TableFilterBar(QWidget* parent);

    TableFilters read() const;
    // Writes every field and the AND/OR choice; what the window writes is not typing, so it
    // sends no edited().
    void write(const TableFilters& filters);
    // Marks the filters that cannot be turned into a condition (red frame, the reason in
    // lab_filter_problem) and clears the marks of the others. True when every filter is usable.
    bool check();

    QLineEdit* collection_field() const { return collection_field_; }
    QLineEdit* cat_field() const { return cat_field_; }
    QLineEdit* field_of(LookupTarget target) const;
    bool holds(const QObject* field) const;

Q_SIGNALS:
    // The user changed a filter or the AND/OR choice.
    void edited();
    void clear_clicked();
    void lookup_clicked(LookupTarget target);

private:
    QLineEdit* mark_field_;
    QLineEdit* collection_field_;
    QLineEdit* cat_field_;
    QLineEdit* id_field_;
    QLineEdit* title_field_;
    QLineEdit* content_field_;
    QPushButton* look_collection_;
    QPushButton* look_cat_;
    QRadioButton* and_option_;
    QRadioButton* or_option_;
    QPushButton* clear_button_;
    QLabel* problem_label_;
    bool writing_ = false; // the window itself writes into the fields
};

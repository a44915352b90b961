// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/table_editing.h"

#include <QDateTime>
#include <QGroupBox>
#include <QVariant>
#include <vector>

class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// fra_edit of the table view: the fields of the current row (t_collection, t_cat, t_mark,
// t_item_id, t_item_title, t_item_content, the two date pickers with the check boxes that switch
// them on), their labels, the lookup buttons and b_browse, b_browse_dir and b_zoom. Until the
// window's editing is set up the fields stay read-only.
class TableEditArea final : public QGroupBox {
    Q_OBJECT
public:
    explicit TableEditArea(QWidget* parent);

    // The position's layout: the date pickers shown for dated positions in `date_format`, the Id
    // right-aligned where Ids are numbers.
    void set_position(bool dated, const QString& date_format, bool id_right_aligned);
    // The captions of the title and content fields.
    void set_labels(const QString& title_label, const QString& content_label);
    // The caption messages quote for the Id; "Id" when the label is empty.
    QString id_caption() const;
    // Makes the fields editable.
    void enable_editing();

    // The fields as a record of `item_nr`; the dates only when shown and switched on.
    table_edit::EditRecord read(qint64 item_nr) const;
    // Writes the fields without starting an edit. The pickers take the record's dates when it
    // has them.
    void write(const table_edit::EditRecord& record);
    // Shows a row of the grid (columns as in table_columns; empty clears the area); a row without
    // a date shows the picker switched off at `now`.
    void show_row(const std::vector<QVariant>& row, const QDateTime& now);
    // Writes only the Id, so that the cursor of the field being typed into stays where it is.
    void set_item_id(const QString& id);
    bool any_text() const;
    QWidget* widget_of(table_edit::EditField field) const;

    QLineEdit* collection_field() const { return collection_field_; }
    QLineEdit* cat_field() const { return cat_field_; }
    QLineEdit* title_field() const { return item_title_field_; }
    QPlainTextEdit* content_field() const { return item_content_field_; }
    QPushButton* look_collection_button() const { return look_collection_; }
    QPushButton* look_cat_button() const { return look_cat_; }
    QPushButton* browse_button() const { return browse_button_; }
    QPushButton* browse_dir_button() const { return browse_dir_button_; }
    QPushButton* zoom_button() const { return zoom_button_; }

Q_SIGNALS:
    // The user changed a field (not the window writing a row into the area).
    void changed();

private:
    void lay_out();
    void connect_fields();

    bool dated_ = false;
    bool filling_ = false; // the window writes the area: its change events start no edit
    QLineEdit* collection_field_;
    QLineEdit* cat_field_;
    QLineEdit* mark_field_;
    QLineEdit* item_id_field_;
    QLineEdit* item_title_field_;
    QPlainTextEdit* item_content_field_;
    QDateTimeEdit* date_exp_field_;
    QDateTimeEdit* date_rem_field_;
    QCheckBox* date_exp_check_;
    QCheckBox* date_rem_check_;
    QLabel* collection_label_;
    QLabel* cat_label_;
    QLabel* mark_label_;
    QLabel* item_id_label_;
    QLabel* item_title_label_;
    QLabel* item_content_label_;
    QLabel* date_exp_label_;
    QLabel* date_rem_label_;
    QPushButton* look_collection_;
    QPushButton* look_cat_;
    QPushButton* browse_button_;
    QPushButton* browse_dir_button_;
    QPushButton* zoom_button_;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/table_edit_area.h"

#include "core/dates.h"
#include "table/table_columns.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using table_edit::EditField;
using table_edit::EditRecord;

namespace {

const QString unavailable_tip = QStringLiteral("Not available in this version");

QLineEdit* line_edit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

template <typename Widget> Widget* named(QWidget* parent, const QString& name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

} // namespace

TableEditArea::TableEditArea(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("fra_edit"));
    collection_field_ = line_edit(this, QStringLiteral("t_collection"));
    cat_field_ = line_edit(this, QStringLiteral("t_cat"));
    mark_field_ = line_edit(this, QStringLiteral("t_mark"));
    item_id_field_ = line_edit(this, QStringLiteral("t_item_id"));
    item_title_field_ = line_edit(this, QStringLiteral("t_item_title"));
    item_content_field_ = named<QPlainTextEdit>(this, QStringLiteral("t_item_content"));
    date_exp_field_ = named<QDateTimeEdit>(this, QStringLiteral("t_date_exp"));
    date_rem_field_ = named<QDateTimeEdit>(this, QStringLiteral("t_date_rem"));
    date_exp_check_ = named<QCheckBox>(this, QStringLiteral("c_date_exp"));
    date_rem_check_ = named<QCheckBox>(this, QStringLiteral("c_date_rem"));
    collection_label_ = label(this, QStringLiteral("lab_collection"), QStringLiteral("coll."));
    cat_label_ = label(this, QStringLiteral("lab_cat"), QStringLiteral("cat."));
    mark_label_ = label(this, QStringLiteral("lab_mark"), QStringLiteral("mark"));
    item_id_label_ = label(this, QStringLiteral("lab_item_id"), QStringLiteral("Id"));
    item_title_label_ = label(this, QStringLiteral("lab_item_title"), QStringLiteral("title"));
    item_content_label_ = label(this, QStringLiteral("lab_item_content"), QStringLiteral("content"));
    date_exp_label_ = label(this, QStringLiteral("lab_date_exp"), QStringLiteral("date expiry"));
    date_rem_label_ = label(this, QStringLiteral("lab_date_rem"), QStringLiteral("date remind"));
    look_collection_ = button(this, QStringLiteral("look_collection"), QStringLiteral("..."));
    look_cat_ = button(this, QStringLiteral("look_cat"), QStringLiteral("..."));
    browse_button_ = button(this, QStringLiteral("b_browse"), QStringLiteral("file"));
    browse_dir_button_ = button(this, QStringLiteral("b_browse_dir"), QStringLiteral("dir"));
    zoom_button_ = button(this, QStringLiteral("b_zoom"), QStringLiteral("&Zoom (F10)"));
    lay_out();

    // Until the window's editing is set up, the fields only show the current row.
    for (QWidget* w : std::initializer_list<QWidget*>{browse_button_, browse_dir_button_, zoom_button_}) {
        w->setEnabled(false);
        w->setToolTip(unavailable_tip);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{collection_field_, cat_field_, mark_field_,
                                                      item_id_field_, item_title_field_, date_exp_field_,
                                                      date_rem_field_, date_exp_check_, date_rem_check_})
        w->setEnabled(false);
    item_content_field_->setReadOnly(true);
}

void TableEditArea::lay_out() {
    auto* edit = new QGridLayout(this);
    edit->addWidget(collection_label_, 0, 0);
    edit->addWidget(collection_field_, 0, 1);
    edit->addWidget(look_collection_, 0, 2);
    edit->addWidget(cat_label_, 0, 3);
    edit->addWidget(cat_field_, 0, 4);
    edit->addWidget(look_cat_, 0, 5);
    edit->addWidget(mark_label_, 0, 6);
    edit->addWidget(mark_field_, 0, 7);
    edit->addWidget(item_id_label_, 0, 8);
    edit->addWidget(item_id_field_, 0, 9);
    edit->addWidget(item_title_label_, 1, 0);
    edit->addWidget(item_title_field_, 1, 1, 1, 9);
    edit->addWidget(item_content_label_, 2, 0);
    edit->addWidget(item_content_field_, 2, 1, 1, 9);
    auto* content_buttons = new QVBoxLayout;
    content_buttons->addWidget(browse_button_);
    content_buttons->addWidget(browse_dir_button_);
    content_buttons->addWidget(zoom_button_);
    edit->addLayout(content_buttons, 2, 10);
    auto* date_row = new QHBoxLayout;
    date_row->addWidget(date_exp_label_);
    date_row->addWidget(date_exp_check_);
    date_row->addWidget(date_exp_field_);
    date_row->addWidget(date_rem_label_);
    date_row->addWidget(date_rem_check_);
    date_row->addWidget(date_rem_field_);
    date_row->addStretch();
    edit->addLayout(date_row, 3, 0, 1, 11);
}

void TableEditArea::set_position(bool dated, const QString& date_format, bool id_right_aligned) {
    dated_ = dated;
    for (QDateTimeEdit* picker : {date_exp_field_, date_rem_field_})
        picker->setDisplayFormat(date_format);
    for (QWidget* w : std::initializer_list<QWidget*>{date_exp_field_, date_rem_field_, date_exp_check_,
                                                      date_rem_check_, date_exp_label_, date_rem_label_})
        w->setVisible(dated);
    if (id_right_aligned) item_id_field_->setAlignment(Qt::AlignRight);
}

void TableEditArea::set_labels(const QString& title_label, const QString& content_label) {
    item_title_label_->setText(title_label);
    item_content_label_->setText(content_label);
}

QString TableEditArea::id_caption() const {
    return item_id_label_->text().isEmpty() ? QStringLiteral("Id") : item_id_label_->text();
}

void TableEditArea::enable_editing() {
    for (QWidget* w : std::initializer_list<QWidget*>{browse_button_, browse_dir_button_, zoom_button_})
        w->setToolTip(QString());
    for (QWidget* w : std::initializer_list<QWidget*>{collection_field_, cat_field_, mark_field_,
                                                      item_id_field_, item_title_field_, date_exp_check_,
                                                      date_rem_check_, browse_button_, browse_dir_button_})
        w->setEnabled(true);
    item_content_field_->setReadOnly(false);
    zoom_button_->setEnabled(true);
    date_exp_field_->setEnabled(date_exp_check_->isChecked());
    date_rem_field_->setEnabled(date_rem_check_->isChecked());
    connect_fields();
}

void TableEditArea::connect_fields() {
    auto typed = [this] {
        if (!filling_) Q_EMIT changed();
    };
    for (QLineEdit* field : {collection_field_, cat_field_, mark_field_, item_id_field_, item_title_field_})
        connect(field, &QLineEdit::textChanged, this, typed);
    connect(item_content_field_, &QPlainTextEdit::textChanged, this, typed);
    const std::pair<QCheckBox*, QDateTimeEdit*> pickers[] = {{date_exp_check_, date_exp_field_},
                                                             {date_rem_check_, date_rem_field_}};
    for (const auto& [on, picker] : pickers) {
        connect(on, &QCheckBox::toggled, this, [typed, picker = picker](bool checked) {
            picker->setEnabled(checked);
            typed();
        });
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, typed);
    }
}

EditRecord TableEditArea::read(qint64 item_nr) const {
    EditRecord record;
    record.item_nr = item_nr;
    record.collection = collection_field_->text();
    record.cat = cat_field_->text();
    record.mark = mark_field_->text();
    record.item_id = item_id_field_->text();
    record.title = item_title_field_->text();
    record.content = item_content_field_->toPlainText();
    if (dated_) {
        if (date_exp_check_->isChecked()) record.expiry = date_exp_field_->dateTime();
        if (date_rem_check_->isChecked()) record.remind = date_rem_field_->dateTime();
    }
    return record;
}

void TableEditArea::write(const EditRecord& record) {
    const bool filling = filling_;
    filling_ = true;
    collection_field_->setText(record.collection);
    cat_field_->setText(record.cat);
    mark_field_->setText(record.mark);
    item_id_field_->setText(record.item_id);
    item_title_field_->setText(record.title);
    if (item_content_field_->toPlainText() != record.content)
        item_content_field_->setPlainText(record.content);
    if (dated_) {
        date_exp_check_->setChecked(record.expiry.has_value());
        date_rem_check_->setChecked(record.remind.has_value());
        if (record.expiry) date_exp_field_->setDateTime(*record.expiry);
        if (record.remind) date_rem_field_->setDateTime(*record.remind);
    }
    filling_ = filling;
}

void TableEditArea::show_row(const std::vector<QVariant>& row, const QDateTime& now) {
    filling_ = true;
    auto value = [&row](int column) {
        return column < static_cast<int>(row.size()) ? row[column] : QVariant();
    };
    collection_field_->setText(value(table_columns::collection).toString());
    cat_field_->setText(value(table_columns::cat).toString());
    mark_field_->setText(value(table_columns::mark).toString());
    item_id_field_->setText(value(table_columns::item_id).toString());
    item_title_field_->setText(value(table_columns::title).toString());
    item_content_field_->setPlainText(value(table_columns::content).toString());
    if (dated_) {
        const std::pair<QDateTimeEdit*, QCheckBox*> pickers[] = {{date_exp_field_, date_exp_check_},
                                                                 {date_rem_field_, date_rem_check_}};
        int column = table_columns::date_expiry;
        for (const auto& [picker, on] : pickers) {
            const QVariant stored = value(column++);
            on->setChecked(!stored.isNull());
            picker->setDateTime(stored.isNull() ? now : dates::from_julian(stored.toDouble()));
        }
    }
    filling_ = false;
}

void TableEditArea::set_item_id(const QString& id) {
    filling_ = true;
    item_id_field_->setText(id);
    filling_ = false;
}

bool TableEditArea::any_text() const {
    for (const QLineEdit* field :
         {collection_field_, cat_field_, mark_field_, item_id_field_, item_title_field_})
        if (!field->text().isEmpty()) return true;
    return !item_content_field_->toPlainText().isEmpty();
}

QWidget* TableEditArea::widget_of(EditField field) const {
    switch (field) {
    case EditField::Collection:
        return collection_field_;
    case EditField::Cat:
        return cat_field_;
    case EditField::Mark:
        return mark_field_;
    case EditField::ItemId:
        return item_id_field_;
    case EditField::Title:
        return item_title_field_;
    case EditField::Content:
        return item_content_field_;
    case EditField::Expiry:
        return date_exp_field_;
    case EditField::Remind:
        return date_rem_field_;
    case EditField::None:
        break;
    }
    return nullptr;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/table_filter_bar.h"

#include "table/like_condition.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QLineEdit* line_edit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* lookup_button(QWidget* parent, const QString& name) {
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TableFilterBar::TableFilterBar(QWidget* parent) : QGroupBox(QStringLiteral("filters"), parent) {
    setObjectName(QStringLiteral("fra_filters"));
    mark_field_ = line_edit(this, QStringLiteral("t_filter_mark"));
    collection_field_ = line_edit(this, QStringLiteral("t_filter_collection"));
    cat_field_ = line_edit(this, QStringLiteral("t_filter_cat"));
    id_field_ = line_edit(this, QStringLiteral("t_filter_id"));
    title_field_ = line_edit(this, QStringLiteral("t_filter_title"));
    content_field_ = line_edit(this, QStringLiteral("t_filter_content"));
    look_collection_ = lookup_button(this, QStringLiteral("look_filter_collection"));
    look_cat_ = lookup_button(this, QStringLiteral("look_filter_cat"));
    and_option_ = new QRadioButton(QStringLiteral("AND"), this);
    and_option_->setObjectName(QStringLiteral("o_and"));
    or_option_ = new QRadioButton(QStringLiteral("OR"), this);
    or_option_->setObjectName(QStringLiteral("o_or"));
    or_option_->setChecked(true);
    clear_button_ = new QPushButton(QStringLiteral("Clear"), this);
    clear_button_->setObjectName(QStringLiteral("b_clear"));
    clear_button_->setAutoDefault(false);

    auto* filters = new QGridLayout(this);
    const std::pair<QString, QWidget*> filter_row[] = {
        {QStringLiteral("mark"), mark_field_},   {QStringLiteral("coll."), collection_field_},
        {QStringLiteral("cat."), cat_field_},    {QStringLiteral("Id"), id_field_},
        {QStringLiteral("title"), title_field_}, {QStringLiteral("content"), content_field_},
    };
    int column = 0;
    for (const auto& [caption, field] : filter_row) {
        filters->addWidget(new QLabel(caption, this), 0, column);
        filters->addWidget(field, 1, column);
        ++column;
        if (field == collection_field_) filters->addWidget(look_collection_, 1, column++);
        if (field == cat_field_) filters->addWidget(look_cat_, 1, column++);
    }
    filters->addWidget(and_option_, 0, column);
    filters->addWidget(or_option_, 1, column++);
    filters->addWidget(clear_button_, 1, column);
    // Why a filter cannot be used yet: said here, while the user goes on typing.
    problem_label_ = new QLabel(this);
    problem_label_->setObjectName(QStringLiteral("lab_filter_problem"));
    problem_label_->setStyleSheet(QStringLiteral("color: #c00000;"));
    problem_label_->setWordWrap(true);
    problem_label_->hide();
    filters->addWidget(problem_label_, 2, 0, 1, column + 1);
    filters->setColumnStretch(7, 2); // title
    filters->setColumnStretch(8, 2); // content

    auto typed = [this] {
        if (!writing_) Q_EMIT edited();
    };
    for (QLineEdit* field :
         {mark_field_, collection_field_, cat_field_, id_field_, title_field_, content_field_})
        connect(field, &QLineEdit::textChanged, this, typed);
    for (QRadioButton* option : {and_option_, or_option_})
        connect(option, &QRadioButton::toggled, this, [typed](bool on) {
            if (on) typed();
        });
    connect(clear_button_, &QPushButton::clicked, this, [this] { Q_EMIT clear_clicked(); });
    connect(look_collection_, &QPushButton::clicked, this,
            [this] { Q_EMIT lookup_clicked(LookupTarget::FilterCollection); });
    connect(look_cat_, &QPushButton::clicked, this,
            [this] { Q_EMIT lookup_clicked(LookupTarget::FilterCat); });
}

TableFilters TableFilterBar::read() const {
    TableFilters filters;
    filters.mark = mark_field_->text();
    filters.collection = collection_field_->text();
    filters.cat = cat_field_->text();
    filters.id = id_field_->text();
    filters.title = title_field_->text();
    filters.content = content_field_->text();
    filters.use_or = or_option_->isChecked();
    return filters;
}

void TableFilterBar::write(const TableFilters& filters) {
    writing_ = true;
    const std::pair<QLineEdit*, const QString*> fields[] = {
        {mark_field_, &filters.mark},   {collection_field_, &filters.collection},
        {cat_field_, &filters.cat},     {id_field_, &filters.id},
        {title_field_, &filters.title}, {content_field_, &filters.content},
    };
    // A field keeping its text is left alone, with its cursor and its undo.
    for (const auto& [field, text] : fields)
        if (field->text() != *text) field->setText(*text);
    (filters.use_or ? or_option_ : and_option_)->setChecked(true);
    writing_ = false;
}

bool TableFilterBar::check() {
    const std::pair<QString, QLineEdit*> fields[] = {
        {QStringLiteral("mark"), mark_field_},    {QStringLiteral("collection"), collection_field_},
        {QStringLiteral("category"), cat_field_}, {QStringLiteral("Id"), id_field_},
        {QStringLiteral("title"), title_field_},  {QStringLiteral("content"), content_field_},
    };
    QString first_problem;
    for (const auto& [caption, field] : fields) {
        const QString text = field->text();
        std::optional<QString> problem;
        if (!(field == content_field_ && text.trimmed().compare(picture_filter, Qt::CaseInsensitive) == 0))
            problem = filter_problem(caption, text);
        field->setStyleSheet(problem ? QStringLiteral("QLineEdit { border: 2px solid #c00000; }")
                                     : QString());
        field->setProperty("refused", problem.has_value());
        if (problem && first_problem.isEmpty()) first_problem = *problem;
    }
    problem_label_->setText(first_problem);
    problem_label_->setVisible(!first_problem.isEmpty());
    return first_problem.isEmpty();
}

QLineEdit* TableFilterBar::field_of(LookupTarget target) const {
    if (target == LookupTarget::FilterCollection) return collection_field_;
    if (target == LookupTarget::FilterCat) return cat_field_;
    return nullptr;
}

bool TableFilterBar::holds(const QObject* field) const {
    return qobject_cast<const QLineEdit*>(field) && field->parent() == this;
}

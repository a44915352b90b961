// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/map_dialog.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/geometry.h"
#include "core/params.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

MapDialog::MapDialog(AppContext& ctx, QWidget* parent, QString form_name, MapParts prefill,
                     bool collection_only)
    : QDialog(parent), ctx_(ctx), selection_(ctx, ctx.prompter, std::move(prefill), collection_only),
      form_name_(std::move(form_name)), boxes_layout_(new QGridLayout) {
    setObjectName(form_name_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setMinimumHeight(list_->fontMetrics().height() * 10);
    list_->hide();
    cancel_button_ = new QPushButton(QStringLiteral("Canc&el (ESC)"), this);
    cancel_button_->setObjectName(QStringLiteral("b_cancel"));
    cancel_button_->setAutoDefault(false);
    connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { list_clicked(list_->row(item)); });
}

QLineEdit* MapDialog::add_box(const char* name, const QString& label, QString MapParts::*part,
                              QPushButton* look) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setText(selection_.boxes.*part);
    // Room for a long category or title without scrolling inside the box.
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 36);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    const int row = boxes_layout_->rowCount();
    boxes_layout_->addWidget(caption, row, 0);
    boxes_layout_->addWidget(field, row, 1);
    if (look) boxes_layout_->addWidget(look, row, 2);
    fields_.emplace_back(field, part);
    return field;
}

QPushButton* MapDialog::add_button(const char* name, const QString& caption, bool in_action_row) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    if (in_action_row) buttons_.push_back(button);
    return button;
}

void MapDialog::add_look_boxes() {
    look_collections_button_ = add_button("b_look_collections", QStringLiteral("List co&llections"), false);
    collection_field_ = add_box("t_collection", QStringLiteral("collection"), &MapParts::collection,
                                look_collections_button_);
    look_categories_button_ = add_button("b_look_categories", QStringLiteral("List cate&gories"), false);
    cat_field_ = add_box("t_cat", QStringLiteral("category"), &MapParts::cat, look_categories_button_);
    connect(look_collections_button_, &QPushButton::clicked, this,
            [this] { look(&MapSelection::look_collections); });
    connect(look_categories_button_, &QPushButton::clicked, this,
            [this] { look(&MapSelection::look_categories); });
}

void MapDialog::finish_layout() {
    auto* actions = new QHBoxLayout;
    for (QPushButton* button : buttons_)
        actions->addWidget(button);
    actions->addStretch(1);
    actions->addWidget(cancel_button_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes_layout_);
    layout->addLayout(actions);
    layout->addWidget(list_, 1);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    adjustSize();
    place();
}

void MapDialog::place() {
    QRect frame(QPoint(0, 0), sizeHint());
    const QString top = ctx_.db ? get_gen_param(*ctx_.db, form_name_ + QStringLiteral("_top")) : QString();
    const QString left = ctx_.db ? get_gen_param(*ctx_.db, form_name_ + QStringLiteral("_left")) : QString();
    bool top_ok = false;
    bool left_ok = false;
    const int top_twips = top.toInt(&top_ok);
    const int left_twips = left.toInt(&left_ok);
    if (top_ok && left_ok) {
        frame.moveTopLeft(QPoint(left_twips / twips_per_pixel, top_twips / twips_per_pixel));
    } else if (const QWidget* owner = parentWidget()) {
        // Nothing stored yet: over the middle of the main window.
        frame.moveCenter(owner->window()->frameGeometry().center());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        frame.moveCenter(screen->availableGeometry().center());
    }
    // Whatever was stored, the dialog stays on the screen.
    if (const QScreen* screen = QGuiApplication::screenAt(frame.center())
                                    ? QGuiApplication::screenAt(frame.center())
                                    : QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        frame.moveLeft(
            std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
        frame.moveTop(
            std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
    }
    move(frame.topLeft());
}

void MapDialog::look(bool (MapSelection::*step)()) {
    read_boxes();
    try {
        (selection_.*step)();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    show_list();
}

void MapDialog::list_clicked(int row) {
    read_boxes();
    const bool accepted = selection_.click(row);
    write_boxes();
    show_list();
    entry_clicked(accepted);
}

void MapDialog::show_list() {
    list_->clear();
    if (selection_.list() == SelectionList::None) {
        list_->hide();
        return;
    }
    list_->addItems(selection_.entries());
    list_->show();
    list_->setFocus(Qt::OtherFocusReason);
}

void MapDialog::read_boxes() {
    for (const auto& [field, part] : fields_)
        selection_.boxes.*part = field->text();
}

void MapDialog::write_boxes() {
    for (const auto& [field, part] : fields_)
        field->setText(selection_.boxes.*part);
}

void MapDialog::done(int result) {
    if (ctx_.db) {
        try {
            const QPoint at = pos();
            set_gen_param(*ctx_.db, form_name_ + QStringLiteral("_top"),
                          QString::number(at.y() * twips_per_pixel));
            set_gen_param(*ctx_.db, form_name_ + QStringLiteral("_left"),
                          QString::number(at.x() * twips_per_pixel));
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    QDialog::done(result);
}

// ---------------------------------------------------------------- f_select_map

SelectMapDialog::SelectMapDialog(AppContext& ctx, QWidget* parent, const MapParts& prefill,
                                 bool collection_only)
    : MapDialog(ctx, parent, QStringLiteral("f_select_map"), prefill, collection_only) {
    setWindowTitle(collection_only ? QStringLiteral("Select collection")
                                   : QStringLiteral("Select collection/category/item"));
    add_look_boxes();
    look_item_button_ = add_button("b_look_item", QStringLiteral("List &items"), false);
    item_field_ = add_box("t_item", QStringLiteral("item title"), &MapParts::item, look_item_button_);
    select_button_ = add_button("b_select", QStringLiteral("&Select"));
    select_button_->setDefault(true);
    finish_layout();
    if (collection_only) {
        // Only a collection is asked for: the category and item rows are not offered.
        for (QWidget* widget :
             {static_cast<QWidget*>(cat_field_), static_cast<QWidget*>(item_field_),
              static_cast<QWidget*>(look_categories_button_), static_cast<QWidget*>(look_item_button_)})
            widget->hide();
        for (QLabel* label : findChildren<QLabel*>())
            if (label->buddy() == cat_field_ || label->buddy() == item_field_) label->hide();
        adjustSize();
    }

    connect(look_item_button_, &QPushButton::clicked, this, [this] { look(&MapSelection::look_items); });
    connect(select_button_, &QPushButton::clicked, this, &SelectMapDialog::select);
    connect(cat_field_, &QLineEdit::returnPressed, this, &SelectMapDialog::select);
}

void SelectMapDialog::entry_clicked(bool accepted) {
    if (accepted) select();
}

void SelectMapDialog::select() {
    read_boxes();
    try {
        choice_ = selection_.accept();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        choice_.reset();
    }
    if (choice_) accept();
}

std::optional<MapParts> run_select_map_dialog(AppContext& ctx, QWidget* parent, const MapParts& prefill,
                                              bool collection_only) {
    SelectMapDialog dialog(ctx, parent, prefill, collection_only);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

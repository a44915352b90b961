// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/global_find_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_place.h"
#include "table/global_find.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

GlobalFindWindow::GlobalFindWindow(AppContext& ctx, std::function<std::function<bool(int)>()> open_table,
                                   QWidget* parent)
    : QWidget(parent), ctx_(ctx), open_table_(std::move(open_table)) {
    setObjectName(global_find_form);
    string_label_ = new QLabel(QStringLiteral("String to match"), this);
    string_label_->setObjectName(QStringLiteral("lab_string"));
    string_field_ = new QLineEdit(this);
    string_field_->setObjectName(QStringLiteral("t_string"));
    string_label_->setBuddy(string_field_);
    start_search_button_ = new QPushButton(QStringLiteral("&Search"), this);
    start_search_button_->setObjectName(QStringLiteral("b_start_search"));
    exit_button_ = new QPushButton(QStringLiteral("&Exit (ESC)"), this);
    exit_button_->setObjectName(QStringLiteral("b_exit"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(string_label_, 0, 0);
    layout->addWidget(string_field_, 0, 1, 1, 2);
    layout->addWidget(start_search_button_, 1, 1);
    layout->addWidget(exit_button_, 1, 2);

    connect(start_search_button_, &QPushButton::clicked, this, &GlobalFindWindow::start_search);
    connect(string_field_, &QLineEdit::returnPressed, this, &GlobalFindWindow::start_search);
    connect(exit_button_, &QPushButton::clicked, this, [this] { close_form(*this); });
    for (QWidget* child : {static_cast<QWidget*>(string_field_), static_cast<QWidget*>(start_search_button_),
                           static_cast<QWidget*>(exit_button_)})
        child->installEventFilter(this);
}

void GlobalFindWindow::load() {
    set_form_caption(*this, global_find_caption);
    QFont font = string_field_->font();
    if (font.pointSizeF() < ctx_.prefs.font_size) {
        font.setPointSizeF(ctx_.prefs.font_size);
        string_field_->setFont(font);
    }
    try {
        apply_form_place(*this, global_find_place(*ctx_.db, ctx_.screen));
        fit_form_to_content(*this);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    string_field_->clear();
    string_field_->setFocus(Qt::OtherFocusReason);
}

void GlobalFindWindow::activated() {
    ctx_.active_kind = WindowKind::GlobalFind;
}

void GlobalFindWindow::start_search() {
    save_place();
    // Without a table view, or when the open one keeps a pending edit, the window stays open
    // with its text.
    if (start_global_find(ctx_, string_field_->text(),
                          open_table_ ? open_table_() : std::function<bool(int)>()))
        close_form(*this);
}

void GlobalFindWindow::save_place() {
    try {
        save_global_find_place(*ctx_.db, form_place(*this), form_minimised(*this));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

bool GlobalFindWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (ctx_.key_lock) return true;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!(watched == string_field_ && is_text_editing_key(*key)) && pass_to_hot_keys(ctx_, *key))
            return true;
        if (key->key() == Qt::Key_Escape) {
            close_form(*this);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GlobalFindWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void GlobalFindWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        save_place();
    }
    event->accept();
}

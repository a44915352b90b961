// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/text_form_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/form_fit.h"
#include "core/ui/form_place.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TextFormWindow::TextFormWindow(AppContext& ctx, const QString& form_name,
                               const QString& save_and_exit_caption, std::function<void()> refresh_all,
                               QWidget* parent)
    : QWidget(parent), ctx_(ctx), form_name_(form_name), refresh_all_(std::move(refresh_all)) {
    setObjectName(form_name);
    text_field_ = new QPlainTextEdit(this);
    text_field_->setObjectName(QStringLiteral("t_testo"));
    text_field_->setFont(fixed_pitch_font(std::max(10.0F, ctx_.prefs.font_size)));
    save_button_ = new QPushButton(QStringLiteral("&Save"), this);
    save_button_->setObjectName(QStringLiteral("b_save"));
    save_and_exit_button_ = new QPushButton(save_and_exit_caption, this);
    save_and_exit_button_->setObjectName(QStringLiteral("b_save_and_exit"));
    cancel_button_ = new QPushButton(QStringLiteral("&Exit without saving"), this);
    cancel_button_->setObjectName(QStringLiteral("b_cancel"));

    button_row_ = new QHBoxLayout;
    button_row_->addWidget(save_button_);
    button_row_->addWidget(save_and_exit_button_);
    button_row_->addWidget(cancel_button_);
    column_ = new QVBoxLayout(this);
    column_->addWidget(text_field_, 1);
    column_->addLayout(button_row_);

    connect(save_and_exit_button_, &QPushButton::clicked, this, [this] { save_and_exit(); });
    for (QWidget* child :
         {static_cast<QWidget*>(text_field_), static_cast<QWidget*>(save_button_),
          static_cast<QWidget*>(save_and_exit_button_), static_cast<QWidget*>(cancel_button_)})
        child->installEventFilter(this);
}

QString TextFormWindow::text() const {
    return field_text(*text_field_);
}

void TextFormWindow::activated() {
    ctx_.active_kind = WindowKind::None;
}

void TextFormWindow::restore_place() {
    apply_form_place(*this,
                     restore_form_position(*ctx_.db, ctx_.screen, form_name_, false, form_place(*this)));
    fit_form_to_content(*this);
}

void TextFormWindow::store_place() {
    try {
        save_form_position(*ctx_.db, form_name_, false, form_place(*this), form_minimised(*this));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

void TextFormWindow::refresh_all() const {
    if (refresh_all_) refresh_all_();
}

void TextFormWindow::set_reference(const QString& text) {
    text_field_->setPlainText(text);
    reference_ = field_text(*text_field_);
}

bool TextFormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        text_form_key(ctx_, *this, *static_cast<QKeyEvent*>(event), [this] { save_and_exit(); }))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TextFormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

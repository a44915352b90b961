// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/notepad_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "table/notepad.h"
#include "table/ui/form_place.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString pad_form = QStringLiteral("f_pad");

} // namespace

NotepadWindow::NotepadWindow(AppContext& ctx, std::function<void()> refresh_all, QWidget* parent)
    : QWidget(parent), ctx_(ctx), refresh_all_(std::move(refresh_all)) {
    setObjectName(QStringLiteral("f_pad"));
    t_testo_ = new QPlainTextEdit(this);
    t_testo_->setObjectName(QStringLiteral("t_testo"));
    t_testo_->setFont(fixed_pitch_font(std::max(10.0F, ctx_.prefs.font_size)));
    b_save_ = new QPushButton(QStringLiteral("&Save"), this);
    b_save_->setObjectName(QStringLiteral("b_save"));
    b_save_and_exit_ = new QPushButton(QStringLiteral("&Save and exit (F12)"), this);
    b_save_and_exit_->setObjectName(QStringLiteral("b_save_and_exit"));
    b_cancel_ = new QPushButton(QStringLiteral("&Exit without saving"), this);
    b_cancel_->setObjectName(QStringLiteral("b_cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(b_save_);
    buttons->addWidget(b_save_and_exit_);
    buttons->addWidget(b_cancel_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(t_testo_, 1);
    layout->addLayout(buttons);

    connect(b_save_, &QPushButton::clicked, this, [this] {
        save(false);
        t_testo_->setFocus(Qt::OtherFocusReason);
    });
    connect(b_save_and_exit_, &QPushButton::clicked, this, &NotepadWindow::save_and_exit);
    // Leaving without saving asks nothing: unsaved notepad text is given up.
    connect(b_cancel_, &QPushButton::clicked, this, [this] { close_form(*this); });
    for (QWidget* child : {static_cast<QWidget*>(t_testo_), static_cast<QWidget*>(b_save_),
                           static_cast<QWidget*>(b_save_and_exit_), static_cast<QWidget*>(b_cancel_)})
        child->installEventFilter(this);
}

bool NotepadWindow::load() {
    set_form_caption(*this, pad_caption());
    try {
        const PadItem pad = find_or_create_pad(*ctx_.db);
        t_testo_->setPlainText(pad.text);
        apply_form_place(*this,
                         restore_form_position(*ctx_.db, ctx_.screen, pad_form, false, form_place(*this)));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    reference_ = field_text(*t_testo_);
    t_testo_->setFocus(Qt::OtherFocusReason);
    return true;
}

QString NotepadWindow::text() const {
    return field_text(*t_testo_);
}

void NotepadWindow::activated() {
    ctx_.active_kind = WindowKind::None;
}

bool NotepadWindow::save(bool ask) {
    const QString current = text();
    try {
        if (!save_pad(*ctx_.db, ctx_.prompter, current, reference_, ask)) return current == reference_;
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    reference_ = current;
    if (refresh_all_) refresh_all_();
    return true;
}

void NotepadWindow::save_and_exit() {
    if (save(false)) close_form(*this);
}

bool NotepadWindow::handle_key(QKeyEvent* event) {
    return text_form_key(ctx_, *this, *event, [this] { save_and_exit(); });
}

bool NotepadWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handle_key(static_cast<QKeyEvent*>(event))) return true;
    return QWidget::eventFilter(watched, event);
}

void NotepadWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void NotepadWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        try {
            save_form_position(*ctx_.db, pad_form, false, form_place(*this), form_minimised(*this));
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}

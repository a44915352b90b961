// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/notepad_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "table/notepad.h"
#include "table/ui/form_fit.h"
#include "table/ui/form_place.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString pad_form = QStringLiteral("f_pad");

} // namespace

NotepadWindow::NotepadWindow(AppContext& ctx, std::function<void()> refresh_all, QWidget* parent)
    : QWidget(parent), ctx_(ctx), refresh_all_(std::move(refresh_all)) {
    setObjectName(QStringLiteral("f_pad"));
    text_field_ = new QPlainTextEdit(this);
    text_field_->setObjectName(QStringLiteral("t_testo"));
    text_field_->setFont(fixed_pitch_font(std::max(10.0F, ctx_.prefs.font_size)));
    save_button_ = new QPushButton(QStringLiteral("&Save"), this);
    save_button_->setObjectName(QStringLiteral("b_save"));
    save_and_exit_button_ = new QPushButton(QStringLiteral("&Save and exit (F12)"), this);
    save_and_exit_button_->setObjectName(QStringLiteral("b_save_and_exit"));
    cancel_button_ = new QPushButton(QStringLiteral("&Exit without saving"), this);
    cancel_button_->setObjectName(QStringLiteral("b_cancel"));

    draft_label_ =
        new QLabel(QStringLiteral("Unsaved text kept from the last time the notepad closed: Save stores it, "
                                  "\"Back to saved text\" shows the stored text instead."),
                   this);
    draft_label_->setObjectName(QStringLiteral("lab_draft"));
    draft_label_->setWordWrap(true);
    draft_label_->setStyleSheet(QStringLiteral("color: #0050b0;"));
    saved_text_button_ = new QPushButton(QStringLiteral("&Back to saved text"), this);
    saved_text_button_->setObjectName(QStringLiteral("b_saved_text"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_button_);
    buttons->addWidget(save_and_exit_button_);
    buttons->addWidget(cancel_button_);
    buttons->addWidget(saved_text_button_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(draft_label_);
    layout->addWidget(text_field_, 1);
    layout->addLayout(buttons);
    show_draft_mark(false);

    connect(save_button_, &QPushButton::clicked, this, [this] {
        save(false);
        text_field_->setFocus(Qt::OtherFocusReason);
    });
    connect(save_and_exit_button_, &QPushButton::clicked, this, &NotepadWindow::save_and_exit);
    // Leaving without saving asks nothing: unsaved text is kept as a draft for the next opening.
    connect(cancel_button_, &QPushButton::clicked, this, [this] { close_form(*this); });
    connect(saved_text_button_, &QPushButton::clicked, this, [this] {
        text_field_->setPlainText(reference_);
        show_draft_mark(false);
        text_field_->setFocus(Qt::OtherFocusReason);
    });
    for (QWidget* child :
         {static_cast<QWidget*>(text_field_), static_cast<QWidget*>(save_button_),
          static_cast<QWidget*>(save_and_exit_button_), static_cast<QWidget*>(cancel_button_)})
        child->installEventFilter(this);
}

NotepadWindow::~NotepadWindow() {
    if (!closed_ && text() != reference_) keep_pad_draft(draft_path(), text());
}

bool NotepadWindow::load() {
    set_form_caption(*this, pad_caption());
    try {
        const PadItem pad = find_or_create_pad(*ctx_.db);
        text_field_->setPlainText(pad.text);
        apply_form_place(*this,
                         restore_form_position(*ctx_.db, ctx_.screen, pad_form, false, form_place(*this)));
        fit_form_to_content(*this);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    reference_ = field_text(*text_field_);
    // The draft comes back unsaved: closing again keeps it, Save stores it.
    if (const std::optional<QString> draft = read_pad_draft(draft_path()); draft && *draft != reference_) {
        text_field_->setPlainText(*draft);
        text_field_->moveCursor(QTextCursor::End);
        show_draft_mark(true);
    } else if (draft) {
        remove_pad_draft(draft_path());
    }
    text_field_->setFocus(Qt::OtherFocusReason);
    return true;
}

QString NotepadWindow::draft_path() const {
    return ctx_.program_path(pad_draft_file);
}

void NotepadWindow::show_draft_mark(bool on) {
    draft_label_->setVisible(on);
    saved_text_button_->setVisible(on);
}

QString NotepadWindow::text() const {
    return field_text(*text_field_);
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
    remove_pad_draft(draft_path());
    show_draft_mark(false);
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
        // No question: what was typed and not saved waits in the draft for the next opening.
        if (text() == reference_) {
            remove_pad_draft(draft_path());
        } else if (!keep_pad_draft(draft_path(), text())) {
            ctx_.prompter.message(QStringLiteral("The unsaved notepad text could not be kept in ") +
                                  draft_path() +
                                  QStringLiteral(". The notepad stays open: save the text or copy it."));
            event->ignore();
            return;
        }
        closed_ = true;
        try {
            save_form_position(*ctx_.db, pad_form, false, form_place(*this), form_minimised(*this));
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}

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
    t_testo_ = new QPlainTextEdit(this);
    t_testo_->setObjectName(QStringLiteral("t_testo"));
    t_testo_->setFont(fixed_pitch_font(std::max(10.0F, ctx_.prefs.font_size)));
    b_save_ = new QPushButton(QStringLiteral("&Save"), this);
    b_save_->setObjectName(QStringLiteral("b_save"));
    b_save_and_exit_ = new QPushButton(QStringLiteral("&Save and exit (F12)"), this);
    b_save_and_exit_->setObjectName(QStringLiteral("b_save_and_exit"));
    b_cancel_ = new QPushButton(QStringLiteral("&Exit without saving"), this);
    b_cancel_->setObjectName(QStringLiteral("b_cancel"));

    lab_draft_ =
        new QLabel(QStringLiteral("Unsaved text kept from the last time the notepad closed: Save stores it, "
                                  "\"Back to saved text\" shows the stored text instead."),
                   this);
    lab_draft_->setObjectName(QStringLiteral("lab_draft"));
    lab_draft_->setWordWrap(true);
    lab_draft_->setStyleSheet(QStringLiteral("color: #0050b0;"));
    b_saved_text_ = new QPushButton(QStringLiteral("&Back to saved text"), this);
    b_saved_text_->setObjectName(QStringLiteral("b_saved_text"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(b_save_);
    buttons->addWidget(b_save_and_exit_);
    buttons->addWidget(b_cancel_);
    buttons->addWidget(b_saved_text_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lab_draft_);
    layout->addWidget(t_testo_, 1);
    layout->addLayout(buttons);
    show_draft_mark(false);

    connect(b_save_, &QPushButton::clicked, this, [this] {
        save(false);
        t_testo_->setFocus(Qt::OtherFocusReason);
    });
    connect(b_save_and_exit_, &QPushButton::clicked, this, &NotepadWindow::save_and_exit);
    // Leaving without saving asks nothing: unsaved text is kept as a draft for the next opening.
    connect(b_cancel_, &QPushButton::clicked, this, [this] { close_form(*this); });
    connect(b_saved_text_, &QPushButton::clicked, this, [this] {
        t_testo_->setPlainText(reference_);
        show_draft_mark(false);
        t_testo_->setFocus(Qt::OtherFocusReason);
    });
    for (QWidget* child : {static_cast<QWidget*>(t_testo_), static_cast<QWidget*>(b_save_),
                           static_cast<QWidget*>(b_save_and_exit_), static_cast<QWidget*>(b_cancel_)})
        child->installEventFilter(this);
}

NotepadWindow::~NotepadWindow() {
    if (!closed_ && text() != reference_) keep_pad_draft(draft_path(), text());
}

bool NotepadWindow::load() {
    set_form_caption(*this, pad_caption());
    try {
        const PadItem pad = find_or_create_pad(*ctx_.db);
        t_testo_->setPlainText(pad.text);
        apply_form_place(*this,
                         restore_form_position(*ctx_.db, ctx_.screen, pad_form, false, form_place(*this)));
        fit_form_to_content(*this);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    reference_ = field_text(*t_testo_);
    // The draft comes back unsaved: closing again keeps it, Save stores it.
    if (const std::optional<QString> draft = read_pad_draft(draft_path()); draft && *draft != reference_) {
        t_testo_->setPlainText(*draft);
        t_testo_->moveCursor(QTextCursor::End);
        show_draft_mark(true);
    } else if (draft) {
        remove_pad_draft(draft_path());
    }
    t_testo_->setFocus(Qt::OtherFocusReason);
    return true;
}

QString NotepadWindow::draft_path() const {
    return ctx_.program_path(pad_draft_file);
}

void NotepadWindow::show_draft_mark(bool on) {
    lab_draft_->setVisible(on);
    b_saved_text_->setVisible(on);
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

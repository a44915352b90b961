// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/notepad_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/form_place.h"
#include "table/notepad.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

NotepadWindow::NotepadWindow(AppContext& ctx, std::function<void()> refresh_all, QWidget* parent)
    : TextFormWindow(ctx, QStringLiteral("f_pad"), QStringLiteral("&Save and exit (F12)"),
                     std::move(refresh_all), parent) {
    draft_label_ =
        new QLabel(QStringLiteral("Unsaved text kept from the last time the notepad closed: Save stores it, "
                                  "\"Back to saved text\" shows the stored text instead."),
                   this);
    draft_label_->setObjectName(QStringLiteral("lab_draft"));
    draft_label_->setWordWrap(true);
    draft_label_->setStyleSheet(QStringLiteral("color: #0050b0;"));
    saved_text_button_ = new QPushButton(QStringLiteral("&Back to saved text"), this);
    saved_text_button_->setObjectName(QStringLiteral("b_saved_text"));
    column()->insertWidget(0, draft_label_);
    button_row()->addWidget(saved_text_button_);
    button_row()->addStretch();
    show_draft_mark(false);

    connect(save_button_, &QPushButton::clicked, this, [this] {
        save(false);
        text_field_->setFocus(Qt::OtherFocusReason);
    });
    // Leaving without saving asks nothing: unsaved text is kept as a draft for the next opening.
    connect(cancel_button_, &QPushButton::clicked, this, [this] { close_form(*this); });
    connect(saved_text_button_, &QPushButton::clicked, this, [this] {
        text_field_->setPlainText(reference_);
        show_draft_mark(false);
        text_field_->setFocus(Qt::OtherFocusReason);
    });
}

NotepadWindow::~NotepadWindow() {
    if (!closed_ && changed()) keep_pad_draft(draft_path(), text());
}

bool NotepadWindow::load() {
    set_form_caption(*this, pad_caption());
    try {
        const PadItem pad = find_or_create_pad(*ctx_.db);
        set_reference(pad.text);
        restore_place();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
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
    refresh_all();
    return true;
}

void NotepadWindow::save_and_exit() {
    if (save(false)) close_form(*this);
}

void NotepadWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        // No question: what was typed and not saved waits in the draft for the next opening.
        if (!changed()) {
            remove_pad_draft(draft_path());
        } else if (!keep_pad_draft(draft_path(), text())) {
            ctx_.prompter.message(QStringLiteral("The unsaved notepad text could not be kept in ") +
                                  draft_path() +
                                  QStringLiteral(". The notepad stays open: save the text or copy it."));
            event->ignore();
            return;
        }
        closed_ = true;
        store_place();
    }
    event->accept();
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/content_editor_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/ui/form_place.h"
#include "core/ui/icons.h"
#include "table/content_editor.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

ContentEditorWindow::ContentEditorWindow(AppContext& ctx, EditorSlots& editor_slots, int slot,
                                         std::function<void()> refresh_all, QWidget* parent)
    : TextFormWindow(ctx, QStringLiteral("f_edit"), QStringLiteral("S&ave and exit (F12)"),
                     std::move(refresh_all), parent),
      slots_(editor_slots), slot_(slot) {
    button_row()->addStretch();
    connect(save_button_, &QPushButton::clicked, this, &ContentEditorWindow::save_clicked);
    connect(cancel_button_, &QPushButton::clicked, this, &ContentEditorWindow::cancel);
}

ContentEditorWindow::~ContentEditorWindow() {
    // A window destroyed without a close (the main window going) still gives its slot back.
    if (!closed_) slots_.release(slot_);
}

bool ContentEditorWindow::load(qint64 item_nr, const QString& passed_text) {
    item_nr_ = item_nr;
    std::optional<EditedItem> item;
    try {
        item = read_edited_item(*ctx_.db, item_nr);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return false;
    }
    if (!item) {
        ctx_.prompter.message(item_not_found_message);
        return false;
    }
    show_item(*item, editor_start_text(*item, passed_text));
    return true;
}

void ContentEditorWindow::show_item(const EditedItem& item, const QString& text) {
    const int position = ctx_.collections.find(item.collection);
    set_form_caption(*this, editor_caption(item),
                     position > 0 ? collection_icon(ctx_.program_dir, position) : QIcon());
    set_reference(text);
    try {
        restore_place();
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    text_field_->setFocus(Qt::OtherFocusReason);
}

void ContentEditorWindow::load_handed(const EditedItem& item, const QString& text,
                                      std::function<bool(const QString&)> hand_back) {
    item_nr_ = item.item_nr;
    hand_back_ = std::move(hand_back);
    show_item(item, text);
}

ContentEditorWindow::SaveResult ContentEditorWindow::save() {
    const QString current = text();
    if (hand_back_) {
        // The owner of the text saves it; until it takes it, the text stays here.
        if (!hand_back_(current)) {
            ctx_.prompter.message(hand_back_refused_message);
            return SaveResult::Failed;
        }
        reference_ = current;
        return SaveResult::Written;
    }
    ContentSave result;
    try {
        result = save_item_content(*ctx_.db, item_nr_, current);
    } catch (const DbError& error) {
        // The text stays in the field and differs from the reference, so nothing typed is lost.
        report_error(ctx_.prompter, error);
        return SaveResult::Failed;
    }
    // Either way the text is settled: an item deleted meanwhile gets no question at closing.
    reference_ = current;
    if (result == ContentSave::ItemMissing) {
        ctx_.prompter.message(item_not_found_message);
        return SaveResult::ItemMissing;
    }
    refresh_all();
    return SaveResult::Written;
}

void ContentEditorWindow::save_clicked() {
    if (changed() && save() == SaveResult::ItemMissing) return close_form(*this);
    text_field_->setFocus(Qt::OtherFocusReason);
}

void ContentEditorWindow::save_and_exit() {
    if (changed() && save() == SaveResult::Failed) return;
    close_form(*this);
}

void ContentEditorWindow::cancel() {
    text_field_->setPlainText(reference_);
    close_form(*this);
}

void ContentEditorWindow::closeEvent(QCloseEvent* event) {
    if (closed_) return event->accept();
    // A failed write keeps the window open with its text.
    if (changed() && ctx_.prompter.yes_no(save_changes_question, {}, false) && save() == SaveResult::Failed)
        return event->ignore();
    closed_ = true;
    store_place();
    slots_.release(slot_);
    refresh_all();
    event->accept();
}

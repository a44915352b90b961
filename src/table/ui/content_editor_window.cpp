// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/content_editor_window.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "table/content_editor.h"
#include "table/ui/form_fit.h"
#include "table/ui/form_place.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString editor_form = QStringLiteral("f_edit");

} // namespace

ContentEditorWindow::ContentEditorWindow(AppContext& ctx, EditorSlots& editor_slots, int slot,
                                         std::function<void()> refresh_all, QWidget* parent)
    : QWidget(parent), ctx_(ctx), slots_(editor_slots), slot_(slot), refresh_all_(std::move(refresh_all)) {
    setObjectName(QStringLiteral("f_edit"));
    text_field_ = new QPlainTextEdit(this);
    text_field_->setObjectName(QStringLiteral("t_testo"));
    text_field_->setFont(fixed_pitch_font(std::max(10.0F, ctx_.prefs.font_size)));
    save_button_ = new QPushButton(QStringLiteral("&Save"), this);
    save_button_->setObjectName(QStringLiteral("b_save"));
    save_and_exit_button_ = new QPushButton(QStringLiteral("S&ave and exit (F12)"), this);
    save_and_exit_button_->setObjectName(QStringLiteral("b_save_and_exit"));
    cancel_button_ = new QPushButton(QStringLiteral("&Exit without saving"), this);
    cancel_button_->setObjectName(QStringLiteral("b_cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_button_);
    buttons->addWidget(save_and_exit_button_);
    buttons->addWidget(cancel_button_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_field_, 1);
    layout->addLayout(buttons);

    connect(save_button_, &QPushButton::clicked, this, &ContentEditorWindow::save_clicked);
    connect(save_and_exit_button_, &QPushButton::clicked, this, &ContentEditorWindow::save_and_exit);
    connect(cancel_button_, &QPushButton::clicked, this, &ContentEditorWindow::cancel);
    for (QWidget* child :
         {static_cast<QWidget*>(text_field_), static_cast<QWidget*>(save_button_),
          static_cast<QWidget*>(save_and_exit_button_), static_cast<QWidget*>(cancel_button_)})
        child->installEventFilter(this);
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
    set_form_caption(*this, editor_caption(item), position > 0 ? position_icon(position) : QIcon());
    text_field_->setPlainText(text);
    try {
        apply_form_place(*this,
                         restore_form_position(*ctx_.db, ctx_.screen, editor_form, false, form_place(*this)));
        fit_form_to_content(*this);
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    reference_ = field_text(*text_field_);
    text_field_->setFocus(Qt::OtherFocusReason);
}

void ContentEditorWindow::load_handed(const EditedItem& item, const QString& text,
                                      std::function<bool(const QString&)> hand_back) {
    item_nr_ = item.item_nr;
    hand_back_ = std::move(hand_back);
    show_item(item, text);
}

QString ContentEditorWindow::text() const {
    return field_text(*text_field_);
}

void ContentEditorWindow::activated() {
    // No menu command acts on an editor.
    ctx_.active_kind = WindowKind::None;
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
    if (refresh_all_) refresh_all_();
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

bool ContentEditorWindow::handle_key(QKeyEvent* event) {
    return text_form_key(ctx_, *this, *event, [this] { save_and_exit(); });
}

bool ContentEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handle_key(static_cast<QKeyEvent*>(event))) return true;
    return QWidget::eventFilter(watched, event);
}

void ContentEditorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !frame_of(*this)) activated();
    QWidget::changeEvent(event);
}

void ContentEditorWindow::closeEvent(QCloseEvent* event) {
    if (closed_) return event->accept();
    // A failed write keeps the window open with its text.
    if (changed() && ctx_.prompter.yes_no(save_changes_question, {}, false) && save() == SaveResult::Failed)
        return event->ignore();
    closed_ = true;
    try {
        save_form_position(*ctx_.db, editor_form, false, form_place(*this), form_minimised(*this));
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
    slots_.release(slot_);
    if (refresh_all_) refresh_all_();
    event->accept();
}

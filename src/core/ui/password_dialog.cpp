// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/password_dialog.h"

#include "core/program_title.h"
#include "core/seams.h"
#include "core/translate.h"
#include "core/ui/center_form.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

PasswordDialog::PasswordDialog(QWidget* parent, Prompter& prompter, const QString& path)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("f_password"));
    setWindowTitle(program_title() + translate(QStringLiteral(" - Enter the database password")));

    database_label_ = new QLabel(path, this);
    database_label_->setObjectName(QStringLiteral("lab_database"));
    database_label_->setWordWrap(true);
    // The path is shown for the user to read, never as markup.
    database_label_->setTextFormat(Qt::PlainText);
    database_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    password_field_ = new QLineEdit(this);
    password_field_->setObjectName(QStringLiteral("t_password"));
    password_field_->setEchoMode(QLineEdit::Password);
    // Every style masks with its own character; this box always shows '*'.
    password_field_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    password_field_->installEventFilter(this);

    enter_button_ = new QPushButton(translate(QStringLiteral("&Enter")), this);
    enter_button_->setObjectName(QStringLiteral("b_enter"));
    enter_button_->setDefault(true);
    change_db_button_ = new QPushButton(translate(QStringLiteral("Change &Database")), this);
    change_db_button_->setObjectName(QStringLiteral("b_change_db"));
    cancel_button_ = new QPushButton(translate(QStringLiteral("&Cancel")), this);
    cancel_button_->setObjectName(QStringLiteral("b_cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(enter_button_);
    buttons->addWidget(change_db_button_);
    buttons->addWidget(cancel_button_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(database_label_);
    layout->addWidget(password_field_);
    layout->addLayout(buttons);

    connect(password_field_, &QLineEdit::textChanged, this, &PasswordDialog::normalise_text);
    connect(enter_button_, &QPushButton::clicked, this, &PasswordDialog::enter);
    connect(change_db_button_, &QPushButton::clicked, this, &PasswordDialog::change_database);
    connect(cancel_button_, &QPushButton::clicked, this, &PasswordDialog::reject);

    setMinimumWidth(420);
    adjustSize();
    center_form(*this);
    password_field_->setFocus();
}

PasswordAnswer PasswordDialog::ask(QWidget* parent, Prompter& prompter, const QString& path) {
    PasswordDialog dialog(parent, prompter, path);
    dialog.exec();
    return dialog.answer();
}

std::optional<QString> PasswordDialog::ask_with_caption(QWidget* parent, Prompter& prompter,
                                                        const QString& path, const QString& caption) {
    PasswordDialog dialog(parent, prompter, path);
    dialog.setWindowTitle(caption);
    dialog.change_db_button_->hide();
    dialog.exec();
    if (dialog.answer().kind != PasswordAnswer::Kind::Enter) return std::nullopt;
    return dialog.answer().password;
}

void PasswordDialog::normalise_text(const QString& text) {
    if (normalising_) return;
    QString wanted = text.trimmed();
    const bool too_long = wanted.size() > max_length;
    if (too_long) {
        wanted.truncate(max_length);
        // Never keep half of a character written as a surrogate pair.
        if (wanted.back().isHighSurrogate()) wanted.chop(1);
    }
    if (wanted != text) {
        const QScopedValueRollback guard(normalising_, true);
        password_field_->setText(wanted);
    }
    // Shown after the box holds the shortened text, so the user sees what was kept.
    if (too_long) prompter_.message(QStringLiteral("Password should no be longer than 9 characters"));
}

void PasswordDialog::enter() {
    answer_ = {PasswordAnswer::Kind::Enter, password_field_->text().trimmed()};
    accept();
}

void PasswordDialog::change_database() {
    answer_ = {PasswordAnswer::Kind::ChangeDatabase, {}};
    accept();
}

// Escape, b_cancel and the window's close button all end here.
void PasswordDialog::reject() {
    answer_ = {PasswordAnswer::Kind::Cancel, {}};
    QDialog::reject();
}

void PasswordDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred again once shown: only then does the frame include the window manager's border.
    if (!centred_) {
        center_form(*this);
        centred_ = true;
    }
}

bool PasswordDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == password_field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enter();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

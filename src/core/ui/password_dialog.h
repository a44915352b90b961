// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/startup_ui.h"

#include <QDialog>

class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the password of the database about to be opened, or for another database.
// Every database gets this dialog; an empty password opens one that has none.
class PasswordDialog final : public QDialog {
    Q_OBJECT
public:
    // Longest password the box accepts.
    static constexpr int max_length = 9;

    PasswordDialog(QWidget* parent, Prompter& prompter, const QString& path);

    // Shows the dialog modally and returns what the user chose.
    static PasswordAnswer ask(QWidget* parent, Prompter& prompter, const QString& path);

    // The dialog for a password of the open database under `caption` alone: no other database
    // can be chosen there, so "Change Database" is hidden. nullopt for Cancel.
    static std::optional<QString> ask_with_caption(QWidget* parent, Prompter& prompter, const QString& path,
                                                   const QString& caption);

    // The choice made so far: Cancel until a button decides otherwise.
    const PasswordAnswer& answer() const { return answer_; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void normalise_text(const QString& text);
    void enter();
    void change_database();

    Prompter& prompter_;
    QLabel* database_label_;
    QLineEdit* password_field_;
    QPushButton* enter_button_;
    QPushButton* change_db_button_;
    QPushButton* cancel_button_;
    PasswordAnswer answer_;
    bool normalising_ = false;
    bool centred_ = false;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>

class AppContext;
class QPushButton;
class QRadioButton;

// f_set_language: one option button per language ("Option1_0" English to "Option1_4" Español),
// OK and Cancel.
class LanguageDialog final : public QDialog {
    Q_OBJECT
public:
    LanguageDialog(int current_language, QWidget* parent = nullptr);

    // The language of the first checked option (1..5); nullopt when none is checked.
    std::optional<int> chosen() const;

    // Shows the dialog modally; the chosen language, or nullopt when cancelled.
    static std::optional<int> choose(QWidget* parent, int current_language);

private:
    QRadioButton* options_[5];
    QPushButton* ok_button_;
    QPushButton* cancel_button_;
};

// The "Change language" command through the dialog; returns the menu entry's new caption.
QString run_change_language(AppContext& ctx, QWidget* parent);

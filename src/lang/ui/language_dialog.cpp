// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/ui/language_dialog.h"

#include "core/ui/center_form.h"
#include "lang/change_language.h"
#include "lang/translator.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

LanguageDialog::LanguageDialog(int current_language, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("f_set_language"));
    setWindowTitle(translate(QStringLiteral("Select language")));

    auto* layout = new QVBoxLayout(this);
    for (int index = 0; index < language_count; ++index) {
        options_[index] = new QRadioButton(language_name(index + 1), this);
        options_[index]->setObjectName(QStringLiteral("Option1_%1").arg(index));
        options_[index]->setChecked(index + 1 == current_language);
        layout->addWidget(options_[index]);
    }

    ok_button_ = new QPushButton(QStringLiteral("OK"), this);
    ok_button_->setObjectName(QStringLiteral("b_ok"));
    ok_button_->setDefault(true);
    cancel_button_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_button_->setObjectName(QStringLiteral("b_cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_button_);
    buttons->addWidget(cancel_button_);
    layout->addLayout(buttons);

    connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(300);
    adjustSize();
    center_form(*this);
}

std::optional<int> LanguageDialog::chosen() const {
    for (int index = 0; index < language_count; ++index)
        if (options_[index]->isChecked()) return index + 1;
    return std::nullopt;
}

std::optional<int> LanguageDialog::choose(QWidget* parent, int current_language) {
    LanguageDialog dialog(current_language, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

QString run_change_language(AppContext& ctx, QWidget* parent) {
    return change_language(ctx, [parent](int current) { return LanguageDialog::choose(parent, current); });
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/ui/optional_date_time.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>

OptionalDateTimeEdit::OptionalDateTimeEdit(QWidget* parent)
    : QWidget(parent), check_(new QCheckBox(this)), editor_(new QDateTimeEdit(this)) {
    check_->setObjectName(QStringLiteral("check"));
    editor_->setObjectName(QStringLiteral("picker"));
    editor_->setCalendarPopup(true);
    editor_->setEnabled(false);
    setFocusProxy(editor_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(check_);
    layout->addWidget(editor_, 1);
    connect(check_, &QCheckBox::toggled, this, [this](bool on) {
        editor_->setEnabled(on);
        if (!quiet_) emit changed();
    });
    connect(editor_, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!quiet_) emit changed();
    });
}

std::optional<QDateTime> OptionalDateTimeEdit::value() const {
    if (!check_->isChecked()) return std::nullopt;
    return editor_->dateTime();
}

void OptionalDateTimeEdit::set_value(const std::optional<QDateTime>& value) {
    quiet_ = true;
    check_->setChecked(value.has_value());
    if (value) editor_->setDateTime(*value);
    quiet_ = false;
}

void OptionalDateTimeEdit::set_proposed(const QDateTime& moment) {
    quiet_ = true;
    editor_->setDateTime(moment);
    quiet_ = false;
}

void OptionalDateTimeEdit::set_display_format(const QString& format) {
    editor_->setDisplayFormat(format);
}

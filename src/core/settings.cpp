// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"

#include <QSettings>

namespace {
// The "general" section. QSettings writes a group of that name (any letter case) as
// "[%General]" in ini files and reads it back as "General", so only this spelling finds its
// values again in the next run.
const QString group = QStringLiteral("General");
} // namespace

Settings::Settings()
    : store_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                         QStringLiteral("tessarin"), QStringLiteral("tessarin"))) {}

Settings::Settings(const QString& ini_path)
    : store_(std::make_unique<QSettings>(ini_path, QSettings::IniFormat)) {}

Settings::~Settings() = default;

QString Settings::get_setting(const QString& key) const {
    if (store_->status() == QSettings::AccessError) return {};
    const QVariant value = store_->value(group + QLatin1Char('/') + key);
    // A hand-edited store may hold lists or other shapes: anything that is not plain text reads as "".
    if (!value.isValid() || value.typeId() == QMetaType::QStringList) return {};
    return value.toString();
}

void Settings::save_setting(const QString& key, const QString& value) {
    store_->setValue(group + QLatin1Char('/') + key, value);
    store_->sync();
}

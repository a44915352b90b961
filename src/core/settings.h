// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QSettings;

// The per-user settings store (application "tessarin", group "general"): what must be known
// before a database is open. A missing key, or a store that cannot be read, gives "".
class Settings {
public:
    Settings();                                 // the user's store
    explicit Settings(const QString& ini_path); // a store in a given file (tests, portable use)
    ~Settings();

    QString get_setting(const QString& key) const;
    void save_setting(const QString& key, const QString& value);

private:
    std::unique_ptr<QSettings> store_;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A scratch directory for one test: its own program directory (TESSARIN_HOME) and settings file.
class TempEnv {
public:
    TempEnv();
    QString path(const QString& name = {}) const;
    // Writes a text file below the directory and returns its path.
    QString write_file(const QString& name, const QByteArray& content) const;

private:
    QTemporaryDir dir_;
};

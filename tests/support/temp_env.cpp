// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempEnv::TempEnv() {
    qputenv("TESSARIN_HOME", QFile::encodeName(dir_.path()));
}

QString TempEnv::path(const QString& name) const {
    return name.isEmpty() ? dir_.path() : QDir(dir_.path()).filePath(name);
}

QString TempEnv::write_file(const QString& name, const QByteArray& content) const {
    QString full = path(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly)) file.write(content);
    return full;
}

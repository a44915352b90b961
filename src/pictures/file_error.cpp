// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/file_error.h"

#include <QDir>
#include <QFileInfo>

QString FileError::message() const {
    return QStringLiteral("Error %1 - %2").arg(number_).arg(description_);
}

FileError file_error(const QFileDevice& file, const QString& path) {
    int number = path_access_error;
    switch (file.error()) {
    case QFileDevice::OpenError:
        number = QFileInfo::exists(path) ? permission_denied_error : file_not_found_error;
        break;
    case QFileDevice::PermissionsError:
        number = permission_denied_error;
        break;
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        number = QFileInfo::exists(path) ? path_access_error : file_not_found_error;
        break;
    default:
        break;
    }
    const QString reason =
        file.errorString().isEmpty() ? QStringLiteral("File access error") : file.errorString();
    return {number, reason + QStringLiteral(": ") + QDir::toNativeSeparators(path)};
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_image.h"

#include "core/translate.h"
#include "pictures/file_error.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace {

// JPEG pictures decode straight at a fraction of their size; the other formats decode whole
// before scaling, which the reader refuses beyond its allocation limit with a vague "Unable to
// read image data". Such a picture is refused before it is read, with its size in the message.
bool too_large_to_decode(const QImageReader& reader, QSize raw, QSize shown) {
    if (reader.format() == "jpeg" || !shown.isValid()) return false;
    const qint64 bytes = static_cast<qint64>(raw.width()) * raw.height() * 4;
    return bytes > static_cast<qint64>(QImageReader::allocationLimit()) * 1024 * 1024;
}

QString read_error(const QString& path, const QString& description) {
    const int number = QFileInfo::exists(path) ? path_access_error : file_not_found_error;
    return FileError(number, description + QStringLiteral(": ") + QDir::toNativeSeparators(path)).message();
}

} // namespace

QSize picture_size(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // With the orientation applied automatically, the reader gives the upright size.
    return reader.size();
}

QSize fit_size(QSize full, QSize bounds, bool enlarge) {
    if (full.isEmpty() || bounds.isEmpty()) return full.isEmpty() ? QSize(1, 1) : full;
    if (!enlarge && full.width() <= bounds.width() && full.height() <= bounds.height()) return full;
    const QSize fitted = full.scaled(bounds, Qt::KeepAspectRatio);
    return {std::max(1, fitted.width()), std::max(1, fitted.height())};
}

PictureRead read_picture(const QString& path, QSize shown) {
    PictureRead result;
    if (!QFileInfo(path).isFile()) {
        result.error = read_error(path, QStringLiteral("File not found"));
        return result;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize raw = reader.size();
    if (!raw.isValid()) {
        result.error =
            read_error(path, QStringLiteral("Not a picture or unreadable (%1)").arg(reader.errorString()));
        return result;
    }
    result.full_size = raw;
    if (too_large_to_decode(reader, raw, shown)) {
        result.error = read_error(path, translate(QStringLiteral("Picture too large to show")) +
                                            QStringLiteral(" (%1 x %2)").arg(raw.width()).arg(raw.height()));
        return result;
    }
    // The scaled size is given upright, like the size the reader reported.
    if (shown.isValid() && shown != result.full_size) reader.setScaledSize(shown);
    result.image = reader.read();
    if (result.image.isNull())
        result.error =
            read_error(path, QStringLiteral("Picture cannot be read (%1)").arg(reader.errorString()));
    return result;
}

PictureRead read_picture_fitted(const QString& path, QSize bounds, bool enlarge) {
    const QSize full = picture_size(path);
    if (!full.isValid()) return read_picture(path, {});
    return read_picture(path, fit_size(full, bounds, enlarge));
}

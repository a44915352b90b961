// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture_names.h"

#include <QStringList>
#include <algorithm>

bool is_picture_file_name(const QString& name) {
    static const QStringList endings{QStringLiteral(".jpg"), QStringLiteral(".gif"),  QStringLiteral(".bmp"),
                                     QStringLiteral(".png"), QStringLiteral(".jpeg"), QStringLiteral(".webp"),
                                     QStringLiteral(".tif"), QStringLiteral(".tiff")};
    return std::any_of(endings.begin(), endings.end(),
                       [&name](const QString& ending) { return name.endsWith(ending, Qt::CaseInsensitive); });
}

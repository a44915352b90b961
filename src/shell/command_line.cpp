// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.h"

#include "core/file_helpers.h"

#include <QDir>
#include <QFileInfo>

QString resolve_command_line(const QString& line, const QString& start_dir) {
    QString text = line.trimmed();
    strip_quotes(text);
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    const QString path = (bar < 0 ? text : text.left(bar)).trimmed();
    if (path.isEmpty() || !QDir::isRelativePath(path)) return line;
    const QString absolute = QDir::cleanPath(QDir(start_dir).absoluteFilePath(path));
    if (!QFileInfo::exists(absolute)) return line;
    return bar < 0 ? absolute : absolute + text.mid(bar);
}

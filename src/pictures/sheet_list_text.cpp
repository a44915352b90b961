// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/sheet_list_text.h"

#include "pictures/file_error.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

QString decode_list_text(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    // The local 8-bit encoding, unless it is UTF-8 itself (as it is on most systems today).
    QStringDecoder local(QStringConverter::System, QStringConverter::Flag::Stateless);
    text = local.decode(bytes);
    if (!local.hasError() && !text.contains(QChar::ReplacementCharacter)) return text;
    QStringDecoder windows(QByteArrayLiteral("windows-1252").constData());
    if (windows.isValid()) return windows.decode(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace

QStringList list_file_lines(const QByteArray& bytes) {
    QString text = decode_list_text(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (!line.trimmed().isEmpty()) lines.append(line);
    }
    return lines;
}

QStringList read_list_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw file_error(file, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw file_error(file, path);
    return list_file_lines(bytes);
}

QByteArray list_file_bytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

void write_list_file(const QString& path, const QStringList& lines) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw file_error(file, path);
    if (file.write(list_file_bytes(lines)) < 0 || !file.commit()) throw file_error(file, path);
}

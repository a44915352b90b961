// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/thumbnail_files.h"

#include "core/seams.h"
#include "pictures/file_error.h"
#include "pictures/sheet_list_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString tnf_ending = QStringLiteral(".tnf");

// The series file name without its number and ending: "dir/_thumbnails_07.tnf" -> "dir/_thumbnails_".
QString series_prefix(const QString& path) {
    QString stem = path.left(path.size() - tnf_ending.size());
    while (!stem.isEmpty() && stem.back().isDigit())
        stem.chop(1);
    return stem;
}

SeriesStep series_step(const QString& path, int step) {
    if (!path.endsWith(tnf_ending, Qt::CaseInsensitive))
        return {{}, QStringLiteral("Next file cannot determined")};
    const int number = thumbnail_file_number(path);
    if (number < 0) return {{}, QStringLiteral("File cannot be determined")};
    if (number + step < 1) return {{}, QStringLiteral("No more previous files")};
    // The ending keeps the file's own letter case (".TNF" stays ".TNF").
    QString target = thumbnail_file_name(series_prefix(path), number + step);
    target.replace(target.size() - tnf_ending.size(), tnf_ending.size(), path.right(tnf_ending.size()));
    if (!QFileInfo(target).isFile()) return {{}, QStringLiteral("No more thumbnail files available")};
    return {target, {}};
}

} // namespace

SheetSize sheet_size_for_width(int width) {
    if (width == 640) return {5, 10};
    if (width == 800) return {6, 18};
    return {7, 28};
}

SheetSize sheet_size_for_screen(const ScreenInfo& screen) {
    return sheet_size_for_width(screen.width_twips() / 15);
}

QString thumbnail_file_name(const QString& prefix, int number) {
    return prefix + QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')) + tnf_ending;
}

QString search_file_stem(bool and_search, const QStringList& strings) {
    QString joined = strings.join(QLatin1Char('$'));
    for (QChar& c : joined)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 32) c = QLatin1Char('_');
    return (and_search ? QStringLiteral("search_and_") : QStringLiteral("search_or_")) + joined;
}

QString search_slide_show_name(bool and_search, const QStringList& strings) {
    return search_file_stem(and_search, strings) + QStringLiteral(".ssf");
}

QString search_thumbnail_prefix(bool and_search, const QStringList& strings) {
    return search_file_stem(and_search, strings) + QLatin1Char('_');
}

QStringList write_thumbnail_series(const QString& directory, const QString& prefix, const QStringList& paths,
                                   int per_sheet) {
    const QDir dir(directory);
    // Matched by hand rather than by a wildcard: a prefix made of search strings may hold "[" or "*".
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive) || !name.endsWith(tnf_ending, Qt::CaseInsensitive))
            continue;
        QFile old_file(dir.filePath(name));
        if (!old_file.remove()) throw file_error(old_file, old_file.fileName());
    }
    QStringList written;
    const int size = std::max(1, per_sheet);
    for (qsizetype first = 0; first < paths.size(); first += size) {
        const QString file = dir.filePath(thumbnail_file_name(prefix, static_cast<int>(first / size) + 1));
        QStringList lines;
        for (const QString& path : paths.mid(first, size))
            lines.append(QDir::toNativeSeparators(path));
        write_list_file(file, lines);
        written.append(file);
    }
    return written;
}

int thumbnail_file_number(const QString& path) {
    if (!path.endsWith(tnf_ending, Qt::CaseInsensitive)) return -1;
    const QString stem = path.left(path.size() - tnf_ending.size());
    qsizetype digits = 0;
    while (digits < stem.size() && stem.at(stem.size() - 1 - digits).isDigit())
        ++digits;
    if (digits < 2) return -1;
    bool ok = false;
    const int number = stem.right(digits).toInt(&ok);
    return ok ? number : -1;
}

SeriesStep next_thumbnail_file(const QString& path) {
    return series_step(path, 1);
}

SeriesStep previous_thumbnail_file(const QString& path) {
    return series_step(path, -1);
}

int thumbnail_series_length(const QString& path) {
    if (thumbnail_file_number(path) < 0) return 0;
    const QString prefix = series_prefix(path);
    int count = 0;
    while (count < 1000 && QFileInfo(thumbnail_file_name(prefix, count + 1)).isFile())
        ++count;
    return count;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/slide_show_files.h"

#include "core/app_context.h"
#include "core/translate.h"
#include "pictures/file_error.h"
#include "pictures/sheet_list_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool is_relative_line(const QString& line) {
    return line.startsWith(QLatin1String("*\\")) || line.startsWith(QLatin1String("*/"));
}

// Puts the repaired lines in place of the file at `path`; the original stays until the new one
// has its name.
void replace_slide_show_file(const Services& services, const QString& path, const QStringList& lines) {
    const QString temporary = slide_show_repair_file(services);
    QDir().mkpath(services.program_dir);
    QFile::remove(temporary);
    write_list_file(temporary, lines);

    const QString set_aside = path + QStringLiteral(".being replaced");
    // A leftover of an earlier repair that got as far as putting its new file in place.
    if (QFileInfo::exists(set_aside)) QFile::remove(set_aside);
    QFile original(path);
    if (!original.rename(set_aside)) {
        QFile::remove(temporary);
        throw file_error(original, path);
    }
    QFile repaired(temporary);
    if (!repaired.rename(path)) {
        const FileError error = file_error(repaired, temporary);
        QFile::rename(set_aside, path);
        QFile::remove(temporary);
        throw error;
    }
    QFile old_file(set_aside);
    if (!old_file.remove()) throw file_error(old_file, set_aside);
}

} // namespace

QStringList slide_show_lines(const PictureList& pictures, const QString& relative_to) {
    const QString own_dir = relative_to.isEmpty() ? QString() : QDir::cleanPath(relative_to);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(pictures.size()));
    for (const PictureEntry& picture : pictures) {
        const QFileInfo info(picture.path);
        if (!own_dir.isEmpty() && QDir::cleanPath(info.absolutePath()) == own_dir)
            lines.append(QStringLiteral("*\\") + info.fileName());
        else
            lines.append(QDir::toNativeSeparators(picture.path));
    }
    return lines;
}

QString slide_show_line_path(const QString& line, const QString& ssf_directory) {
    if (is_relative_line(line)) return QDir(ssf_directory).filePath(line.mid(2));
    const QString path = QDir::fromNativeSeparators(line);
    return QDir::isAbsolutePath(path) ? path : QString();
}

QString slide_show_repair_file(const Services& services) {
    return services.program_path(QStringLiteral("Glimmeron_temp.tmp"));
}

SlideShowLoad load_slide_show_file(Services& services, const QString& path) {
    const QStringList lines = read_list_file(path);
    const QString directory = QFileInfo(path).absolutePath();
    SlideShowLoad load;
    QStringList kept;
    for (const QString& line : lines) {
        const QString picture = slide_show_line_path(line, directory);
        const QFileInfo info(picture);
        if (picture.isEmpty() || !info.isFile()) {
            const QString shown = picture.isEmpty() ? line : QDir::toNativeSeparators(picture);
            load.missing.append(shown);
            services.prompter.message(
                translate(QStringLiteral("%1 not found. It will be removed from slide show file."))
                    .arg(shown));
            continue;
        }
        kept.append(line);
        if (static_cast<int>(load.pictures.size()) < max_picture_list)
            load.pictures.push_back({info.absoluteFilePath(), info.lastModified()});
        else
            load.too_many = true;
    }
    if (!load.missing.isEmpty()) {
        load.repaired =
            run_file_command(services.prompter, [&] { replace_slide_show_file(services, path, kept); });
    }
    return load;
}

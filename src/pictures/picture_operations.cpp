// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_operations.h"

#include "core/app_context.h"
#include "core/settings.h"
#include "core/translate.h"
#include "pictures/file_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void set_last_picture(Services& services, PictureSettings& pictures, const QString& path) {
    pictures.last_picture_file = path;
    services.settings.save_setting(QStringLiteral("last_picture_file"), path);
}

std::optional<QString> existing_last_picture(Services& services, const PictureSettings& pictures) {
    const QString last = pictures.last_picture_file.trimmed();
    if (last.isEmpty()) {
        services.prompter.message(translate(QStringLiteral("There is no last picture.")));
        return std::nullopt;
    }
    if (!QFileInfo(last).isFile()) {
        services.prompter.message(
            translate(QStringLiteral("File \"%1\" not found")).arg(QDir::toNativeSeparators(last)));
        return std::nullopt;
    }
    return last;
}

bool edit_picture(Services& services, const QString& editor, const QString& picture) {
    const QString program = editor.trimmed();
    if (program.isEmpty()) {
        services.prompter.message(translate(QStringLiteral("Path of picture editor is missing.")));
        return false;
    }
    if (!QFileInfo::exists(program)) {
        services.prompter.message(translate(QStringLiteral("Path of picture editor is wrong.")));
        return false;
    }
    // The path goes as one argument, not through a shell, so it needs no quotes: quotes would
    // become part of the name the editor is asked to open.
    if (services.desktop.run(program, QDir::toNativeSeparators(picture))) return true;
    services.prompter.message(
        translate(QStringLiteral("The picture editor could not be started: %1")).arg(program));
    return false;
}

QString recycle_directory(const Services& services) {
    return services.program_path(QStringLiteral("tmp"));
}

bool delete_picture(Services& services, PictureSettings& pictures, const QString& path) {
    if (!services.prompter.ok_cancel(translate(QStringLiteral("Do you really want to delete file ")) +
                                         QDir::toNativeSeparators(path) + QLatin1Char('?'),
                                     translate(QStringLiteral("Deleting last picture")), false))
        return false;
    return run_file_command(services.prompter, [&] {
        QFile file(path);
        if (!file.exists()) throw FileError(file_not_found_error, QStringLiteral("File not found: ") + path);
        const QString recycle = recycle_directory(services);
        QDir().mkpath(recycle);
        const QString copy = recycle + QLatin1Char('/') + QFileInfo(path).fileName();
        if (QFileInfo::exists(copy)) QFile::remove(copy);
        if (!file.copy(copy)) throw file_error(file, path);
        if (!file.remove()) throw file_error(file, path);
        pictures.deleted.append(path);
        set_last_picture(services, pictures, {});
    });
}

std::optional<QString> rename_picture(Services& services, PictureSettings& pictures, const QString& path) {
    const QFileInfo old_file(path);
    const auto answer =
        services.prompter.input(translate(QStringLiteral("New file name?")),
                                translate(QStringLiteral("Renaming last file")), old_file.fileName());
    if (!answer || answer->isEmpty()) return std::nullopt;
    const QString& new_name = *answer;
    if (new_name.right(4).compare(old_file.fileName().right(4), Qt::CaseInsensitive) != 0) {
        services.prompter.message(translate(QStringLiteral("File extension cannot be modified")));
        return std::nullopt;
    }
    if (new_name.contains(QLatin1Char('/')) || new_name.contains(QLatin1Char('\\')) ||
        new_name.trimmed().isEmpty()) {
        services.prompter.message(translate(QStringLiteral("Invalid file name")));
        return std::nullopt;
    }
    const QString new_path = old_file.dir().filePath(new_name);
    std::optional<QString> renamed;
    run_file_command(services.prompter, [&] {
        if (new_path == path) return;
        if (QFileInfo::exists(new_path))
            throw FileError(file_exists_error,
                            QStringLiteral("File already exists: ") + QDir::toNativeSeparators(new_path));
        QFile file(path);
        if (!file.rename(new_path)) throw file_error(file, path);
        renamed = new_path;
        set_last_picture(services, pictures, new_path);
    });
    return renamed;
}

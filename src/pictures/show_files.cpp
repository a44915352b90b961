// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/show_files.h"

#include "core/app_context.h"
#include "core/settings.h"
#include "core/translate.h"
#include "pictures/file_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool save_picture_copy(Services& services, const QString& source) {
    const QString last_saved = services.settings.get_setting(QStringLiteral("last_saved_file"));
    const QString start =
        last_saved.isEmpty() ? source : QFileInfo(last_saved).dir().filePath(QFileInfo(source).fileName());
    const auto target = services.prompter.save_file(
        translate(QStringLiteral("Save a copy of the picture as")),
        QStringLiteral("Image (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp|All files (*.*)|*.*"), start);
    if (!target || target->trimmed().isEmpty()) return false;
    return run_file_command(services.prompter, [&] {
        if (QFileInfo(*target).absoluteFilePath() == QFileInfo(source).absoluteFilePath())
            throw FileError(path_access_error,
                            translate(QStringLiteral("A file cannot be copied onto itself: ")) +
                                QDir::toNativeSeparators(*target));
        QFile file(source);
        if (!file.exists())
            throw FileError(file_not_found_error,
                            translate(QStringLiteral("File not found: ")) + QDir::toNativeSeparators(source));
        // The save dialog asked before replacing an existing file.
        if (QFileInfo::exists(*target) && !QFile::remove(*target))
            throw FileError(permission_denied_error, translate(QStringLiteral("File cannot be replaced: ")) +
                                                         QDir::toNativeSeparators(*target));
        if (!file.copy(*target)) throw file_error(file, source);
        services.settings.save_setting(QStringLiteral("last_saved_file"), *target);
    });
}

void open_agenda(Services& services) {
    const QString agenda = services.program_path(QStringLiteral("agenda.txt"));
    if (!QFileInfo::exists(agenda)) {
        QDir().mkpath(services.program_dir);
        QFile file(agenda);
        if (!file.open(QIODevice::WriteOnly)) {
            services.prompter.message(file_error(file, agenda).message());
            return;
        }
    }
    services.desktop.open(agenda);
}

QString picture_editor_path(const Services& services, const PictureSettings& pictures) {
    if (!pictures.picture_editor.trimmed().isEmpty()) return pictures.picture_editor;
    return services.settings.get_setting(QStringLiteral("picture_editor"));
}

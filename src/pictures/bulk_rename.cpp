// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bulk_rename.h"

#include "core/app_context.h"
#include "core/translate.h"
#include "pictures/file_error.h"
#include "pictures/picture_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The directory whose files are renamed: the last picture's; a message when there is none.
std::optional<QString> last_picture_directory(Services& services, const PictureSettings& pictures) {
    const QString last = pictures.last_picture_file.trimmed();
    const QString directory = last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
    if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
        services.prompter.message(translate(
            QStringLiteral("Open a picture first: its directory is the one whose files are renamed.")));
        return std::nullopt;
    }
    return directory;
}

void rename_in_last_directory(Services& services, PictureSettings& pictures, bool add, const QString& prompt,
                              const QString& title) {
    const std::optional<QString> directory = last_picture_directory(services, pictures);
    if (!directory) return;
    const std::optional<QString> answer = services.prompter.input(prompt, title, {});
    if (!answer || answer->isEmpty()) return;
    const BulkRenameOutcome outcome = rename_files_of_directory(services, pictures, *directory, add, *answer);
    services.prompter.message(QString::number(outcome.renamed) +
                              translate(QStringLiteral(" files renamed.")));
}

} // namespace

std::optional<QString> name_with_string_added(const QString& name, const QString& text) {
    if (text.isEmpty() || name.contains(text, Qt::CaseInsensitive)) return std::nullopt;
    return text + name;
}

std::optional<QString> name_with_string_removed(const QString& name, const QString& text) {
    if (text.isEmpty() || name.size() <= text.size() || !name.startsWith(text, Qt::CaseInsensitive))
        return std::nullopt;
    return name.mid(text.size());
}

BulkRenameOutcome rename_files_of_directory(Services& services, PictureSettings& pictures,
                                            const QString& directory, bool add, const QString& text) {
    BulkRenameOutcome outcome;
    const QDir dir(directory);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    const QString last_picture = QFileInfo(pictures.last_picture_file).absoluteFilePath();
    outcome.failed = !run_file_command(services.prompter, [&] {
        for (const QString& name : names) {
            const std::optional<QString> new_name =
                add ? name_with_string_added(name, text) : name_with_string_removed(name, text);
            if (!new_name) continue;
            const QString old_path = dir.filePath(name);
            const QString new_path = dir.filePath(*new_name);
            // QFile::rename would refuse too, but without saying which file stood in the way.
            if (QFileInfo::exists(new_path))
                throw FileError(file_exists_error, translate(QStringLiteral("File already exists: ")) +
                                                       QDir::toNativeSeparators(new_path));
            QFile file(old_path);
            if (!file.rename(new_path)) throw file_error(file, old_path);
            ++outcome.renamed;
            if (QFileInfo(old_path).absoluteFilePath() == last_picture)
                set_last_picture(services, pictures, new_path);
        }
    });
    return outcome;
}

void add_string_to_file_names(Services& services, PictureSettings& pictures) {
    rename_in_last_directory(
        services, pictures, true, translate(QStringLiteral("String to be added?")),
        translate(QStringLiteral("Adding string to names of files in a given directory")));
}

void remove_string_from_file_names(Services& services, PictureSettings& pictures) {
    rename_in_last_directory(
        services, pictures, false, translate(QStringLiteral("String to removed?")),
        translate(QStringLiteral("Removing string from names of files in a given directory")));
}

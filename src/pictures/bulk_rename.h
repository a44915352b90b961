// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

struct Services;
struct PictureSettings;

// Renaming every file of the last picture's directory at once: a string put before each name,
// or taken off the start of each name.

// The new name when `text` is added: text + name, or nothing when the name already contains
// the text (letter case ignored), so that adding twice changes a name once.
std::optional<QString> name_with_string_added(const QString& name, const QString& text);
// The new name when `text` is removed: the name without its leading text, or nothing when the
// name does not begin with it (letter case ignored) or would be left empty.
std::optional<QString> name_with_string_removed(const QString& name, const QString& text);

// What a bulk rename did: the files renamed, and whether a rename failed (the files after it
// are left as they were).
struct BulkRenameOutcome {
    int renamed = 0;
    bool failed = false;
};

// Renames the files (not the directories) of `directory` in name order by `rename`; a failing
// rename is shown as "Error " + number + " - " + description and stops the run. When the last
// picture is among the renamed files, `pictures` follows it.
BulkRenameOutcome rename_files_of_directory(Services& services, PictureSettings& pictures,
                                            const QString& directory, bool add, const QString& text);

// m_add_string_to_names_of_all_files_of_given_directory: asks "String to be added?" and renames
// the files of the last picture's directory, ending with "N files renamed.". An empty answer
// does nothing.
void add_string_to_file_names(Services& services, PictureSettings& pictures);
// m_remove_string: asks "String to removed?" and takes the string off the names that begin
// with it, with the same end message.
void remove_string_from_file_names(Services& services, PictureSettings& pictures);

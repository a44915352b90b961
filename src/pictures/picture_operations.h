// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

struct Services;
struct PictureSettings;

// The file commands every picture window shares (the browser, the thumbnail sheet, the slide
// show, the picture windows). Each asks its questions through the prompter, reports a failure
// as "Error " + number + " - " + description and leaves the file as it was.

// The picture last opened, shown, renamed or deleted: kept in the settings store and in
// `pictures`. An empty path forgets it.
void set_last_picture(Services& services, PictureSettings& pictures, const QString& path);

// The last picture when there is one and it exists; otherwise "There is no last picture." or
// "File "<path>" not found" is shown and nothing is answered.
std::optional<QString> existing_last_picture(Services& services, const PictureSettings& pictures);

// Starts the external picture editor on `picture` without waiting for it. The editor path is
// trimmed; an empty path gives "Path of picture editor is missing.", one naming nothing "Path of
// picture editor is wrong.". The picture is passed as the one argument, as it is. True when the
// editor was started.
bool edit_picture(Services& services, const QString& editor, const QString& picture);

// Asks "Do you really want to delete file <path>?" (OK/Cancel, Cancel the default); on OK copies
// the file into the program's tmp directory, deletes it, adds it to the deleted list and forgets
// it as the last picture. True when the file was deleted.
bool delete_picture(Services& services, PictureSettings& pictures, const QString& path);

// Asks "New file name?" proposing the current name and renames the file inside its directory;
// the renamed file becomes the last picture. The extension may not change ("File extension cannot be
// modified"). The new full path, or nothing when the user cancelled or the rename failed.
std::optional<QString> rename_picture(Services& services, PictureSettings& pictures, const QString& path);

// The recycle directory deleted pictures are copied into: the program's tmp directory.
QString recycle_directory(const Services& services);

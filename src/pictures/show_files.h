// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct Services;
struct PictureSettings;

// The file commands the slide show and the picture windows share beside those of
// picture_operations.h.

// A: asks for a file name with the save dialog (starting at "last_saved_file", else the
// picture's own name) and writes a copy of `source` there; the copy's path is stored under
// "last_saved_file". A failure is shown as "Error " + number + " - " + description. True when
// the copy was written.
bool save_picture_copy(Services& services, const QString& source);

// The agenda: "agenda.txt" of the program directory opened with the system's text editor; an
// empty one is made first when there is none, as the editor would offer.
void open_agenda(Services& services);

// The external editor's path: the one in use this run, else the stored "picture_editor".
QString picture_editor_path(const Services& services, const PictureSettings& pictures);

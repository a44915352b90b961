// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/picture_list.h"

#include <QString>
#include <QStringList>

struct Services;

// Slide-show files (".ssf"): one picture per line, CR LF line ends, no header. A line is a full
// path, or "*\" and a file name standing for a file in the slide-show file's own directory ("*/"
// is read the same way).

// The lines of a slide-show file listing `pictures`. With `relative_to` set, pictures in that
// directory are written as "*\" + name; every other picture as its full path.
QStringList slide_show_lines(const PictureList& pictures, const QString& relative_to = {});

// The picture a line stands for: "*\" lines are expanded with `ssf_directory`; empty when the line
// names no absolute path (a Windows path such as "C:\x.jpg" on this system, for instance).
QString slide_show_line_path(const QString& line, const QString& ssf_directory);

// What loading a slide-show file found.
struct SlideShowLoad {
    PictureList pictures;  // the pictures that exist, in the file's order, at most max_picture_list
    QStringList missing;   // the paths that do not exist (or lines naming no usable path)
    bool too_many = false; // the file lists more than max_picture_list pictures
    bool repaired = false; // the file was rewritten without the missing lines
};

// Loads a slide-show file and repairs it: each missing picture is told once ("... not found. It
// will be removed from slide show file."), and when any was missing the file is rewritten without
// those lines. The rewrite goes through "Glimmeron_temp.tmp" in the program directory: the file is
// renamed to "<name>.being replaced", the temporary file takes its name, and only then is the old
// one deleted, so that a failure at any step leaves the original in place. Throws FileError when
// the file cannot be read; a failed repair is reported and the pictures are still returned.
SlideShowLoad load_slide_show_file(Services& services, const QString& path);

// The temporary file repairs are written to, in the program directory.
QString slide_show_repair_file(const Services& services);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Slide-show files and thumbnail sheets, as the rest of the viewer asks for them.
#include "pictures/ui/picture_viewer.h"

void PictureViewer::open_slide_show_file(const QString& /*path*/, int /*start*/) {}

void PictureViewer::slide_show_of_directory(const QString& /*directory*/) {}

void PictureViewer::thumbnails_of_directory(const QString& /*directory*/) {}

void PictureViewer::open_thumbnail_file(const QString& /*path*/) {}

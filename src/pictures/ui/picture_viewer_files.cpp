// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Slide-show files and thumbnail sheets, as the rest of the viewer asks for them.
#include "pictures/ui/picture_viewer.h"

void PictureViewer::build_slide_show() {}

void PictureViewer::slide_show_from_search_results() {}

void PictureViewer::choose_slide_show_file() {}

void PictureViewer::resume_slide_show() {}

void PictureViewer::build_thumbnails() {}

void PictureViewer::thumbnails_from_search_results() {}

void PictureViewer::choose_thumbnail_file() {}

void PictureViewer::set_search_strings(bool and_search, const QStringList& strings) {
    and_search_ = and_search;
    search_strings_ = strings;
}

void PictureViewer::open_slide_show_file(const QString& /*path*/, int /*start*/) {}

void PictureViewer::slide_show_of_directory(const QString& /*directory*/) {}

void PictureViewer::thumbnails_of_directory(const QString& /*directory*/) {}

void PictureViewer::open_thumbnail_file(const QString& /*path*/) {}

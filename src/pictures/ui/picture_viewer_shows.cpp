// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture windows and the slide show, as the rest of the viewer asks for them.
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_windows.h"
#include "pictures/ui/thumbnail_sheets.h"

void PictureViewer::show_picture(const QString& /*path*/) {}

void PictureViewer::start_slide_show(const PictureList& /*pictures*/, int /*start*/) {}

bool PictureViewer::has_open_windows() const {
    return picture_windows_->any_open();
}

void PictureViewer::close_all() {
    picture_windows_->close_all();
    sheets_->close_all();
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_viewer.h"

#include "pictures/ui/picture_windows.h"
#include "pictures/ui/thumbnail_sheets.h"

PictureViewer::PictureViewer(AppContext& ctx)
    : ctx_(ctx), picture_windows_(std::make_unique<PictureWindows>(*this)),
      sheets_(std::make_unique<ThumbnailSheets>(*this)) {}

PictureViewer::~PictureViewer() {
    close_browser();
    close_all();
}

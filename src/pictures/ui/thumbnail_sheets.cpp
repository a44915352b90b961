// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/thumbnail_sheets.h"

ThumbnailSheets::ThumbnailSheets(PictureViewer& viewer) : viewer_(viewer) {}

ThumbnailSheets::~ThumbnailSheets() = default;

void ThumbnailSheets::close_all() {}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_windows.h"

PictureWindows::PictureWindows(PictureViewer& viewer) : viewer_(viewer) {}

PictureWindows::~PictureWindows() = default;

bool PictureWindows::any_open() const {
    return false;
}

void PictureWindows::close_all() {}

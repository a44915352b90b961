// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The browser panel, as the rest of the viewer asks for it.
#include "pictures/ui/picture_viewer.h"

void PictureViewer::open_browser(bool /*standalone*/) {}

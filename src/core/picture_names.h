// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A file the picture viewer lists and shows: ".jpg", ".gif", ".bmp", and the other formats the
// image reader reads (".jpeg", ".png", ".webp", ".tif", ".tiff"), in any letter case. Every
// window that lists, shows or links pictures asks this one test.
bool is_picture_file_name(const QString& name);

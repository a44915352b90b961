// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The program's pictures, drawn as SVG and shipped in the resources.

// A toolbar command's picture by the button's key ("calendar", "print"...); a null icon for an
// unknown key.
QIcon command_icon(const QString& key);

// The picture of a collection position. Positions 19 to 42 (the custom collections x01 to x24)
// take "x01.ico" ... "x24.ico" from the program directory when the file is there.
QIcon collection_icon(const QString& program_dir, int position);

// The name of the icon file a custom collection position may bring: "x" + two digits + ".ico";
// empty for the other positions.
QString custom_icon_file(int position);

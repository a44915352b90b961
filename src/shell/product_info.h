// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The product's web page: "Web site" opens it, the About text names it.
inline const QString web_site_address = QStringLiteral("https://tessarin.org");

// The user guide in the program directory, opened by "Program presentation".
inline const QString user_guide_file_name = QStringLiteral("tessarin_help.html");

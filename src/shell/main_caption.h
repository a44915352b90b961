// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The main window's caption: the program title, the open database's title in parentheses, the
// date and time, and " (recompilation needed)" when the collection table asks for it.
// Example: "Tessarin (family) 14/03/26 09:26".
QString main_caption(const QString& db_title, const QDateTime& now, bool recompilation_needed);

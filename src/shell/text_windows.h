// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"

#include <QString>
#include <optional>

class Database;

// What the tips window and the text window decide, apart from their widgets.

inline const QString tips_file_name = QStringLiteral("tips.txt");

// The tips file as the window shows it: every line followed by a line end. UTF-8, or Latin-1 for
// a file that is not valid UTF-8 (older files written by hand). nullopt when it cannot be read.
std::optional<QString> read_tips(const QString& path);

// Whether the next start shows the tips: "show_initial_tips" = "Y" or "N".
void remember_show_initial_tips(Database& db, bool show_again);

// Text window: never lower than this while not minimised.
inline constexpr int text_window_min_height = 2000;
inline constexpr int text_window_button_width = 1500;
inline constexpr int text_window_button_height = 300;

struct TextWindowLayout {
    TwipsRect text;
    TwipsRect button;
};

// The text box 90 twips from the top, 300 narrower than the window and centred, as high as the
// window less 650 and the button; the OK button centred below it. Inner sizes in twips; a
// height below the minimum is laid out as the minimum.
TextWindowLayout text_window_layout(int inner_width, int inner_height);

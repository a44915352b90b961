// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/text_windows.h"
#include "support/temp_env.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

TEST(ReadTips, EveryLineEndsWithALineEndWhateverTheFileUses) {
    TempEnv env;
    const struct {
        QByteArray content;
        const char* shown;
    } cases[] = {
        {"First tip\r\nSecond tip\r\n", "First tip\nSecond tip\n"},
        {"First tip\nSecond tip", "First tip\nSecond tip\n"},
        {"\xEF\xBB\xBFWith a mark\n\nafter a blank line\n", "With a mark\n\nafter a blank line\n"},
        {"Caf\xC3\xA9 in UTF-8\n", "Café in UTF-8\n"},
        {"Caf\xE9 written in Latin-1\n", "Café written in Latin-1\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        const QString path = env.write_file("tips.txt", c.content);
        EXPECT_EQ(read_tips(path), QString::fromUtf8(c.shown)) << c.content.constData();
    }
    EXPECT_EQ(read_tips(env.path("missing.txt")), std::nullopt);
}

TEST(TextWindowLayout, TextAboveACentredButtonNeverBelowTheMinimumHeight) {
    const struct {
        int width, height;
        TwipsRect text, button;
    } cases[] = {
        // text: top, left, width, height; button: top, left, width, height
        {6000, 5000, {90, 150, 5700, 4050}, {4420, 2250, 1500, 300}},
        {3000, 2000, {90, 150, 2700, 1050}, {1420, 750, 1500, 300}},
        {3000, 1200, {90, 150, 2700, 1050}, {1420, 750, 1500, 300}}, // laid out as 2000 high
        {1000, 2500, {90, 150, 700, 1550}, {1920, -250, 1500, 300}},
    };
    for (const auto& c : cases) {
        const TextWindowLayout layout = text_window_layout(c.width, c.height);
        EXPECT_EQ(layout.text, c.text) << c.width << "x" << c.height;
        EXPECT_EQ(layout.button, c.button) << c.width << "x" << c.height;
        // The button sits wholly below the text and inside the window.
        EXPECT_GT(layout.button.top, layout.text.top + layout.text.height);
        EXPECT_LE(layout.button.top + layout.button.height, std::max(c.height, text_window_min_height));
    }
}

} // namespace

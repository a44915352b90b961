// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <array>
#include <cstddef>

// Case-insensitive work straight on the UTF-8 bytes the engine hands over, without building
// QStrings per row. Every comparison of the like matcher and of the NOCASE collation folds one
// code point at a time with Unicode simple case folding, so the two always agree.
namespace utf8_fold {

// ASCII folding table: ASCII letters to lower case, everything else unchanged.
inline constexpr std::array<unsigned char, 128> ascii_fold = [] {
    std::array<unsigned char, 128> table{};
    for (int i = 0; i < 128; ++i)
        table[static_cast<std::size_t>(i)] =
            static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + ('a' - 'A') : i);
    return table;
}();

inline constexpr char32_t replacement = 0xFFFD;

// Decodes the code point at s[i] (i < n) and moves i past it. A malformed or truncated sequence
// yields U+FFFD for its first byte only, so decoding never depends on anything but the string.
inline char32_t decode(const unsigned char* s, std::size_t n, std::size_t& i) {
    const unsigned char lead = s[i];
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return replacement;
    }
    if (n - i <= static_cast<std::size_t>(extra)) {
        ++i;
        return replacement;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char c = s[i + static_cast<std::size_t>(k)];
        if ((c & 0xC0) != 0x80) {
            ++i;
            return replacement;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF) {
        ++i;
        return replacement;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

inline char32_t fold(char32_t cp) {
    return cp < 128 ? ascii_fold[cp] : QChar::toCaseFolded(cp);
}

} // namespace utf8_fold

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An Access-style like pattern, compiled once and matched against many UTF-8 texts:
//   *        any run of characters, also none
//   ?        exactly one character
//   #        one digit 0-9
//   [abc]    one of the listed characters; [a-z] a range; [!a-z] any character not listed;
//            [*] [?] [#] [[] the character itself; [] nothing at all (matches the empty run)
// Letter case is ignored in every alphabet. An unclosed "[" stands for itself.
class AccessLikePattern {
public:
    explicit AccessLikePattern(std::string_view pattern_utf8);

    bool matches(std::string_view text_utf8) const;
    // The pattern text this was compiled from.
    const std::string& source() const { return source_; }

private:
    enum class Kind : unsigned char { Literal, AnyOne, Digit, Set, Star };
    struct Token {
        Kind kind;
        char32_t folded = 0; // Literal: the case-folded character
        unsigned set = 0;    // Set: index into sets_
        unsigned skip = 0;   // Star followed by a Literal: index into skips_, else 0
    };
    struct CharSet {
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges;
        std::bitset<128> ascii; // the final answer (negation included) for each ASCII character
        bool matches(char32_t cp) const;
    };
    // Finds the next byte at which a Literal can start: one of its ASCII case variants, and
    // also non-ASCII lead bytes when some non-ASCII character folds onto it.
    struct Skip {
        unsigned char lower = 0;
        unsigned char upper = 0;
        bool any_high = false;   // every byte >= 0x80 (the Literal is not ASCII)
        bool lead_bytes = false; // every byte >= 0xC0
        std::array<bool, 256> table{};
        std::size_t find(const unsigned char* s, std::size_t i, std::size_t n) const;
    };

    bool token_matches(const Token& token, const unsigned char* s, std::size_t n, std::size_t& i) const;

    std::string source_;
    std::vector<Token> tokens_;
    std::vector<CharSet> sets_;
    std::vector<Skip> skips_; // skips_[0] unused, so that 0 means "no skip"
};

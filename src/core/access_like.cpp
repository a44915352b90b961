// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/access_like.h"

#include "core/sql_functions.h"
#include "core/utf8_fold.h"

#include <QString>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using utf8_fold::fold;

// ASCII characters that some non-ASCII character folds to (the Kelvin sign to "k", the long s
// to "s"). Only for these must a search for an ASCII letter stop at non-ASCII text.
const std::bitset<128>& ascii_fold_targets() {
    static const std::bitset<128> targets = [] {
        std::bitset<128> found;
        // Every folding onto ASCII lies in the Basic Multilingual Plane.
        for (char32_t cp = 128; cp < 0x10000; ++cp) {
            const char32_t folded = QChar::toCaseFolded(cp);
            if (folded < 128) found.set(folded);
        }
        return found;
    }();
    return targets;
}

std::vector<char32_t> decode_all(std::string_view utf8) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    std::vector<char32_t> out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        out.push_back(utf8_fold::decode(s, utf8.size(), i));
    return out;
}

} // namespace

bool AccessLikePattern::CharSet::matches(char32_t cp) const {
    // A character belongs to the set when it, its folded form or the upper case of that does,
    // so that [a-z] takes "Q" and [À-Ý] takes "é".
    const char32_t folded = fold(cp);
    const char32_t upper = QChar::toUpper(folded);
    bool hit = false;
    for (const auto& [low, high] : ranges) {
        if (low == high) {
            hit = cp == low || folded == fold(low);
        } else {
            hit = (cp >= low && cp <= high) || (folded >= low && folded <= high) ||
                  (upper >= low && upper <= high);
        }
        if (hit) break;
    }
    return hit != negated;
}

AccessLikePattern::AccessLikePattern(std::string_view pattern_utf8) : source_(pattern_utf8) {
    skips_.emplace_back();
    const std::vector<char32_t> cps = decode_all(source_);
    auto push = [this](Kind kind, char32_t folded = 0, unsigned set = 0) {
        tokens_.push_back(Token{kind, folded, set, 0});
    };
    for (std::size_t k = 0; k < cps.size(); ++k) {
        const char32_t c = cps[k];
        if (c == '*') {
            // Runs of stars mean the same as one and would only slow the backtracking.
            if (tokens_.empty() || tokens_.back().kind != Kind::Star) push(Kind::Star);
        } else if (c == '?') {
            push(Kind::AnyOne);
        } else if (c == '#') {
            push(Kind::Digit);
        } else if (c == '[') {
            std::size_t close = k + 1;
            while (close < cps.size() && cps[close] != ']')
                ++close;
            if (close == cps.size()) {
                // No closing bracket: a user's "[" taken literally rather than an error.
                push(Kind::Literal, '[');
                continue;
            }
            std::size_t first = k + 1;
            k = close;
            if (first == close) continue; // "[]" stands for no character at all
            CharSet set;
            if (cps[first] == '!') {
                set.negated = true;
                ++first;
                if (first == close) {
                    // Nothing is excluded: any one character.
                    push(Kind::AnyOne);
                    continue;
                }
            }
            for (std::size_t m = first; m < close;) {
                // A "-" between two characters makes a range; at either end it stands for itself.
                if (m + 2 < close && cps[m + 1] == '-') {
                    set.ranges.emplace_back(cps[m], cps[m + 2]);
                    m += 3;
                } else {
                    set.ranges.emplace_back(cps[m], cps[m]);
                    ++m;
                }
            }
            for (char32_t a = 0; a < 128; ++a)
                set.ascii[a] = set.matches(a);
            sets_.push_back(std::move(set));
            push(Kind::Set, 0, static_cast<unsigned>(sets_.size() - 1));
        } else {
            push(Kind::Literal, fold(c));
        }
    }

    // After a star, the search for the next literal scans bytes for its possible first byte.
    for (std::size_t t = 0; t + 1 < tokens_.size(); ++t) {
        if (tokens_[t].kind != Kind::Star || tokens_[t + 1].kind != Kind::Literal) continue;
        const char32_t target = tokens_[t + 1].folded;
        Skip skip;
        if (target < 128) {
            skip.lower = static_cast<unsigned char>(target);
            skip.upper =
                static_cast<unsigned char>(target >= 'a' && target <= 'z' ? target - ('a' - 'A') : target);
            // Lead bytes only: continuation bytes are never reached at a character boundary.
            skip.lead_bytes = ascii_fold_targets()[target];
        } else {
            skip.lower = skip.upper = 0x80;
            skip.any_high = true;
        }
        for (int b = 0; b < 256; ++b)
            skip.table[b] = b == skip.lower || b == skip.upper || (skip.any_high && b >= 0x80) ||
                            (skip.lead_bytes && b >= 0xC0);
        skips_.push_back(skip);
        tokens_[t].skip = static_cast<unsigned>(skips_.size() - 1);
    }
}

std::size_t AccessLikePattern::Skip::find(const unsigned char* s, std::size_t i, std::size_t n) const {
#if defined(__SSE2__)
    // Sixteen bytes at a time: this scan is where a "*word*" search spends its time.
    const __m128i want_lower = _mm_set1_epi8(static_cast<char>(lower));
    const __m128i want_upper = _mm_set1_epi8(static_cast<char>(upper));
    const __m128i lead_mask = _mm_set1_epi8(static_cast<char>(0xC0));
    for (; i + 16 <= n; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        int hits = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(chunk, want_lower), _mm_cmpeq_epi8(chunk, want_upper)));
        if (any_high) hits |= _mm_movemask_epi8(chunk);
        if (lead_bytes) hits |= _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(chunk, lead_mask), lead_mask));
        if (hits != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
    }
#endif
    while (i < n && !table[s[i]])
        ++i;
    return i;
}

inline bool AccessLikePattern::token_matches(const Token& token, const unsigned char* s, std::size_t n,
                                             std::size_t& i) const {
    const unsigned char b = s[i];
    if (b < 0x80) {
        ++i;
        switch (token.kind) {
        case Kind::Literal:
            return utf8_fold::ascii_fold[b] == token.folded;
        case Kind::AnyOne:
            return true;
        case Kind::Digit:
            return b >= '0' && b <= '9';
        case Kind::Set:
            return sets_[token.set].ascii[b];
        case Kind::Star:
            break;
        }
        return false;
    }
    const char32_t cp = utf8_fold::decode(s, n, i);
    switch (token.kind) {
    case Kind::Literal:
        return fold(cp) == token.folded;
    case Kind::AnyOne:
        return true;
    case Kind::Set:
        return sets_[token.set].matches(cp);
    case Kind::Digit:
    case Kind::Star:
        break;
    }
    return false;
}

bool AccessLikePattern::matches(std::string_view text_utf8) const {
    const auto* s = reinterpret_cast<const unsigned char*>(text_utf8.data());
    const std::size_t n = text_utf8.size();
    const std::size_t np = tokens_.size();
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t ti = 0;
    std::size_t pi = 0;
    // Every token but the star takes exactly one character, so on a mismatch it is enough to
    // let the latest star swallow one more character and retry from there.
    std::size_t star_pi = none;
    std::size_t star_ti = 0;
    const Skip* skip = nullptr;
    for (;;) {
        if (pi < np && tokens_[pi].kind == Kind::Star) {
            const unsigned skip_index = tokens_[pi].skip;
            if (++pi == np) return true;
            skip = skip_index ? &skips_[skip_index] : nullptr;
            if (skip) ti = skip->find(s, ti, n);
            star_pi = pi;
            star_ti = ti;
            continue;
        }
        if (ti == n) return pi == np;
        if (pi < np) {
            std::size_t next = ti;
            if (token_matches(tokens_[pi], s, n, next)) {
                ti = next;
                ++pi;
                continue;
            }
        }
        if (star_pi == none) return false;
        utf8_fold::decode(s, n, star_ti);
        if (skip) star_ti = skip->find(s, star_ti, n);
        ti = star_ti;
        pi = star_pi;
    }
}

bool access_like(const QString& text, const QString& pattern) {
    const QByteArray pattern_utf8 = pattern.toUtf8();
    const QByteArray text_utf8 = text.toUtf8();
    return AccessLikePattern(std::string_view(pattern_utf8.constData(), pattern_utf8.size()))
        .matches(std::string_view(text_utf8.constData(), text_utf8.size()));
}

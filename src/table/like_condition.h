// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

// A filter text read as words joined by "and", "or" and parentheses. The keywords are looked
// for anywhere, also inside a word (letter case ignored): "Gordon" reads as "G" or "don".
struct LikeToken {
    enum Kind { Word, Open, Close, And, Or };
    Kind kind;
    QString word; // Word: the trimmed text between keywords
};

std::vector<LikeToken> like_tokens(const QString& text);

// Whether the tokens make a condition the database accepts: words and parenthesised groups
// joined by and/or, every "(" closed. A filter such as "Andrew" (the keyword "and" before any
// word) or "a (b)" does not.
bool like_condition_valid(const QString& text);

// The message for a filter that cannot be turned into a condition; nullopt when it can.
// `field_caption` names the filter field ("Title", "Category"...).
std::optional<QString> filter_problem(const QString& field_caption, const QString& text);

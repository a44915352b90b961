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

struct LikeKeyword {
    QString text;
    LikeToken::Kind kind;
};

// A group in square brackets belongs to the word it stands in: "[(]" and "[o]r" are words.
std::vector<LikeToken> like_tokens(const QString& text);

// A text taken from the data (a category, a title) written as a filter that matches it
// literally: the pattern characters "*", "?", "#", "[" and the parentheses go in brackets, and
// so does the first letter of every "and" and "or" ("C#" -> "C[#]", "Random" -> "R[a]ndom").
QString literal_filter(const QString& text);
// The text a filter matches literally ("C[#]" -> "C#"); nullopt when the filter holds a
// wildcard, a keyword or a bracket group of more than one character.
std::optional<QString> literal_text_of_filter(const QString& filter);

// Whether the tokens make a condition the database accepts: words and parenthesised groups
// joined by and/or, every "(" closed. A filter such as "Andrew" (the keyword "and" before any
// word) or "a (b)" does not.
bool like_condition_valid(const QString& text);

// The message for a filter that cannot be turned into a condition; nullopt when it can.
// `field_caption` names the filter field ("Title", "Category"...).
std::optional<QString> filter_problem(const QString& field_caption, const QString& text);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/like_condition.h"

#include <array>

namespace {

// The keyword starting at `pos`, nullptr when none.
const LikeKeyword* keyword_at(const QString& text, qsizetype pos) {
    static const std::array<LikeKeyword, 4> keywords{{
        {QStringLiteral("("), LikeToken::Open},
        {QStringLiteral(")"), LikeToken::Close},
        {QStringLiteral("and"), LikeToken::And},
        {QStringLiteral("or"), LikeToken::Or},
    }};
    for (const LikeKeyword& keyword : keywords)
        if (QStringView(text).mid(pos).startsWith(keyword.text, Qt::CaseInsensitive)) return &keyword;
    return nullptr;
}

// The position after the "]" closing a bracket group opened at `pos`; `pos` when there is none
// (the matcher then takes the "[" literally).
qsizetype after_bracket_group(const QString& text, qsizetype pos) {
    if (text.at(pos) != QLatin1Char('[')) return pos;
    const qsizetype close = text.indexOf(QLatin1Char(']'), pos + 1);
    return close < 0 ? pos : close + 1;
}

} // namespace

std::vector<LikeToken> like_tokens(const QString& text) {
    std::vector<LikeToken> tokens;
    QString word;
    auto end_word = [&tokens, &word] {
        const QString trimmed = word.trimmed();
        if (!trimmed.isEmpty()) tokens.push_back({LikeToken::Word, trimmed});
        word.clear();
    };
    qsizetype pos = 0;
    while (pos < text.size()) {
        // A bracket group is one character of a word: "[(]" or "[o]r" hold no keyword.
        if (const qsizetype after = after_bracket_group(text, pos); after != pos) {
            word += text.mid(pos, after - pos);
            pos = after;
        } else if (const LikeKeyword* keyword = keyword_at(text, pos)) {
            end_word();
            tokens.push_back({keyword->kind, {}});
            pos += keyword->text.size();
        } else {
            word += text.at(pos++);
        }
    }
    end_word();
    return tokens;
}

QString literal_filter(const QString& text) {
    QString filter;
    filter.reserve(text.size() + 8);
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar ch = text.at(pos);
        static const QString pattern_characters = QStringLiteral("*?#[()");
        if (pattern_characters.contains(ch) || keyword_at(text, pos))
            filter += QLatin1Char('[') + ch + QLatin1Char(']');
        else
            filter += ch;
    }
    return filter;
}

std::optional<QString> literal_text_of_filter(const QString& filter) {
    QString text;
    for (qsizetype pos = 0; pos < filter.size(); ++pos) {
        const QChar ch = filter.at(pos);
        if (ch == QLatin1Char('[')) {
            // Only a group of one character stands for that character alone.
            if (pos + 2 >= filter.size() || filter.at(pos + 2) != QLatin1Char(']') ||
                filter.at(pos + 1) == QLatin1Char('!'))
                return std::nullopt;
            text += filter.at(pos + 1);
            pos += 2;
        } else if (ch == QLatin1Char('*') || ch == QLatin1Char('?') || ch == QLatin1Char('#') ||
                   keyword_at(filter, pos)) {
            return std::nullopt;
        } else {
            text += ch;
        }
    }
    return text;
}

bool like_condition_valid(const QString& text) {
    // expression := operand { (and | or) operand };  operand := word | "(" expression ")"
    bool expect_operand = true;
    int depth = 0;
    for (const LikeToken& token : like_tokens(text)) {
        switch (token.kind) {
        case LikeToken::Word:
            if (!expect_operand) return false;
            expect_operand = false;
            break;
        case LikeToken::Open:
            if (!expect_operand) return false;
            ++depth;
            break;
        case LikeToken::Close:
            if (expect_operand || depth == 0) return false;
            --depth;
            break;
        case LikeToken::And:
        case LikeToken::Or:
            if (expect_operand) return false;
            expect_operand = true;
            break;
        }
    }
    return !expect_operand && depth == 0;
}

std::optional<QString> filter_problem(const QString& field_caption, const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || like_condition_valid(trimmed)) return std::nullopt;
    return QStringLiteral("The filter \"") + trimmed + QStringLiteral("\" of field \"") + field_caption +
           QStringLiteral("\" cannot be used: the letters \"and\" and \"or\" and the parentheses join words, "
                          "also inside a word, so each of them needs a word on both sides and every \"(\" "
                          "needs its \")\". Change the filter and try again.");
}

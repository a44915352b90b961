// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/like_condition.h"

#include <array>

std::vector<LikeToken> like_tokens(const QString& text) {
    struct Keyword {
        QString text;
        LikeToken::Kind kind;
    };
    static const std::array<Keyword, 4> keywords{{
        {QStringLiteral("("), LikeToken::Open},
        {QStringLiteral(")"), LikeToken::Close},
        {QStringLiteral("and"), LikeToken::And},
        {QStringLiteral("or"), LikeToken::Or},
    }};
    std::vector<LikeToken> tokens;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype first = -1;
        const Keyword* found = nullptr;
        for (const Keyword& keyword : keywords) {
            const qsizetype at = text.indexOf(keyword.text, pos, Qt::CaseInsensitive);
            if (at >= 0 && (first < 0 || at < first)) {
                first = at;
                found = &keyword;
            }
        }
        if (!found) {
            tokens.push_back({LikeToken::Word, text.mid(pos).trimmed()});
            break;
        }
        const QString word = text.mid(pos, first - pos).trimmed();
        if (!word.isEmpty()) tokens.push_back({LikeToken::Word, word});
        tokens.push_back({found->kind, {}});
        pos = first + found->text.size();
    }
    return tokens;
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

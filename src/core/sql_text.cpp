// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sql_text.h"

namespace {

bool consists_only_of(const QString& text, QChar c) {
    for (const QChar ch : text)
        if (ch != c) return false;
    return true;
}

} // namespace

QString sql_quote(const QString& text) {
    if (consists_only_of(text, QLatin1Char('?')) || consists_only_of(text, QLatin1Char('*')))
        return QLatin1Char('[') + text + QLatin1Char(']');
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return quoted;
}

QString like_escaped(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar ch : text) {
        if (ch == QLatin1Char('*') || ch == QLatin1Char('?') || ch == QLatin1Char('#') ||
            ch == QLatin1Char('[')) {
            escaped += QLatin1Char('[');
            escaped += ch;
            escaped += QLatin1Char(']');
        } else if (ch == QLatin1Char('\'')) {
            escaped += QStringLiteral("''");
        } else {
            escaped += ch;
        }
    }
    return escaped;
}

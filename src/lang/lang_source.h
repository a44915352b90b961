// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The translators' source of "lang.db": UTF-8 text, tab-separated, a header line naming the five
// languages (English first), then one row per English text with its four translations. Blank
// lines are skipped; an empty cell means "not translated yet". Inside a cell "\t", "\n" and "\\"
// stand for a tab, a line break and a backslash. Spaces at either end of a cell are kept: texts
// the program joins to others begin or end with one.
struct TranslationSource {
    QStringList languages;         // the header's five names
    std::vector<QStringList> rows; // five cells each
};

// Reads the source; throws std::runtime_error naming the line when a row has the wrong number of
// cells, a key is empty, or a key repeats (compared without regard to case, as lookups do).
TranslationSource parse_translation_source(const QByteArray& utf8);

// Writes `source` as a new plain database at `path` (replacing any file there): table
// "Translation" with the English text first and the languages in header order, its index
// "primarykey" on the English text, empty cells stored as Null. Throws DbError or
// std::runtime_error; a failure leaves no half-written file at `path`.
void write_lang_db(const TranslationSource& source, const QString& path);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_search.h"

#include "core/picture_names.h"
#include "core/translate.h"

#include <QFile>
#include <algorithm>
#include <cstring>

QStringList filled_search_strings(const QStringList& boxes) {
    QStringList filled;
    for (const QString& box : boxes)
        if (!box.trimmed().isEmpty()) filled.append(box.trimmed());
    return filled;
}

QString picture_search_question(const PictureSearchTerms& terms, const QString& shown_root) {
    if (filled_search_strings(terms.strings).isEmpty())
        return translate(
                   QStringLiteral("All gif/jpg/bmp files  in directory \"%1\" and all subdirectories will "
                                  "be searched. Proceed?"))
            .arg(shown_root);
    if (terms.and_join)
        return translate(
                   QStringLiteral("All gif/jpg/bmp files  whose names contain string in 'find 1' and string "
                                  "in 'find 2' and string in 'find 3'  in directory \"%1\" and all "
                                  "subdirectories will be searched. Proceed?"))
            .arg(shown_root);
    return translate(
               QStringLiteral("All gif/jpg/bmp files  whose names contain string in 'find 1' or string in "
                              "'find 2' or string in 'find 3'  in directory \"%1\" and all subdirectories "
                              "will be searched. Proceed?"))
        .arg(shown_root);
}

QString picture_search_progress(int directories, int files, int found) {
    return translate(QStringLiteral("directories searched: %1  --  files searched: %2  --  files found: %3"))
        .arg(directories)
        .arg(files)
        .arg(found);
}

QString picture_search_results_caption(int count) {
    return translate(QStringLiteral("Search results (%1 files)")).arg(count);
}

PictureSearch::PictureSearch(const QString& root, const PictureSearchTerms& terms)
    : DirectorySearch(root), and_join_(terms.and_join) {
    for (const QString& text : filled_search_strings(terms.strings))
        needles_.emplace_back(text);
}

bool PictureSearch::matches(const char* name, std::size_t length) const {
    if (needles_.empty()) return true;
    const auto in_name = [name, length](const NameNeedle& needle) { return needle.found_in(name, length); };
    return and_join_ ? std::all_of(needles_.cbegin(), needles_.cend(), in_name)
                     : std::any_of(needles_.cbegin(), needles_.cend(), in_name);
}

bool PictureSearch::step(int max_entries) {
    return walk().step(max_entries, [this](const std::string& dir, const char* name) {
        const std::size_t length = std::strlen(name);
        if (!is_picture_file_name(QFile::decodeName(QByteArray(name, static_cast<qsizetype>(length)))))
            return;
        if (matches(name, length)) add_found(joined_path(dir, name));
    });
}

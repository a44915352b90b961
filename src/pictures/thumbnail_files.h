// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class ScreenInfo;

// Thumbnail files (".tnf"): one picture path per line, one file per sheet, written as a numbered
// series prefix + "01", "02"... + ".tnf".

// How many thumbnails a sheet has in a row and in all.
struct SheetSize {
    int per_row = 7;
    int per_sheet = 28;
    int rows() const { return (per_sheet + per_row - 1) / per_row; }
    bool operator==(const SheetSize&) const = default;
};

// The sheet size for a screen `width` pixels wide: 640 -> 5 x 10, 800 -> 6 x 18, else 7 x 28.
SheetSize sheet_size_for_width(int width);
SheetSize sheet_size_for_screen(const ScreenInfo& screen);

// prefix + the number in two digits or more + ".tnf".
QString thumbnail_file_name(const QString& prefix, int number);

// The file names of the search-result builds: "search_and_" or "search_or_", then the search
// strings joined by "$"; characters no file name may hold become "_".
QString search_file_stem(bool and_search, const QStringList& strings);
QString search_slide_show_name(bool and_search, const QStringList& strings);  // stem + ".ssf"
QString search_thumbnail_prefix(bool and_search, const QStringList& strings); // stem + "_"

// The prefix of the thumbnails built from a directory.
inline QString directory_thumbnail_prefix() {
    return QStringLiteral("_thumbnails_");
}

// Deletes every "<prefix>*.tnf" of `directory` and writes `paths` into the numbered series, at
// most `per_sheet` a file; the last file holds the rest. Returns the files written, in order.
// Throws FileError when a file cannot be deleted or written.
QStringList write_thumbnail_series(const QString& directory, const QString& prefix, const QStringList& paths,
                                   int per_sheet);

// The number of a series file ("..._07.tnf" -> 7), or -1 when the name does not end in two digits
// or more before ".tnf".
int thumbnail_file_number(const QString& path);

// The next or previous file of the series `path` belongs to, or the message why there is none:
// "Next file cannot determined" (not a ".tnf" file), "File cannot be determined" (no number),
// "No more previous files" (before "01"), "No more thumbnail files available" (no such file).
struct SeriesStep {
    QString path;
    QString error; // untranslated
};
SeriesStep next_thumbnail_file(const QString& path);
SeriesStep previous_thumbnail_file(const QString& path);

// How many files of `path`'s series exist one after another from "01" (at most 1000); 0 when
// `path` is not a numbered series file.
int thumbnail_series_length(const QString& path);

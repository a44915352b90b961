// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/picture_list.h"
#include "pictures/thumbnail_files.h"

#include <QString>
#include <QStringList>
#include <optional>

class Settings;
struct PictureSettings;
struct Services;

// The builds and openings of slide-show and thumbnail files, as the viewer's commands run them:
// each asks and tells the user through the prompter, writes its files, and keeps the last slide
// show and thumbnail file in the settings store and in `pictures`.

// The build order the browser's options keep ("sort_by_datetime", "sort_descending").
BuildOrder build_order_from_settings(const Settings& settings);

// The program's tmp directory (made when missing): search-result builds and a picture window's
// slide show go there and last until the program ends.
QString build_tmp_directory(const Services& services);

// The directory chooser, opened at the directory of the last picture; the chosen directory is
// kept as "last_slide_show_dir". Nothing when cancelled.
std::optional<QString> choose_build_directory(Services& services, PictureSettings& pictures);

// Writes the slide show of `directory`'s pictures, sorted in `order`, to `ssf_path`; with
// `relative` the pictures are written as "*\" names. The file becomes the last slide show.
// Nothing (after telling why) when the directory has no pictures or the file cannot be written.
std::optional<QString> build_directory_slide_show(Services& services, PictureSettings& pictures,
                                                  const QString& directory, BuildOrder order,
                                                  const QString& ssf_path, bool relative);

// Writes the search result (pictures.search_results, at most max_picture_list) as a slide show in
// the tmp directory, named after the search, and says where it stays.
std::optional<QString> build_results_slide_show(Services& services, PictureSettings& pictures,
                                                bool and_search, const QStringList& strings);

// Writes the thumbnail files of `directory`'s pictures (ascending by path) as prefix + "01"... in
// `target_directory`, after deleting that prefix's old files. The first file, which becomes the
// last thumbnail file.
std::optional<QString> build_directory_thumbnails(Services& services, PictureSettings& pictures,
                                                  const QString& directory, const QString& target_directory,
                                                  const QString& prefix);

// The same for the search result, in the tmp directory, named after the search.
std::optional<QString> build_results_thumbnails(Services& services, PictureSettings& pictures,
                                                bool and_search, const QStringList& strings);

enum class ListFileKind { SlideShow, Thumbnails };

// A file the user names: its ending must be ".ssf" (".tnf") and it must exist; otherwise tells
// "Not a valid slide show file" ("Not a valid thumbnail file") or "File not found".
bool check_list_file(Services& services, const QString& path, ListFileKind kind);

// The file dialog for a slide-show or thumbnail file, checked as above. Nothing when cancelled.
std::optional<QString> ask_list_file(Services& services, const PictureSettings& pictures, ListFileKind kind);

// Loads (and repairs) a slide-show file and makes it the last slide show. The pictures to show,
// or nothing after telling why.
std::optional<PictureList> load_slide_show(Services& services, PictureSettings& pictures,
                                           const QString& path);

// Where a resumed show starts: the last picture when the list holds it, else the first.
int resume_position(const PictureList& pictures, const QString& last_picture);

// Keeps `path` as the last slide show (or thumbnail file) in the settings store and `pictures`.
void remember_slide_show(Services& services, PictureSettings& pictures, const QString& path);
void remember_thumbnail_file(Services& services, PictureSettings& pictures, const QString& path);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/file_search.h"

#include "core/app_context.h"
#include "core/collections.h"
#include "core/settings.h"
#include "core/translate.h"
#include "core/windows.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <string>

namespace {

// The position of the web links collection and of the file links collection.
constexpr int internet_urls_position = 4;
constexpr int file_links_position = 3;

} // namespace

TwipsRect file_search_place(Database& db, const ScreenInfo& screen) {
    TwipsRect place = restore_form_position(db, screen, file_search_form, true,
                                            TwipsRect{0, 0, file_search_width, file_search_height});
    place.top = std::max(place.top, 0);
    place.left = std::max(place.left, 0);
    return place;
}

void save_file_search_place(Database& db, const TwipsRect& place, bool minimised) {
    save_form_position(db, file_search_form, true, place, minimised);
}

QString initial_search_dir(Settings& settings) {
    QString stored = settings.get_setting(init_dir_setting).trimmed();
    if (stored.isEmpty()) {
        stored = default_init_dir;
        settings.save_setting(init_dir_setting, stored);
    }
    return QDir::toNativeSeparators(search_directory(stored));
}

QString search_question(const QString& typed, const QString& dir) {
    if (typed.isEmpty())
        return translate(
                   QStringLiteral(
                       "All files  in directory \"%1\" and all subdirectories will be searched. Proceed?"))
            .arg(dir);
    return translate(QStringLiteral("All files whose names contain the string \"%1\" which are  in directory "
                                    "\"%2\" and all subdirectories will be searched. Proceed?"))
        .arg(typed, dir);
}

QString search_progress_caption(int directories, int files, int found) {
    return translate(
               QStringLiteral(
                   "directories searched: %1  --  files searched: %2  --  files or directories found: %3"))
               .arg(directories)
               .arg(files)
               .arg(found) +
           QLatin1Char(' ');
}

// ---------------------------------------------------------------- the walk

FileSearchWalk::FileSearchWalk(const QString& root, const QString& needle, bool whole_path)
    : DirectorySearch(root), needle_(needle), whole_path_(whole_path) {}

bool FileSearchWalk::step(int max_entries) {
    return walk().step(max_entries, [this](const std::string& dir, const char* name) {
        if (whole_path_) {
            const std::string path = joined_path(dir, name);
            if (needle_.found_in(path)) add_found(path);
        } else if (needle_.found_in(name, std::char_traits<char>::length(name))) {
            add_found(joined_path(dir, name));
        }
    });
}

// ---------------------------------------------------------------- links

FileLinkHandOff file_link_hand_off(const QString& path) {
    FileLinkHandOff hand_off;
    const bool web = path.endsWith(QLatin1String(".url"), Qt::CaseInsensitive) ||
                     path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
                     path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
    hand_off.position = web ? internet_urls_position : file_links_position;
    hand_off.no_auto_find = !web;
    hand_off.content = QStringLiteral("LINK=") + path;
    return hand_off;
}

void create_file_link(AppContext& ctx, const QString& path) {
    const FileLinkHandOff hand_off = file_link_hand_off(path);
    ctx.table_presets = TablePresets{};
    ctx.table_presets.insert_content = hand_off.content;
    ctx.table_presets.no_auto_find = hand_off.no_auto_find;
    ctx.windows.open_table_view(hand_off.position);
}

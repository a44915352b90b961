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
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace {

// The position of the web links collection and of the file links collection.
constexpr int internet_urls_position = 4;
constexpr int file_links_position = 3;

bool is_ascii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the lower-case ASCII `needle` occurs in `text` regardless of case; `plain` tells
// whether `text` held only ASCII bytes (so that no other answer is possible).
bool contains_ascii(const char* text, std::size_t length, const std::string& needle, bool& plain) {
    plain = true;
    for (std::size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            plain = false;
            break;
        }
    if (needle.size() > length) return false;
    const char first = needle.front();
    for (std::size_t i = 0; i + needle.size() <= length; ++i) {
        if (ascii_lower(text[i]) != first) continue;
        std::size_t k = 1;
        while (k < needle.size() && ascii_lower(text[i + k]) == needle[k])
            ++k;
        if (k == needle.size()) return true;
    }
    return false;
}

std::string joined_path(const std::string& dir, const char* name) {
    std::string path = dir;
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    return path;
}

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

QString search_directory(const QString& typed) {
    QString dir = typed.trimmed();
    if (dir.compare(QLatin1String("C:\\"), Qt::CaseInsensitive) == 0 ||
        dir.compare(QLatin1String("C:"), Qt::CaseInsensitive) == 0)
        return QDir::homePath();
    dir = QDir::fromNativeSeparators(dir);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
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

// One directory being worked through: its entries read at once and sorted by name, so that
// results come in a stable order, then examined a slice at a time.
struct FileSearchWalk::Listing {
    struct Entry {
        std::string name;
        bool descend = false;
    };
    std::string dir;
    std::vector<Entry> entries;
    std::size_t next = 0;
};

FileSearchWalk::FileSearchWalk(const QString& root, const QString& needle, bool whole_path)
    : needle_(needle), ascii_needle_(is_ascii(needle)), whole_path_(whole_path) {
    queue_.push_back(QFile::encodeName(root).toStdString());
    if (ascii_needle_)
        for (const QChar c : needle)
            needle_utf8_ += ascii_lower(static_cast<char>(c.unicode()));
}

FileSearchWalk::~FileSearchWalk() = default;

void FileSearchWalk::cancel() {
    queue_.clear();
    listing_.reset();
}

QStringList FileSearchWalk::take_new_found() {
    QStringList fresh = found_.mid(reported_);
    reported_ = found_.size();
    return fresh;
}

bool FileSearchWalk::step(int max_entries) {
    int examined = 0;
    while (examined < max_entries) {
        if (!listing_ && !open_next_directory()) return false;
        if (listing_->next >= listing_->entries.size()) {
            listing_.reset();
            continue;
        }
        const Listing::Entry& entry = listing_->entries[listing_->next++];
        examine(listing_->dir, entry.name.c_str(), entry.descend);
        ++examined;
    }
    return !finished();
}

bool FileSearchWalk::open_next_directory() {
    while (!queue_.empty()) {
        std::string dir = std::move(queue_.front());
        queue_.pop_front();
        DIR* handle = opendir(dir.c_str());
        if (!handle) {
            ++unreadable_;
            continue;
        }
        ++directories_;
        auto listing = std::make_unique<Listing>();
        while (const dirent* entry = readdir(handle)) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
            bool is_dir = entry->d_type == DT_DIR;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat info {};
                is_dir = lstat(joined_path(dir, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
            }
            // A link is never a plain directory here (its type is DT_LNK), and a hidden
            // directory stands for one whose attributes hold more than the directory bit.
            listing->entries.push_back({name, is_dir && name[0] != '.'});
        }
        closedir(handle);
        std::sort(listing->entries.begin(), listing->entries.end(),
                  [](const Listing::Entry& a, const Listing::Entry& b) { return a.name < b.name; });
        listing->dir = std::move(dir);
        listing_ = std::move(listing);
        return true;
    }
    return false;
}

void FileSearchWalk::examine(const std::string& dir, const char* name, bool descend) {
    if (descend) {
        queue_.push_back(joined_path(dir, name));
        return;
    }
    ++files_;
    if (matches(dir, name)) found_.append(QFile::decodeName(joined_path(dir, name).c_str()));
}

bool FileSearchWalk::matches(const std::string& dir, const char* name) const {
    if (needle_.isEmpty()) return true;
    std::string path;
    const char* text = name;
    if (whole_path_) {
        path = joined_path(dir, name);
        text = path.c_str();
    }
    const std::size_t length = std::char_traits<char>::length(text);
    if (ascii_needle_) {
        bool plain = true;
        if (contains_ascii(text, length, needle_utf8_, plain)) return true;
        // Only names with other letters can still match (a Kelvin sign folds to "k").
        if (plain) return false;
    }
    return QFile::decodeName(text).contains(needle_, Qt::CaseInsensitive);
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

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/directory_walk.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace {

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

} // namespace

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

std::string joined_path(const std::string& dir, const char* name) {
    std::string path = dir;
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    return path;
}

// ---------------------------------------------------------------- the walk

// One directory being worked through: its entries read at once and sorted by name, so that
// results come in a stable order, then examined a slice at a time.
struct DirectoryWalk::Listing {
    struct Entry {
        std::string name;
        bool descend = false;
    };
    std::string dir;
    std::vector<Entry> entries;
    std::size_t next = 0;
};

DirectoryWalk::DirectoryWalk(const QString& root) {
    queue_.push_back(QFile::encodeName(root).toStdString());
}

DirectoryWalk::~DirectoryWalk() = default;

void DirectoryWalk::cancel() {
    queue_.clear();
    listing_.reset();
}

bool DirectoryWalk::step(int max_entries, const Visitor& visit) {
    int examined = 0;
    while (examined < max_entries) {
        if (!listing_ && !open_next_directory()) return false;
        if (listing_->next >= listing_->entries.size()) {
            listing_.reset();
            continue;
        }
        const Listing::Entry& entry = listing_->entries[listing_->next++];
        if (entry.descend) {
            queue_.push_back(joined_path(listing_->dir, entry.name.c_str()));
        } else {
            ++files_;
            visit(listing_->dir, entry.name.c_str());
        }
        ++examined;
    }
    return !finished();
}

bool DirectoryWalk::open_next_directory() {
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

// ---------------------------------------------------------------- names

NameNeedle::NameNeedle(const QString& needle) : needle_(needle), ascii_(is_ascii(needle)) {
    if (ascii_)
        for (const QChar c : needle)
            ascii_lower_ += ascii_lower(static_cast<char>(c.unicode()));
}

bool NameNeedle::found_in(const char* text, std::size_t length) const {
    if (needle_.isEmpty()) return true;
    if (ascii_) {
        bool plain = true;
        if (contains_ascii(text, length, ascii_lower_, plain)) return true;
        // Only names with other letters can still match (a Kelvin sign folds to "k").
        if (plain) return false;
    }
    return QFile::decodeName(QByteArray(text, static_cast<qsizetype>(length)))
        .contains(needle_, Qt::CaseInsensitive);
}

QStringList DirectorySearch::take_new_found() {
    QStringList fresh = found_.mid(reported_);
    reported_ = found_.size();
    return fresh;
}

void DirectorySearch::add_found(const std::string& path) {
    found_.append(QFile::decodeName(path.c_str()));
}

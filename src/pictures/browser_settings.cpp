// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/browser_settings.h"

#include "core/directory_walk.h"
#include "core/params.h"
#include "core/preferences.h"
#include "core/seams.h"
#include "core/settings.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The browser's size when nothing is stored, in twips.
constexpr int default_width = 10200;
constexpr int default_height = 9600;
// Longest interval kept: a little under a month of milliseconds fits an int.
constexpr double longest_interval = std::numeric_limits<int>::max();

std::optional<int> whole_interval(const QString& text) {
    const std::optional<double> value = numeric_value(text.trimmed());
    if (!value || *value < 1 || *value > longest_interval || std::floor(*value) != *value)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<int> stored_number(const Settings& settings, const char* key) {
    const std::optional<double> value = numeric_value(settings.get_setting(QString::fromLatin1(key)));
    if (!value || std::fabs(*value) > longest_interval) return std::nullopt;
    return static_cast<int>(std::lround(*value));
}

} // namespace

BrowserSettings read_browser_settings(const Settings& settings, const PictureSettings& pictures) {
    BrowserSettings shown;
    QString root = settings.get_setting(browser_init_dir_key).trimmed();
    if (root.isEmpty()) root = QStringLiteral("c:\\"); // the stored default, the home directory here
    shown.init_dir_for_search = QDir::toNativeSeparators(search_directory(root));
    shown.picture_editor = settings.get_setting(picture_editor_key);
    const std::optional<int> interval = whole_interval(settings.get_setting(interval_key));
    if (interval) shown.interval = QString::number(*interval);
    shown.last_slide_show = pictures.last_slide_show;
    shown.last_thumbnail_file = pictures.last_thumbnail_file;
    shown.autom = read_flag(settings, autom_key);
    shown.random = read_flag(settings, random_key);
    shown.fit_mode = read_flag(settings, fit_mode_key);
    shown.black_screen = read_flag(settings, black_screen_key);
    shown.sort_descending = read_flag(settings, sort_descending_key);
    shown.sort_by_datetime = read_flag(settings, sort_by_datetime_key);
    return shown;
}

void store_flag(Settings& settings, const QString& key, bool on) {
    settings.save_setting(key, on ? QStringLiteral("-1") : QStringLiteral("0"));
}

bool read_flag(const Settings& settings, const QString& key) {
    const QString text = settings.get_setting(key).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    const std::optional<double> value = numeric_value(text);
    return value && std::round(*value) != 0.0;
}

bool store_interval(Settings& settings, PictureSettings& pictures, const QString& typed) {
    const std::optional<int> interval = whole_interval(typed);
    if (!interval) return false;
    settings.save_setting(interval_key, QString::number(*interval));
    pictures.interval = *interval;
    return true;
}

QString interval_for_automatic(const QString& typed) {
    return typed.trimmed().isEmpty() ? QStringLiteral("2000") : typed;
}

QString store_search_root(Settings& settings, PictureSettings& pictures, const QString& chosen) {
    QString shown = QDir::toNativeSeparators(search_directory(chosen));
    settings.save_setting(browser_init_dir_key, shown);
    pictures.init_dir_for_search = shown;
    return shown;
}

void store_picture_editor(Settings& settings, PictureSettings& pictures, const QString& chosen) {
    settings.save_setting(picture_editor_key, chosen);
    pictures.picture_editor = chosen;
}

TwipsRect browser_place(const Settings& settings, const ScreenInfo& screen) {
    const int screen_width = screen.width_twips();
    const int screen_height = screen.height_twips();
    TwipsRect place{(screen_height - default_height) / 2, (screen_width - default_width) / 2, default_width,
                    default_height};
    const auto top = stored_number(settings, "f_start_top");
    const auto left = stored_number(settings, "f_start_left");
    const auto width = stored_number(settings, "f_start_width");
    const auto height = stored_number(settings, "f_start_height");
    if (top && left) {
        place.top = *top;
        place.left = *left;
    }
    if (width && height && *width > 0 && *height > 0) {
        place.width = *width;
        place.height = *height;
    }
    place.width = std::min(place.width, screen_width);
    place.height = std::min(place.height, screen_height);
    place.left = std::clamp(place.left, 0, screen_width - place.width);
    place.top = std::clamp(place.top, 0, screen_height - place.height);
    return place;
}

void save_browser_place(Settings& settings, const TwipsRect& place) {
    settings.save_setting(QStringLiteral("f_start_top"), QString::number(place.top));
    settings.save_setting(QStringLiteral("f_start_left"), QString::number(place.left));
    settings.save_setting(QStringLiteral("f_start_width"), QString::number(place.width));
    settings.save_setting(QStringLiteral("f_start_height"), QString::number(place.height));
}

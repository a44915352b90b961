// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/sheet_builds.h"

#include "core/app_context.h"
#include "core/settings.h"
#include "core/translate.h"
#include "pictures/file_error.h"
#include "pictures/sheet_list_text.h"
#include "pictures/slide_show_files.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

bool setting_flag(const Settings& settings, const QString& key) {
    const QString value = settings.get_setting(key).trimmed();
    return value == QLatin1String("-1") || value == QLatin1String("1") ||
           value.compare(QLatin1String("Y"), Qt::CaseInsensitive) == 0 ||
           value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// The pictures of `directory`, or nothing after telling the user why there are none.
std::optional<PictureList> pictures_of_directory(Services& services, const QString& directory) {
    DirectoryPictures found = list_directory_pictures(directory);
    if (!found.readable) {
        services.prompter.message(translate(QStringLiteral("This directory cannot be read: %1"))
                                      .arg(QDir::toNativeSeparators(directory)));
        return std::nullopt;
    }
    if (found.pictures.empty()) {
        msg_translated(services.prompter, QStringLiteral("No pictures found in selected directory."));
        return std::nullopt;
    }
    return std::move(found.pictures);
}

void tell_too_many(Services& services) {
    msg_translated(services.prompter,
                   QStringLiteral("Too many pictures in list. Only the first 1000 will be shown."));
}

// The search result as a list, or nothing after telling that it is empty.
std::optional<PictureList> pictures_of_results(Services& services, const PictureSettings& pictures) {
    if (pictures.search_results.isEmpty()) {
        msg_translated(services.prompter, QStringLiteral("Search results list is empty"));
        return std::nullopt;
    }
    PictureList list;
    for (const QString& path : pictures.search_results)
        list.push_back({path, QFileInfo(path).lastModified()});
    if (limit_pictures(list)) tell_too_many(services);
    return list;
}

QStringList paths_of(const PictureList& pictures) {
    QStringList paths;
    for (const PictureEntry& picture : pictures)
        paths.append(picture.path);
    return paths;
}

std::optional<QString> write_thumbnails(Services& services, PictureSettings& pictures,
                                        const PictureList& list, const QString& target_directory,
                                        const QString& prefix) {
    const SheetSize size = sheet_size_for_screen(services.screen);
    QStringList files;
    if (!run_file_command(services.prompter,
                          [&] {
                              files = write_thumbnail_series(target_directory, prefix, paths_of(list),
                                                             size.per_sheet);
                          }) ||
        files.isEmpty())
        return std::nullopt;
    remember_thumbnail_file(services, pictures, files.front());
    return files.front();
}

} // namespace

BuildOrder build_order_from_settings(const Settings& settings) {
    return {setting_flag(settings, QStringLiteral("sort_by_datetime")),
            setting_flag(settings, QStringLiteral("sort_descending"))};
}

QString build_tmp_directory(const Services& services) {
    QString directory = services.program_path(QStringLiteral("tmp"));
    QDir().mkpath(directory);
    return directory;
}

void remember_slide_show(Services& services, PictureSettings& pictures, const QString& path) {
    pictures.last_slide_show = path;
    services.settings.save_setting(QStringLiteral("last_slide_show"), path);
}

void remember_thumbnail_file(Services& services, PictureSettings& pictures, const QString& path) {
    pictures.last_thumbnail_file = path;
    services.settings.save_setting(QStringLiteral("last_thumbnail_file"), path);
}

std::optional<QString> choose_build_directory(Services& services, PictureSettings& pictures) {
    const QString start = pictures.last_picture_file.isEmpty()
                              ? QDir::homePath()
                              : QFileInfo(pictures.last_picture_file).absolutePath();
    const auto chosen =
        services.prompter.choose_directory(translate(QStringLiteral("Select picture directory")), start);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString directory = QDir::fromNativeSeparators(*chosen);
    pictures.last_slide_show_dir = directory;
    services.settings.save_setting(QStringLiteral("last_slide_show_dir"), directory);
    return directory;
}

std::optional<QString> build_directory_slide_show(Services& services, PictureSettings& pictures,
                                                  const QString& directory, BuildOrder order,
                                                  const QString& ssf_path, bool relative) {
    auto list = pictures_of_directory(services, directory);
    if (!list) return std::nullopt;
    sort_pictures(*list, order);
    if (limit_pictures(*list)) tell_too_many(services);
    const QStringList lines =
        slide_show_lines(*list, relative ? QFileInfo(ssf_path).absolutePath() : QString());
    if (!run_file_command(services.prompter, [&] { write_list_file(ssf_path, lines); })) return std::nullopt;
    remember_slide_show(services, pictures, ssf_path);
    return ssf_path;
}

std::optional<QString> build_results_slide_show(Services& services, PictureSettings& pictures,
                                                bool and_search, const QStringList& strings) {
    const auto list = pictures_of_results(services, pictures);
    if (!list) return std::nullopt;
    const QString directory = build_tmp_directory(services);
    const QString name = search_slide_show_name(and_search, strings);
    const QString path = QDir(directory).filePath(name);
    if (!run_file_command(services.prompter, [&] { write_list_file(path, slide_show_lines(*list)); }))
        return std::nullopt;
    services.prompter.message(
        translate(QStringLiteral(
                      "The slide show file \"%1\" will remain in directory \"%2\" till the termination of "
                      "the program."))
            .arg(name, QDir::toNativeSeparators(directory)));
    remember_slide_show(services, pictures, path);
    return path;
}

std::optional<QString> build_directory_thumbnails(Services& services, PictureSettings& pictures,
                                                  const QString& directory, const QString& target_directory,
                                                  const QString& prefix) {
    auto list = pictures_of_directory(services, directory);
    if (!list) return std::nullopt;
    std::stable_sort(list->begin(), list->end(), [](const PictureEntry& a, const PictureEntry& b) {
        return a.path.compare(b.path, Qt::CaseInsensitive) < 0;
    });
    if (limit_pictures(*list)) tell_too_many(services);
    return write_thumbnails(services, pictures, *list, target_directory, prefix);
}

std::optional<QString> build_results_thumbnails(Services& services, PictureSettings& pictures,
                                                bool and_search, const QStringList& strings) {
    const auto list = pictures_of_results(services, pictures);
    if (!list) return std::nullopt;
    const QString directory = build_tmp_directory(services);
    auto first =
        write_thumbnails(services, pictures, *list, directory, search_thumbnail_prefix(and_search, strings));
    if (first)
        services.prompter.message(
            translate(QStringLiteral(
                          "The thumbnail file(s) will remain in directory \"%1\" till the termination of "
                          "the program."))
                .arg(QDir::toNativeSeparators(directory)));
    return first;
}

bool check_list_file(Services& services, const QString& path, ListFileKind kind) {
    const bool slide_show = kind == ListFileKind::SlideShow;
    if (!path.endsWith(slide_show ? QLatin1String(".ssf") : QLatin1String(".tnf"), Qt::CaseInsensitive)) {
        msg_translated(services.prompter, slide_show ? QStringLiteral("Not a valid slide show file")
                                                     : QStringLiteral("Not a valid thumbnail file"));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        msg_translated(services.prompter, QStringLiteral("File not found"));
        return false;
    }
    return true;
}

std::optional<QString> ask_list_file(Services& services, const PictureSettings& pictures, ListFileKind kind) {
    const bool slide_show = kind == ListFileKind::SlideShow;
    const QString last = slide_show ? pictures.last_slide_show : pictures.last_thumbnail_file;
    const QString start = last.isEmpty() ? QDir::homePath() : QFileInfo(last).absolutePath();
    const auto chosen =
        slide_show
            ? services.prompter.open_file(translate(QStringLiteral("Select slide show file")),
                                          translate(QStringLiteral("Slide show (*.ssf);;All files (*)")),
                                          start)
            : services.prompter.open_file(translate(QStringLiteral("Select any thumbnail file")),
                                          translate(QStringLiteral("Thumbnail file (*.tnf);;All files (*)")),
                                          start);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString path = QDir::fromNativeSeparators(*chosen);
    if (!check_list_file(services, path, kind)) return std::nullopt;
    return path;
}

std::optional<PictureList> load_slide_show(Services& services, PictureSettings& pictures,
                                           const QString& path) {
    std::optional<SlideShowLoad> load;
    if (!run_file_command(services.prompter, [&] { load = load_slide_show_file(services, path); }))
        return std::nullopt;
    remember_slide_show(services, pictures, path);
    if (load->too_many) tell_too_many(services);
    if (load->pictures.empty()) {
        msg_translated(services.prompter, QStringLiteral("The slide show file has no pictures to show."));
        return std::nullopt;
    }
    return std::move(load->pictures);
}

int resume_position(const PictureList& pictures, const QString& last_picture) {
    if (last_picture.isEmpty()) return 0;
    const QString wanted = QFileInfo(last_picture).absoluteFilePath();
    const auto found = std::find_if(pictures.begin(), pictures.end(), [&](const PictureEntry& p) {
        return QFileInfo(p.path).absoluteFilePath() == wanted;
    });
    return found == pictures.end() ? 0 : static_cast<int>(found - pictures.begin());
}

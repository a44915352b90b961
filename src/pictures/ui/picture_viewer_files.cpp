// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Slide-show files and thumbnail sheets, as the rest of the viewer asks for them.
#include "core/app_context.h"
#include "core/translate.h"
#include "pictures/sheet_builds.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/thumbnail_sheets.h"

#include <QDir>

void PictureViewer::build_slide_show() {
    const auto directory = choose_build_directory(ctx_, ctx_.pictures);
    if (!directory) return;
    const QString ssf = QDir(*directory).filePath(QStringLiteral("_slideshow.ssf"));
    if (build_directory_slide_show(ctx_, ctx_.pictures, *directory, build_order_from_settings(ctx_.settings),
                                   ssf, true))
        open_slide_show_file(ssf);
}

void PictureViewer::slide_show_from_search_results() {
    if (const auto ssf = build_results_slide_show(ctx_, ctx_.pictures, and_search_, search_strings_))
        open_slide_show_file(*ssf);
}

void PictureViewer::choose_slide_show_file() {
    if (const auto ssf = ask_list_file(ctx_, ctx_.pictures, ListFileKind::SlideShow))
        open_slide_show_file(*ssf);
}

void PictureViewer::resume_slide_show() {
    const QString ssf = ctx_.pictures.last_slide_show;
    if (ssf.isEmpty()) {
        msg_translated(ctx_.prompter, QStringLiteral("No slide show has been built or opened yet."));
        return;
    }
    if (!check_list_file(ctx_, ssf, ListFileKind::SlideShow)) return;
    const auto pictures = load_slide_show(ctx_, ctx_.pictures, ssf);
    if (pictures) start_slide_show(*pictures, resume_position(*pictures, ctx_.pictures.last_picture_file));
}

void PictureViewer::build_thumbnails() {
    const auto directory = choose_build_directory(ctx_, ctx_.pictures);
    if (!directory) return;
    if (const auto first = build_directory_thumbnails(ctx_, ctx_.pictures, *directory, *directory,
                                                      directory_thumbnail_prefix()))
        open_thumbnail_file(*first);
}

void PictureViewer::thumbnails_from_search_results() {
    if (const auto first = build_results_thumbnails(ctx_, ctx_.pictures, and_search_, search_strings_))
        open_thumbnail_file(*first);
}

void PictureViewer::choose_thumbnail_file() {
    if (const auto tnf = ask_list_file(ctx_, ctx_.pictures, ListFileKind::Thumbnails))
        open_thumbnail_file(*tnf);
}

void PictureViewer::set_search_strings(bool and_search, const QStringList& strings) {
    and_search_ = and_search;
    search_strings_ = strings;
}

void PictureViewer::open_slide_show_file(const QString& path, int start) {
    if (const auto pictures = load_slide_show(ctx_, ctx_.pictures, path)) start_slide_show(*pictures, start);
}

void PictureViewer::slide_show_of_directory(const QString& directory) {
    const QString ssf = QDir(build_tmp_directory(ctx_)).filePath(QStringLiteral("_slideshow.ssf"));
    if (build_directory_slide_show(ctx_, ctx_.pictures, directory, build_order_from_settings(ctx_.settings),
                                   ssf, false))
        open_slide_show_file(ssf);
}

void PictureViewer::thumbnails_of_directory(const QString& directory) {
    if (const auto first = build_directory_thumbnails(
            ctx_, ctx_.pictures, directory, build_tmp_directory(ctx_), directory_thumbnail_prefix()))
        open_thumbnail_file(*first);
}

void PictureViewer::open_thumbnail_file(const QString& path) {
    if (!check_list_file(ctx_, path, ListFileKind::Thumbnails)) return;
    remember_thumbnail_file(ctx_, ctx_.pictures, path);
    sheets_->open(path);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture browser's controls do.
#include "pictures/ui/picture_browser_window.h"

#include "core/app_context.h"
#include "core/directory_walk.h"
#include "core/picture_names.h"
#include "core/settings.h"
#include "core/translate.h"
#include "core/ui/form_place.h"
#include "pictures/browser_settings.h"
#include "pictures/file_error.h"
#include "pictures/picture_operations.h"
#include "pictures/picture_search.h"
#include "pictures/ui/picture_viewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// A slice of the walk lasts about this long before the window's events run again.
constexpr qint64 slice_ms = 30;
// Entries examined between looks at the slice's time.
constexpr int entries_per_look = 256;

// The picture dialog's filter: the formats the viewer reads.
const QString picture_filter = QStringLiteral("Image (*.jpg;*.gif;*.bmp;*.jpeg;*.png;*.webp;*.tif;*.tiff)|"
                                              "*.jpg;*.gif;*.bmp;*.jpeg;*.png;*.webp;*.tif;*.tiff");
// Programs carry no extension here: the editor dialog offers every file.
const QString program_filter = QStringLiteral("Program (*)|*");

QString start_directory(const QString& path) {
    return path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath();
}

} // namespace

// ---------------------------------------------------------------- the last picture

void PictureBrowserWindow::open_picture() {
    const std::optional<QString> chosen =
        ctx_.prompter.open_file(translate(QStringLiteral("Select a picture")), picture_filter,
                                start_directory(ctx_.pictures.last_picture_file));
    if (!chosen || chosen->isEmpty()) return;
    if (!is_picture_file_name(*chosen)) {
        ctx_.prompter.message(translate(QStringLiteral("This file is not a picture: %1")).arg(*chosen));
        return;
    }
    set_last_picture(ctx_, ctx_.pictures, *chosen);
    viewer_.show_picture(*chosen);
}

void PictureBrowserWindow::open_last_picture() {
    if (const auto last = existing_last_picture(ctx_, ctx_.pictures)) viewer_.show_picture(*last);
}

void PictureBrowserWindow::edit_last_picture() {
    if (const auto last = existing_last_picture(ctx_, ctx_.pictures))
        edit_picture(ctx_, picture_editor_field_->text(), *last);
}

void PictureBrowserWindow::rename_last_picture() {
    const auto last = existing_last_picture(ctx_, ctx_.pictures);
    if (!last) return;
    const std::optional<QString> renamed = rename_picture(ctx_, ctx_.pictures, *last);
    if (!renamed) return;
    // The search result follows the file.
    for (int row = 0; row < results_list_->count(); ++row)
        if (results_list_->item(row)->text() == *last) results_list_->item(row)->setText(*renamed);
    for (QString& path : ctx_.pictures.search_results)
        if (path == *last) path = *renamed;
}

void PictureBrowserWindow::delete_last_picture() {
    const auto last = existing_last_picture(ctx_, ctx_.pictures);
    if (!last || !delete_picture(ctx_, ctx_.pictures, *last)) return;
    for (int row = results_list_->count() - 1; row >= 0; --row)
        if (results_list_->item(row)->text() == *last) delete results_list_->takeItem(row);
    ctx_.pictures.search_results.removeAll(*last);
}

void PictureBrowserWindow::change_editor() {
    const std::optional<QString> chosen =
        ctx_.prompter.open_file(translate(QStringLiteral("Select picture editor")), program_filter,
                                start_directory(picture_editor_field_->text().trimmed()));
    if (!chosen || chosen->isEmpty()) return;
    store_picture_editor(ctx_.settings, ctx_.pictures, *chosen);
    picture_editor_field_->setText(*chosen);
}

// ---------------------------------------------------------------- the search

void PictureBrowserWindow::change_init_dir() {
    const std::optional<QString> chosen =
        ctx_.prompter.choose_directory(translate(QStringLiteral("Select initial directory for search")),
                                       search_directory(init_dir_field_->text()));
    if (!chosen || chosen->trimmed().isEmpty()) return;
    init_dir_field_->setText(store_search_root(ctx_.settings, ctx_.pictures, *chosen));
}

void PictureBrowserWindow::search_pictures() {
    if (search_) return; // one search at a time; Escape stops the running one
    const QString shown_root = init_dir_field_->text().trimmed();
    const QString root = search_directory(shown_root);
    if (root.isEmpty() || !QFileInfo(root).isDir()) {
        ctx_.prompter.message(translate(QStringLiteral("This directory does not exist: %1")).arg(shown_root));
        init_dir_field_->setFocus();
        return;
    }
    const PictureSearchTerms terms{
        {search_fields_[0]->text(), search_fields_[1]->text(), search_fields_[2]->text()},
        and_option_->isChecked()};
    if (!ctx_.prompter.yes_no(picture_search_question(terms, shown_root), windowTitle(), true)) return;
    results_list_->clear();
    ctx_.pictures.search_results.clear();
    results_label_->setText(picture_search_results_caption(0));
    search_ = std::make_unique<PictureSearch>(root, terms);
    search_button_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QTimer::singleShot(0, this, &PictureBrowserWindow::run_slice);
}

void PictureBrowserWindow::run_slice() {
    if (!search_) return;
    QElapsedTimer slice;
    slice.start();
    bool more = true;
    while (more && slice.elapsed() < slice_ms)
        more = search_->step(entries_per_look);
    show_progress();
    if (more)
        QTimer::singleShot(0, this, &PictureBrowserWindow::run_slice);
    else
        finish_search();
}

void PictureBrowserWindow::show_progress() {
    const QStringList fresh = search_->take_new_found();
    if (!fresh.isEmpty()) {
        results_list_->addItems(fresh);
        ctx_.pictures.search_results.append(fresh);
    }
    const int found = static_cast<int>(search_->found().size());
    results_label_->setText(
        picture_search_progress(search_->directories_searched(), search_->files_searched(), found));
}

void PictureBrowserWindow::stop_search() {
    if (!search_) return;
    search_->cancel();
    show_progress();
    finish_search();
}

void PictureBrowserWindow::finish_search() {
    search_.reset();
    search_button_->setEnabled(true);
    QApplication::restoreOverrideCursor();
    if (results_list_->count() > 0) results_list_->setCurrentRow(0);
}

void PictureBrowserWindow::show_listed_picture(QListWidgetItem* item) {
    if (!item) return;
    const QString path = item->text();
    set_last_picture(ctx_, ctx_.pictures, path);
    viewer_.show_picture(path);
}

// ---------------------------------------------------------------- slide shows and thumbnails

void PictureBrowserWindow::run_viewer_command(void (PictureViewer::*command)(), bool with_search_strings) {
    if (with_search_strings)
        viewer_.set_search_strings(and_option_->isChecked(),
                                   {search_fields_[0]->text().trimmed(), search_fields_[1]->text().trimmed(),
                                    search_fields_[2]->text().trimmed()});
    (viewer_.*command)();
    show_last_files();
}

void PictureBrowserWindow::show_last_files() {
    last_slide_show_field_->setText(ctx_.pictures.last_slide_show);
    last_thumbnail_file_field_->setText(ctx_.pictures.last_thumbnail_file);
}

// ---------------------------------------------------------------- settings and the rest

void PictureBrowserWindow::store_interval_box() {
    store_interval(ctx_.settings, ctx_.pictures, interval_field_->text());
}

void PictureBrowserWindow::set_automatic(bool on) {
    if (on) {
        interval_field_->setText(interval_for_automatic(interval_field_->text()));
        store_interval_box();
    }
    store_flag(ctx_.settings, autom_key, on);
}

void PictureBrowserWindow::open_agenda() {
    // The agenda is a plain text file of the program directory, opened with the system's text
    // handler (the system text editor on the original platform). A missing one starts empty.
    const QString agenda = ctx_.program_path(QStringLiteral("agenda.txt"));
    if (!QFileInfo::exists(agenda)) {
        QDir().mkpath(ctx_.program_dir);
        QFile file(agenda);
        if (!file.open(QIODevice::WriteOnly)) {
            ctx_.prompter.message(file_error(file, agenda).message());
            return;
        }
    }
    if (!ctx_.desktop.open(agenda))
        ctx_.prompter.message(translate(QStringLiteral("File \"%1\" cannot be opened.")).arg(agenda));
}

void PictureBrowserWindow::save_place() {
    if (isMinimized()) return;
    save_browser_place(ctx_.settings, form_place(*this));
}

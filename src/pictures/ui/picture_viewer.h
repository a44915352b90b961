// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/picture_list.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class AppContext;
class PictureBrowserWindow;
class PictureWindows;
class QWidget;
class SlideShowWindow;
class ThumbnailSheets;

// The picture viewer's windows: the browser panel (f_start), the picture windows (form_nf,
// form_nf2; up to 200), the full-screen slide show (form_fs) and the thumbnail sheets
// (f_provini). They are top-level windows, not children of the organizer's main window: the
// viewer also runs on its own, with no database open. Every picture window reaches the others
// through this one object.
class PictureViewer {
public:
    explicit PictureViewer(AppContext& ctx);
    ~PictureViewer();
    PictureViewer(const PictureViewer&) = delete;
    PictureViewer& operator=(const PictureViewer&) = delete;

    AppContext& context() const { return ctx_; }

    // --- The browser (picture_viewer_browser.cpp)
    // Opens the browser, or brings an open one forward. `standalone`: the program runs as the
    // picture viewer (caption "Glimmeron", no way back to the organizer's main window).
    void open_browser(bool standalone = false);
    // The open browser, or nullptr.
    PictureBrowserWindow* browser() const;
    // True while the browser or any other window of the viewer is open: the program started as
    // the picture viewer runs until this turns false.
    bool has_open_viewer_windows() const;
    // Closes the browser (its place is stored) and deletes it at once: the viewer goes.
    void close_browser();

    // --- Picture windows and the slide show (picture_viewer_shows.cpp)
    // Makes `path` the last picture and shows it in a new picture window; the 201st window is
    // refused with a message.
    void show_picture(const QString& path);
    // The full-screen slide show over `pictures`, starting at `start` (0-based; random mode
    // draws its own first picture). An empty list shows nothing.
    void start_slide_show(const PictureList& pictures, int start = 0);
    // True while at least one picture window or the slide show is open.
    bool has_open_windows() const;
    // Closes every window of the viewer (the program ends).
    void close_all();
    // Enter or a double click in a picture window: the full-screen view of its picture, the
    // window hidden until the view ends.
    void switch_to_full_screen(QWidget& window, const QString& path);
    PictureWindows& picture_windows() { return *picture_windows_; }
    // The running slide show, or nullptr.
    SlideShowWindow* slide_show_window() const;

    // --- Slide-show files and thumbnail sheets (picture_viewer_files.cpp)
    // The browser's commands. Each asks what it needs (directory chooser, file dialog), reads the
    // build options from the settings store ("sort_descending", "sort_by_datetime"), and keeps
    // ctx.pictures.last_slide_show / last_thumbnail_file (and their settings) current, so that
    // the browser shows them afterwards.
    void build_slide_show();               // b_build_slide_show
    void slide_show_from_search_results(); // b_slideshow_from_search_results
    void choose_slide_show_file();         // b_open_slide_show
    void resume_slide_show();              // b_resume_slide_show
    void build_thumbnails();               // b_build_and_show_thumbnails
    void thumbnails_from_search_results(); // b_thumbnails_from_search_results
    void choose_thumbnail_file();          // b_show_thumbnail_file
    // The search-result builds name their files after the search: "search_and_" or "search_or_"
    // and the three search strings; the browser sets these before calling them.
    void set_search_strings(bool and_search, const QStringList& strings);
    // Loads (and repairs) a slide-show file and starts the show on it.
    void open_slide_show_file(const QString& path, int start = 0);
    // The slide show of every picture of a directory, written as "_slideshow.ssf" in the
    // program's tmp directory (a picture window's S).
    void slide_show_of_directory(const QString& directory);
    // Builds the thumbnail files of a directory into the program's tmp directory and opens the
    // sheet on the first (a picture window's T).
    void thumbnails_of_directory(const QString& directory);
    // Opens a sheet on a thumbnail file.
    void open_thumbnail_file(const QString& path);
    // The open thumbnail sheets.
    ThumbnailSheets& thumbnail_sheets() const { return *sheets_; }

private:
    AppContext& ctx_;
    QPointer<PictureBrowserWindow> browser_;
    std::unique_ptr<PictureWindows> picture_windows_;
    QPointer<SlideShowWindow> slide_show_;
    std::unique_ptr<ThumbnailSheets> sheets_;
    bool and_search_ = true;
    QStringList search_strings_;
};

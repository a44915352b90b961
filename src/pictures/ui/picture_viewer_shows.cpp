// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture windows and the slide show, as the rest of the viewer asks for them.
#include "core/app_context.h"
#include "pictures/picture_operations.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_windows.h"
#include "pictures/ui/slide_show_window.h"
#include "pictures/ui/thumbnail_sheets.h"

#include <QFileInfo>

void PictureViewer::show_picture(const QString& path) {
    set_last_picture(ctx_, ctx_.pictures, path);
    picture_windows_->open(path);
}

void PictureViewer::start_slide_show(const PictureList& pictures, int start) {
    if (pictures.empty()) return;
    // One show at a time: a new one replaces the one running.
    if (slide_show_) slide_show_->close();
    // Deleted when it closes (WA_DeleteOnClose).
    auto* show = new SlideShowWindow(*this, pictures);
    slide_show_ = show;
    show->begin(start);
}

void PictureViewer::switch_to_full_screen(QWidget& window, const QString& path) {
    if (slide_show_) slide_show_->close();
    auto* show = new SlideShowWindow(*this, PictureList{{path, QFileInfo(path).lastModified()}}, &window);
    slide_show_ = show;
    window.hide();
    show->begin(0);
}

SlideShowWindow* PictureViewer::slide_show_window() const {
    return slide_show_.data();
}

bool PictureViewer::has_open_windows() const {
    return picture_windows_->any_open() || slide_show_;
}

void PictureViewer::close_all() {
    if (slide_show_) {
        slide_show_->close();
        // The viewer may go before the event loop runs again: the show goes now.
        delete slide_show_.data();
    }
    picture_windows_->close_all();
    sheets_->close_all();
}

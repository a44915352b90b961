// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The browser panel, as the rest of the viewer asks for it.
#include "pictures/ui/picture_viewer.h"

#include "pictures/ui/picture_browser_window.h"

void PictureViewer::open_browser(bool standalone) {
    if (!browser_) {
        browser_ = new PictureBrowserWindow(ctx_, *this, standalone);
        browser_->load();
    }
    browser_->show();
    browser_->setWindowState(browser_->windowState() & ~Qt::WindowMinimized);
    browser_->raise();
    browser_->activateWindow();
}

PictureBrowserWindow* PictureViewer::browser() const {
    return browser_.data();
}

bool PictureViewer::has_open_viewer_windows() const {
    return browser_ != nullptr || has_open_windows();
}

void PictureViewer::close_browser() {
    if (!browser_) return;
    browser_->close();
    delete browser_.data();
}

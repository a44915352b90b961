// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/thumbnail_sheets.h"

#include "pictures/ui/thumbnail_sheet.h"

#include <algorithm>

ThumbnailSheets::ThumbnailSheets(PictureViewer& viewer) : viewer_(viewer) {}

ThumbnailSheets::~ThumbnailSheets() {
    close_all();
}

ThumbnailSheetWindow* ThumbnailSheets::open(const QString& path) {
    std::erase_if(sheets_, [](const QPointer<ThumbnailSheetWindow>& sheet) { return sheet.isNull(); });
    auto* sheet = new ThumbnailSheetWindow(viewer_);
    if (!sheet->show_file(path)) {
        delete sheet; // never shown
        return nullptr;
    }
    sheet->raise();
    sheet->activateWindow();
    sheets_.emplace_back(sheet);
    return sheet;
}

std::vector<ThumbnailSheetWindow*> ThumbnailSheets::open_sheets() const {
    std::vector<ThumbnailSheetWindow*> open;
    for (const auto& sheet : sheets_)
        if (!sheet.isNull()) open.push_back(sheet.data());
    return open;
}

// Each sheet is closed (it keeps its place) and deleted at once rather than later: the viewer
// may be going, and with it the context a late decode would report to.
void ThumbnailSheets::close_all() {
    for (const auto& sheet : sheets_) {
        if (sheet.isNull()) continue;
        sheet->close();
        delete sheet.data();
    }
    sheets_.clear();
}

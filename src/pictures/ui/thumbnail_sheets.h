// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <vector>

class PictureViewer;
class ThumbnailSheetWindow;

// The open thumbnail sheets (f_provini): each opening shows a new sheet; closing one frees it.
class ThumbnailSheets {
public:
    explicit ThumbnailSheets(PictureViewer& viewer);
    ~ThumbnailSheets();
    ThumbnailSheets(const ThumbnailSheets&) = delete;
    ThumbnailSheets& operator=(const ThumbnailSheets&) = delete;

    // Shows a sheet on the thumbnail file at `path`; nullptr when the file cannot be read.
    ThumbnailSheetWindow* open(const QString& path);
    // The sheets still open, oldest first.
    std::vector<ThumbnailSheetWindow*> open_sheets() const;
    void close_all();

private:
    PictureViewer& viewer_;
    std::vector<QPointer<ThumbnailSheetWindow>> sheets_;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class PictureViewer;

// The open thumbnail sheets (f_provini).
class ThumbnailSheets {
public:
    explicit ThumbnailSheets(PictureViewer& viewer);
    ~ThumbnailSheets();
    ThumbnailSheets(const ThumbnailSheets&) = delete;
    ThumbnailSheets& operator=(const ThumbnailSheets&) = delete;

    void close_all();

private:
    PictureViewer& viewer_;
};

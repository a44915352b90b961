// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class PictureViewer;

// The table of picture windows (form_nf, form_nf2): at most 200 open at once.
class PictureWindows {
public:
    explicit PictureWindows(PictureViewer& viewer);
    ~PictureWindows();
    PictureWindows(const PictureWindows&) = delete;
    PictureWindows& operator=(const PictureWindows&) = delete;

    bool any_open() const;
    void close_all();

private:
    PictureViewer& viewer_;
};

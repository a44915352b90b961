// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <array>

class PictureViewer;
class PictureWindow;

// The table of picture windows (form_nf, form_nf2): at most 200 open at once. A closed window
// frees its slot; a request beyond the last slot is refused with a message.
class PictureWindows {
public:
    static constexpr int capacity = 200;

    explicit PictureWindows(PictureViewer& viewer);
    ~PictureWindows();
    PictureWindows(const PictureWindows&) = delete;
    PictureWindows& operator=(const PictureWindows&) = delete;

    // A new window showing `path`; nullptr when the table is full or the picture cannot be read
    // (the user was told).
    PictureWindow* open(const QString& path);
    PictureWindow* window(int slot) const;
    int open_count() const;
    bool any_open() const { return open_count() > 0; }
    void close_all();
    // A window gives its slot back as it closes; nothing when the slot holds another window.
    void release(int slot, const PictureWindow* window);

private:
    int free_slot() const;

    PictureViewer& viewer_;
    std::array<QPointer<PictureWindow>, capacity + 1> slots_{}; // slot 0 unused
};

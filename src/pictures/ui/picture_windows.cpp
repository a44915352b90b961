// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_windows.h"

#include "core/app_context.h"
#include "core/translate.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_window.h"

PictureWindows::PictureWindows(PictureViewer& viewer) : viewer_(viewer) {}

PictureWindows::~PictureWindows() {
    close_all();
}

int PictureWindows::free_slot() const {
    for (int slot = 1; slot <= capacity; ++slot)
        if (!slots_[static_cast<size_t>(slot)]) return slot;
    return 0;
}

PictureWindow* PictureWindows::window(int slot) const {
    if (slot < 1 || slot > capacity) return nullptr;
    return slots_[static_cast<size_t>(slot)].data();
}

int PictureWindows::open_count() const {
    int count = 0;
    for (int slot = 1; slot <= capacity; ++slot)
        if (slots_[static_cast<size_t>(slot)]) ++count;
    return count;
}

PictureWindow* PictureWindows::open(const QString& path) {
    const int slot = free_slot();
    if (slot == 0) {
        viewer_.context().prompter.message(
            translate(
                QStringLiteral("Too many picture windows are open; close one of them to open another.")) +
            QStringLiteral(" (%1)").arg(capacity));
        return nullptr;
    }
    // Deleted when it closes (WA_DeleteOnClose).
    auto* opened = new PictureWindow(viewer_, *this, slot, path);
    slots_[static_cast<size_t>(slot)] = opened;
    if (!opened->load()) {
        release(slot, opened);
        delete opened;
        return nullptr;
    }
    return opened;
}

void PictureWindows::release(int slot, const PictureWindow* window) {
    if (slot >= 1 && slot <= capacity && slots_[static_cast<size_t>(slot)] == window)
        slots_[static_cast<size_t>(slot)] = nullptr;
}

void PictureWindows::close_all() {
    for (int slot = 1; slot <= capacity; ++slot) {
        if (PictureWindow* open_window = window(slot)) {
            open_window->close();
            // The viewer may go before the event loop runs again: the window goes now.
            delete open_window;
        }
    }
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/ui/storm_windows.h"

#include "core/app_context.h"
#include "core/ui/form_place.h"
#include "random/ui/storm_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

QString storm_limit_message() {
    return QStringLiteral("No more random map forms loadable (%1 at most): close one to open another.")
        .arg(StormWindows::capacity);
}

StormWindows::StormWindows(AppContext& ctx, MapWindows& maps, std::function<QMdiArea*()> area)
    : ctx_(ctx), maps_(maps), area_(std::move(area)) {}

StormWindows::~StormWindows() {
    close_all();
}

int StormWindows::open_count() const {
    int count = 0;
    for (const auto& window : slots_)
        if (window) ++count;
    return count;
}

StormWindow* StormWindows::window(int slot) const {
    if (slot < 1 || slot > capacity) return nullptr;
    return slots_.at(static_cast<std::size_t>(slot - 1)).data();
}

StormWindow* StormWindows::open(const RandomSelection& selection) {
    if (!ctx_.db) return nullptr;
    if (selection.empty() && selection.map_name.isEmpty() && selection.position == 0) {
        ctx_.prompter.message(QStringLiteral("Invalid selection."));
        return nullptr;
    }
    std::size_t free = slots_.size();
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (!slots_[i]) {
            free = i;
            break;
        }
    }
    if (free == slots_.size()) {
        ctx_.prompter.message(storm_limit_message());
        return nullptr;
    }
    QMdiArea* area = area_ ? area_() : nullptr;
    auto* window = new StormWindow(ctx_, maps_, static_cast<int>(free) + 1, selection);
    QMdiSubWindow* frame = nullptr;
    if (area) {
        frame = area->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(frame, &QMdiSubWindow::aboutToActivate, window, [window] { window->activated(); });
    } else {
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!window->load()) {
        // Nothing to show: the window goes without ever appearing.
        if (frame) {
            frame->deleteLater();
        } else {
            window->deleteLater();
        }
        return nullptr;
    }
    slots_[free] = window;
    if (frame) {
        frame->show();
        area->setActiveSubWindow(frame);
    } else {
        window->show();
        window->activateWindow();
    }
    window->show_board();
    window->activated();
    window->setFocus(Qt::OtherFocusReason);
    return window;
}

void StormWindows::close_all() {
    for (auto& window : slots_)
        if (window) close_form(*window);
}

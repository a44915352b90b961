// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/random_selection.h"

#include <QPointer>
#include <array>
#include <functional>

class AppContext;
class MapWindows;
class QMdiArea;
class StormWindow;

// The storm windows of the program: 25 slots; one more is refused with a message.
class StormWindows {
public:
    static constexpr int capacity = 25;

    StormWindows(AppContext& ctx, MapWindows& maps, std::function<QMdiArea*()> area);
    ~StormWindows();
    StormWindows(const StormWindows&) = delete;
    StormWindows& operator=(const StormWindows&) = delete;

    // A new storm in the first free slot, shown and active; nullptr when the selection is
    // unusable or empty, or every slot is taken (the user was told).
    StormWindow* open(const RandomSelection& selection);
    int open_count() const;
    StormWindow* window(int slot) const;
    void close_all();

private:
    AppContext& ctx_;
    MapWindows& maps_;
    std::function<QMdiArea*()> area_;
    std::array<QPointer<StormWindow>, capacity> slots_{};
};

// Told when all 25 storm slots are taken.
QString storm_limit_message();

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/map_window_table.h"

#include "core/app_context.h"
#include "core/params.h"

#include <algorithm>
#include <stdexcept>

void MapWindowTable::reset() {
    slots_.fill(MapSlot{});
    counter_ = 0;
    active_ = 0;
}

std::optional<int> MapWindowTable::reserve_slot() {
    if (!can_reserve()) return std::nullopt;
    ++counter_;
    MapSlot& taken = at(counter_);
    taken = MapSlot{};
    taken.in_use = true;
    return counter_;
}

void MapWindowTable::record(int slot, const QString& collection, const QString& cat, const QString& map_name,
                            MapWindowHandle* window) {
    MapSlot& s = at(slot);
    s.in_use = true;
    s.collection = collection;
    s.cat = cat;
    s.map_name = map_name;
    s.window = window;
}

void MapWindowTable::release(int slot) {
    MapSlot& s = at(slot);
    if (!s.in_use) return;
    s.in_use = false;
    s.window = nullptr;
    if (active_ == slot) active_ = 0;
}

const MapSlot& MapWindowTable::slot(int number) const {
    if (number < 1 || number > capacity) throw std::out_of_range("map window slot out of range");
    return slots_[static_cast<std::size_t>(number)];
}

MapSlot& MapWindowTable::at(int number) {
    return const_cast<MapSlot&>(std::as_const(*this).slot(number));
}

int MapWindowTable::in_use_count() const {
    return static_cast<int>(in_use_slots().size());
}

std::vector<int> MapWindowTable::in_use_slots() const {
    std::vector<int> found;
    // Slots past the counter have never been taken.
    for (int n = 1; n <= counter_; ++n)
        if (slot(n).in_use) found.push_back(n);
    return found;
}

std::vector<int> MapWindowTable::slots_showing(const QString& map_name) const {
    std::vector<int> found;
    for (int n : in_use_slots())
        if (slot(n).map_name.compare(map_name, Qt::CaseInsensitive) == 0) found.push_back(n);
    return found;
}

void MapWindowTable::close_windows_showing(const QString& map_name) {
    // The list is taken first: a closing window releases its own slot while we go.
    for (int n : slots_showing(map_name)) {
        if (MapWindowHandle* window = slot(n).window) window->close();
        release(n);
    }
}

std::optional<int> MapWindowTable::next_in_use(int from) const {
    // Onwards to the last slot taken, then round from the first; `from` itself is skipped.
    for (int n = std::max(from + 1, 1); n <= counter_; ++n)
        if (slot(n).in_use) return n;
    for (int n = 1; n < std::min(from, counter_ + 1); ++n)
        if (slot(n).in_use) return n;
    return std::nullopt;
}

std::optional<int> MapWindowTable::previous_in_use(int from) const {
    for (int n = std::min(from - 1, counter_); n >= 1; --n)
        if (slot(n).in_use) return n;
    for (int n = counter_; n > std::max(from, 0); --n)
        if (slot(n).in_use) return n;
    return std::nullopt;
}

void MapWindowTable::set_active(int slot_number) {
    if (slot(slot_number).in_use) active_ = slot_number;
}

QString MapWindowTable::topic_list_text() const {
    QString text;
    for (int n : in_use_slots())
        text += slot(n).map_name + QStringLiteral("\r\n");
    return text;
}

void save_open_maps(AppContext& ctx) {
    if (!ctx.db) return;
    set_gen_param(*ctx.db, QStringLiteral("topic_list"), ctx.map_windows.topic_list_text());
}

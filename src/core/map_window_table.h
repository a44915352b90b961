// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

class AppContext;

// What the table needs from an open map window; the map window widget implements it.
class MapWindowHandle {
public:
    virtual ~MapWindowHandle() = default;
    // Unloads the window. The window releases its slot as it closes; the table releases it too
    // when it asked for the close, so a window that forgets leaves no slot behind.
    virtual void close() = 0;
    virtual QString map_name() const = 0;
};

// One slot of the table of map windows.
struct MapSlot {
    bool in_use = false;
    QString collection;
    QString cat;
    QString map_name;
    MapWindowHandle* window = nullptr; // not owned: windows belong to the main window
};

// The map windows of a session: slots 1..500 numbered in the order the windows were opened.
// A slot is never reused within a session, so a window number names one window for good.
class MapWindowTable {
public:
    static constexpr int capacity = 500;
    inline static const QString full_message = QStringLiteral(
        "No more maps can be opened in this session (500 at most). Close the program and start it again "
        "to open more.");

    // Forgets every slot and sets the session counter back to 0 (start of a session).
    void reset();

    // Whether another window can still be opened in this session.
    bool can_reserve() const { return counter_ < capacity; }
    // Takes the next slot and marks it in use; nullopt, and nothing changed, when the session
    // has used all 500.
    std::optional<int> reserve_slot();
    // Records what the window in `slot` shows, as the window learns it while loading.
    void record(int slot, const QString& collection, const QString& cat, const QString& map_name,
                MapWindowHandle* window);
    // Frees the slot of a closing window; a slot not in use is left as it is.
    void release(int slot);

    // Slots 1..capacity; any other number throws std::out_of_range.
    const MapSlot& slot(int number) const;
    // Windows opened in this session so far (the number of the last slot taken).
    int session_count() const { return counter_; }
    int in_use_count() const;
    // In-use slots in slot order.
    std::vector<int> in_use_slots() const;

    // In-use slots whose map name equals `map_name` without regard to case: the windows an
    // opening of that map replaces.
    std::vector<int> slots_showing(const QString& map_name) const;
    // Closes the windows of slots_showing(map_name) and frees their slots.
    void close_windows_showing(const QString& map_name);

    // The next (previous) in-use slot after (before) `from`, going round the table; nullopt when
    // no other slot is in use. `from` need not be in use.
    std::optional<int> next_in_use(int from) const;
    std::optional<int> previous_in_use(int from) const;

    // The map window activated last, 0 when none is open; menus and dialogs of other windows
    // act on it.
    int active_slot() const { return active_; }
    void set_active(int slot);

    // The map names of the in-use slots in slot order, each followed by CR LF.
    QString topic_list_text() const;

private:
    MapSlot& at(int number);
    std::array<MapSlot, capacity + 1> slots_{}; // index 0 unused, so that slots read as numbered
    int counter_ = 0;
    int active_ = 0;
};

// Stores the names of the open maps as the global parameter "topic_list", for the next session
// to offer them again.
void save_open_maps(AppContext& ctx);

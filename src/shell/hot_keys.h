// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <vector>

class CollectionTable;

// Modifier bits of the general key routine.
namespace shift_state {
inline constexpr int shift = 1;
inline constexpr int ctrl = 2;
inline constexpr int alt = 4;
} // namespace shift_state

// What a general key does.
enum class HotKeyCommand {
    GeneralMenu,
    OpenCalendar,
    FindMap,
    GlobalFind,
    FileSearch,
    HotKeyList,
    TopMap,
    StartMaps,
    CloseAll,
    Quit,
    OpenTable, // the table view of `position`
    OpenMap,   // the map of `position`
};

// One key of the general key routine. Collection keys carry their position and whether they
// invert the collection's own choice between map and table (the Alt keys).
struct HotKey {
    int shift = 0;
    int key = 0; // a Qt::Key
    HotKeyCommand command = HotKeyCommand::GeneralMenu;
    int position = 0;
    bool invert = false;
};

// Every key the general key routine acts on, for the current collections, in the order it tries
// them (a key taken by an earlier entry is not listed again). The menu captions, the hot-key list
// and handle_hot_key all read this one table.
std::vector<HotKey> general_hot_keys(const CollectionTable& collections);

// "CTL+Q", "ALT+F11", "F4": a key as captions and the hot-key list write it.
QString key_name(int shift, int key);
// The name of the key that runs `command` (at `position` for the collection commands); empty
// when no key does.
QString key_name_of(const CollectionTable& collections, HotKeyCommand command, int position = 0);

// What the general keys lead to; the main window's commands fill these in. A member left empty
// means its window is not part of the program yet: the key is still consumed, nothing opens.
struct HotKeyActions {
    std::function<void()> general_menu;
    std::function<void()> open_calendar;
    std::function<void()> find_map;
    std::function<void()> global_find;
    std::function<void()> file_search;
    std::function<void()> hot_key_list;
    std::function<void()> top_map;
    std::function<void()> start_maps;
    std::function<void()> close_all;
    std::function<void()> quit;
    std::function<void()> clear_map_filter;
    std::function<void(int position, bool invert)> open_collection;
};

// The first position 1..45 whose shortcut text equals `key_text` without regard to case; 0 when
// none does.
int shortcut_position(const CollectionTable& collections, const QString& key_text);

// The key routine every window calls before handling a key itself. `shift` is the sum of the
// shift_state bits, `key` a Qt::Key. True when the key was consumed (the window then ignores it).
bool handle_hot_key(const CollectionTable& collections, int shift, int key, const HotKeyActions& actions);

// The keys a text field uses for its own editing: select all, copy, cut, paste, undo, redo,
// Home and End, and the moves and selections with Shift and Ctrl. While a text field has the
// focus these stay with it, ahead of the general keys.
bool is_field_editing_key(int shift, int key);

// The command form's own keys, when the main window itself has the focus: Enter opens the
// general menu unless Ctrl+M was the key before; Escape ends the program when no window is open;
// a typed character opens the map of the collection whose shortcut it is.
struct CommandFormKeys {
    bool last_was_ctrl_m = false;
};
struct CommandFormActions {
    std::function<void()> general_menu;
    std::function<bool()> any_window_open;
    std::function<void()> quit;
    std::function<void(int position)> open_collection_map;
};
bool command_form_key(CommandFormKeys& state, const CollectionTable& collections, int shift, int key,
                      const QString& text, const CommandFormActions& actions);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/hot_keys.h"

#include "core/collections.h"

#include <Qt>
#include <algorithm>

namespace {

using namespace shift_state;

void run(const std::function<void()>& action) {
    if (action) action();
}

// The key code of a one-character shortcut: letters, digits and the other printable keys below
// 'Z' have their upper-case character as key code. 0 for a shortcut no key types.
int shortcut_key(const QString& shortcut) {
    if (shortcut.size() != 1) return 0;
    const int key = shortcut.at(0).toUpper().unicode();
    return key > Qt::Key_Space && key < Qt::Key_Z ? key : 0;
}

// Collection keys open the table or the map as the collection's flag says, Alt the other one.
HotKeyCommand collection_command(const CollectionTable& collections, int position, bool invert) {
    return collections.at(position).open_coll_as_map == invert ? HotKeyCommand::OpenTable
                                                               : HotKeyCommand::OpenMap;
}

// Some keys act whatever the modifiers say: F6 always finds a map, F11 looks only at Alt, F3 at
// Ctrl then Alt, and F1 with Ctrl or Alt lists the keys. The others are looked up as typed.
std::pair<int, int> table_form(int shift, int key) {
    switch (key) {
    case Qt::Key_F6:
        return {0, key};
    case Qt::Key_F11:
        return {shift & alt, key};
    case Qt::Key_F3:
        return {(shift & ctrl) ? ctrl : (shift & alt), key};
    case Qt::Key_F1:
        return {shift >= ctrl ? ctrl : shift, key};
    default:
        return {shift, key};
    }
}

void run_command(const HotKey& hot_key, const HotKeyActions& actions) {
    switch (hot_key.command) {
    case HotKeyCommand::GeneralMenu:
        return run(actions.general_menu);
    case HotKeyCommand::OpenCalendar:
        return run(actions.open_calendar);
    case HotKeyCommand::FindMap:
        return run(actions.find_map);
    case HotKeyCommand::GlobalFind:
        return run(actions.global_find);
    case HotKeyCommand::FileSearch:
        return run(actions.file_search);
    case HotKeyCommand::HotKeyList:
        return run(actions.hot_key_list);
    case HotKeyCommand::TopMap:
        return run(actions.top_map);
    case HotKeyCommand::StartMaps:
        return run(actions.start_maps);
    case HotKeyCommand::CloseAll:
        return run(actions.close_all);
    case HotKeyCommand::Quit:
        return run(actions.quit);
    case HotKeyCommand::OpenTable:
    case HotKeyCommand::OpenMap:
        if (actions.open_collection) actions.open_collection(hot_key.position, hot_key.invert);
        return;
    }
}

} // namespace

std::vector<HotKey> general_hot_keys(const CollectionTable& collections) {
    std::vector<HotKey> keys;
    const auto add = [&keys](HotKey hot_key) {
        const bool taken = std::any_of(keys.begin(), keys.end(), [&hot_key](const HotKey& k) {
            return k.shift == hot_key.shift && k.key == hot_key.key;
        });
        if (!taken) keys.push_back(hot_key);
    };
    add({0, Qt::Key_F1, HotKeyCommand::GeneralMenu});
    if (collections.at(1).defined) add({0, Qt::Key_F4, HotKeyCommand::OpenCalendar});
    add({0, Qt::Key_F6, HotKeyCommand::FindMap});
    if (collections.at(2).defined) {
        add({0, Qt::Key_F11, collection_command(collections, 2, false), 2, false});
        add({alt, Qt::Key_F11, collection_command(collections, 2, true), 2, true});
    }
    add({ctrl, Qt::Key_F3, HotKeyCommand::GlobalFind});
    add({alt, Qt::Key_F3, HotKeyCommand::FileSearch});
    add({ctrl, Qt::Key_F1, HotKeyCommand::HotKeyList});
    add({alt, Qt::Key_0, HotKeyCommand::TopMap});
    add({alt, Qt::Key_1, HotKeyCommand::StartMaps});
    add({alt, Qt::Key_Z, HotKeyCommand::CloseAll});
    add({ctrl, Qt::Key_Q, HotKeyCommand::Quit});
    // The first position with a shortcut takes its key.
    for (int position = 1; position <= CollectionTable::count; ++position) {
        const int key = shortcut_key(collections.at(position).shortcut);
        if (key == 0) continue;
        add({ctrl, key, collection_command(collections, position, false), position, false});
        add({alt, key, collection_command(collections, position, true), position, true});
    }
    return keys;
}

QString key_name(int shift, int key) {
    QString name;
    if (shift & ctrl) name += QStringLiteral("CTL+");
    if (shift & alt) name += QStringLiteral("ALT+");
    if (shift & shift_state::shift) name += QStringLiteral("SHIFT+");
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return name + QLatin1Char('F') + QString::number(key - Qt::Key_F1 + 1);
    return name + QChar(key);
}

QString key_name_of(const CollectionTable& collections, HotKeyCommand command, int position) {
    const bool collection = command == HotKeyCommand::OpenTable || command == HotKeyCommand::OpenMap;
    for (const HotKey& hot_key : general_hot_keys(collections))
        if (hot_key.command == command && (!collection || hot_key.position == position))
            return key_name(hot_key.shift, hot_key.key);
    // The map of all collections is the top map, whose key may have taken its Alt key.
    if (command == HotKeyCommand::OpenMap && position == CollectionTable::all_collections)
        return key_name_of(collections, HotKeyCommand::TopMap);
    return {};
}

int shortcut_position(const CollectionTable& collections, const QString& key_text) {
    if (key_text.isEmpty()) return 0;
    for (int position = 1; position <= CollectionTable::count; ++position) {
        const QString& shortcut = collections.at(position).shortcut;
        if (!shortcut.isEmpty() && shortcut.compare(key_text, Qt::CaseInsensitive) == 0) return position;
    }
    return 0;
}

bool handle_hot_key(const CollectionTable& collections, int shift, int key, const HotKeyActions& actions) {
    // The Alt key on its own.
    if (key == Qt::Key_Alt) return false;
    const bool function_key = key == Qt::Key_F3 || key == Qt::Key_F6 || key == Qt::Key_F11;
    // Any other combination with Ctrl or Alt forgets the filter of the last map search.
    if (!function_key && shift >= ctrl) run(actions.clear_map_filter);
    const auto [table_shift, table_key] = table_form(shift, key);
    for (const HotKey& hot_key : general_hot_keys(collections)) {
        if (hot_key.shift == table_shift && hot_key.key == table_key) {
            run_command(hot_key, actions);
            return true;
        }
    }
    // F3 without Ctrl or Alt belongs to no window.
    return key == Qt::Key_F3;
}

bool is_field_editing_key(int shift, int key) {
    const int with_shift = ctrl | shift_state::shift;
    switch (key) {
    case Qt::Key_A:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
    case Qt::Key_Y:
        return shift == ctrl;
    case Qt::Key_Z:
        return shift == ctrl || shift == with_shift;
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return shift == 0 || shift == shift_state::shift || shift == ctrl || shift == with_shift;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return shift == shift_state::shift;
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        return shift == ctrl || shift == shift_state::shift;
    case Qt::Key_Backspace:
        return shift == ctrl;
    default:
        return false;
    }
}

bool command_form_key(CommandFormKeys& state, const CollectionTable& collections, int shift, int key,
                      const QString& text, const CommandFormActions& actions) {
    const bool was_ctrl_m = state.last_was_ctrl_m;
    state.last_was_ctrl_m = key == Qt::Key_M && shift == ctrl;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (was_ctrl_m) return false;
        run(actions.general_menu);
        return true;
    }
    if (key == Qt::Key_Escape) {
        if (actions.any_window_open && actions.any_window_open()) return false;
        run(actions.quit);
        return true;
    }
    if (text.size() != 1 || !text.at(0).isPrint()) return false;
    const int position = shortcut_position(collections, text);
    if (position == 0) return false;
    if (actions.open_collection_map) actions.open_collection_map(position);
    return true;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/hot_keys.h"

#include "core/collections.h"

#include <Qt>

namespace {

void run(const std::function<void()>& action) {
    if (action) action();
}

// The character of a key code for the shortcut comparison: letters, digits and the other
// printable keys below 'Z' map to themselves.
QString key_text(int key) {
    return QString(QChar(key));
}

} // namespace

int shortcut_position(const CollectionTable& collections, const QString& key_text) {
    if (key_text.isEmpty()) return 0;
    for (int position = 1; position <= CollectionTable::count; ++position) {
        const QString& shortcut = collections.at(position).shortcut;
        if (!shortcut.isEmpty() && shortcut.compare(key_text, Qt::CaseInsensitive) == 0) return position;
    }
    return 0;
}

bool handle_hot_key(const CollectionTable& collections, int shift, int key, const HotKeyActions& actions) {
    using namespace shift_state;
    const bool with_alt = (shift & alt) != 0;
    // The Alt key on its own.
    if (key == Qt::Key_Alt) return false;
    if (key == Qt::Key_F1 && shift == 0) {
        run(actions.general_menu);
        return true;
    }
    if (key == Qt::Key_F4 && shift == 0 && collections.at(1).defined) {
        run(actions.open_calendar);
        return true;
    }
    if (key == Qt::Key_F6) {
        run(actions.find_map);
        return true;
    }
    if (key == Qt::Key_F11 && collections.at(2).defined) {
        if (actions.open_collection) actions.open_collection(2, with_alt);
        return true;
    }
    if (key == Qt::Key_F3) {
        if (shift & ctrl)
            run(actions.global_find);
        else if (with_alt)
            run(actions.file_search);
        return true;
    }
    if (shift >= ctrl) {
        // Any combination with Ctrl or Alt forgets the filter of the last map search.
        run(actions.clear_map_filter);
        if (key == Qt::Key_F1) {
            run(actions.hot_key_list);
            return true;
        }
        if (shift == alt) {
            if (key == Qt::Key_0) {
                run(actions.top_map);
                return true;
            }
            if (key == Qt::Key_1) {
                run(actions.start_maps);
                return true;
            }
            if (key == Qt::Key_Z) {
                run(actions.close_all);
                return true;
            }
        }
        if (shift == ctrl && key == Qt::Key_Q) {
            run(actions.quit);
            return true;
        }
    }
    if ((shift == ctrl || shift == alt) && key < Qt::Key_Z) {
        const int position = shortcut_position(collections, key_text(key));
        if (position != 0) {
            if (actions.open_collection) actions.open_collection(position, with_alt);
            return true;
        }
    }
    return false;
}

bool command_form_key(CommandFormKeys& state, const CollectionTable& collections, int shift, int key,
                      const QString& text, const CommandFormActions& actions) {
    const bool was_ctrl_m = state.last_was_ctrl_m;
    state.last_was_ctrl_m = key == Qt::Key_M && shift == shift_state::ctrl;
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

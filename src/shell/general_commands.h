// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/hot_keys.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class AppContext;
class CollectionTable;
struct Preferences;

// Whether menus, toolbar and dialogs offer the collection at `position`: defined, visible, and
// not one of the cogniva collections while those functions are off.
bool collection_offered(const CollectionTable& collections, const Preferences& prefs, int position);

// `caption` followed by the general key that runs `command` in parentheses, "Quit the program
// (CTL+Q)"; the caption alone when no key runs it. Captions read the keys from the key table, so
// that they name the keys the program obeys.
QString caption_with_key(const QString& caption, const CollectionTable& collections, HotKeyCommand command,
                         int position = 0);
// Captions of the per-collection entries of the general menu: the name and the key that opens
// the table, or the map.
QString table_entry_caption(const CollectionTable& collections, int position);
QString map_entry_caption(const CollectionTable& collections, int position);

// One button of the main toolbar: its key (also the name of its picture), tool tip, and for a
// collection button the position it opens.
struct ToolbarButton {
    QString key;
    QString tooltip;
    int position = 0;
};
// The buttons in their order for the current collections and preferences.
std::vector<ToolbarButton> toolbar_buttons(const AppContext& ctx);

// What the print button does for the active window.
enum class PrintTarget { Calendar, Map, Table, Nothing };
struct PrintDecision {
    PrintTarget target = PrintTarget::Nothing;
    QString message; // shown when there is nothing to print
};
PrintDecision print_decision(bool calendar_active, bool map_active, bool table_active, bool any_map_or_table,
                             bool calendar_available);

// "Find map": asks for a text, proposing the last filter; nullopt when the answer is empty (nothing happens),
// "" for "*" (every map). A filter other than "*" is kept as "last_topic_filter".
std::optional<QString> ask_map_filter(AppContext& ctx);

// "Resume previous session": the maps listed in "topic_list" that still exist, in their order,
// each once. Says so when the list is empty.
QStringList previous_session_maps(AppContext& ctx);

// The background of the main window as a waste bin. Each asks first and answers whether
// something was deleted.
bool delete_dropped_item(AppContext& ctx, qint64 item_nr);
bool delete_dropped_category(AppContext& ctx, const QString& collection, const QString& cat);

// The text of "Assign start map".
inline const QString assign_start_map_text = QStringLiteral(
    "To assign/reassign the start map, open the preferred map and call the function \"set this map as start "
    "map\".");
inline const QString no_previous_topics_text =
    QStringLiteral("No topics were open last time program was closed.");

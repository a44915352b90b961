// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Automatic selection (a map window walking through its panels on a timer) and child maps (the
// maps a map's items name).

#include "core/form_attributes.h"
#include "maps/map_items.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

class CollectionTable;
class Prompter;
class RandomSource;
struct OpenSession;

// ---------------------------------------------------------------- automatic selection

// No step runs within this many seconds of the window's last navigation (opening, arrow keys).
inline constexpr int navigation_pause_seconds = 10;
// The staggered start waits up to this many milliseconds, so that maps opened together do not
// step in unison.
inline constexpr int staggered_start_span_ms = 300;
// The interval answers accepted, in milliseconds (0.1 to 3600 seconds).
inline constexpr int min_interval_ms = 100;
inline constexpr int max_interval_ms = 3600 * 1000;

// Every map window carries a tag made of this word and its window number; a step runs only
// while the active child window carries such a tag.
inline const QString map_window_tag_word = QStringLiteral("Tessarin");
QString map_window_tag(int window_number);
bool is_map_window_tag(const QString& tag);

// What one step of timer_autom looks at before it selects anything.
struct AutoStepState {
    bool title_being_asked = false;
    bool automatic_changes_allowed = true;
    bool automatic_selection_on = false;
    bool busy = false;
    bool active_window_is_map = false;
    QDateTime last_navigation;
    QDateTime now;
};
bool auto_step_may_run(const AutoStepState& state);

// The index (0-based) the step selects: a random entry with random order, otherwise the one
// after `selected`, back to the first after the last. Panels titled "-" are passed over, going
// at most once round the map; nothing when every entry is one.
std::optional<int> next_auto_index(const std::vector<MapItem>& items, int selected, bool random_order,
                                   RandomSource& random);

// How long the staggered start waits: a random whole number of milliseconds below
// staggered_start_span_ms.
int staggered_start_delay_ms(RandomSource& random);

// ---------------------------------------------------------------- the interval

// The interval in seconds written "0.0".
QString interval_seconds_text(int interval_ms);
// The frequency menu entry's caption, which shows the current interval.
QString frequency_caption(int interval_ms);
inline const QString frequency_question = QStringLiteral("New frequency in seconds?");
inline const QString frequency_title = QStringLiteral("Frequency of auto selection");
inline const QString wrong_frequency_message = QStringLiteral("Wrong input");
// An answer in seconds ("," read as ".") as a whole number of milliseconds; nothing when it is
// no number or lies outside 0.1 to 3600 seconds.
std::optional<int> interval_from_answer(const QString& answer);
// Asks for a new interval, proposing the current one, until the answer is usable; nothing when
// the answer is empty or the question cancelled.
std::optional<int> ask_frequency(Prompter& prompter, int current_ms);

// ---------------------------------------------------------------- child maps

struct ChildMap {
    QString name;   // the map's name as the window table records it, for comparisons
    MapParts parts; // how to open it (a category with "." or ">" stays whole)
};

// The maps a map's items name, in panel order and each once (the first naming wins): "> " followed by a map
// name names that map (any item part kept for opening, so that it is selected); any other item names the
// category map of the map's collection titled like the item. The top map names none: its
// panels are collections, which have no collection of their own.
std::vector<ChildMap> child_maps(const CollectionTable& collections, const MapIdentity& map,
                                 const std::vector<MapItem>& items);
// The child maps that exist (exact category).
std::vector<ChildMap> existing_child_maps(const OpenSession& session, const MapIdentity& map,
                                          const std::vector<MapItem>& items);

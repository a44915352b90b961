// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_auto_selection.h"

#include "core/app_context.h"
#include "core/format.h"
#include "core/seams.h"
#include "maps/map_names.h"

#include <algorithm>
#include <cmath>

namespace {

// A whole number from 0 to span-1.
int random_below(RandomSource& random, int span) {
    return std::clamp(static_cast<int>(random.next() * span), 0, span - 1);
}

bool titled_filler(const MapItem& item) {
    return item.title == QLatin1String("-");
}

const QString reference_prefix = QStringLiteral("> ");

// The map a reference title ("> " and a map name, perhaps with an item part) names.
std::optional<ChildMap> referenced_map(const CollectionTable& collections, const QString& title) {
    const QString rest = title.mid(reference_prefix.size()).trimmed();
    if (rest.isEmpty()) return std::nullopt;
    const SplitName split = split_map_name(rest);
    const QString map = split.map.trimmed();
    ChildMap child;
    child.name = canonical_map_name(collections, map);
    if (is_top_map_name(map)) {
        child.parts.collection = top_map_name;
    } else if (is_collection_map(collections, map)) {
        child.parts.collection = child.name;
    } else {
        if (!map.contains(QLatin1Char(':'))) return std::nullopt; // names no map
        child.parts = MapParts{collection_of(collections, map), cat_of(map), split.item};
    }
    return child;
}

bool child_exists(const OpenSession& session, const ChildMap& child) {
    if (child.parts.cat.isEmpty() && child.parts.item.isEmpty() &&
        (is_top_map_name(child.parts.collection) ||
         is_collection(session.collections, child.parts.collection)))
        return true;
    return category_map_exists(session, child.parts.collection, child.parts.cat, true);
}

} // namespace

// ---------------------------------------------------------------- automatic selection

QString map_window_tag(int window_number) {
    return map_window_tag_word + QString::number(window_number);
}

bool is_map_window_tag(const QString& tag) {
    return tag.startsWith(map_window_tag_word);
}

bool auto_step_may_run(const AutoStepState& state) {
    if (state.title_being_asked || !state.automatic_changes_allowed || !state.automatic_selection_on ||
        state.busy || !state.active_window_is_map)
        return false;
    // A window navigated a moment ago stays where the user put it.
    return !state.last_navigation.isValid() ||
           state.now >= state.last_navigation.addSecs(navigation_pause_seconds);
}

std::optional<int> next_auto_index(const std::vector<MapItem>& items, int selected, bool random_order,
                                   RandomSource& random) {
    const int count = static_cast<int>(items.size());
    if (count == 0) return std::nullopt;
    int start = 0;
    if (random_order)
        start = random_below(random, count);
    else if (selected >= 0 && selected + 1 < count)
        start = selected + 1;
    // Once round the map at most: a map of fillers alone selects nothing.
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        if (!titled_filler(items[static_cast<std::size_t>(index)])) return index;
    }
    return std::nullopt;
}

int staggered_start_delay_ms(RandomSource& random) {
    return random_below(random, staggered_start_span_ms);
}

// ---------------------------------------------------------------- the interval

QString interval_seconds_text(int interval_ms) {
    return format_number(interval_ms / 1000.0, QStringLiteral("0.0"));
}

QString frequency_caption(int interval_ms) {
    return QStringLiteral("&Frequency of auto-selection (now ") + interval_seconds_text(interval_ms) +
           QStringLiteral(")");
}

std::optional<int> interval_from_answer(const QString& answer) {
    QString text = answer.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !std::isfinite(seconds)) return std::nullopt;
    const long ms = std::lround(seconds * 1000.0);
    if (ms < min_interval_ms || ms > max_interval_ms) return std::nullopt;
    return static_cast<int>(ms);
}

std::optional<int> ask_frequency(Prompter& prompter, int current_ms) {
    for (;;) {
        const std::optional<QString> answer =
            prompter.input(frequency_question, frequency_title, interval_seconds_text(current_ms));
        if (!answer || answer->trimmed().isEmpty()) return std::nullopt;
        if (const std::optional<int> interval = interval_from_answer(*answer)) return interval;
        prompter.message(wrong_frequency_message);
    }
}

// ---------------------------------------------------------------- child maps

std::vector<ChildMap> child_maps(const CollectionTable& collections, const MapIdentity& map,
                                 const std::vector<MapItem>& items) {
    std::vector<ChildMap> children;
    if (map.top_map()) return children;
    const auto add = [&children](ChildMap child) {
        const bool known = std::any_of(children.begin(), children.end(), [&](const ChildMap& other) {
            return other.name.compare(child.name, Qt::CaseInsensitive) == 0;
        });
        if (!known) children.push_back(std::move(child));
    };
    for (const MapItem& item : items) {
        if (item.title.startsWith(reference_prefix)) {
            if (std::optional<ChildMap> child = referenced_map(collections, item.title))
                add(std::move(*child));
            continue;
        }
        ChildMap child;
        child.parts = MapParts{map.collection, item.title, QString()};
        child.name = category_map_name(map.collection, item.title);
        add(std::move(child));
    }
    return children;
}

std::vector<ChildMap> existing_child_maps(const OpenSession& session, const MapIdentity& map,
                                          const std::vector<MapItem>& items) {
    std::vector<ChildMap> children = child_maps(session.collections, map, items);
    std::erase_if(children, [&session](const ChildMap& child) { return !child_exists(session, child); });
    return children;
}

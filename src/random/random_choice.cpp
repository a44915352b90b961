// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/random_choice.h"

#include "core/seams.h"
#include "maps/random_handoffs.h"

namespace {

// Below this sum of red, green and blue a colour is too dark for black text.
constexpr int least_light_sum = 356;
constexpr int channel_values = 256;

int draw_channel(RandomSource& random) {
    return static_cast<int>(random.next() * channel_values - 1) + 1;
}

} // namespace

QColor random_light_colour(RandomSource& random) {
    for (;;) {
        const int red = draw_channel(random);
        const int green = draw_channel(random);
        const int blue = draw_channel(random);
        if (red + green + blue >= least_light_sum) return {red, green, blue};
    }
}

QString map_items_selection(const QString& collection, const QString& cat) {
    return items_of_map_statement(collection, cat);
}

std::optional<RandomSelection> selection_of_form(const CollectionTable& collections,
                                                 const std::optional<FormAttributes>& attributes) {
    if (!attributes) return std::nullopt;
    return random_selection_of_attributes(collections, *attributes);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/random_choice.h"

#include "core/collections.h"
#include "core/seams.h"
#include "core/sql_text.h"
#include "maps/map_names.h"

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
    QString statement =
        QStringLiteral("Select * from repos where collection='") + sql_quote(collection) + QLatin1Char('\'');
    if (!cat.isEmpty()) statement += QStringLiteral(" and cat='") + sql_quote(cat) + QLatin1Char('\'');
    return statement;
}

std::optional<RandomSelection> selection_of_form(const CollectionTable& collections,
                                                 const std::optional<FormAttributes>& attributes) {
    if (!attributes) return std::nullopt;
    RandomSelection selection;
    selection.map_name = attributes->map_name;
    selection.position = attributes->position;
    selection.item_nr = attributes->item_nr;
    selection.picture_dir = attributes->picture_dir;
    if (!attributes->query.isEmpty() &&
        !attributes->query.contains(QStringLiteral("select distinct"), Qt::CaseInsensitive)) {
        selection.query = attributes->query;
    } else if (!attributes->map_name.isEmpty() && !is_top_map_name(attributes->map_name)) {
        selection.query = map_items_selection(collection_of(collections, attributes->map_name),
                                              cat_of(attributes->map_name));
    } else {
        selection.query = all_items_selection;
    }
    return selection;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The light colours and the toolbar's selection of the active window.
#include "core/collections.h"
#include "random/random_choice.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

TEST(RandomLightColour, DrawsAgainUntilTheColourIsLightEnough) {
    FakeRandom random;
    // 0.4 gives 102 per channel (306 in all, too dark); 0.5 gives 128 (384).
    random.values = {0.4, 0.4, 0.4, 0.5, 0.5, 0.5};
    EXPECT_EQ(random_light_colour(random), QColor(128, 128, 128));
    EXPECT_EQ(random.index, 6U);
    // The extremes of the draw: 0 gives 0, just below 1 gives 255.
    random.values = {0.0, 0.999999, 0.999999};
    random.index = 0;
    EXPECT_EQ(random_light_colour(random), QColor(0, 255, 255));
}

TEST(SelectionOfForm, TakesTheStatementTheMapOrEveryItem) {
    CollectionTable collections;
    collections.init_collections();
    EXPECT_FALSE(selection_of_form(collections, std::nullopt));

    FormAttributes table;
    table.query = s("select * from repos where collection='Books' order by item_title");
    table.map_name = s("Books: Novels");
    table.position = 7;
    table.item_nr = 12;
    const auto from_table = selection_of_form(collections, table);
    ASSERT_TRUE(from_table);
    EXPECT_EQ(from_table->query, table.query);
    EXPECT_EQ(from_table->map_name, s("Books: Novels"));
    EXPECT_EQ(from_table->position, 7);
    EXPECT_EQ(from_table->item_nr, 12);

    // A list of categories is no list of items: the map's items are taken instead.
    FormAttributes categories;
    categories.query = s("SELECT DISTINCT cat from repos where collection='Books'");
    categories.map_name = s("books: Poets' corner");
    EXPECT_EQ(selection_of_form(collections, categories)->query,
              s("Select * from repos where collection='Books' and cat='Poets'' corner'"));
    categories.map_name = s("Books");
    EXPECT_EQ(selection_of_form(collections, categories)->query,
              s("Select * from repos where collection='Books'"));

    EXPECT_EQ(selection_of_form(collections, FormAttributes{})->query, all_items_selection);
    FormAttributes top;
    top.map_name = s("Top map");
    EXPECT_EQ(selection_of_form(collections, top)->query, all_items_selection);
}

} // namespace

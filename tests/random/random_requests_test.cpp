// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The statements handed to the random item view by each caller, and the selection a window answers.
#include "maps/map_items.h"
#include "maps/random_handoffs.h"
#include "random/random_choice.h"
#include "random/random_requests.h"
#include "support/db_fixtures.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class RandomRequests : public ::testing::Test, public TestDb {
protected:
    TestContext& t = tc;
    void SetUp() override { open_db(s("requests.tdb")); }
    QStringList opened() const { return t.windows.calls_to(s("open_random_item")); }
};

TEST_F(RandomRequests, MapsAndItemsGiveTheirStatementsWithQuotesDoubled) {
    const auto map = [this](const char* name) {
        return random_selection_of_map(identify_map(ctx.collections, s(name)));
    };
    EXPECT_EQ(map("Top map").query, s("select * from repos"));
    EXPECT_EQ(map("Books").query, s("Select * from repos where collection='Books'"));
    const RandomSelection poets = map("Books: Poets' corner");
    EXPECT_EQ(poets.query, s("Select * from repos where collection='Books' and cat='Poets'' corner'"));
    EXPECT_EQ(poets.map_name, s("Books: Poets' corner"));
    EXPECT_EQ(poets.position, 7);

    const RandomSelection one =
        random_selection_of_item(ctx.collections, s("Media"), s("Films"), s("Ocean's 11"));
    EXPECT_EQ(one.query,
              s("Select * from repos where collection='Media' and cat='Films' and item_title='Ocean''s 11'"));
    EXPECT_EQ(one.map_name, s("Media: Films"));
    EXPECT_EQ(one.position, 8);
}

TEST_F(RandomRequests, TheSelectionDialogsChoiceNamesEverythingAMapOrAnItemWithItsPictures) {
    EXPECT_EQ(selection_of_choice(ctx, MapParts{}).query, s("Select * from repos"));
    const RandomSelection books = selection_of_choice(ctx, MapParts{s("books"), {}, {}});
    EXPECT_EQ(books.query, s("Select * from repos where collection='books'"));
    EXPECT_EQ(books.position, 7);
    const QString dir = tc.env.path(s("album"));
    QDir().mkpath(dir);
    add(s("Notes"), s("Pictures"), s("holidays"), s("PICDIR=") + dir + s("\nsummer"));
    const RandomSelection album =
        selection_of_choice(ctx, MapParts{s("Notes"), s("Pictures"), s("holidays")});
    EXPECT_EQ(album.picture_dir, dir + s("/"));
    EXPECT_EQ(album.query,
              s("Select * from repos where collection='Notes' and cat='Pictures' and item_title='holidays'"));
    EXPECT_TRUE(
        selection_of_choice(ctx, MapParts{s("Notes"), s("Pictures"), s("other")}).picture_dir.isEmpty());
}

TEST_F(RandomRequests, TheMainMenuFollowsTheActiveWindowsKind) {
    FormAttributes table;
    table.position = 8;
    table.map_name = s("Media: Films");
    table.query = s("select * from repos where item_title like 'A*'");
    t.windows.attributes = table;
    const struct {
        WindowKind kind;
        const char* query;
    } cases[] = {
        {WindowKind::Calendar, "Select * from repos where date_expiry is not null"},
        {WindowKind::Table, "Select * from repos where collection='Media'"},
        {WindowKind::Map, "Select * from repos where collection='Media'"},
        {WindowKind::Tree, "Select * from repos"},
        {WindowKind::None, "Select * from repos"},
    };
    for (const auto& c : cases) {
        ctx.active_kind = c.kind;
        EXPECT_EQ(random_item_view_selection(ctx).query, s(c.query)) << static_cast<int>(c.kind);
    }
    // The top map and the table of all collections stand for every item.
    ctx.active_kind = WindowKind::Map;
    table.position = 45;
    t.windows.attributes = table;
    EXPECT_EQ(random_item_view_selection(ctx).query, s("Select * from repos"));

    open_random_item_of_collection(ctx, 7);
    open_random_item_of_collection(ctx, 0);
    EXPECT_EQ(opened(), QStringList{s("open_random_item Select * from repos where collection='Books'")});
}

TEST_F(RandomRequests, TheToolbarTakesTheActiveFormOrAsksWithTheSelectionDialog) {
    FormAttributes map;
    map.query = s("SELECT DISTINCT cat from repos where collection='Books'");
    map.map_name = s("Books");
    map.position = 7;
    t.windows.attributes = map;
    ctx.active_kind = WindowKind::Map;
    open_random_item_of_active_form(ctx);
    EXPECT_EQ(opened(), QStringList{s("open_random_item Select * from repos where collection='Books'")});
    EXPECT_TRUE(t.windows.calls_to(s("select_map")).isEmpty());

    // A random view active: the dialog chooses; cancel opens nothing; an empty choice all items.
    t.windows.calls.clear();
    ctx.active_kind = WindowKind::RandomItem;
    open_random_item_of_active_form(ctx);
    EXPECT_EQ(t.windows.calls, QStringList{s("select_map")});
    t.windows.on_select_map = [](const MapParts&, bool) { return std::optional<MapParts>(MapParts{}); };
    open_random_item_of_active_form(ctx);
    t.windows.attributes.reset();
    ctx.active_kind = WindowKind::None;
    t.windows.on_select_map = [](const MapParts&, bool) {
        return std::optional<MapParts>(MapParts{QStringLiteral("Money"), QStringLiteral("Bills"), {}});
    };
    open_random_item_of_active_form(ctx);
    EXPECT_EQ(opened(), (QStringList{s("open_random_item Select * from repos"),
                                     s("open_random_item Select * from repos where collection='Money' and "
                                       "cat='Bills'")}));
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

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/navigation.h"

#include "core/params.h"
#include "maps/map_names.h"
#include "support/db_fixtures.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// Readable descriptions, so that a failing comparison shows where it went.
std::string describe(const Route& route) {
    if (std::holds_alternative<route::TopMap>(route)) return "top map";
    if (const auto* map = std::get_if<route::Map>(&route)) return "map " + map->name.toStdString();
    if (const auto* map = std::get_if<route::CategoryMap>(&route))
        return "category map " + map->collection.toStdString() + " / " + map->cat.toStdString();
    if (const auto* table = std::get_if<route::Table>(&route))
        return "table " + std::to_string(table->position) + " cat=" + table->cat.toStdString() +
               " title=" + table->title.toStdString();
    return "nothing";
}

std::string top() {
    return "top map";
}
std::string map(const char* name) {
    return std::string("map ") + name;
}
std::string table(int position, const char* cat = "", const char* title = "") {
    return "table " + std::to_string(position) + " cat=" + cat + " title=" + title;
}
const std::string nothing = "nothing";

std::string describe(const PanelAction& action) {
    using namespace panel_action;
    if (std::holds_alternative<OpenTopMap>(action)) return "open top map";
    if (const auto* a = std::get_if<OpenMapOrTable>(&action))
        return "map or table " + a->name.toStdString() + (a->invert ? " inverted" : "");
    if (const auto* a = std::get_if<CreateMapThenOpen>(&action))
        return "create then open " + a->name.toStdString() + (a->invert ? " inverted" : "");
    if (const auto* a = std::get_if<OpenCategory>(&action))
        return "category " + a->collection.toStdString() + " / " + a->cat.toStdString() +
               (a->invert ? " inverted" : "");
    if (const auto* a = std::get_if<OpenCollection>(&action))
        return "collection " + std::to_string(a->position) + (a->invert ? " inverted" : "");
    if (const auto* a = std::get_if<OpenMap>(&action)) return "open map " + a->name.toStdString();
    if (const auto* a = std::get_if<RunLink>(&action)) return "link " + a->target.toStdString();
    if (const auto* a = std::get_if<OpenWebAddress>(&action)) return "web " + a->address.toStdString();
    if (const auto* a = std::get_if<ShowMessage>(&action)) return "message " + a->text.toStdString();
    return "toggle content box";
}

class Navigation : public MapsDb {
protected:
    void SetUp() override {
        MapsDb::SetUp();
        add(s("Books"), s("Poetry"), s("Canto"));
        add(s("Books"), s("Poetry,Italian"), s("Inferno"));
    }
    std::string collection(int position, bool invert) {
        return describe(open_collection(ctx, position, invert));
    }
    std::string map_or_table(const char* name, bool invert) {
        return describe(open_map_or_table(ctx, s(name), invert));
    }
    Collection& books() { return ctx.collections.at(7); }
};

} // namespace

// A collection opens by its flag and Alt reverses it; position 45 is the top map or the table of
// all collections; positions outside the table or without a collection open nothing.
TEST_F(Navigation, CollectionOpensByItsFlagAndAltReversesIt) {
    books().open_coll_as_map = false;
    EXPECT_EQ(collection(7, false), table(7));
    EXPECT_EQ(collection(7, true), map("Books"));
    books().open_coll_as_map = true;
    EXPECT_EQ(collection(7, false), map("Books"));
    EXPECT_EQ(collection(7, true), table(7));
    ctx.collections.at(45).open_coll_as_map = true;
    EXPECT_EQ(collection(45, false), top());
    EXPECT_EQ(collection(45, true), table(45));
    ctx.collections.at(45).open_cat_as_map = true;
    EXPECT_EQ(map_or_table("All collections: Poetry", false), top());
    EXPECT_EQ(map_or_table("All collections: Poetry", true), table(45, "Poetry"));
    EXPECT_EQ(collection(0, false), nothing);
    EXPECT_EQ(collection(46, true), nothing);
    ctx.collections.at(30).name = QString();
    EXPECT_EQ(collection(30, true), nothing);
}

TEST_F(Navigation, CategoryMapsOpenByTheCategoryFlag) {
    books().open_coll_as_map = true;
    books().open_cat_as_map = false;
    EXPECT_EQ(map_or_table("Books: Poetry", false), table(7, "Poetry"));
    EXPECT_EQ(map_or_table("Books: Poetry.Canto", false), table(7, "Poetry", "Canto"));
    EXPECT_EQ(map_or_table("Books: Poetry.Canto", true), map("Books: Poetry.Canto"));
    books().open_cat_as_map = true;
    EXPECT_EQ(map_or_table("books: poetry", false), map("books: poetry"));
    EXPECT_EQ(map_or_table("Books: Poetry", true), table(7, "Poetry"));
    EXPECT_EQ(map_or_table("Books: ", true), table(7));
    // Collection names follow the collection's flag; unknown collections open as maps.
    books().open_cat_as_map = false;
    EXPECT_EQ(map_or_table("Books", false), map("Books"));
    EXPECT_EQ(map_or_table("Books:", true), table(7));
    EXPECT_EQ(map_or_table("Gone: Poetry", false), map("Gone: Poetry"));
    EXPECT_EQ(map_or_table("Top map", true), top());
    EXPECT_EQ(map_or_table("  ", false), nothing);
}

TEST_F(Navigation, OpenNamedTakesMapsCollectionsOrSaysNotFound) {
    EXPECT_EQ(describe(open_named(ctx, s("Books: Poetry.Canto"))), map("Books: Poetry.Canto"));
    EXPECT_EQ(describe(open_named(ctx, s(" books "))), table(7));
    EXPECT_EQ(describe(open_named(ctx, s("top map"))), top());
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_EQ(describe(open_named(ctx, s("L'été*"))), nothing);
    EXPECT_EQ(t.prompter.messages(), QStringList{s("\"L'été*\" not found")});
    t.prompter.clear();
    EXPECT_EQ(describe(open_named(ctx, QString())), nothing);
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_EQ(describe(open_collection_by_name(ctx, s("MEDIA"))), table(8));
    EXPECT_EQ(describe(open_collection_by_name(ctx, s("Poetry"))), nothing);
}

TEST_F(Navigation, FollowReferenceOpensOnlyExistingMaps) {
    books().open_cat_as_map = false;
    EXPECT_EQ(describe(follow_reference(ctx, s("> Books: Poetry.Canto"), false)),
              table(7, "Poetry", "Canto"));
    EXPECT_EQ(describe(follow_reference(ctx, s("> Books: Poetry\r\nnotes below"), true)),
              map("Books: Poetry"));
    EXPECT_EQ(describe(follow_reference(ctx, s(">  Top map "), false)), top());
    // Found only inside a comma list: not the map itself.
    EXPECT_EQ(describe(follow_reference(ctx, s("> Books: Italian"), true)), nothing);
    EXPECT_EQ(describe(follow_reference(ctx, s("> Books: Missing"), true)), nothing);
    EXPECT_EQ(describe(follow_reference(ctx, s("Books: Poetry"), true)), nothing);
    EXPECT_EQ(describe(follow_reference(ctx, s(">Books: Poetry"), true)), nothing);
    EXPECT_EQ(describe(follow_reference(ctx, s("> "), true)), nothing);
    EXPECT_EQ(rows(), 2);
}

TEST_F(Navigation, ParentMap) {
    EXPECT_EQ(describe(parent_map_of(ctx.collections, s("Books: Poetry"))), map("Books"));
    EXPECT_EQ(describe(parent_map_of(ctx.collections, s("Books: "))), map("Books"));
    EXPECT_EQ(describe(parent_map_of(ctx.collections, s("Books"))), top());
    EXPECT_EQ(describe(parent_map_of(ctx.collections, s("Books:"))), top());
    EXPECT_EQ(describe(parent_map_of(ctx.collections, s("Top map"))), nothing);
}

// ---- start maps ----

// Start maps open in the order they are stored; those that no longer exist are left out silently.
TEST_F(Navigation, StartMapsThatStillExistOpen) {
    add(s("Media"), s("L'été"), s("x"));
    for (const char* name : {"Books: Poetry", "Books: Gone", "Media: L'été", "Top map", "Books"})
        set_map_param(*ctx.db, t.prompter, s(name), s("#start_map"), s("-1"));
    set_map_param(*ctx.db, t.prompter, s("Media: L'été"), s("#nr_columns"), s("2"));
    EXPECT_EQ(open_start_maps(ctx, true),
              (QStringList{s("Books: Poetry"), s("Media: L'été"), s("Top map"), s("Books")}));
    EXPECT_TRUE(t.prompter.shown().empty());
}

// Without start maps only the menu command speaks.
TEST_F(Navigation, WithoutStartMapsOnlyTheMenuCommandSpeaks) {
    EXPECT_TRUE(open_start_maps(ctx, false).isEmpty());
    EXPECT_TRUE(open_start_maps(ctx, true).isEmpty());
    EXPECT_EQ(
        t.prompter.messages(),
        QStringList{s("No start map is defined. To define a start map, open a map and call the function "
                      "\"set this map as start map\".")});
}

// ---- the first steps of open_map ----

namespace {

class ClosingWindow final : public MapWindowHandle {
public:
    explicit ClosingWindow(QString name) : name_(std::move(name)) {}
    void close() override { ++closes; }
    QString map_name() const override { return name_; }
    int closes = 0;

private:
    QString name_;
};

} // namespace

TEST_F(Navigation, OpeningAMapReplacesItsOpenWindow) {
    EXPECT_EQ(begin_open_map(ctx, QString()), std::nullopt);
    EXPECT_EQ(begin_open_map(ctx, s("   ")), std::nullopt);
    EXPECT_EQ(ctx.map_windows.session_count(), 0);

    ClosingWindow old(s("Books: Poetry"));
    ClosingWindow other(s("Books: Prose"));
    const auto first = begin_open_map(ctx, s("Books: Poetry"));
    ASSERT_TRUE(first);
    ctx.map_windows.record(first->slot, s("Books"), s("Poetry"), first->map, &old);
    const auto second = begin_open_map(ctx, s("Books: Prose"));
    ctx.map_windows.record(second->slot, s("Books"), s("Prose"), second->map, &other);

    const auto again = begin_open_map(ctx, s("books: poetry.Canto"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->slot, 3);
    EXPECT_EQ(again->name, s("books: poetry.Canto"));
    EXPECT_EQ(again->map, s("books: poetry"));
    EXPECT_EQ(again->item, s("Canto"));
    EXPECT_EQ(old.closes, 1);
    EXPECT_EQ(other.closes, 0);
    EXPECT_EQ(ctx.map_windows.in_use_slots(), (std::vector<int>{2, 3}));

    // "Books" and "books:" name one map: its window is replaced, never doubled. Windows record
    // the canonical name of their map.
    ClosingWindow collection(s("Books"));
    const auto books = begin_open_map(ctx, s("Books"));
    ctx.map_windows.record(books->slot, s("Books"), {}, s("Books"), &collection);
    ASSERT_TRUE(begin_open_map(ctx, s("books:")));
    EXPECT_EQ(collection.closes, 1);
}

// A stored name such as "Books: Vol. 2" (open maps of the last session, start maps) opens its
// category when that exists and "Books: Vol" does not; otherwise the "." still starts an item.
TEST_F(Navigation, ANameWhoseCategoryHoldsADotOpensThatCategoryWhenOnlyItExists) {
    add(s("Books"), s("Vol. 2"), s("Chapter"));
    auto opening = begin_open_map(ctx, s("books: Vol. 2"));
    ASSERT_TRUE(opening);
    EXPECT_TRUE(opening->by_parts);
    EXPECT_EQ(opening->cat, s("Vol. 2"));
    EXPECT_EQ(opening->item, QString());
    add(s("Books"), s("Vol"), s(" 2"));
    opening = begin_open_map(ctx, s("Books: Vol. 2"));
    ASSERT_TRUE(opening);
    EXPECT_FALSE(opening->by_parts);
    EXPECT_EQ(opening->map, s("Books: Vol"));
    EXPECT_EQ(opening->item, s(" 2"));
}

TEST_F(Navigation, AFullSessionRefusesWithoutClosingAnything) {
    ClosingWindow old(s("Books: Poetry"));
    for (int n = 1; n <= MapWindowTable::capacity; ++n) {
        const QString name = n == 10 ? s("Books: Poetry") : QStringLiteral("Books: Map %1").arg(n);
        const auto opening = begin_open_map(ctx, name);
        ASSERT_TRUE(opening);
        ctx.map_windows.record(opening->slot, s("Books"), cat_of(name), opening->map,
                               n == 10 ? &old : nullptr);
    }
    EXPECT_EQ(begin_open_map(ctx, s("Books: Poetry")), std::nullopt);
    EXPECT_EQ(old.closes, 0);
    EXPECT_EQ(t.prompter.messages(), QStringList{MapWindowTable::full_message});
    EXPECT_EQ(ctx.map_windows.in_use_count(), 500);
}

// ---- opening a panel's item ----

namespace {

PanelWindow category_map() {
    return {false, false, QString::fromUtf8("Books"), QString::fromUtf8("Poetry")};
}
PanelWindow collection_map() {
    return {false, true, QString::fromUtf8("Books"), {}};
}
PanelWindow top_map_window() {
    return {true, false, {}, {}};
}

} // namespace

class PanelOpening : public Navigation {
protected:
    std::string open(const PanelWindow& window, const char* title, const char* content = "", int position = 0,
                     bool invert = false) {
        return describe(open_panel_item(ctx, window, PanelItem{s(title), s(content), position}, invert));
    }
};

// What a panel of a category map leads to, from its title and content alone.
TEST_F(PanelOpening, TitleReferenceThenContentReferenceThenMapNamesThenLinksThenTheContentBox) {
    const struct {
        const char* title;
        const char* content;
        bool invert;
        const char* expected;
    } cases[] = {
        {"> Top map", "", false, "open top map"},
        {">  TOP MAP ", "", false, "open top map"},
        // The title's reference wins over a link in the content.
        {"> Books: Poetry", "LINK=/tmp", false, "map or table Books: Poetry"},
        {"> Nowhere", "", false, "message \"Nowhere\" not found"},
        // A bare "> " refers to nothing, so the later steps decide.
        {"> ", "www.example.org", false, "web www.example.org"},
        {"See also", "> Books: Poetry\r\nthe old notes", true, "map or table Books: Poetry inverted"},
        {"See also", "> Books: New one\nmore", false, "create then open Books: New one"},
        {"See also", "> Top map", false, "open top map"},
        {"Books", "", false, "open map Books"},
        {"Books: Poetry.Canto", "", false, "open map Books: Poetry.Canto"},
        {"Books: Prose", "", false, "toggle content box"},
        {"Manual", "link= /home/me/manual.pdf \r\nsecond line", false, "link /home/me/manual.pdf"},
        {"https://example.org", "LINK=/tmp", false, "link /tmp"},
        {"Site", "WWW.example.org/a'b\r\nnotes", false, "web WWW.example.org/a'b"},
        {"http://example.org/?q=*", "plain notes", false, "web http://example.org/?q=*"},
        {"Notes", "plain notes", false, "toggle content box"},
        {"", "", false, "toggle content box"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(open(category_map(), c.title, c.content, 0, c.invert), c.expected) << c.title;
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(describe(route_of(ctx, panel_action::OpenTopMap{})), top());
    EXPECT_EQ(describe(route_of(ctx, panel_action::OpenMap{s("Books")})), map("Books"));
    EXPECT_EQ(describe(route_of(ctx, panel_action::ToggleContentBox{})), nothing);
}

// Where a panel's action leads: each flag decides, and Alt reverses it.
TEST_F(PanelOpening, RoutesFollowTheFlagsAndAltReversesThem) {
    books().open_coll_as_map = false;
    books().open_cat_as_map = true;
    const struct {
        PanelWindow window;
        const char* title;
        int position;
        bool invert;
        std::string expected;
    } cases[] = {
        {category_map(), "> Books: Poetry", 0, false, map("Books: Poetry")},
        {category_map(), "> Books: Poetry", 0, true, table(7, "Poetry")},
        {top_map_window(), "Books", 7, false, table(7)},
        {top_map_window(), "Books", 7, true, map("Books")},
        {collection_map(), "Poetry", 0, false, "category map Books / Poetry"},
        {collection_map(), "Poetry", 0, true, table(7, "Poetry")},
        // A category that lives only in comma lists opens too.
        {collection_map(), "Italian", 0, false, "category map Books / Italian"},
    };
    for (const auto& c : cases) {
        const PanelAction action = open_panel_item(ctx, c.window, {s(c.title), {}, c.position}, c.invert);
        EXPECT_EQ(describe(route_of(ctx, action)), c.expected) << c.title << (c.invert ? " with Alt" : "");
    }
    // A category gone meanwhile falls through to the later steps.
    EXPECT_EQ(open(collection_map(), "Prose"), "toggle content box");
}

TEST_F(PanelOpening, MissingReferenceTargetIsCreatedThenOpened) {
    books().open_cat_as_map = true;
    const PanelAction action =
        open_panel_item(ctx, category_map(), {s("> Books: L'été.Dante"), {}, 0}, false);
    EXPECT_EQ(describe(action), "create then open Books: L'été.Dante");
    // What the window does with it: create, then follow the route.
    ASSERT_TRUE(create_map(ctx, std::get<panel_action::CreateMapThenOpen>(action).name));
    EXPECT_EQ(titles_in(s("Books"), s("L'été")), QStringList{s("-")});
    EXPECT_EQ(describe(route_of(ctx, action)), map("Books: L'été.Dante"));
    // Now it exists: opening again creates nothing more.
    EXPECT_EQ(open(category_map(), "> Books: L'été.Dante"), "map or table Books: L'été.Dante");
    EXPECT_EQ(rows(), 3);
    EXPECT_TRUE(t.prompter.shown().empty());
}

// A category such as "Vol. 2" (from before such names were refused) is opened by its parts: by
// name it would be the map "Vol" with the item " 2".
TEST_F(PanelOpening, CollectionMapPanelsOpenCategoriesHoldingADotByTheirParts) {
    add(s("Books"), s("Vol. 2"), s("Chapter"));
    // A reference to it opens it instead of creating another.
    EXPECT_EQ(open(category_map(), "> Books: Vol. 2"), "category Books / Vol. 2");
    add(s("Books"), s("Vol"), s("decoy"));
    books().open_cat_as_map = true;
    const PanelAction action = open_panel_item(ctx, collection_map(), {s("Vol. 2"), {}, 0}, false);
    EXPECT_EQ(describe(route_of(ctx, action)), "category map Books / Vol. 2");
    books().open_cat_as_map = false;
    EXPECT_EQ(describe(route_of(ctx, action)), table(7, "Vol. 2"));
    // The opening by parts replaces a window of the same map, found by its whole name.
    const auto first = begin_open_category(ctx, s("books"), s("Vol. 2"));
    ASSERT_TRUE(first);
    ctx.map_windows.record(first->slot, s("Books"), s("Vol. 2"), first->name, nullptr);
    EXPECT_EQ(first->name, s("Books: Vol. 2"));
    EXPECT_TRUE(first->by_parts);
    const auto second = begin_open_category(ctx, s("Books"), s("vol. 2"));
    ASSERT_TRUE(second);
    EXPECT_FALSE(ctx.map_windows.slot(first->slot).in_use);
}

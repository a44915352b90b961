// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_selection.h"

#include "maps/active_selection.h"
#include "maps/map_names.h"
#include "support/db_fixtures.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

MapParts parts(const char* collection, const char* cat = "", const char* item = "") {
    return MapParts{s(collection), s(cat), s(item)};
}

} // namespace

inline void PrintTo(const MapParts& p, std::ostream* out) {
    *out << '{' << p.collection.toStdString() << " | " << p.cat.toStdString() << " | " << p.item.toStdString()
         << '}';
}

class MapSelectionTest : public MapsDb {
protected:
    MapSelection selection(MapParts prefill = {}, bool collection_only = false) {
        return MapSelection(ctx, t.prompter, std::move(prefill), collection_only);
    }
};

TEST_F(MapSelectionTest, ThePendingNameFillsTheBoxesWhichMakeTheNameAndListTheirEntries) {
    const struct {
        const char* name;
        MapParts expected;
    } cases[] = {
        {"Books: Novels.Emma", parts("Books", "Novels", "Emma")},
        {"books:", parts("Books")},
        {"Books", parts("Books")},
        {"Top map", {}},
        {"", {}},
        {"Unknown", parts("Unknown")},
        {"Books: L'été.O'Brien's", parts("Books", "L'été", "O'Brien's")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parts_of_map_name(ctx.collections, s(c.name)), c.expected);
    }
    EXPECT_EQ(map_name_of_parts(parts("Books", "Novels", "Emma")), s("Books: Novels.Emma"));
    EXPECT_EQ(map_name_of_parts(parts("Books")), s("Books"));

    // The lists show collections, categories split at commas, and titles.
    add("Books", "Poetry,Novels", "Odes");
    add("Books", "Novels", "Emma");
    add("Books", "L'été, Drafts", "O'Brien");
    add("Agenda", "Work", "Call");
    EXPECT_EQ(collection_entries(ctx.collections).first(), s("Agenda"));
    EXPECT_TRUE(collection_entries(ctx.collections).contains(s("x01")));
    EXPECT_EQ(category_entries(db(), s("Books")),
              (QStringList{s("Drafts"), s("L'été"), s("Novels"), s("Poetry")}));
    EXPECT_TRUE(category_entries(db(), s("Media")).isEmpty());
    EXPECT_EQ(item_entries(db(), s("Books"), s("L'été, Drafts")), QStringList{s("O'Brien")});
}

TEST_F(MapSelectionTest, ListButtonsNeedTheBoxBeforeThemAndClicksMoveOn) {
    add("Books", "Poetry,Novels", "Odes");
    add("Books", "Novels", "Emma");
    MapSelection flow = selection();
    EXPECT_FALSE(flow.look_categories());
    EXPECT_FALSE(flow.look_items());
    EXPECT_EQ(t.prompter.messages(),
              (QStringList{select_collection_first_message, select_cat_first_message}));
    EXPECT_EQ(flow.list(), SelectionList::None);

    ASSERT_TRUE(flow.look_collections());
    // A collection goes into its box and its categories are listed at once.
    EXPECT_FALSE(flow.click(static_cast<int>(flow.entries().indexOf(s("Books")))));
    EXPECT_EQ(flow.boxes, parts("Books"));
    ASSERT_EQ(flow.list(), SelectionList::Categories);
    EXPECT_EQ(flow.entries(), (QStringList{s("Novels"), s("Poetry")}));
    // A category accepts; a part of a comma list names a map that exists.
    EXPECT_TRUE(flow.click(0));
    EXPECT_EQ(flow.list(), SelectionList::None);
    EXPECT_EQ(flow.accept(), parts("Books", "Novels"));

    // The items are those of the category itself, not of the comma lists holding it.
    ASSERT_TRUE(flow.look_items());
    EXPECT_EQ(flow.entries(), QStringList{s("Emma")});
    EXPECT_FALSE(flow.click(5)); // outside the list: nothing happens
    EXPECT_TRUE(flow.click(0));
    EXPECT_EQ(flow.accept(), parts("Books", "Novels", "Emma"));
    flow.boxes.item = s("Odes");
    EXPECT_EQ(flow.accept(), std::nullopt);
}

TEST_F(MapSelectionTest, AcceptingRefusesWhatDoesNotExistAndSpellsTheCollection) {
    add("Books", "#1 [draft] *?", "O'Brien");
    add("Books", "Novels", "Emma");
    const struct {
        MapParts boxes;
        std::optional<MapParts> choice;
    } cases[] = {
        {parts("books"), parts("Books")},
        {parts(" Books ", " Novels "), parts("Books", "Novels")},
        {parts("Books", "#1 [draft] *?", "O'Brien"), parts("Books", "#1 [draft] *?", "O'Brien")},
        {parts("Books", "#1 [draft] *?", "Emma"), std::nullopt},
        {parts("Books", "N*"), std::nullopt}, // wildcards are characters here
        {parts("Books", "Poetry"), std::nullopt},
        {parts("Nowhere"), std::nullopt},
        {parts("Nowhere", "Novels"), std::nullopt},
        {parts(""), std::nullopt},
        {parts("Books", "", "Emma"), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(map_name_of_parts(c.boxes).toStdString());
        t.prompter.clear();
        MapSelection flow = selection(c.boxes);
        EXPECT_EQ(flow.accept(), c.choice);
        EXPECT_EQ(t.prompter.messages(), c.choice ? QStringList{} : QStringList{selection_missing_message});
    }
}

TEST_F(MapSelectionTest, CollectionOnlyModeKeepsToCollections) {
    add("Books", "Novels", "Emma");
    MapSelection flow = selection(parts("Books", "Novels", "Emma"), true);
    EXPECT_EQ(flow.boxes, parts("Books"));
    flow.look_collections();
    EXPECT_FALSE(flow.click(static_cast<int>(flow.entries().indexOf(s("Agenda")))));
    EXPECT_EQ(flow.list(), SelectionList::None) << "no categories are listed";
    EXPECT_EQ(flow.accept(), parts("Agenda"));
}

TEST_F(MapSelectionTest, CreatingAMapInsertsOneFillerOrSaysWhy) {
    add("Books", "Novels", "Emma");
    const int before = rows();
    const struct {
        const char* collection;
        const char* cat;
        QString message;
    } refusals[] = {
        {"Books", "novels", map_already_exists_message},
        {"", "New", select_collection_first_message},
        {"Nowhere", "New", selection_missing_message},
        {"Books", "  ", select_cat_first_message},
        {"Books", "Vol. 2", category_name_refused_message(s("Vol. 2"))},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.cat);
        t.prompter.clear();
        EXPECT_FALSE(create_map_of_parts(ctx, s(r.collection), s(r.cat)));
        EXPECT_EQ(t.prompter.messages(), QStringList{r.message});
    }
    EXPECT_EQ(rows(), before);

    EXPECT_TRUE(create_map_of_parts(ctx, s("books"), s(" L'été #[*] ")));
    EXPECT_EQ(titles_in(s("Books"), s("L'été #[*]")), QStringList{s("-")});
    EXPECT_EQ(rows(), before + 1);
}

// ---------------------------------------------------------------- the active-form commands

TEST_F(MapSelectionTest, TheActiveFormsSelectionPrefillsTheDialogAndOpensWhatWasChosen) {
    const qint64 emma = add("Books", "Vol. 2", "Emma");
    const qint64 elsewhere = add("Agenda", "Work", "Call");
    FormAttributes answer{{}, s("Books: Vol. 2"), 7, emma, {}};
    EXPECT_EQ(parts_of_attributes(ctx, answer), parts("Books", "Vol. 2", "Emma"));
    answer.item_nr = elsewhere;
    EXPECT_EQ(parts_of_attributes(ctx, answer), parts("Books", "Vol. 2"));
    answer.item_nr = 99999; // deleted meanwhile
    EXPECT_EQ(parts_of_attributes(ctx, answer), parts("Books", "Vol. 2"));
    EXPECT_EQ(parts_of_attributes(ctx, FormAttributes{{}, s("Top map"), 45, 0, {}}), MapParts{});
    EXPECT_EQ(parts_of_attributes(ctx, FormAttributes{{}, s("books"), 7, emma, {}}), parts("Books"));

    // Map and table view of the active form open what was chosen.
    const qint64 novel = add("Books", "Novels", "Emma");
    t.windows.attributes = FormAttributes{{}, s("Books: Novels"), 7, novel, {}};
    std::optional<MapParts> chosen;
    t.windows.on_select_map = [&chosen](const MapParts&, bool) { return chosen; };

    // Cancelled: nothing opens.
    open_map_view_of_active_form(ctx);
    open_table_view_of_active_form(ctx);
    EXPECT_EQ(t.windows.calls,
              (QStringList{s("select_map Books: Novels|Emma"), s("select_map Books: Novels|Emma")}));

    chosen = parts("Books", "Novels", "Emma");
    open_map_view_of_active_form(ctx);
    open_table_view_of_active_form(ctx);
    EXPECT_EQ(t.windows.calls_to(s("open_map")), QStringList{s("open_map Books: Novels|Emma")});
    EXPECT_EQ(t.windows.calls_to(s("open_table_view")), QStringList{s("open_table_view 7")});
    EXPECT_EQ(ctx.table_presets.category, s("Novels"));
    EXPECT_EQ(ctx.table_presets.title, s("Emma"));

    // No window answers: the dialog starts empty; a choice of nothing is refused.
    t.windows.attributes.reset();
    t.windows.calls.clear();
    chosen = MapParts{};
    open_map_view_of_active_form(ctx);
    open_table_view_of_active_form(ctx);
    EXPECT_EQ(t.windows.calls, (QStringList{s("select_map"), s("select_map")}));
    EXPECT_EQ(t.prompter.messages(), (QStringList{invalid_selection_message, invalid_selection_message}));
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The tag commands of a storm through the scripted prompter, and the storm hand-offs.
#include "random/storm_commands.h"
#include "random/storm_handoff.h"
#include "support/db_fixtures.h"

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

class StormCommandsTest : public EditFixture {
protected:
    StormMap poetry() {
        RandomSelection selection;
        selection.map_name = s("Books: Poet's corner");
        selection.query = s("Select * from repos where collection='Books' and cat='Poet''s corner'");
        return storm_map_of(ctx.collections, selection);
    }
};

TEST_F(StormCommandsTest, InsertAddsTheItemToTheStormsMap) {
    add_filler(s("Books"), s("Poet's corner"));
    script.answer("  O'Neill's odes ");
    const std::optional<StormTag> tag = insert_storm_tag(ctx, poetry(), 3);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->title, s("O'Neill's odes"));
    EXPECT_EQ(tag->cat, s("Poet's corner"));
    EXPECT_EQ(titles_in(s("Books"), s("Poet's corner")), QStringList{s("O'Neill's odes")});
    EXPECT_EQ(column(tag->item_nr, s("item_title")).toString(), s("O'Neill's odes"));
    ASSERT_FALSE(script.shown().empty());
    EXPECT_EQ(script.shown()[0].title, s("Adding item to \"Books: Poet's corner\""));
    // The question paused the animations only while it was open.
    EXPECT_FALSE(ctx.title_being_asked);
}

TEST_F(StormCommandsTest, InsertRefusals) {
    add(s("Books"), s("Poet's corner"), s("O'Neill's odes"));
    const int before = rows();
    // An existing title, in another case.
    script.answer("o'neill's ODES");
    EXPECT_FALSE(insert_storm_tag(ctx, poetry(), 3));
    // An empty answer and a cancelled question stop silently.
    script.answer("   ");
    EXPECT_FALSE(insert_storm_tag(ctx, poetry(), 3));
    script.answer(std::optional<QString>());
    EXPECT_FALSE(insert_storm_tag(ctx, poetry(), 3));
    // A full board asks nothing.
    EXPECT_FALSE(insert_storm_tag(ctx, poetry(), 400));
    // A storm of a statement with no one map has nowhere to put an item.
    EXPECT_FALSE(insert_storm_tag(ctx, StormMap{}, 3));
    // The chronologies take numbers only.
    StormMap chronology;
    chronology.name = s("History: 1900s");
    chronology.collection = s("History");
    chronology.cat = s("1900s");
    chronology.position = 11;
    script.answer("Nineteen twelve");
    EXPECT_FALSE(insert_storm_tag(ctx, chronology, 3));
    EXPECT_EQ(script.messages(),
              (QStringList{s("Title?"), s("Item already exists."), s("Title?"), s("Title?"),
                           s("Max number of tags (400) exceeded."),
                           s("Items can be added only to the random map of one category map."), s("Title?"),
                           s("Item title should be numeric")}));
    EXPECT_EQ(rows(), before);
    script.answer("1912");
    EXPECT_TRUE(insert_storm_tag(ctx, chronology, 3));
}

TEST_F(StormCommandsTest, RenameGoesThroughTheMapsTitleChange) {
    const qint64 odes = add(s("Books"), s("Poet's corner"), s("Odes"));
    script.answer("Keats' odes");
    EXPECT_EQ(rename_storm_tag(ctx, odes), std::optional<QString>(s("Keats' odes")));
    EXPECT_EQ(column(odes, s("item_title")).toString(), s("Keats' odes"));
    EXPECT_EQ(script.shown()[0].title, s("Change item title"));
    EXPECT_EQ(script.input_defaults, QStringList{s("Odes")});
    // The map's refusals hold here too: an unchanged title, an invalid reference.
    script.answer("Keats' odes");
    EXPECT_FALSE(rename_storm_tag(ctx, odes));
    script.answer("> Nowhere: at all");
    EXPECT_FALSE(rename_storm_tag(ctx, odes));
    EXPECT_EQ(script.messages().mid(2), (QStringList{s("The new title is equal to the present one."),
                                                     s("New title?"), s("Invalid reference.")}));
}

TEST_F(StormCommandsTest, DeleteAsksWithNoPreselected) {
    const qint64 odes = add(s("Books"), s("Poet's corner"), s("O'Neill's odes"));
    script.answer(false);
    EXPECT_FALSE(delete_storm_tag(ctx, odes));
    EXPECT_EQ(rows(), 1);
    script.answer(true);
    EXPECT_TRUE(delete_storm_tag(ctx, odes));
    EXPECT_EQ(rows(), 0);
    ASSERT_EQ(script.shown().size(), 2U);
    EXPECT_EQ(script.shown()[0].text, s("Do you want to delete item \"O'Neill's odes\"?"));
    EXPECT_EQ(script.shown()[0].title, s("Deleting item"));
    EXPECT_FALSE(script.shown()[0].default_yes);
}

TEST_F(StormCommandsTest, AnItemDeletedElsewhereIsReportedByEveryCommand) {
    const qint64 gone = add(s("Books"), s("Poet's corner"), s("Odes"));
    db().exec(s("delete from repos"));
    EXPECT_FALSE(rename_storm_tag(ctx, gone));
    EXPECT_FALSE(delete_storm_tag(ctx, gone));
    EXPECT_FALSE(table_view_of_tag(ctx, gone));
    EXPECT_FALSE(map_view_of_tag(ctx, gone));
    EXPECT_EQ(script.messages(), QStringList(4, missing_item_message()));
    EXPECT_TRUE(tc.windows.calls.isEmpty());
}

TEST_F(StormCommandsTest, TableAndMapViewsOfATag) {
    const qint64 odes = add(s("Books"), s("Poet's corner"), s("O'Neill's odes"));
    EXPECT_TRUE(table_view_of_tag(ctx, odes));
    EXPECT_EQ(ctx.table_presets.category, s("Poet's corner"));
    EXPECT_EQ(ctx.table_presets.item_nr, odes);
    EXPECT_TRUE(map_view_of_tag(ctx, odes));
    EXPECT_EQ(tc.windows.calls,
              (QStringList{s("open_table_view 7"), s("open_map Books: Poet's corner|O'Neill's odes")}));
}

TEST_F(StormCommandsTest, FindFocusesTheFirstCaptionHoldingTheText) {
    const std::vector<QString> captions{s(" Odes "), s(" O'Neill's odes "), s(" Sonnets ")};
    script.answer("'NEILL");
    EXPECT_EQ(find_storm_tag(prompter, captions), std::optional<int>(1));
    script.answer("odes");
    EXPECT_EQ(find_storm_tag(prompter, captions), std::optional<int>(0));
    script.answer("haiku");
    EXPECT_FALSE(find_storm_tag(prompter, captions));
    script.answer("");
    EXPECT_FALSE(find_storm_tag(prompter, captions));
    EXPECT_EQ(script.messages().count(s("text not found")), 1);
    EXPECT_EQ(script.messages().front(), s("text?"));
}

class StormHandoffTest : public EditFixture {
protected:
    void SetUp() override { tc.windows.random_views = true; }
};

TEST_F(StormHandoffTest, ToolbarTakesTheActiveWindowsSelectionOrTheBrowsersList) {
    FormAttributes table;
    table.query = s("select * from repos where collection='Books' and item_title like '*o*'");
    table.map_name = s("Books");
    table.position = 7;
    tc.windows.attributes = table;
    open_storm_of_active_form(ctx);
    FormAttributes categories;
    categories.query = s("select distinct cat from repos where collection='Books'");
    categories.map_name = s("Books: Poet's corner");
    tc.windows.attributes = categories;
    open_storm_of_active_form(ctx);
    EXPECT_EQ(
        tc.windows.calls,
        (QStringList{s("open_storm ") + table.query,
                     s("open_storm Select * from repos where collection='Books' and cat='Poet''s corner'")}));
    // With the picture browser active the storm shows its list, though another window answers.
    tc.windows.calls.clear();
    ctx.active_kind = WindowKind::PictureBrowser;
    open_storm_of_active_form(ctx);
    EXPECT_EQ(tc.windows.calls, QStringList{s("open_storm ") + viewer_list_marker});
}

TEST_F(StormHandoffTest, ToolbarAsksWhenNoWindowAnswersOrARandomViewIsActiveOrNothing) {
    tc.windows.on_select_map = [](const MapParts&, bool) {
        return MapParts{s("Books"), s("Poet's corner"), {}};
    };
    open_storm_of_active_form(ctx);
    ctx.active_kind = WindowKind::Storm;
    tc.windows.attributes = FormAttributes{};
    tc.windows.on_select_map = [](const MapParts&, bool) { return MapParts{s("Books"), {}, {}}; };
    open_storm_of_active_form(ctx);
    EXPECT_EQ(
        tc.windows.calls_to(s("open_storm")),
        (QStringList{s("open_storm Select * from repos where collection='Books' and cat='Poet''s corner'"),
                     s("open_storm Select * from repos where collection='Books'")}));
    // Nothing usable chosen: told so; cancelled: nothing at all.
    tc.windows.calls.clear();
    tc.windows.on_select_map = [](const MapParts&, bool) {
        return MapParts{s("No such collection"), {}, {}};
    };
    open_storm_of_active_form(ctx);
    tc.windows.on_select_map = nullptr;
    open_storm_of_active_form(ctx);
    EXPECT_TRUE(tc.windows.calls_to(s("open_storm")).isEmpty());
    EXPECT_EQ(script.messages(), QStringList{s("Invalid selection.")});

    // Nothing opens without the random windows.
    tc.windows.calls.clear();
    tc.windows.random_views = false;
    tc.windows.attributes = FormAttributes{s("select * from repos"), {}, 0, 0, {}};
    open_storm_of_active_form(ctx);
    EXPECT_TRUE(tc.windows.calls.isEmpty());
    const RandomSelection books = collection_storm_selection(ctx.collections, 7);
    EXPECT_EQ(books.query, s("Select * from repos where collection='Books'"));
    EXPECT_EQ(books.map_name, s("Books"));
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "shell/general_commands.h"
#include "support/db_fixtures.h"

namespace {

class GeneralCommandsTest : public ShellTest {
protected:
    void SetUp() override {
        open_database();
        for (int position = 1; position <= CollectionTable::count; ++position)
            ctx.collections.at(position).visible = ctx.collections.at(position).defined;
    }

    QStringList keys() const {
        QStringList result;
        for (const ToolbarButton& button : toolbar_buttons(ctx))
            result.append(button.key);
        return result;
    }
};

} // namespace

TEST_F(GeneralCommandsTest, ToolbarFollowsCollectionsAndPreferences) {
    const QStringList commands_tail{
        "global_search", "table_view", "map_view_of_cat", "tree",  "start_map", "pad", "glimmeron", "chiave",
        "print",         "help",       "config",          "clear", "exit"};
    // Cogniva off: positions 12 to 18 and the random views are missing.
    QStringList expected;
    for (int position : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 43, 44, 45})
        expected.append("coll" + QString::number(position));
    expected << "calendar"
             << "deadlines" << commands_tail;
    EXPECT_EQ(keys(), expected);

    ctx.prefs.cogniva = true;
    const QStringList with_cogniva = keys();
    for (int position = 12; position <= 18; ++position)
        EXPECT_TRUE(with_cogniva.contains("coll" + QString::number(position)));
    EXPECT_EQ(with_cogniva.indexOf("random_map_view"), with_cogniva.indexOf("tree") + 1);
    EXPECT_EQ(with_cogniva.indexOf("random_item"), with_cogniva.indexOf("tree") + 2);

    // A hidden collection, an undefined Agenda (no calendar, no deadlines), no picture viewer.
    ctx.collections.at(7).visible = false;
    ctx.collections.at(1).defined = false;
    ctx.collections.at(20).defined = true;
    ctx.collections.at(20).visible = true;
    ctx.image_viewer_button = false;
    const QStringList changed = keys();
    EXPECT_FALSE(changed.contains("coll7"));
    EXPECT_FALSE(changed.contains("coll1"));
    EXPECT_TRUE(changed.contains("coll20"));
    EXPECT_FALSE(changed.contains("calendar"));
    EXPECT_FALSE(changed.contains("deadlines"));
    EXPECT_FALSE(changed.contains("glimmeron"));
    EXPECT_EQ(toolbar_buttons(ctx).front().tooltip, "Contacts");
}

TEST_F(GeneralCommandsTest, PrintGoesToTheActiveWindowOrExplains) {
    EXPECT_EQ(print_decision(true, false, false, false, true).target, PrintTarget::Calendar);
    EXPECT_EQ(print_decision(false, true, false, true, true).target, PrintTarget::Map);
    EXPECT_EQ(print_decision(false, false, true, true, true).target, PrintTarget::Table);
    const PrintDecision none = print_decision(false, false, false, false, false);
    EXPECT_EQ(none.target, PrintTarget::Nothing);
    EXPECT_EQ(none.message,
              QStringLiteral("Open a table or tag map first. This command applies to an open tag map or "
                             "the filtered records of an open table."));
    EXPECT_TRUE(print_decision(false, false, false, false, true)
                    .message.startsWith("Open a table,tag map or the calendar first."));
}

TEST_F(GeneralCommandsTest, FindMapKeepsTheFilterUnlessItIsAStarAndProposesItAgain) {
    prompter.answer("  Gordon's  ");
    EXPECT_EQ(ask_map_filter(ctx), std::optional<QString>("Gordon's"));
    EXPECT_EQ(get_gen_param(*ctx.db, "last_topic_filter"), "Gordon's");
    EXPECT_EQ(prompter.shown().back().title, "Find map by string in title");

    prompter.answer("*");
    EXPECT_EQ(ask_map_filter(ctx), std::optional<QString>(QString()));
    EXPECT_EQ(get_gen_param(*ctx.db, "last_topic_filter"), "Gordon's");
    EXPECT_EQ(prompter.input_defaults, (QStringList{QString(), "Gordon's"}));

    prompter.answer("   ");
    EXPECT_EQ(ask_map_filter(ctx), std::nullopt);
    prompter.answer(std::optional<QString>());
    EXPECT_EQ(ask_map_filter(ctx), std::nullopt);
}

TEST_F(GeneralCommandsTest, ResumingReopensTheListedMapsThatStillExist) {
    add("Books", "Novels", "Emma");
    add("Media", "L'été", "Song");
    set_gen_param(*ctx.db, "topic_list",
                  "Books: Novels\r\nBooks: Gone\r\nTop map\r\nMedia: L'été\r\nbooks: novels\r\n");
    EXPECT_EQ(previous_session_maps(ctx), (QStringList{"Books: Novels", "Top map", "Media: L'été"}));
    EXPECT_TRUE(prompter.shown().empty());

    set_gen_param(*ctx.db, "topic_list", QString());
    EXPECT_TRUE(previous_session_maps(ctx).isEmpty());
    EXPECT_EQ(prompter.messages(), QStringList{no_previous_topics_text});
}

TEST_F(GeneralCommandsTest, BackgroundDeletesDroppedItemsAndCategoriesAfterAsking) {
    const qint64 emma = add("Books", "Novels", "Emma");
    add("Books", "O'Brien's", "a");
    add("Books", "O'Brien's", "b");
    add("Media", "O'Brien's", "c");

    prompter.answer(false);
    EXPECT_FALSE(delete_dropped_item(ctx, emma));
    EXPECT_EQ(prompter.shown().back().text, "Do you want to delete item \"Emma\"?");
    EXPECT_EQ(prompter.shown().back().title, "Deleting item");
    EXPECT_FALSE(prompter.shown().back().default_yes);
    prompter.answer(true);
    EXPECT_TRUE(delete_dropped_item(ctx, emma));
    EXPECT_EQ(rows("item_nr=" + QString::number(emma)), 0);
    // Gone meanwhile: says so and asks nothing.
    prompter.clear();
    EXPECT_FALSE(delete_dropped_item(ctx, emma));
    EXPECT_EQ(prompter.messages(), QStringList{"stop"});

    prompter.answer(true);
    EXPECT_TRUE(delete_dropped_category(ctx, "Books", "O'Brien's"));
    EXPECT_EQ(prompter.shown().back().text,
              "Do you want to delete category \"Books: O'Brien's\" with all its items?");
    EXPECT_EQ(rows("cat='O''Brien''s'"), 1); // the Media items stay
    prompter.answer(false);
    EXPECT_FALSE(delete_dropped_category(ctx, "Books", "> Media: O'Brien's"));
    EXPECT_EQ(prompter.shown().back().text, "Do you want to delete category \"Books: > Media: O'Brien's\" ?");
}

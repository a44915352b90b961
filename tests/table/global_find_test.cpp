// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "support/db_fixtures.h"
#include "table/global_find.h"

namespace {

class GlobalFindTest : public MapsDb {
protected:
    std::vector<int> opened;
    std::vector<TablePresets> presets_seen;
    // `opens`: whether the table view opens (an open one with a pending edit may refuse).
    std::function<bool(int)> table(bool opens = true) {
        return [this, opens](int position) {
            opened.push_back(position);
            presets_seen.push_back(ctx.table_presets);
            return opens;
        };
    }
};

TEST_F(GlobalFindTest, HandsTheTrimmedStringToTheTableOfAllCollectionsAndLeavesNoPreset) {
    ctx.table_presets.category = "left over";
    ctx.table_presets.item_nr = 7;
    EXPECT_TRUE(start_global_find(ctx, "  l'été  ", table()));
    ASSERT_EQ(opened, std::vector<int>{45});
    EXPECT_EQ(presets_seen[0].search_text, "l'été");
    EXPECT_TRUE(presets_seen[0].category.isEmpty()) << "only the search reaches the table view";
    EXPECT_EQ(presets_seen[0].item_nr, 0);
    // A blank string opens the table without filter.
    EXPECT_TRUE(start_global_find(ctx, "   ", table()));
    EXPECT_TRUE(presets_seen[1].empty());
    // A table that refuses to close keeps the search with the caller, and no preset is left for a
    // later window; without a table view the user is told.
    EXPECT_FALSE(start_global_find(ctx, "Dante", table(false)));
    EXPECT_EQ(opened, (std::vector<int>{45, 45, 45}));
    EXPECT_TRUE(ctx.table_presets.empty());
    EXPECT_FALSE(start_global_find(ctx, "Dante", {}));
    EXPECT_EQ(t.prompter.messages(), QStringList{table_view_missing_message});
    EXPECT_TRUE(ctx.table_presets.empty());
}

TEST_F(GlobalFindTest, PlacesTheWindowFromItsStoredPosition) {
    struct Case {
        const char* top;
        const char* left;
        int expected_top;
        int expected_left;
    };
    const int centred_top = (t.screen.height - global_find_height) / 2;
    const int centred_left = (t.screen.width - global_find_width) / 2;
    const Case cases[] = {
        {"1200", "3000", 1200, 3000},
        {"45000", "44999", 0, 44999},
        {"", "", centred_top, centred_left},
        {"-300", "", 0, centred_left},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.top);
        ctx.db->exec("delete from gen_params");
        if (*c.top) set_gen_param(*ctx.db, "f_global_find_top", QString::fromLatin1(c.top));
        if (*c.left) set_gen_param(*ctx.db, "f_global_find_left", QString::fromLatin1(c.left));
        EXPECT_EQ(global_find_place(*ctx.db, t.screen),
                  (TwipsRect{c.expected_top, c.expected_left, global_find_width, global_find_height}));
    }
    save_global_find_place(*ctx.db, TwipsRect{150, 300, 5800, 2200}, false);
    EXPECT_EQ(get_gen_param(*ctx.db, "f_global_find_top"), "150");
    EXPECT_EQ(get_gen_param(*ctx.db, "f_global_find_left"), "300");
    EXPECT_TRUE(get_gen_param(*ctx.db, "f_global_find_width").isEmpty());
    save_global_find_place(*ctx.db, TwipsRect{900, 900, 5800, 2200}, true);
    EXPECT_EQ(get_gen_param(*ctx.db, "f_global_find_top"), "150")
        << "a minimised window keeps the stored place";
}

} // namespace

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

TEST_F(GlobalFindTest, HandsTheTrimmedStringToTheTableOfAllCollections) {
    ctx.table_presets.category = QStringLiteral("left over");
    ctx.table_presets.item_nr = 7;
    EXPECT_TRUE(start_global_find(ctx, QStringLiteral("  l'été  "), table()));
    ASSERT_EQ(opened, std::vector<int>{45});
    EXPECT_EQ(presets_seen[0].search_text, QStringLiteral("l'été"));
    EXPECT_TRUE(presets_seen[0].category.isEmpty()) << "only the search reaches the table view";
    EXPECT_EQ(presets_seen[0].item_nr, 0);
}

TEST_F(GlobalFindTest, ABlankStringOpensTheTableWithoutFilter) {
    EXPECT_TRUE(start_global_find(ctx, QStringLiteral("   "), table()));
    ASSERT_EQ(opened, std::vector<int>{45});
    EXPECT_TRUE(presets_seen[0].empty());
}

TEST_F(GlobalFindTest, ATableThatRefusesToCloseKeepsTheSearchWithTheCaller) {
    EXPECT_FALSE(start_global_find(ctx, QStringLiteral("Dante"), table(false)));
    EXPECT_EQ(opened, std::vector<int>{45});
    EXPECT_TRUE(ctx.table_presets.empty()) << "no preset is left for a later window";
}

TEST_F(GlobalFindTest, WithoutATableViewTheUserIsToldAndNoPresetIsLeft) {
    EXPECT_FALSE(start_global_find(ctx, QStringLiteral("Dante"), {}));
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
        ctx.db->exec(QStringLiteral("delete from gen_params"));
        if (*c.top) set_gen_param(*ctx.db, QStringLiteral("f_global_find_top"), QString::fromLatin1(c.top));
        if (*c.left)
            set_gen_param(*ctx.db, QStringLiteral("f_global_find_left"), QString::fromLatin1(c.left));
        EXPECT_EQ(global_find_place(*ctx.db, t.screen),
                  (TwipsRect{c.expected_top, c.expected_left, global_find_width, global_find_height}));
    }
    save_global_find_place(*ctx.db, TwipsRect{150, 300, 5800, 2200}, false);
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_global_find_top")), QStringLiteral("150"));
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_global_find_left")), QStringLiteral("300"));
    EXPECT_TRUE(get_gen_param(*ctx.db, QStringLiteral("f_global_find_width")).isEmpty());
    save_global_find_place(*ctx.db, TwipsRect{900, 900, 5800, 2200}, true);
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("f_global_find_top")), QStringLiteral("150"))
        << "a minimised window keeps the stored place";
}

} // namespace

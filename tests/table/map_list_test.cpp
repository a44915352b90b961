// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"
#include "table/global_find.h"
#include "table/map_list.h"

namespace {

class MapListTest : public MapsDb {
protected:
    void SetUp() override {
        MapsDb::SetUp();
        add("Books", "Poetry", "Dante");
        add("Books", "Poetry", "Petrarca");
        add("Books", "Émile", "Rousseau");
        add("Books", "> Media: Films", "reference");
        add("Agenda", "L'été", "Holidays");
        add("Media", "Films", "Dante");
    }

    void add_topic(int nr, const QString& name) {
        Statement insert = ctx.db->prepare("insert into topics (topic_nr, topic_name) values (?, ?)");
        insert.bind(1, nr);
        insert.bind(2, name);
        insert.next();
    }
    void add_topic_item(int sub_topic) {
        ctx.db->exec(QStringLiteral("insert into items (sub_topic_nr) values (%1)").arg(sub_topic));
    }
};

TEST_F(MapListTest, WithoutFilterListsEveryMapOnceInCollectionAndCategoryOrder) {
    const TopicList list = show_topic_list(*ctx.db, "ignored", false);
    // The order is the database's: letter case ignored, accented letters after the plain ones.
    EXPECT_EQ(list.entries, (QStringList{"Agenda: L'été", "Books: Poetry", "Books: Émile", "Media: Films"}));
    EXPECT_EQ(list.rows_read, 5) << "the reference category is read but not listed";
    EXPECT_EQ(show_topic_list(*ctx.db, QString(), true).entries, list.entries)
        << "an empty filter filters nothing";
}

TEST_F(MapListTest, TheFilterMatchesCollectionOrCategoryAnywhereIgnoringCase) {
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"oet", {"Books: Poetry"}},   {"BOOKS", {"Books: Poetry", "Books: Émile"}},
        {"émi", {"Books: Émile"}},    {"ÉMILE", {"Books: Émile"}},
        {"l'été", {"Agenda: L'été"}}, {"ed", {"Media: Films"}},
        {"nothing like it", {}},      {"*", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(show_topic_list(*ctx.db, QString::fromUtf8(c.filter), true).entries, c.expected);
    }
}

TEST_F(MapListTest, TypingTicksTheFilterBoxOnlyForNonBlankText) {
    EXPECT_TRUE(filter_box_for(" a "));
    EXPECT_FALSE(filter_box_for("   "));
    EXPECT_FALSE(filter_box_for(QString()));
}

TEST_F(MapListTest, ParentlessMapsAreTopicsNoItemPointsTo) {
    add_topic(1, "Zeta");
    add_topic(2, "Alpha");
    add_topic(3, "Mid d'été");
    add_topic_item(1);
    EXPECT_EQ(parentless_maps(*ctx.db), (QStringList{"Alpha", "Mid d'été"}));
}

TEST_F(MapListTest, ATopicPointingToItselfHasNoParentWhenItemsKeepTheirTopic) {
    ctx.db->exec("alter table items add column topic_nr INTEGER");
    add_topic(1, "Root");
    add_topic(2, "Child");
    ctx.db->exec("insert into items (topic_nr, sub_topic_nr) values (1, 1), (1, 2)");
    EXPECT_EQ(parentless_maps(*ctx.db), QStringList{"Root"});
}

TEST_F(MapListTest, SimilarTagsNameEveryMapHoldingTheTitleUpToAThousand) {
    EXPECT_EQ(similar_tag_maps(*ctx.db, "dante"), (QStringList{"Books: Poetry.Dante", "Media: Films.Dante"}));
    EXPECT_TRUE(similar_tag_maps(*ctx.db, "Nobody's").isEmpty());
    EXPECT_EQ(similar_tag_maps(*ctx.db, "Holidays"), QStringList{"Agenda: L'été.Holidays"});
    // The list stops at a thousand maps.
    Transaction transaction(*ctx.db);
    for (int i = 0; i < max_selected_maps + 5; ++i)
        add("Books", QStringLiteral("cat %1").arg(i), "common");
    transaction.commit();
    EXPECT_EQ(similar_tag_maps(*ctx.db, "common").size(), max_selected_maps);
}

TEST_F(MapListTest, TheOpeningFollowsSelectionThenFilterThenMarker) {
    const QStringList chosen{"Books: Poetry.Dante"};
    struct Case {
        QStringList selected;
        QString filter;
        MapListOpening::Mode mode;
        const char* caption;
    };
    const Case cases[] = {
        {chosen, parentless_marker, MapListOpening::Mode::Selected, "Maps selected"},
        {chosen, "abc", MapListOpening::Mode::Selected, "Maps selected"},
        {{}, "abc", MapListOpening::Mode::Filter, "Maps"},
        {{}, QString(), MapListOpening::Mode::Filter, "Maps"},
        {{}, parentless_marker, MapListOpening::Mode::Parentless, "Parentless maps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const MapListOpening opening = map_list_opening(c.selected, c.filter);
        EXPECT_EQ(opening.mode, c.mode);
        EXPECT_EQ(opening.caption, QLatin1String(c.caption));
        if (c.mode == MapListOpening::Mode::Selected) {
            EXPECT_EQ(opening.entries, chosen);
        }
        if (c.mode == MapListOpening::Mode::Filter) {
            EXPECT_EQ(opening.filter, c.filter);
        }
    }
    EXPECT_EQ(map_list_caption("Maps", 12), "Maps - (found: 12)");
}

TEST_F(MapListTest, EntryTablesOpenTheCollectionFilteredOnTheCategory) {
    std::vector<std::pair<int, QString>> opened;
    const auto table = [&](int position) { opened.emplace_back(position, ctx.table_presets.category); };
    EXPECT_TRUE(open_entry_table(ctx, "Books: Émile", true, table));
    EXPECT_TRUE(open_entry_table(ctx, "books: Poetry.Dante", true, table));
    EXPECT_TRUE(open_entry_table(ctx, "Books: Poetry", false, table));
    EXPECT_FALSE(open_entry_table(ctx, "Unknown: Poetry", true, table));
    EXPECT_EQ(opened, (std::vector<std::pair<int, QString>>{{7, "Émile"}, {7, "Poetry"}, {7, QString()}}));
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_FALSE(open_entry_table(ctx, "Books: Poetry", true, {}));
    EXPECT_EQ(t.prompter.messages(), QStringList{table_view_missing_message});
    EXPECT_TRUE(ctx.table_presets.empty());
}

} // namespace

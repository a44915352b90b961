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
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Dante"));
        add(QStringLiteral("Books"), QStringLiteral("Poetry"), QStringLiteral("Petrarca"));
        add(QStringLiteral("Books"), QStringLiteral("Émile"), QStringLiteral("Rousseau"));
        add(QStringLiteral("Books"), QStringLiteral("> Media: Films"), QStringLiteral("reference"));
        add(QStringLiteral("Agenda"), QStringLiteral("L'été"), QStringLiteral("Holidays"));
        add(QStringLiteral("Media"), QStringLiteral("Films"), QStringLiteral("Dante"));
    }

    void add_topic(int nr, const QString& name) {
        Statement insert =
            ctx.db->prepare(QStringLiteral("insert into topics (topic_nr, topic_name) values (?, ?)"));
        insert.bind(1, nr);
        insert.bind(2, name);
        insert.next();
    }
    void add_topic_item(int sub_topic) {
        ctx.db->exec(QStringLiteral("insert into items (sub_topic_nr) values (%1)").arg(sub_topic));
    }
};

TEST_F(MapListTest, WithoutFilterListsEveryMapOnceInCollectionAndCategoryOrder) {
    const TopicList list = show_topic_list(*ctx.db, QStringLiteral("ignored"), false);
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
    EXPECT_TRUE(filter_box_for(QStringLiteral(" a ")));
    EXPECT_FALSE(filter_box_for(QStringLiteral("   ")));
    EXPECT_FALSE(filter_box_for(QString()));
}

TEST_F(MapListTest, ParentlessMapsAreTopicsNoItemPointsTo) {
    add_topic(1, QStringLiteral("Zeta"));
    add_topic(2, QStringLiteral("Alpha"));
    add_topic(3, QStringLiteral("Mid d'été"));
    add_topic_item(1);
    EXPECT_EQ(parentless_maps(*ctx.db), (QStringList{"Alpha", "Mid d'été"}));
}

TEST_F(MapListTest, ATopicPointingToItselfHasNoParentWhenItemsKeepTheirTopic) {
    ctx.db->exec(QStringLiteral("alter table items add column topic_nr INTEGER"));
    add_topic(1, QStringLiteral("Root"));
    add_topic(2, QStringLiteral("Child"));
    ctx.db->exec(QStringLiteral("insert into items (topic_nr, sub_topic_nr) values (1, 1), (1, 2)"));
    EXPECT_EQ(parentless_maps(*ctx.db), QStringList{"Root"});
}

TEST_F(MapListTest, SimilarTagsNameEveryMapHoldingTheTitle) {
    EXPECT_EQ(similar_tag_maps(*ctx.db, QStringLiteral("dante")),
              (QStringList{"Books: Poetry.Dante", "Media: Films.Dante"}));
    EXPECT_TRUE(similar_tag_maps(*ctx.db, QStringLiteral("Nobody's")).isEmpty());
    EXPECT_EQ(similar_tag_maps(*ctx.db, QStringLiteral("Holidays")), QStringList{"Agenda: L'été.Holidays"});
}

TEST_F(MapListTest, SimilarTagsStopAtAThousand) {
    Transaction transaction(*ctx.db);
    for (int i = 0; i < max_selected_maps + 5; ++i)
        add(QStringLiteral("Books"), QStringLiteral("cat %1").arg(i), QStringLiteral("common"));
    transaction.commit();
    EXPECT_EQ(similar_tag_maps(*ctx.db, QStringLiteral("common")).size(), max_selected_maps);
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
        {chosen, QStringLiteral("abc"), MapListOpening::Mode::Selected, "Maps selected"},
        {{}, QStringLiteral("abc"), MapListOpening::Mode::Filter, "Maps"},
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
    EXPECT_EQ(map_list_caption(QStringLiteral("Maps"), 12), QStringLiteral("Maps - (found: 12)"));
}

TEST_F(MapListTest, EntryTablesOpenTheCollectionFilteredOnTheCategory) {
    std::vector<std::pair<int, QString>> opened;
    const auto table = [&](int position) { opened.emplace_back(position, ctx.table_presets.category); };
    EXPECT_TRUE(open_entry_table(ctx, QStringLiteral("Books: Émile"), true, table));
    EXPECT_TRUE(open_entry_table(ctx, QStringLiteral("books: Poetry.Dante"), true, table));
    EXPECT_TRUE(open_entry_table(ctx, QStringLiteral("Books: Poetry"), false, table));
    EXPECT_FALSE(open_entry_table(ctx, QStringLiteral("Unknown: Poetry"), true, table));
    EXPECT_EQ(opened, (std::vector<std::pair<int, QString>>{
                          {7, QStringLiteral("Émile")}, {7, QStringLiteral("Poetry")}, {7, QString()}}));
    EXPECT_TRUE(t.prompter.shown().empty());
    EXPECT_FALSE(open_entry_table(ctx, QStringLiteral("Books: Poetry"), true, {}));
    EXPECT_EQ(t.prompter.messages(), QStringList{table_view_missing_message});
    EXPECT_TRUE(ctx.table_presets.empty());
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/db_fixtures.h"

#include "core/params.h"
#include "maps/map_parameters.h"
#include "maps/statement_counter.h"

#include <sqlite3.h>

namespace {

class MapParams : public MapsDb {
protected:
    const QString map = QStringLiteral("Books: l'été");

    MapParams() {
        tc.screen.width = 28800;
        tc.screen.height = 16200;
    }
    void store(const QString& key, const QString& value) {
        set_map_param(db(), tc.prompter, map, key, value);
    }
    QString stored(const QString& key) { return get_map_param(db(), map, key); }
    int total_changes() { return sqlite3_total_changes(db().handle()); }
};

} // namespace

TEST_F(MapParams, DefaultsCentreTheWindowWithARandomShift) {
    tc.random.values = {0.0, 0.9999, 0.5};
    const MapParameters p = load_map_parameters(ctx, map);
    EXPECT_EQ(p.place.width, 2000);
    EXPECT_EQ(p.place.height, 5000);
    EXPECT_EQ(p.place.top, (16200 - 400 - 5000) / 2 - 1999);   // random 0
    EXPECT_EQ(p.place.left, (28800 - 2000) / 2 - 1999 + 1999); // random 1999
    EXPECT_EQ(p.intervallo, 1000 + 250);                       // random 0.5 of 1000..1500
    EXPECT_EQ(p.nr_columns, 1);
    EXPECT_TRUE(p.auto_size);
    EXPECT_FALSE(p.open_child_topics);
    EXPECT_FALSE(p.autom);
    EXPECT_FALSE(p.randomico);
    EXPECT_FALSE(p.start_map);

    // The random interval reaches both ends.
    tc.random.values = {0.0, 0.0, 0.0};
    tc.random.index = 0;
    EXPECT_EQ(load_map_parameters(ctx, map).intervallo, 1000);
    tc.random.values = {0.0, 0.0, 0.99999};
    tc.random.index = 0;
    EXPECT_EQ(load_map_parameters(ctx, map).intervallo, 1500);
}

TEST_F(MapParams, StoredValuesAreRead) {
    const std::pair<const char*, const char*> values[] = {
        {"#top", "120"},      {"#left", "-30"},        {"#width", "7005"},           {"#height", "4000"},
        {"#nr_columns", "4"}, {"#auto_size", "0"},     {"#open_child_topics", "-1"}, {"#autom", "-1"},
        {"#randomico", "1"},  {"#intervallo", "2500"}, {"#start_map", "-1"}};
    for (const auto& [key, value] : values)
        store(key, value);
    tc.random.index = 0;
    StatementCounter counter(db().handle());
    const MapParameters p = load_map_parameters(ctx, map);
    EXPECT_EQ(counter.count(), 1);
    EXPECT_EQ(p.place, (TwipsRect{120, -30, 7005, 4000}));
    EXPECT_EQ(p.nr_columns, 4);
    EXPECT_FALSE(p.auto_size);
    EXPECT_TRUE(p.open_child_topics);
    EXPECT_TRUE(p.autom);
    EXPECT_TRUE(p.randomico);
    EXPECT_TRUE(p.start_map);
    EXPECT_EQ(p.intervallo, 2500);
    EXPECT_EQ(tc.random.index, 0U); // nothing was left to chance
}

TEST_F(MapParams, ColumnsOutside1To10ReadAsOne) {
    const std::pair<const char*, int> cases[] = {{"11", 1}, {"0", 1},   {"-3", 1}, {"10", 10},
                                                 {"1", 1},  {"abc", 1}, {"", 1},   {" 6 ", 6}};
    for (const auto& [text, expected] : cases) {
        store("#nr_columns", text);
        EXPECT_EQ(load_map_parameters(ctx, map).nr_columns, expected) << text;
    }
}

TEST_F(MapParams, HeightStaysBelowTheScreenAndTheIntervalAtMostAnHour) {
    store("#height", "20000");
    EXPECT_EQ(load_map_parameters(ctx, map).place.height, 16200 - 850);
    tc.screen.height = 5000;
    db().exec(QStringLiteral("delete from map_params"));
    EXPECT_EQ(load_map_parameters(ctx, map).place.height, 5000 - 850);
    store("#intervallo", "40000");
    EXPECT_EQ(load_map_parameters(ctx, map).intervallo, 40000);
    store("#intervallo", "3600001");
    EXPECT_EQ(load_map_parameters(ctx, map).intervallo, 3600000);
    store("#intervallo", "0");
    tc.random.values = {0.0};
    tc.random.index = 0;
    EXPECT_EQ(load_map_parameters(ctx, map).intervallo, 1000);
}

TEST_F(MapParams, KeysAndMapNamesCompareWithoutCaseAndOtherMapsDoNotLeakIn) {
    db().exec(QStringLiteral("insert into map_params (colcat, param, value) values ('BOOKS: L''ÉTÉ', "
                             "'#NR_COLUMNS', '3'), ('Books: l''été2', '#nr_columns', '7')"));
    EXPECT_EQ(load_map_parameters(ctx, map).nr_columns, 3);
}

TEST_F(MapParams, SavingWritesPositionSizeColumnsAndSelection) {
    MapParameters p;
    p.nr_columns = 3;
    p.randomico = true;
    p.intervallo = 1234;
    p.autom = false;
    p.auto_size = false; // has its own toggle: not saved here
    MapWindowState window{{100, 200, 3000, 4000}, false, false};
    save_map_parameters(ctx, map, p, window);
    const std::pair<const char*, const char*> saved[] = {
        {"#top", "100"},         {"#left", "200"},     {"#width", "3000"},
        {"#height", "4000"},     {"#nr_columns", "3"}, {"#randomico", "-1"},
        {"#intervallo", "1234"}, {"#autom", "0"},      {"#auto_size", ""}};
    for (const auto& [key, value] : saved)
        EXPECT_EQ(stored(key), QString::fromUtf8(value)) << key;
    EXPECT_EQ(db().scalar(QStringLiteral("select colcat from map_params limit 1")).toString(), map);

    const MapParameters back = load_map_parameters(ctx, map);
    EXPECT_EQ(back.place, window.place);
    EXPECT_EQ(back.nr_columns, 3);
    EXPECT_TRUE(back.randomico);
    EXPECT_EQ(back.intervallo, 1234);
}

TEST_F(MapParams, TheHeightIsSavedWithoutTheContentBoxAndAMinimisedWindowKeepsItsGeometry) {
    save_map_parameters(ctx, map, MapParameters{}, MapWindowState{{0, 0, 3000, 5990}, false, true});
    EXPECT_EQ(stored("#height"), QStringLiteral("5000"));
    save_map_position(ctx, map, MapWindowState{{0, 0, 3000, 4000}, false, false});
    EXPECT_EQ(stored("#height"), QStringLiteral("4000"));

    // A minimised window keeps its geometry.
    save_map_parameters(ctx, map, MapParameters{}, MapWindowState{{10, 20, 3000, 4000}, false, false});
    MapParameters p;
    p.nr_columns = 5;
    save_map_parameters(ctx, map, p, MapWindowState{{45000, 45000, 150, 300}, true, false});
    EXPECT_EQ(stored("#top"), QStringLiteral("10"));
    EXPECT_EQ(stored("#width"), QStringLiteral("3000"));
    EXPECT_EQ(stored("#nr_columns"), QStringLiteral("5"));
    save_map_position(ctx, map, MapWindowState{{1, 1, 1, 1}, true, false});
    EXPECT_EQ(stored("#left"), QStringLiteral("20"));
}

TEST_F(MapParams, SavingUnchangedValuesWritesNothingAndAFailingSaveIsReported) {
    const MapWindowState window{{10, 20, 3000, 4000}, false, false};
    save_map_parameters(ctx, map, MapParameters{}, window);
    const int before = total_changes();
    StatementCounter counter(db().handle());
    save_map_parameters(ctx, map, MapParameters{}, window);
    EXPECT_EQ(total_changes(), before);
    EXPECT_EQ(counter.count(), 1);
    MapWindowState moved = window;
    moved.place.top = 11;
    save_map_parameters(ctx, map, MapParameters{}, moved);
    EXPECT_EQ(total_changes(), before + 1);
    EXPECT_TRUE(tc.prompter.messages().isEmpty());

    // A failing save is reported to the user.
    db().exec(QStringLiteral("drop table map_params"));
    save_map_parameters(ctx, map, MapParameters{}, MapWindowState{{10, 20, 3000, 4000}, false, false});
    ASSERT_FALSE(tc.prompter.messages().isEmpty());
    EXPECT_TRUE(tc.prompter.messages().first().startsWith(QStringLiteral("Error ")));
}

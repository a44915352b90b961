// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/db_error.h"
#include "core/params.h"
#include "support/db_fixtures.h"
#include "table/collection_config.h"

#include <numeric>

namespace {

class CollectionConfigTest : public MapsDb {
protected:
    QString param(const QString& key) { return get_gen_param(*ctx.db, key); }
    int stored_keys() {
        return ctx.db
            ->scalar(QStringLiteral(
                "select count(*) from gen_params where param like 'coll##_visible' or param like "
                "'coll##_open_as_table' or param like 'cat##_open_as_table'"))
            .toInt();
    }
};

TEST_F(CollectionConfigTest, OffersTheSparePositionsAndTheCognivaOnesWhileThoseFunctionsAreOff) {
    std::vector<int> spare(24);
    std::iota(spare.begin(), spare.end(), 19);
    std::vector<int> with_cogniva(31);
    std::iota(with_cogniva.begin(), with_cogniva.end(), 12);
    EXPECT_EQ(config_positions(true), spare);
    EXPECT_EQ(config_positions(false), with_cogniva);
}

TEST_F(CollectionConfigTest, SavingWritesTheThreeKeysOfEveryPosition) {
    ctx.collections.at(20).defined = true;
    std::map<int, CollectionFlags> rows;
    for (const int position : config_positions(false))
        rows[position] = flags_of(ctx.collections, position);
    rows[20] = CollectionFlags{true, true, false};
    rows[12] = CollectionFlags{false, false, true};
    save_collection_config(*ctx.db, ctx.collections, rows);

    EXPECT_EQ(stored_keys(), 3 * 45);
    EXPECT_EQ(param("coll20_visible"), "-1");
    EXPECT_EQ(param("coll20_open_as_table"), "-1");
    EXPECT_EQ(param("cat20_open_as_table"), "0");
    EXPECT_EQ(param("coll12_visible"), "0");
    EXPECT_EQ(param("cat12_open_as_table"), "-1");
    EXPECT_EQ(flags_of(ctx.collections, 20), (CollectionFlags{true, true, false}));
    EXPECT_EQ(flags_of(ctx.collections, 12), (CollectionFlags{false, false, true}));
}

TEST_F(CollectionConfigTest, PositionsWithoutARowKeepWhatIsStored) {
    set_gen_param(*ctx.db, "coll05_visible", "0");
    set_gen_param(*ctx.db, "coll07_open_as_table", "1");
    set_gen_param(*ctx.db, "cat07_open_as_table", "-1");
    ctx.collections.at(5).visible = true; // the table may differ from the file; the file wins
    save_collection_config(*ctx.db, ctx.collections, {{19, CollectionFlags{}}});

    EXPECT_EQ(param("coll05_visible"), "0");
    EXPECT_EQ(param("coll07_open_as_table"), "-1");
    EXPECT_EQ(param("cat07_open_as_table"), "-1");
    // Nothing stored: offered, opened as tables.
    EXPECT_EQ(param("coll01_visible"), "-1");
    EXPECT_EQ(param("coll01_open_as_table"), "0");
    EXPECT_EQ(param("cat45_open_as_table"), "0");
    EXPECT_TRUE(ctx.collections.at(5).visible) << "only rows change the collection table";
}

TEST_F(CollectionConfigTest, AFailureHalfWayWritesNothing) {
    ctx.db->exec(QStringLiteral(
        "create trigger refuse before insert on gen_params when new.param='cat30_open_as_table' "
        "begin select raise(abort, 'refused'); end"));
    ctx.collections.at(25).visible = false;
    EXPECT_THROW(save_collection_config(*ctx.db, ctx.collections, {{25, CollectionFlags{true, true, true}}}),
                 DbError);
    EXPECT_EQ(stored_keys(), 0);
    EXPECT_EQ(flags_of(ctx.collections, 25), CollectionFlags{});
}

} // namespace

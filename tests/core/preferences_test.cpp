// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app_context.h"
#include "core/database.h"
#include "core/params.h"
#include "core/preferences.h"
#include "core/program_end.h"
#include "core/schema.h"
#include "core/settings.h"
#include "support/fakes.h"
#include "support/test_context.h"
#include "support/temp_env.h"

#include <QDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

class PreferencesTest : public ::testing::Test, protected TestContext {
protected:
    void SetUp() override {
        QDir().mkpath(ctx.program_dir);
        open_db(QStringLiteral("family.tdb"));
    }
    void open_db(const QString& name) {
        ctx.db_path = env.path(QStringLiteral("data/") + name);
        QDir().mkpath(env.path(QStringLiteral("data")));
        ctx.db = Database::open(ctx.db_path, {}, &clock, Database::Mode::CreateNew);
        schema::upgrade(*ctx.db);
        ctx.collections.init_collections();
    }
    void param(const QString& key, const QString& value) { set_gen_param(*ctx.db, key, value); }
    QString renaming_file(const QString& name, const QByteArray& content) {
        return env.write_file(QStringLiteral("home/") + name, content);
    }
    const Collection& at(int position) const { return ctx.collections.at(position); }
    int visible_count() const {
        int n = 0;
        for (int p = 1; p <= CollectionTable::count; ++p)
            n += at(p).visible ? 1 : 0;
        return n;
    }
};

} // namespace

// ---------------------------------------------------------------- global preferences

TEST_F(PreferencesTest, EmptyDatabaseGivesTheDefaults) {
    load_preferences(ctx);
    EXPECT_FALSE(ctx.prefs.open_start_maps);
    EXPECT_EQ(ctx.prefs.lock_interval, 180);
    EXPECT_EQ(ctx.prefs.font_size, 10.0F);
    EXPECT_EQ(ctx.prefs.change_interval, 3.0F);
    EXPECT_FALSE(ctx.prefs.cogniva);
    EXPECT_TRUE(ctx.image_viewer_button);
    // Every defined position (1-18, 43-45) is offered; x01..x24 are not.
    EXPECT_EQ(visible_count(), 21);
    EXPECT_TRUE(at(18).visible);
    EXPECT_FALSE(at(19).visible);
    EXPECT_FALSE(at(42).visible);
    EXPECT_TRUE(at(45).visible);
    for (int p = 1; p <= CollectionTable::count; ++p) {
        EXPECT_FALSE(at(p).open_coll_as_map) << p;
        EXPECT_FALSE(at(p).open_cat_as_map) << p;
    }
}

TEST_F(PreferencesTest, LockIntervalRules) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"10", 30},     {"0", 0},       {"-5", 30},    {"abc", 180},        {"29.6", 30},
                 {"200.4", 200}, {"200.6", 201}, {"30", 30},    {"", 180},           {" 45 ", 45},
                 {"0.0", 0},     {"0.2", 30},    {"1e3", 1000}, {"1e20", 2147483647}};
    for (const auto& c : cases) {
        param(QStringLiteral("lock_interval"), QLatin1String(c.stored));
        load_preferences(ctx);
        EXPECT_EQ(ctx.prefs.lock_interval, c.expected) << "lock_interval = \"" << c.stored << '"';
    }
}

TEST_F(PreferencesTest, FontSizeAndChangeIntervalTakeOnlyPositiveNumbers) {
    param(QStringLiteral("font_size"), QStringLiteral("0"));
    param(QStringLiteral("change_interval"), QStringLiteral("-1"));
    load_preferences(ctx);
    EXPECT_EQ(ctx.prefs.font_size, 10.0F);
    EXPECT_EQ(ctx.prefs.change_interval, 3.0F);

    param(QStringLiteral("font_size"), QStringLiteral("12.5"));
    param(QStringLiteral("change_interval"), QStringLiteral("0.5"));
    load_preferences(ctx);
    EXPECT_EQ(ctx.prefs.font_size, 12.5F);
    EXPECT_EQ(ctx.prefs.change_interval, 0.5F);

    // Reloading after the values went bad goes back to the defaults, not to the last values.
    param(QStringLiteral("font_size"), QStringLiteral("big"));
    param(QStringLiteral("change_interval"), QStringLiteral(""));
    load_preferences(ctx);
    EXPECT_EQ(ctx.prefs.font_size, 10.0F);
    EXPECT_EQ(ctx.prefs.change_interval, 3.0F);
}

TEST_F(PreferencesTest, YesFlagsIgnoreCaseAndNothingElseCounts) {
    const char* keys[] = {"global_search_auto_start", "cogniva", "presence_of_similar_items_indicator",
                          "show_toolbar", "large_toolbar", "mdiform_min_size"};
    const auto flags = [this] {
        const Preferences& p = ctx.prefs;
        return std::vector<bool>{p.open_start_maps,         p.cogniva,      p.similar_items_indicator,
                                 p.show_toolbar,            p.large_toolbar, p.mdiform_min_size};
    };
    // Nothing stored: everything off, except that the toolbar shows.
    load_preferences(ctx);
    EXPECT_EQ(flags(), (std::vector<bool>{false, false, false, true, false, false}));

    for (const char* key : keys)
        param(QString::fromLatin1(key), QStringLiteral("y"));
    load_preferences(ctx);
    EXPECT_EQ(flags(), std::vector<bool>(6, true));

    for (const char* key : keys)
        param(QString::fromLatin1(key), QStringLiteral("-1"));
    load_preferences(ctx);
    EXPECT_EQ(flags(), std::vector<bool>(6, false));

    param(QStringLiteral("large_toolbar"), QStringLiteral("Y"));
    param(QStringLiteral("show_toolbar"), QStringLiteral("Yes"));
    load_preferences(ctx);
    EXPECT_TRUE(ctx.prefs.large_toolbar);
    EXPECT_FALSE(ctx.prefs.show_toolbar);
}

TEST_F(PreferencesTest, VisibleAndOpenAsFlagsPerPosition) {
    param(QStringLiteral("coll07_visible"), QStringLiteral("0"));
    param(QStringLiteral("coll08_visible"), QStringLiteral("-1"));
    param(QStringLiteral("coll09_visible"), QStringLiteral("abc")); // unreadable: stays visible
    param(QStringLiteral("coll19_visible"), QStringLiteral("-1"));  // x01 is not defined
    param(QStringLiteral("coll05_open_as_table"), QStringLiteral("-1"));
    param(QStringLiteral("cat05_open_as_table"), QStringLiteral("0"));
    param(QStringLiteral("cat06_open_as_table"), QStringLiteral("1"));
    param(QStringLiteral("coll45_open_as_table"), QStringLiteral("2"));
    load_preferences(ctx);
    EXPECT_FALSE(at(7).visible);
    EXPECT_TRUE(at(8).visible);
    EXPECT_TRUE(at(9).visible);
    EXPECT_FALSE(at(19).visible);
    EXPECT_TRUE(at(5).open_coll_as_map);
    EXPECT_FALSE(at(5).open_cat_as_map);
    EXPECT_FALSE(at(6).open_coll_as_map);
    EXPECT_TRUE(at(6).open_cat_as_map);
    EXPECT_TRUE(at(45).open_coll_as_map);
}

TEST_F(PreferencesTest, NoVisiblePositionMakesTheFirstVisibleAndStoresIt) {
    Transaction batch(*ctx.db);
    for (int p = 1; p <= CollectionTable::count; ++p)
        param(QStringLiteral("coll%1_visible").arg(p, 2, 10, QLatin1Char('0')), QStringLiteral("0"));
    batch.commit();
    load_preferences(ctx);
    EXPECT_EQ(visible_count(), 1);
    EXPECT_TRUE(at(1).visible);
    EXPECT_EQ(get_gen_param(*ctx.db, QStringLiteral("coll01_visible")), QStringLiteral("-1"));
    // The stored flag makes the next loading agree without the fallback.
    load_preferences(ctx);
    EXPECT_EQ(visible_count(), 1);
    EXPECT_TRUE(at(1).visible);
}

// ---------------------------------------------------------------- collection renaming file

TEST_F(PreferencesTest, NoRenamingFileLeavesTheNames) {
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, QStringLiteral("Books"));
    EXPECT_TRUE(ctx.image_viewer_button);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(PreferencesTest, RenameFindsByLeftSideThenByRightSide) {
    renaming_file(QStringLiteral("family.dat"), "books=Library\n");
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, QStringLiteral("Library"));
    EXPECT_TRUE(at(7).defined);
    EXPECT_EQ(ctx.collections.find(QStringLiteral("Books")), 0);
    // Applied again without a reset (Books is gone): found through "Library", kept.
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, QStringLiteral("Library"));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(PreferencesTest, RenamesChainInFileOrder) {
    renaming_file(QStringLiteral("family.dat"),
                  "Books=Library\nLibrary=Reading list\nReading list = Shelf\n");
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, QStringLiteral("Shelf"));
    EXPECT_EQ(ctx.collections.find(QStringLiteral("Library")), 0);
}

TEST_F(PreferencesTest, EmptyRightSideHidesThePosition) {
    renaming_file(QStringLiteral("family.dat"), "Money=\n");
    load_preferences(ctx);
    EXPECT_FALSE(at(5).defined);
    EXPECT_FALSE(at(5).visible);
    EXPECT_EQ(at(5).name, QStringLiteral("Money"));
}

TEST_F(PreferencesTest, FreePositionBecomesACollectionWithTrimmedAccentedName) {
    renaming_file(QStringLiteral("family.dat"), "  x01 =   Recettes d'été  \r\nGlossary=Glossário\r\n");
    load_preferences(ctx);
    EXPECT_EQ(at(19).name, QStringLiteral("Recettes d'été"));
    EXPECT_TRUE(at(19).defined);
    EXPECT_TRUE(at(19).visible);
    EXPECT_EQ(at(9).name, QStringLiteral("Glossário"));
}

TEST_F(PreferencesTest, OlderEightBitFileReadsItsAccents) {
    renaming_file(QStringLiteral("family.dat"), QByteArray("Media=M\xe9" /* é in Latin-1 */ "dias\n"));
    load_collection_names(ctx);
    EXPECT_EQ(at(8).name, QStringLiteral("Médias"));
}

TEST_F(PreferencesTest, CommentsBlankLinesAndLinesWithoutEqualsAreSkipped) {
    renaming_file(QStringLiteral("family.dat"),
                  "; Nowhere=Elsewhere would end the program\n\n   \n\tjust a note\nBooks=Library\n");
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, QStringLiteral("Library"));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(PreferencesTest, ImageViewerLineRemovesTheButtonOnlyForFalse) {
    renaming_file(QStringLiteral("family.dat"), "para_image_viewer=no\n");
    load_collection_names(ctx);
    EXPECT_TRUE(ctx.image_viewer_button);

    renaming_file(QStringLiteral("family.dat"), "PARA_IMAGE_VIEWER =  False \n");
    load_collection_names(ctx);
    EXPECT_FALSE(ctx.image_viewer_button);
    EXPECT_TRUE(prompter.shown().empty());

    // Another database's file without the line brings the button back.
    open_db(QStringLiteral("work.tdb"));
    load_collection_names(ctx);
    EXPECT_TRUE(ctx.image_viewer_button);
}

TEST_F(PreferencesTest, UnknownCollectionIsReportedAndEndsTheProgram) {
    const QString path =
        renaming_file(QStringLiteral("family.dat"), "Books=Library\r\nNowhere = Elsewhere\r\n");
    try {
        load_collection_names(ctx);
        FAIL() << "no ProgramEnd";
    } catch (const ProgramEnd& end) {
        EXPECT_NE(end.code(), 0);
    }
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Error in file ") + path + QStringLiteral(": Nowhere = Elsewhere")});
}

TEST_F(PreferencesTest, DatabaseFileBeatsTheGeneralFile) {
    renaming_file(QStringLiteral("general.dat"), "Books=General books\n");
    renaming_file(QStringLiteral("family.dat"), "Books=Family books\n");
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, QStringLiteral("Family books"));

    // Another database without its own file takes the general one.
    open_db(QStringLiteral("work.tdb"));
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, QStringLiteral("General books"));
}

TEST_F(PreferencesTest, RenamingFileIsNamedAfterTheDatabaseWithoutItsExtension) {
    open_db(QStringLiteral("my.family.tdb"));
    EXPECT_EQ(collection_names_file(ctx.program_dir, ctx.db_path), QString());
    renaming_file(QStringLiteral("my.family.tdb.dat"), "Books=Wrong\n");
    renaming_file(QStringLiteral("my.dat"), "Books=Wrong\n");
    EXPECT_EQ(collection_names_file(ctx.program_dir, ctx.db_path), QString());
    const QString own = renaming_file(QStringLiteral("my.family.dat"), "Books=Right\n");
    EXPECT_EQ(collection_names_file(ctx.program_dir, ctx.db_path), own);
}

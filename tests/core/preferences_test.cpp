// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/params.h"
#include "core/preferences.h"
#include "core/program_end.h"
#include "support/test_db.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

class PreferencesTest : public ::testing::Test, protected TestDb {
protected:
    FakePrompter& prompter = tc.prompter;

    void SetUp() override { open_db(u"family.tdb"_s); }
    void param(const QString& key, const QString& value) { set_gen_param(*ctx.db, key, value); }
    QString renaming_file(const QString& name, const QByteArray& content) {
        return tc.env.write_file(u"home/"_s + name, content);
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

TEST_F(PreferencesTest, LockIntervalRules) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"10", 30},     {"0", 0},       {"-5", 30},    {"abc", 180},        {"29.6", 30},
                 {"200.4", 200}, {"200.6", 201}, {"30", 30},    {"", 180},           {" 45 ", 45},
                 {"0.0", 0},     {"0.2", 30},    {"1e3", 1000}, {"1e20", 2147483647}};
    for (const auto& c : cases) {
        param(u"lock_interval"_s, QLatin1String(c.stored));
        load_preferences(ctx);
        EXPECT_EQ(ctx.prefs.lock_interval, c.expected) << "lock_interval = \"" << c.stored << '"';
    }
}

TEST_F(PreferencesTest, FontSizeAndChangeIntervalTakeOnlyPositiveNumbers) {
    const struct {
        const char* font_size;
        const char* change_interval;
        float font, change;
    } cases[] = {{"0", "-1", 10.0F, 3.0F},
                 {"12.5", "0.5", 12.5F, 0.5F},
                 // Reloading after the values went bad goes back to the defaults, not to the last values.
                 {"big", "", 10.0F, 3.0F}};
    for (const auto& c : cases) {
        param(u"font_size"_s, QLatin1String(c.font_size));
        param(u"change_interval"_s, QLatin1String(c.change_interval));
        load_preferences(ctx);
        EXPECT_EQ(ctx.prefs.font_size, c.font) << c.font_size;
        EXPECT_EQ(ctx.prefs.change_interval, c.change) << c.change_interval;
    }
}

TEST_F(PreferencesTest, YesFlagsIgnoreCaseAndNothingElseCounts) {
    const char* keys[] = {"global_search_auto_start",
                          "cogniva",
                          "presence_of_similar_items_indicator",
                          "show_toolbar",
                          "large_toolbar",
                          "mdiform_min_size"};
    const auto flags = [this] {
        const Preferences& p = ctx.prefs;
        return std::vector<bool>{p.open_start_maps, p.cogniva,       p.similar_items_indicator,
                                 p.show_toolbar,    p.large_toolbar, p.mdiform_min_size};
    };
    // Nothing stored: everything off, except that the toolbar shows.
    load_preferences(ctx);
    EXPECT_EQ(flags(), (std::vector<bool>{false, false, false, true, false, false}));

    for (const auto& [value, set] : {std::pair{"y", true}, std::pair{"-1", false}}) {
        for (const char* key : keys)
            param(QString::fromLatin1(key), QLatin1String(value));
        load_preferences(ctx);
        EXPECT_EQ(flags(), std::vector<bool>(6, set)) << value;
    }

    param(u"large_toolbar"_s, u"Y"_s);
    param(u"show_toolbar"_s, u"Yes"_s);
    load_preferences(ctx);
    EXPECT_TRUE(ctx.prefs.large_toolbar);
    EXPECT_FALSE(ctx.prefs.show_toolbar);
}

TEST_F(PreferencesTest, VisibleAndOpenAsFlagsPerPosition) {
    param(u"coll07_visible"_s, u"0"_s);
    param(u"coll08_visible"_s, u"-1"_s);
    param(u"coll09_visible"_s, u"abc"_s); // unreadable: stays visible
    param(u"coll19_visible"_s, u"-1"_s);  // x01 is not defined
    param(u"coll05_open_as_table"_s, u"-1"_s);
    param(u"cat05_open_as_table"_s, u"0"_s);
    param(u"cat06_open_as_table"_s, u"1"_s);
    param(u"coll45_open_as_table"_s, u"2"_s);
    load_preferences(ctx);
    // Every defined position (1-18, 43-45) is offered unless stored otherwise; x01..x24 are not.
    EXPECT_EQ(visible_count(), 20);
    EXPECT_FALSE(at(42).visible);
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
        param(u"coll%1_visible"_s.arg(p, 2, 10, QLatin1Char('0')), u"0"_s);
    batch.commit();
    load_preferences(ctx);
    EXPECT_EQ(visible_count(), 1);
    EXPECT_TRUE(at(1).visible);
    EXPECT_EQ(get_gen_param(*ctx.db, u"coll01_visible"_s), u"-1"_s);
    // The stored flag makes the next loading agree without the fallback.
    load_preferences(ctx);
    EXPECT_EQ(visible_count(), 1);
    EXPECT_TRUE(at(1).visible);
}

// ---------------------------------------------------------------- collection renaming file

// Each file gives one position its name, its left side found in any case; `gone` is a name no
// position holds afterwards.
TEST_F(PreferencesTest, RenamingFileLinesGiveThePositionItsName) {
    const struct {
        QByteArray file;
        int position;
        QString name, gone;
    } cases[] = {
        {"books=Library\nLibrary=Reading list\nReading list = Shelf\n", 7, u"Shelf"_s, u"Library"_s},
        {"Media=M\xe9" /* é in Latin-1 */ "dias\n", 8, u"Médias"_s, u"Media"_s},
        {"; Nowhere=Elsewhere would end the program\n\n   \n\tnote\nBooks=Library\n", 7, u"Library"_s,
         u"Books"_s},
    };
    load_collection_names(ctx); // no file: the names stay
    EXPECT_EQ(at(7).name, u"Books"_s);
    for (const auto& c : cases) {
        ctx.collections.init_collections();
        renaming_file(u"family.dat"_s, c.file);
        load_collection_names(ctx);
        EXPECT_EQ(at(c.position).name, c.name) << c.file.toStdString();
        EXPECT_EQ(ctx.collections.find(c.gone), 0) << c.file.toStdString();
    }
    // Applied again without a reset (Books is gone): found through "Library", kept.
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, u"Library"_s);
    EXPECT_TRUE(prompter.shown().empty());
}

// An empty right side hides the position; a free one becomes a collection.
TEST_F(PreferencesTest, RenamingFileDefinesAndHidesPositions) {
    renaming_file(u"family.dat"_s,
                  "  x01 =   Recettes d'été  \r\nGlossary=Glossário\r\nMoney=\r\npara_image_viewer=no\r\n");
    load_preferences(ctx);
    EXPECT_EQ(at(19).name, u"Recettes d'été"_s);
    EXPECT_TRUE(at(19).defined);
    EXPECT_TRUE(at(19).visible);
    EXPECT_EQ(at(9).name, u"Glossário"_s);
    EXPECT_FALSE(at(5).defined);
    EXPECT_FALSE(at(5).visible);
    EXPECT_EQ(at(5).name, u"Money"_s);
    EXPECT_TRUE(ctx.image_viewer_button);
}

TEST_F(PreferencesTest, UnknownCollectionIsReportedAndEndsTheProgram) {
    const QString path = renaming_file(u"family.dat"_s, "Books=Library\r\nNowhere = Elsewhere\r\n");
    try {
        load_collection_names(ctx);
        FAIL() << "no ProgramEnd";
    } catch (const ProgramEnd& end) {
        EXPECT_NE(end.code(), 0);
    }
    EXPECT_EQ(prompter.messages(), QStringList{u"Error in file "_s + path + u": Nowhere = Elsewhere"_s});
}

// The image-viewer line removes the button only for "False", in any case and spacing.
TEST_F(PreferencesTest, DatabaseFileBeatsTheGeneralFile) {
    renaming_file(u"general.dat"_s, "Books=General books\n");
    renaming_file(u"family.dat"_s, "Books=Family books\nPARA_IMAGE_VIEWER =  False \n");
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, u"Family books"_s);
    EXPECT_FALSE(ctx.image_viewer_button);

    // Another database without its own file takes the general one.
    open_db(u"work.tdb"_s);
    load_collection_names(ctx);
    EXPECT_EQ(at(7).name, u"General books"_s);
    EXPECT_TRUE(ctx.image_viewer_button);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(PreferencesTest, RenamingFileIsNamedAfterTheDatabaseWithoutItsExtension) {
    open_db(u"my.family.tdb"_s);
    EXPECT_EQ(collection_names_file(ctx.program_dir, ctx.db_path), QString());
    renaming_file(u"my.family.tdb.dat"_s, "Books=Wrong\n");
    renaming_file(u"my.dat"_s, "Books=Wrong\n");
    EXPECT_EQ(collection_names_file(ctx.program_dir, ctx.db_path), QString());
    const QString own = renaming_file(u"my.family.dat"_s, "Books=Right\n");
    EXPECT_EQ(collection_names_file(ctx.program_dir, ctx.db_path), own);
}

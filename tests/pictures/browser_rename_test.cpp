// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bulk_rename.h"
#include "support/file_tree.h"
#include "support/test_context.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class BrowserRenameTest : public ::testing::Test {
protected:
    TestContext t;
    QString dir = t.env.path(u"pics"_s);

    QStringList names() const { return QDir(dir).entryList(QDir::Files, QDir::Name); }
    void make(const QStringList& files) {
        ASSERT_TRUE(make_file_tree(dir, files));
        t.ctx.pictures.last_picture_file = dir + QLatin1Char('/') + files.front();
    }
};

TEST(BulkRenameNames, AddOnceRemoveOnlyAtTheStart) {
    EXPECT_EQ(name_with_string_added(u"sea.jpg"_s, u"2020_"_s), u"2020_sea.jpg"_s);
    EXPECT_EQ(name_with_string_added(u"my TRIP.jpg"_s, u"trip"_s), std::nullopt);
    EXPECT_EQ(name_with_string_removed(u"TRIP_sea.jpg"_s, u"trip_"_s), u"sea.jpg"_s);
    EXPECT_EQ(name_with_string_removed(u"sea_trip_.jpg"_s, u"trip_"_s), std::nullopt);
    EXPECT_EQ(name_with_string_removed(u"trip"_s, u"TRIP"_s), std::nullopt) << "a name is never left empty";
}

TEST_F(BrowserRenameTest, AddingTwiceChangesEachNameOnce) {
    make({"b.jpg", "a.gif", "notes.txt", "x_already.bmp"});
    for (const int round : {1, 2}) {
        SCOPED_TRACE(round);
        t.prompter.answer("X_");
        add_string_to_file_names(t.ctx, t.ctx.pictures);
    }
    EXPECT_EQ(names(), (QStringList{"X_a.gif", "X_b.jpg", "X_notes.txt", "x_already.bmp"}));
    const QStringList shown = t.prompter.messages();
    EXPECT_EQ(shown.at(0), u"String to be added?"_s);
    EXPECT_EQ(shown.at(1), u"3 files renamed."_s);
    EXPECT_EQ(shown.at(3), u"0 files renamed."_s);
    EXPECT_EQ(t.ctx.pictures.last_picture_file, dir + u"/X_b.jpg"_s) << "the last picture follows";
    EXPECT_EQ(t.settings.get_setting(u"last_picture_file"_s), dir + u"/X_b.jpg"_s);
}

TEST_F(BrowserRenameTest, RemovingTouchesOnlyNamesBeginningWithTheString) {
    make({"old_a.jpg", "OLD_b.gif", "c_old_.jpg", "old_"});
    t.prompter.answer("old_");
    remove_string_from_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), (QStringList{"a.jpg", "b.gif", "c_old_.jpg", "old_"}));
    EXPECT_EQ(t.prompter.messages().last(), u"2 files renamed."_s);
    EXPECT_EQ(t.prompter.shown().front().title,
              u"Removing string from names of files in a given directory"_s);
}

TEST_F(BrowserRenameTest, AFailingRenameStopsAndKeepsTheRest) {
    // Removing "x" from "xa.jpg" would overwrite "a.jpg": the run stops there, loses nothing.
    make({"a.jpg", "x0.jpg", "xa.jpg", "xc.jpg"});
    t.prompter.answer("x");
    remove_string_from_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), (QStringList{"0.jpg", "a.jpg", "xa.jpg", "xc.jpg"}));
    const QStringList shown = t.prompter.messages();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown.at(1).startsWith(u"Error 58 - "_s)) << shown.at(1).toStdString();
    EXPECT_TRUE(shown.at(1).contains(u"a.jpg"_s));
    EXPECT_EQ(shown.at(2), u"1 files renamed."_s);
}

TEST_F(BrowserRenameTest, CancelledOrEmptyAnswerOrNoLastPictureDoNothing) {
    make({"a.jpg"});
    t.prompter.answer(std::optional<QString>());
    add_string_to_file_names(t.ctx, t.ctx.pictures);
    t.prompter.answer("");
    add_string_to_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), QStringList{"a.jpg"});
    EXPECT_EQ(t.prompter.messages().size(), 2) << "the two questions, no end message";

    t.ctx.pictures.last_picture_file.clear();
    t.prompter.clear();
    add_string_to_file_names(t.ctx, t.ctx.pictures);
    ASSERT_EQ(t.prompter.shown().size(), 1u);
    EXPECT_EQ(t.prompter.shown().front().kind, u"message"_s);
    EXPECT_TRUE(t.prompter.all_answered());
}

TEST_F(BrowserRenameTest, NamesWithSpacesApostrophesAndAccents) {
    make({u"l'été à Paris.jpg"_s, u"Élan d'or.png"_s});
    t.prompter.answer(u"été "_s);
    add_string_to_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), (QStringList{u"l'été à Paris.jpg"_s, u"été Élan d'or.png"_s}));
    t.prompter.answer(u"ÉTÉ "_s);
    remove_string_from_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), (QStringList{u"l'été à Paris.jpg"_s, u"Élan d'or.png"_s}));
}

} // namespace

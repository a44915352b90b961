// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bulk_rename.h"
#include "support/file_tree.h"
#include "support/test_context.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class BrowserRenameTest : public ::testing::Test {
protected:
    TestContext t;
    QString dir = t.env.path(QStringLiteral("pics"));

    QStringList names() const { return QDir(dir).entryList(QDir::Files, QDir::Name); }
    void make(const QStringList& files) {
        ASSERT_TRUE(make_file_tree(dir, files));
        t.ctx.pictures.last_picture_file = dir + QLatin1Char('/') + files.front();
    }
};

TEST(BulkRenameNames, AddOnceRemoveOnlyAtTheStart) {
    EXPECT_EQ(name_with_string_added(QStringLiteral("sea.jpg"), QStringLiteral("2020_")),
              QStringLiteral("2020_sea.jpg"));
    EXPECT_EQ(name_with_string_added(QStringLiteral("my TRIP.jpg"), QStringLiteral("trip")), std::nullopt);
    EXPECT_EQ(name_with_string_removed(QStringLiteral("TRIP_sea.jpg"), QStringLiteral("trip_")),
              QStringLiteral("sea.jpg"));
    EXPECT_EQ(name_with_string_removed(QStringLiteral("sea_trip_.jpg"), QStringLiteral("trip_")),
              std::nullopt);
    EXPECT_EQ(name_with_string_removed(QStringLiteral("trip"), QStringLiteral("TRIP")), std::nullopt)
        << "a name is never left empty";
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
    EXPECT_EQ(shown.at(0), QStringLiteral("String to be added?"));
    EXPECT_EQ(shown.at(1), QStringLiteral("3 files renamed."));
    EXPECT_EQ(shown.at(3), QStringLiteral("0 files renamed."));
    EXPECT_EQ(t.ctx.pictures.last_picture_file, dir + QStringLiteral("/X_b.jpg"))
        << "the last picture follows";
    EXPECT_EQ(t.settings.get_setting(QStringLiteral("last_picture_file")), dir + QStringLiteral("/X_b.jpg"));
}

TEST_F(BrowserRenameTest, RemovingTouchesOnlyNamesBeginningWithTheString) {
    make({"old_a.jpg", "OLD_b.gif", "c_old_.jpg", "old_"});
    t.prompter.answer("old_");
    remove_string_from_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), (QStringList{"a.jpg", "b.gif", "c_old_.jpg", "old_"}));
    EXPECT_EQ(t.prompter.messages().last(), QStringLiteral("2 files renamed."));
    EXPECT_EQ(t.prompter.shown().front().title,
              QStringLiteral("Removing string from names of files in a given directory"));
}

TEST_F(BrowserRenameTest, AFailingRenameStopsAndKeepsTheRest) {
    // Removing "x" from "xa.jpg" would overwrite "a.jpg": the run stops there, loses nothing.
    make({"a.jpg", "x0.jpg", "xa.jpg", "xc.jpg"});
    t.prompter.answer("x");
    remove_string_from_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), (QStringList{"0.jpg", "a.jpg", "xa.jpg", "xc.jpg"}));
    const QStringList shown = t.prompter.messages();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown.at(1).startsWith(QStringLiteral("Error 58 - "))) << shown.at(1).toStdString();
    EXPECT_TRUE(shown.at(1).contains(QStringLiteral("a.jpg")));
    EXPECT_EQ(shown.at(2), QStringLiteral("1 files renamed."));
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
    EXPECT_EQ(t.prompter.shown().front().kind, QStringLiteral("message"));
    EXPECT_TRUE(t.prompter.all_answered());
}

TEST_F(BrowserRenameTest, NamesWithSpacesApostrophesAndAccents) {
    make({QStringLiteral("l'été à Paris.jpg"), QStringLiteral("Élan d'or.png")});
    t.prompter.answer(QStringLiteral("été "));
    add_string_to_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(),
              (QStringList{QStringLiteral("l'été à Paris.jpg"), QStringLiteral("été Élan d'or.png")}));
    t.prompter.answer(QStringLiteral("ÉTÉ "));
    remove_string_from_file_names(t.ctx, t.ctx.pictures);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("l'été à Paris.jpg"), QStringLiteral("Élan d'or.png")}));
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/slide_show.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

PictureList pictures_named(int count) {
    PictureList list;
    for (int number = 1; number <= count; ++number)
        list.push_back({u"/p/pic %1.jpg"_s.arg(number), {}});
    return list;
}

struct ShowFixture : ::testing::Test {
    FakeRandom random;
    FakeDesktop desktop;
    QStringList deleted;

    SlideShow make(int count, bool random_mode = false) {
        SlideShow show(pictures_named(count), deleted, random, desktop);
        show.set_random(random_mode);
        return show;
    }
    // The 0-based indexes of `moves` forward moves.
    static std::vector<int> walk(SlideShow& show, int moves) {
        std::vector<int> shown;
        for (int move = 0; move < moves; ++move) {
            if (!show.forward()) break;
            shown.push_back(show.current());
        }
        return shown;
    }
};

TEST_F(ShowFixture, ForwardPastTheLastBeepsAndBackwardWrapsSilently) {
    SlideShow show = make(3);
    ASSERT_TRUE(show.start(2));
    // Predicting the wrap neither beeps nor moves the show.
    EXPECT_EQ(show.upcoming(), 0);
    EXPECT_EQ(show.current(), 2);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(walk(show, 3), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(desktop.beeps, 1);
    ASSERT_TRUE(show.start(0));
    ASSERT_TRUE(show.backward());
    EXPECT_EQ(show.current(), 2);
    ASSERT_TRUE(show.backward());
    EXPECT_EQ(show.current(), 1);
    EXPECT_EQ(desktop.beeps, 1);
}

TEST_F(ShowFixture, GonePicturesArePassedOverInEveryDirection) {
    PictureList list = pictures_named(5);
    list[1].path.clear();
    deleted << list[3].path;
    SlideShow show(list, deleted, random, desktop);
    ASSERT_TRUE(show.start(1)); // an empty start goes on to the next one there
    EXPECT_EQ(show.current(), 2);
    EXPECT_EQ(walk(show, 3), (std::vector<int>{4, 0, 2}));
    ASSERT_TRUE(show.backward());
    EXPECT_EQ(show.current(), 0);
    ASSERT_TRUE(show.backward());
    EXPECT_EQ(show.current(), 4);
}

TEST_F(ShowFixture, DeletingTheCurrentPictureRemovesItFromLaterPasses) {
    SlideShow show = make(3);
    ASSERT_TRUE(show.start(0));
    ASSERT_TRUE(show.forward());
    deleted << show.current_path(); // index 1 deleted while on screen
    EXPECT_EQ(walk(show, 4), (std::vector<int>{2, 0, 2, 0}));
}

TEST_F(ShowFixture, DeletedPicturesAreNeverDrawnInRandomMode) {
    deleted << u"/p/pic 2.jpg"_s;
    random.values = {0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3, 0.3};
    SlideShow show = make(3, true);
    EXPECT_EQ(show.unseen(), 2); // a deleted picture is not waiting to be seen
    ASSERT_TRUE(show.start(0));
    EXPECT_EQ(show.unseen(), 1);
    for (const int index : walk(show, 6))
        EXPECT_NE(index, 1);
}

TEST_F(ShowFixture, AListWhoseEveryPictureIsGoneStopsInsteadOfLooping) {
    deleted << u"/p/pic 1.jpg"_s << u"/p/pic 2.jpg"_s;
    for (const bool random_mode : {false, true}) {
        SlideShow show = make(2, random_mode);
        EXPECT_FALSE(show.start(0));
        EXPECT_FALSE(show.forward());
        EXPECT_FALSE(show.backward());
        EXPECT_EQ(show.upcoming(), -1);
        EXPECT_EQ(show.current(), -1);
    }
    // The last picture deleted during the show ends it where it was, for the window to close.
    deleted.clear();
    SlideShow show = make(1);
    ASSERT_TRUE(show.start(0));
    deleted << show.current_path();
    EXPECT_FALSE(show.forward());
    EXPECT_EQ(show.current(), 0);
}

TEST_F(ShowFixture, OnePictureInRandomModeBeepsAndShowsItAgain) {
    SlideShow show = make(1, true);
    ASSERT_TRUE(show.start(0));
    EXPECT_EQ(show.current(), 0);
    EXPECT_EQ(desktop.beeps, 0);
    ASSERT_TRUE(show.forward());
    EXPECT_EQ(show.current(), 0);
    EXPECT_EQ(desktop.beeps, 1);
}

TEST_F(ShowFixture, RandomDrawScansForwardFromTheDrawnEntryToAnUnseenOne) {
    // Draws 0.5 -> entry 2 of 4; then 0.5 again -> 2 is seen, so 3; then 0.9 -> 3 seen, wraps to 0.
    random.values = {0.5, 0.5, 0.9};
    SlideShow show = make(4, true);
    ASSERT_TRUE(show.start(0));
    EXPECT_EQ(show.current(), 2);
    EXPECT_EQ(walk(show, 2), (std::vector<int>{3, 0}));
}

TEST_F(ShowFixture, UnseenCountsDownAndReturnsToTheListLengthAfterTheBeep) {
    random.values = {0.0};
    SlideShow show = make(3, true);
    EXPECT_EQ(show.unseen(), 3);
    std::vector<int> unseen_after;
    ASSERT_TRUE(show.start(0));
    unseen_after.push_back(show.unseen());
    for (int move = 0; move < 3; ++move) {
        ASSERT_TRUE(show.forward());
        unseen_after.push_back(show.unseen());
    }
    // The fourth picture starts a new pass: every flag cleared with a beep, one picture taken.
    EXPECT_EQ(unseen_after, (std::vector<int>{2, 1, 0, 2}));
    EXPECT_EQ(desktop.beeps, 1);
}

TEST_F(ShowFixture, RandomBackwardWalksTheHistoryThenForwardReplaysIt) {
    random.values = {0.0, 0.5, 0.9};
    SlideShow show = make(10, true);
    ASSERT_TRUE(show.start(0));
    ASSERT_EQ(walk(show, 2), (std::vector<int>{5, 9}));
    ASSERT_TRUE(show.backward());
    EXPECT_EQ(show.current(), 5);
    ASSERT_TRUE(show.backward());
    EXPECT_EQ(show.current(), 0);
    const std::size_t draws = random.index;
    // At the first entry: a beep, and the same picture again.
    ASSERT_TRUE(show.backward());
    EXPECT_EQ(show.current(), 0);
    EXPECT_EQ(desktop.beeps, 1);
    // Forward goes through the history again before any new draw.
    EXPECT_EQ(walk(show, 2), (std::vector<int>{5, 9}));
    EXPECT_EQ(random.index, draws);
    ASSERT_TRUE(show.forward());
    EXPECT_EQ(random.index, draws + 1);
}

TEST_F(ShowFixture, TheHistoryKeepsTheLastTwentyPictures) {
    SlideShow show = make(30, true);
    random.values.clear();
    for (int draw = 0; draw < 25; ++draw)
        random.values.push_back(draw / 30.0 + 0.001);
    ASSERT_TRUE(show.start(0));
    walk(show, 24); // pictures 0..24 in order
    int back_moves = 0;
    while (show.backward() && desktop.beeps == 0)
        ++back_moves;
    EXPECT_EQ(back_moves, SlideShow::history_capacity - 1);
    EXPECT_EQ(show.current(), 5);
}

TEST_F(ShowFixture, UpcomingPredictsTheNextForwardMoveInBothModes) {
    random.values = {0.15, 0.75, 0.35, 0.55, 0.95, 0.05};
    for (const bool random_mode : {false, true}) {
        random.index = 0;
        SlideShow show = make(6, random_mode);
        ASSERT_TRUE(show.start(2));
        for (int move = 0; move < 8; ++move) {
            const int predicted = show.upcoming();
            EXPECT_EQ(show.upcoming(), predicted) << "asking twice draws nothing new";
            ASSERT_TRUE(show.forward());
            EXPECT_EQ(show.current(), predicted) << "move " << move << (random_mode ? " random" : "");
        }
    }
}

TEST(SlideShowNames, OnlyPictureNamesAreShown) {
    EXPECT_FALSE(bad_file_name_message(u"/p/a b/l'été.JPG"_s).has_value());
    EXPECT_FALSE(bad_file_name_message(u"/p/x.jpeg"_s).has_value());
    EXPECT_EQ(bad_file_name_message(u"/p/notes.txt"_s).value_or(QString()), u"Bad file name: /p/notes.txt"_s);
}

} // namespace

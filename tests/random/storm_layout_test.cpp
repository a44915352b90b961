// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where a storm's labels go (random places, arrangements) and the animation's cycle of picks.
#include "random/storm_layout.h"
#include "support/fakes.h"

#include <gtest/gtest.h>
#include <set>

namespace {

bool on_board(const LabelPlace& place, const LabelBox& box, const BoardSize& board) {
    return place.left >= 0 && place.top >= 0 && place.left + box.width <= board.width &&
           place.top + box.height <= board.height;
}

TEST(StormPlacement, DrawsLeftThenTopInsideTheMarginsAndNeverOffTheBoard) {
    FakeRandom random;
    const BoardSize board{12000, 9000};
    // left = (12000 - 140 - 1000) * 0.5 + 1; top = (9000 - 440 - 300) * 0.25 + 1.
    random.values = {0.5, 0.25};
    EXPECT_EQ(random_place(random, board, 1000, 300), (LabelPlace{5431, 2066}));
    EXPECT_EQ(random.index, 2U);

    // At the far end of the draw the label still ends before the right and bottom margins.
    random.values = {0.999999};
    random.index = 0;
    const LabelPlace far = random_place(random, board, 1000, 300);
    EXPECT_LE(far.left + 1000, board.width - storm_right_margin);
    EXPECT_LE(far.top + 300, board.height - storm_bottom_margin);

    // A label as wide as the board less 140 twips is placed at left 1 whatever the draw.
    for (const double r : {0.0, 0.5, 0.99}) {
        random.values = {r, 0.0};
        random.index = 0;
        EXPECT_EQ(random_place(random, board, 12000 - storm_right_margin, 300).left, 1) << r;
    }
    // Wider or higher than the board itself: at the top left corner, never at a negative place.
    random.values = {0.7};
    random.index = 0;
    const LabelPlace huge = random_place(random, board, 20000, 12000);
    EXPECT_EQ(huge, (LabelPlace{0, 0}));
    // A long title wraps to the widest label, which then fits.
    random.index = 0;
    const int widest = widest_label(board);
    const LabelPlace wide = random_place(random, board, widest, 600);
    EXPECT_TRUE(on_board(wide, {0, 0, widest, 600}, board));
}

std::vector<LabelBox> scattered(int count, FakeRandom& random, const BoardSize& board) {
    std::vector<LabelBox> boxes;
    for (int i = 0; i < count; ++i) {
        const int width = 600 + (i % 7) * 150;
        const LabelPlace place = random_place(random, board, width, 300);
        boxes.push_back({place.left, place.top, width, 300});
    }
    return boxes;
}

std::vector<int> present_order(std::size_t count) {
    std::vector<int> order(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = static_cast<int>(i);
    return order;
}

TEST(StormArrangement, FillsRowsFromTheTopLeftLabelWithSquareRootColumns) {
    const BoardSize board{30000, 20000};
    std::vector<LabelBox> boxes;
    boxes.reserve(16);
    for (int i = 0; i < 16; ++i)
        boxes.push_back({5000 + i * 500, 4000 + i * 300, 600, 300});
    // The label nearest the top left corner marks where the array begins.
    boxes[9] = {1000, 2000, 600, 300};
    const std::vector<LabelPlace> places = arrange_labels(boxes, present_order(boxes.size()), board);
    // 16 tags: 4 columns, so the fifth tag starts the second row under the first.
    EXPECT_EQ(places[0], (LabelPlace{1000, 2000}));
    EXPECT_EQ(places[4].left, 1000);
    EXPECT_GT(places[4].top, places[0].top);
    EXPECT_EQ(places[1].top, 2000);
    EXPECT_GT(places[1].left, places[0].left);
    // Rows are about 2000 twips apart on a tall board.
    EXPECT_EQ(places[4].top - places[0].top, storm_row_height);
    std::set<std::pair<int, int>> distinct;
    for (const LabelPlace& place : places)
        distinct.insert({place.left, place.top});
    EXPECT_EQ(distinct.size(), 16U);
}

TEST(StormArrangement, NoLabelLeavesTheBoardWhateverTheCountOrTheStart) {
    FakeRandom random;
    random.values = {0.13, 0.71, 0.42, 0.97, 0.05, 0.66, 0.31, 0.88};
    for (const BoardSize board : {BoardSize{12000, 6000}, BoardSize{30000, 16000}, BoardSize{3000, 2500}}) {
        for (const int count : {1, 2, 17, 100, 400}) {
            std::vector<LabelBox> boxes = scattered(count, random, board);
            // A start in the far bottom right corner leaves little room: labels crowd, never leave.
            boxes[0].left = board.width - 700;
            boxes[0].top = board.height - 500;
            for (LabelBox& box : boxes) {
                box.left = std::max(box.left, board.width / 2);
                box.top = std::max(box.top, board.height / 2);
            }
            const std::vector<LabelPlace> places = arrange_labels(boxes, present_order(boxes.size()), board);
            ASSERT_EQ(places.size(), boxes.size());
            for (std::size_t i = 0; i < places.size(); ++i)
                ASSERT_TRUE(on_board(places[i], boxes[i], board))
                    << count << " tags, label " << i << " at " << places[i].left << "," << places[i].top;
        }
    }
}

TEST(StormArrangement, ARowForEvery2000TwipsAndMoreColumnsWhenTheRowsAreFull) {
    // 400 tags on a board with room for 7 rows of 2000 twips: 58 columns, not 20.
    const BoardSize board{60000, 14440};
    std::vector<LabelBox> boxes(400, LabelBox{0, 0, 200, 200});
    const std::vector<LabelPlace> places = arrange_labels(boxes, present_order(boxes.size()), board);
    std::set<int> rows;
    std::set<int> columns;
    for (const LabelPlace& place : places) {
        rows.insert(place.top);
        columns.insert(place.left);
    }
    EXPECT_EQ(rows.size(), 7U);
    EXPECT_EQ(columns.size(), 58U);
}

TEST(StormArrangement, SortedOrderComparesCaptionsWithoutCaseAndKeepsTies) {
    const std::vector<QString> captions{QStringLiteral(" pear "), QStringLiteral(" Apple "),
                                        QStringLiteral(" banana "), QStringLiteral(" apple ")};
    EXPECT_EQ(sorted_order(captions), (std::vector<int>{1, 3, 2, 0}));
    // The sorted order decides the places: the first in order takes the array's start.
    const BoardSize board{20000, 12000};
    std::vector<LabelBox> boxes{
        {5000, 5000, 500, 300}, {6000, 6000, 500, 300}, {100, 100, 500, 300}, {7000, 7000, 500, 300}};
    const std::vector<LabelPlace> places = arrange_labels(boxes, sorted_order(captions), board);
    EXPECT_EQ(places[1], (LabelPlace{100, 100}));
    EXPECT_EQ(places[3].top, 100);
    EXPECT_GT(places[0].top, 100);
}

TEST(StormAnimation, IntervalSlowsSmallBoards) {
    EXPECT_EQ(animation_interval(1), 100);
    EXPECT_EQ(animation_interval(80), 21);
    EXPECT_EQ(animation_interval(85), 16);
    EXPECT_EQ(animation_interval(99), 16);
    EXPECT_EQ(animation_interval(400), 16);
}

TEST(StormAnimation, PicksEveryTagOncePerCycleWithAnyDraws) {
    FakeRandom random;
    // Draws that keep hitting the same tags: the cycle still visits each tag once.
    random.values = {0.5, 0.5, 0.5, 0.0, 0.99, 0.5, 0.5};
    PickCycle cycle(5);
    std::vector<int> picks;
    picks.reserve(5);
    for (int i = 0; i < 5; ++i)
        picks.push_back(cycle.pick(random));
    EXPECT_EQ(picks, (std::vector<int>{2, 3, 4, 0, 1}));
    // The sixth pick starts a new cycle with the tag drawn, even one picked just before.
    random.values = {0.2};
    random.index = 0;
    EXPECT_EQ(cycle.pick(random), 1);
    EXPECT_TRUE(cycle.picked(1));
    EXPECT_FALSE(cycle.picked(2));
}

TEST(StormAnimation, CycleFollowsTagsAddedAndRemoved) {
    FakeRandom random;
    random.values = {0.0};
    PickCycle cycle(3);
    EXPECT_EQ(cycle.pick(random), 0);
    EXPECT_EQ(cycle.pick(random), 1);
    // Tag 0 goes: the former tag 1 (picked) is now 0, the former 2 (not picked) is now 1.
    cycle.remove(0);
    cycle.add();
    ASSERT_EQ(cycle.count(), 3);
    std::set<int> rest{cycle.pick(random), cycle.pick(random)};
    EXPECT_EQ(rest, (std::set<int>{1, 2}));
    EXPECT_EQ(PickCycle(0).count(), 0);
    PickCycle empty;
    EXPECT_EQ(empty.pick(random), -1);
}

} // namespace

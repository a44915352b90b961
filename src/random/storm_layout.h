// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

class RandomSource;

// Where the labels of a storm go on its board, in twips, and which label the animation changes
// next.

// Labels keep clear of the board's right edge by this much, and of its bottom edge by
// bottom_margin (a label's top is drawn over the height less top_band and right_margin).
inline constexpr int storm_right_margin = 140;
inline constexpr int storm_top_band = 300;
inline constexpr int storm_bottom_margin = storm_top_band + storm_right_margin;
// The arrangement puts about one row in this height of the board.
inline constexpr int storm_row_height = 2000;

struct BoardSize {
    int width = 0;
    int height = 0;
};

struct LabelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct LabelPlace {
    int left = 0;
    int top = 0;
    bool operator==(const LabelPlace&) const = default;
};

// A random place for a label of `width` x `height` on `board`: two draws, left then top. A label
// whose edge would pass the margins is moved back by its size; it never leaves the board.
LabelPlace random_place(RandomSource& random, const BoardSize& board, int width, int height);

// The widest a label may be on `board` (a longer title wraps).
int widest_label(const BoardSize& board);

// The labels lined up from the one nearest the board's top left corner, in rows filled left to
// right: the columns grow with the square root of the count, the rows are about one per 2000
// twips of the board's height, and more columns are added when the rows are full. `order` lists
// the indexes of `boxes` in the order they take their places; the answer gives each box (by
// index) its new place, every one inside the board.
std::vector<LabelPlace> arrange_labels(const std::vector<LabelBox>& boxes, const std::vector<int>& order,
                                       const BoardSize& board);

// The order of a sorted arrangement: the captions in alphabetical order, case ignored, equal
// captions in their present order.
std::vector<int> sorted_order(const std::vector<QString>& captions);

// The animation's interval: 100 - n + 1 milliseconds for n tags, never below one display frame
// (16 ms).
int animation_interval(int tag_count);

// The animation's choice of the next tag: drawn at random, no tag twice until every tag has had
// its turn.
class PickCycle {
public:
    explicit PickCycle(int count = 0) { reset(count); }
    // A new cycle over `count` tags.
    void reset(int count);
    // Draws k among the tags; a tag already picked in this cycle gives way to the next one not
    // yet picked (wrapping); after the last one a new cycle starts with k. -1 without tags.
    int pick(RandomSource& random);
    // The tag at `index` went away: the later tags move down one place.
    void remove(int index);
    // A tag was added at the end, not yet picked in this cycle.
    void add();
    int count() const { return static_cast<int>(picked_.size()); }
    bool picked(int index) const { return picked_.at(static_cast<std::size_t>(index)); }

private:
    std::vector<bool> picked_;
    int picked_count_ = 0;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/storm_layout.h"

#include "core/seams.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Tags from this count on change as fast as the timer allows.
constexpr int fast_board_tags = 100;

int clamp_into(int value, int lowest, int highest) {
    return std::max(lowest, std::min(value, highest));
}

// The place that keeps a box inside the board's margins (at 0 when it is larger).
LabelPlace inside_margins(const BoardSize& board, int left, int top, int width, int height) {
    return {clamp_into(left, 0, std::max(0, board.width - storm_right_margin - width)),
            clamp_into(top, 0, std::max(0, board.height - storm_bottom_margin - height))};
}

// The place that keeps a box on the board (at 0 when it is larger).
LabelPlace inside_board(const BoardSize& board, int left, int top, int width, int height) {
    return {clamp_into(left, 0, std::max(0, board.width - width)),
            clamp_into(top, 0, std::max(0, board.height - height))};
}

} // namespace

LabelPlace random_place(RandomSource& random, const BoardSize& board, int width, int height) {
    const int right_limit = board.width - storm_right_margin;
    int left = static_cast<int>((right_limit - width) * random.next()) + 1;
    if (left + width > right_limit) left -= width;
    const int bottom_limit = board.height - storm_bottom_margin;
    int top = static_cast<int>((bottom_limit - height) * random.next()) + 1;
    if (top + height > bottom_limit) top -= height;
    // A label as wide (or high) as the space is moved back past the board's edge: it stays at 1.
    if (left < 0) left = 1;
    if (top < 0) top = 1;
    return inside_board(board, left, top, width, height);
}

int widest_label(const BoardSize& board) {
    return std::max(1, board.width - storm_right_margin - 1);
}

std::vector<LabelPlace> arrange_labels(const std::vector<LabelBox>& boxes, const std::vector<int>& order,
                                       const BoardSize& board) {
    std::vector<LabelPlace> places(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i)
        places[i] = {boxes[i].left, boxes[i].top};
    const int count = static_cast<int>(order.size());
    if (count == 0) return places;

    // The array begins where the label nearest the top left corner stands.
    const auto first = std::min_element(boxes.begin(), boxes.end(), [](const LabelBox& a, const LabelBox& b) {
        return a.left + a.top < b.left + b.top;
    });
    const LabelPlace start = inside_margins(board, first->left, first->top, 0, 0);
    const int usable_width = std::max(1, board.width - storm_right_margin - start.left);
    const int usable_height = std::max(1, board.height - storm_bottom_margin - start.top);

    const int rows_that_fit = std::max(1, usable_height / storm_row_height);
    int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    if ((count + columns - 1) / columns > rows_that_fit)
        columns = (count + rows_that_fit - 1) / rows_that_fit;
    const int rows = (count + columns - 1) / columns;
    const int column_step = usable_width / columns;
    const int row_step = std::min(storm_row_height, usable_height / rows);

    for (int n = 0; n < count; ++n) {
        const LabelBox& box = boxes.at(static_cast<std::size_t>(order[static_cast<std::size_t>(n)]));
        const int left = start.left + (n % columns) * column_step;
        const int top = start.top + (n / columns) * row_step;
        places.at(static_cast<std::size_t>(order[static_cast<std::size_t>(n)])) =
            inside_margins(board, left, top, box.width, box.height);
    }
    return places;
}

std::vector<int> sorted_order(const std::vector<QString>& captions) {
    std::vector<int> order(captions.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&captions](int a, int b) {
        return captions[static_cast<std::size_t>(a)].compare(captions[static_cast<std::size_t>(b)],
                                                             Qt::CaseInsensitive) < 0;
    });
    return order;
}

constexpr int display_frame_ms = 16;

int animation_interval(int tag_count) {
    // Never faster than the display shows frames: a step per millisecond on a large board would
    // take the whole interface thread.
    return std::max(display_frame_ms, fast_board_tags - tag_count + 1);
}

void PickCycle::reset(int count) {
    picked_.assign(static_cast<std::size_t>(std::max(0, count)), false);
    picked_count_ = 0;
}

int PickCycle::pick(RandomSource& random) {
    const int n = count();
    if (n == 0) return -1;
    const int drawn = std::min(n - 1, static_cast<int>(random.next() * n));
    if (picked_count_ >= n) reset(n);
    int k = drawn;
    while (picked_[static_cast<std::size_t>(k)])
        k = (k + 1) % n;
    picked_[static_cast<std::size_t>(k)] = true;
    ++picked_count_;
    return k;
}

void PickCycle::remove(int index) {
    if (index < 0 || index >= count()) return;
    if (picked_[static_cast<std::size_t>(index)]) --picked_count_;
    picked_.erase(picked_.begin() + index);
}

void PickCycle::add() {
    picked_.push_back(false);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/show_view.h"

#include "core/seams.h"
#include "pictures/picture_image.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 area(QSize size) {
    return static_cast<qint64>(size.width()) * size.height();
}

QSize scaled_by(QSize size, double factor) {
    return {std::max(1, static_cast<int>(std::lround(size.width() * factor))),
            std::max(1, static_cast<int>(std::lround(size.height() * factor)))};
}

bool turns_right(SwimDirection direction) {
    return direction == SwimDirection::UpRight || direction == SwimDirection::DownRight;
}

bool goes_down(SwimDirection direction) {
    return direction == SwimDirection::DownLeft || direction == SwimDirection::DownRight;
}

SwimDirection direction_of(bool right, bool down) {
    if (down) return right ? SwimDirection::DownRight : SwimDirection::DownLeft;
    return right ? SwimDirection::UpRight : SwimDirection::UpLeft;
}

// One coordinate moved by `step` inside [low, high - extent]; `forward` flips at an edge.
int bounce(int value, int step, int extent, int low, int high, bool& forward) {
    const int last = std::max(low, high - extent);
    int moved = value + (forward ? step : -step);
    if (moved >= last) {
        moved = last;
        forward = false;
    }
    if (moved <= low) {
        moved = low;
        forward = true;
    }
    return moved;
}

} // namespace

QSize enlarged(QSize shown) {
    const QSize larger = scaled_by(shown, 1.2);
    return area(larger) > max_shown_pixels ? shown : larger;
}

QSize reduced(QSize shown) {
    const QSize smaller = scaled_by(shown, 0.8);
    return std::min(smaller.width(), smaller.height()) < min_shown_side ? shown : smaller;
}

QSize normal_size(QSize full) {
    if (full.isEmpty() || area(full) <= max_shown_pixels) return full;
    const double factor = std::sqrt(static_cast<double>(max_shown_pixels) / static_cast<double>(area(full)));
    return scaled_by(full, factor);
}

QSize show_size(QSize full, QSize screen, bool fit_mode) {
    return fit_mode ? fit_size(full, screen, true) : normal_size(full);
}

QSize window_picture_size(QSize full, QSize available) {
    return fit_size(full, available, false);
}

AquariumStep aquarium_step(QPoint position, QSize size, QRect screen, SwimDirection direction,
                           RandomSource& random) {
    if (random.next() < aquarium_turn_chance)
        direction = static_cast<SwimDirection>(std::clamp(static_cast<int>(random.next() * 4), 0, 3));
    bool right = turns_right(direction);
    bool down = goes_down(direction);
    const int x = bounce(position.x(), aquarium_step_pixels, size.width(), screen.left(),
                         screen.left() + screen.width(), right);
    const int y = bounce(position.y(), aquarium_step_pixels, size.height(), screen.top(),
                         screen.top() + screen.height(), down);
    return {QPoint(x, y), direction_of(right, down)};
}

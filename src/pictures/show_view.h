// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class RandomSource;

// The sizes a picture is shown at in the slide show and the picture windows, and the motion of
// a picture window in aquarium mode. Sizes are in screen pixels.

// The largest picture shown, in pixels: an enlargement stops before its decoded copy would
// take more than about 150 MB.
constexpr qint64 max_shown_pixels = 36'000'000;
// The smallest side a reduction leaves.
constexpr int min_shown_side = 16;

// "+": one fifth larger than `shown`, proportions kept; `shown` itself when that would pass
// max_shown_pixels.
QSize enlarged(QSize shown);
// "-": one fifth smaller; `shown` itself when a side would go below min_shown_side.
QSize reduced(QSize shown);
// "/": the picture's own size, reduced to max_shown_pixels when larger (proportions kept).
QSize normal_size(QSize full);
// The size at which the slide show shows a picture: fitted to the screen (enlarging small ones)
// in fit mode, else its normal size.
QSize show_size(QSize full, QSize screen, bool fit_mode);
// A picture window's picture: its own size, fitted into `available` when larger.
QSize window_picture_size(QSize full, QSize available);

// Aquarium mode: the window swims diagonally in one of four directions, turning at random
// moments and bouncing off the screen's edges; it never leaves `screen`.
enum class SwimDirection { UpLeft, UpRight, DownLeft, DownRight };

struct AquariumStep {
    QPoint position;
    SwimDirection direction = SwimDirection::DownRight;
};

// Chance per step of turning into a new direction.
constexpr double aquarium_turn_chance = 0.02;
constexpr int aquarium_step_pixels = 4;

// One step of a window of `size` at `position` on `screen`.
AquariumStep aquarium_step(QPoint position, QSize size, QRect screen, SwimDirection direction,
                           RandomSource& random);

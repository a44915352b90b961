// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/show_view.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace {

TEST(ShowZoom, PlusAndMinusChangeTheSizeByOneFifthKeepingProportions) {
    EXPECT_EQ(enlarged(QSize(1000, 500)), QSize(1200, 600));
    EXPECT_EQ(reduced(QSize(1000, 500)), QSize(800, 400));
    // Each step works on the current size: five up and five down leave 0.96^5 of it.
    QSize size(800, 600);
    for (int step = 0; step < 5; ++step)
        size = enlarged(size);
    for (int step = 0; step < 5; ++step)
        size = reduced(size);
    EXPECT_NEAR(size.width(), 800 * 0.8153727, 3);
    EXPECT_NEAR(static_cast<double>(size.width()) / size.height(), 800.0 / 600.0, 0.01);
}

TEST(ShowZoom, SizesStopAtTheirLimits) {
    const QSize largest(6000, 6000); // 36 Mpx: one more step would pass the limit
    EXPECT_EQ(enlarged(largest), largest);
    EXPECT_EQ(reduced(QSize(19, 400)), QSize(19, 400));
    const QSize huge = normal_size(QSize(20000, 20000));
    EXPECT_LE(static_cast<qint64>(huge.width()) * huge.height(), max_shown_pixels);
    EXPECT_EQ(huge.width(), huge.height());
    EXPECT_EQ(normal_size(QSize(4000, 3000)), QSize(4000, 3000));
}

TEST(ShowZoom, FitModeEnlargesSmallPicturesAndWindowsOnlyShrinkLargeOnes) {
    const QSize screen(1920, 1080);
    EXPECT_EQ(show_size(QSize(400, 300), screen, true), QSize(1440, 1080));
    EXPECT_EQ(show_size(QSize(400, 300), screen, false), QSize(400, 300));
    EXPECT_EQ(show_size(QSize(4000, 3000), screen, true), QSize(1440, 1080));
    EXPECT_EQ(window_picture_size(QSize(400, 300), screen), QSize(400, 300));
    EXPECT_EQ(window_picture_size(QSize(3000, 6000), screen), QSize(540, 1080));
}

TEST(Aquarium, TheWindowStaysOnTheScreenWhateverTheDraws) {
    FakeRandom random;
    random.values.clear();
    for (int draw = 0; draw < 500; ++draw)
        random.values.push_back((draw * 37 % 100) / 100.0);
    const QRect screen(0, 0, 800, 600);
    const QSize size(200, 150);
    AquariumStep step{QPoint(300, 200), SwimDirection::DownRight};
    bool turned = false;
    QPoint min_seen(10000, 10000), max_seen(-1, -1);
    for (int tick = 0; tick < 2000; ++tick) {
        const SwimDirection before = step.direction;
        step = aquarium_step(step.position, size, screen, step.direction, random);
        turned = turned || step.direction != before;
        ASSERT_TRUE(screen.contains(QRect(step.position, size))) << tick;
        min_seen =
            QPoint(std::min(min_seen.x(), step.position.x()), std::min(min_seen.y(), step.position.y()));
        max_seen =
            QPoint(std::max(max_seen.x(), step.position.x()), std::max(max_seen.y(), step.position.y()));
    }
    EXPECT_TRUE(turned);
    // It reaches the edges, not just one corner.
    EXPECT_EQ(min_seen, QPoint(0, 0));
    EXPECT_EQ(max_seen, QPoint(600, 450));
}

TEST(Aquarium, DirectionsMoveDiagonallyAndTurnOnlyWhenDrawn) {
    FakeRandom random;
    random.values = {0.9}; // never below the turn chance
    struct Case {
        SwimDirection direction;
        QPoint moved;
    };
    const QRect screen(0, 0, 1000, 1000);
    for (const Case& c :
         {Case{SwimDirection::UpLeft, QPoint(-4, -4)}, Case{SwimDirection::UpRight, QPoint(4, -4)},
          Case{SwimDirection::DownLeft, QPoint(-4, 4)}, Case{SwimDirection::DownRight, QPoint(4, 4)}}) {
        const AquariumStep step = aquarium_step(QPoint(500, 500), QSize(10, 10), screen, c.direction, random);
        EXPECT_EQ(step.position - QPoint(500, 500), c.moved);
        EXPECT_EQ(step.direction, c.direction);
    }
    random.values = {0.0, 0.3}; // turn, into direction 1
    random.index = 0;
    EXPECT_EQ(aquarium_step(QPoint(500, 500), QSize(10, 10), screen, SwimDirection::UpLeft, random).direction,
              SwimDirection::UpRight);
    // A window larger than the screen stays at its corner.
    EXPECT_EQ(aquarium_step(QPoint(40, 40), QSize(2000, 2000), QRect(0, 0, 800, 600),
                            SwimDirection::DownRight, random)
                  .position,
              QPoint(0, 0));
}

} // namespace

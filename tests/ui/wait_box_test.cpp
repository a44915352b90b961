// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/wait_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

TEST(WaitBox, ShowsAtOnceInTheMiddleOfTheScreenWithoutTakingTheUserAway) {
    QWidget owner;
    auto* box = new WaitBox(&owner);
    auto* label = box->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);

    box->show_now();
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->isWindow());
    EXPECT_TRUE(box->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(box->isModal());
    EXPECT_TRUE(label->isVisible());
    const QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint centre = box->frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - screen_centre.x()), 1);
    EXPECT_LE(std::abs(centre.y() - screen_centre.y()), 1);
    // Large enough to read its text whole.
    EXPECT_GE(box->width(), label->fontMetrics().horizontalAdvance(label->text()));
}

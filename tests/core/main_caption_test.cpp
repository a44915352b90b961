// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_caption.h"

#include <gtest/gtest.h>

TEST(MainCaption, TitleDatabaseAndDayFirstTimeToTheMinute) {
    const QDateTime afternoon(QDate(2026, 11, 23), QTime(15, 42, 59));
    EXPECT_EQ(main_caption(QStringLiteral("family"), afternoon, false),
              QStringLiteral("Tessarin (family) 23/11/26 15:42"));
    // Single digits are padded, hours run to 23, the year keeps two digits.
    const QDateTime early(QDate(2009, 1, 5), QTime(7, 3, 0));
    EXPECT_EQ(main_caption(QStringLiteral("family"), early, false),
              QStringLiteral("Tessarin (family) 05/01/09 07:03"));
    // Database titles are shown as they are, spaces, dots and accents included.
    EXPECT_EQ(main_caption(QStringLiteral("l'été 2.0"), early, false),
              QStringLiteral("Tessarin (l'été 2.0) 05/01/09 07:03"));
}

TEST(MainCaption, RecompilationNeededIsAppended) {
    const QDateTime midnight(QDate(2026, 2, 28), QTime(0, 0));
    EXPECT_EQ(main_caption(QStringLiteral("notes"), midnight, true),
              QStringLiteral("Tessarin (notes) 28/02/26 00:00 (recompilation needed)"));
}

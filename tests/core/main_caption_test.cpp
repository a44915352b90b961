// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_caption.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MainCaption, TitleDatabaseAndDayFirstTimeToTheMinute) {
    const QDateTime afternoon(QDate(2026, 11, 23), QTime(15, 42, 59));
    EXPECT_EQ(main_caption(u"family"_s, afternoon, false), u"Tessarin (family) 23/11/26 15:42"_s);
    // Single digits are padded, hours run to 23, the year keeps two digits.
    const QDateTime early(QDate(2009, 1, 5), QTime(7, 3, 0));
    EXPECT_EQ(main_caption(u"family"_s, early, false), u"Tessarin (family) 05/01/09 07:03"_s);
    // Database titles are shown as they are, spaces, dots and accents included.
    EXPECT_EQ(main_caption(u"l'été 2.0"_s, early, false), u"Tessarin (l'été 2.0) 05/01/09 07:03"_s);
}

TEST(MainCaption, RecompilationNeededIsAppended) {
    const QDateTime midnight(QDate(2026, 2, 28), QTime(0, 0));
    EXPECT_EQ(main_caption(u"notes"_s, midnight, true),
              u"Tessarin (notes) 28/02/26 00:00 (recompilation needed)"_s);
}

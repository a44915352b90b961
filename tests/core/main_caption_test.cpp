// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_caption.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(MainCaption, TitleDatabaseAndDayFirstTimeToTheMinute) {
    const QDateTime afternoon(QDate(2026, 11, 23), QTime(15, 42, 59));
    EXPECT_EQ(main_caption(u"family"_s, afternoon, false), u"Tessarin (family) 23/11/26 15:42"_s);
    // Single digits are padded, the year keeps two digits, titles are shown as they are.
    const QDateTime early(QDate(2009, 1, 5), QTime(7, 3, 0));
    EXPECT_EQ(main_caption(u"l'été 2.0"_s, early, true),
              u"Tessarin (l'été 2.0) 05/01/09 07:03 (recompilation needed)"_s);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "changelog_text.h"
#include "shell/help_texts.h"
#include "shell/product_info.h"
#include "support/test_context.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Only a few collections are visible: Agenda (A), Contacts (F11), Books renamed "Novels" (B)
// with its open-as-map flag set (Ctrl+B opens its map), and All collections (0, whose Alt key
// is the top map's). Money is defined but hidden, File links
// is flagged visible but no longer defined, x01 is defined without a shortcut.
void few_visible_collections(AppContext& ctx) {
    ctx.collections.init_collections();
    for (int position = 1; position <= CollectionTable::count; ++position)
        ctx.collections.at(position).visible = false;
    for (int position : {1, 2, 7, 19, 45})
        ctx.collections.at(position).visible = true;
    ctx.collections.at(7).name = "Novels";
    ctx.collections.at(7).open_coll_as_map = true;
    ctx.collections.at(19).defined = true;
    ctx.collections.at(3).visible = true;
    ctx.collections.at(3).defined = false;
}

TEST(HotKeyList, ListsTheVisibleCollectionsSortedAmongTheFixedKeys) {
    TestContext tc;
    few_visible_collections(tc.ctx);
    const QStringList lines = hot_key_list(tc.ctx).split(QLatin1Char('\n'));
    // The collection keys come after "Find map" and before the top map, sorted as texts.
    const qsizetype first = lines.indexOf("F6\tFind map") + 1;
    const qsizetype last = lines.indexOf("ALT+0\tOpen top map");
    ASSERT_GT(first, 0);
    EXPECT_EQ(lines.mid(first, last - first), (QStringList{
                                                  "ALT+A\tOpen map \"Agenda\"",
                                                  "ALT+B\tOpen table \"Novels\"",
                                                  "ALT+F11\tOpen map \"Contacts\"",
                                                  "CTL+0\tOpen table \"All collections\"",
                                                  "CTL+A\tOpen table \"Agenda\"",
                                                  "CTL+B\tOpen map \"Novels\"",
                                                  "F11\tOpen table \"Contacts\"",
                                              }));
    EXPECT_EQ(lines.first(), "Functions generally applicable:");
    EXPECT_TRUE(lines.contains("Functions applicable to the active tag map (if any):"));
    EXPECT_EQ(lines.last(), "[end of list]");
}

TEST(AboutText, NamesTheVersionAndTheWebPage) {
    const QString text = about_text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Tessarin version " TESSARIN_VERSION "\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(web_site_address));
}

// Changes are numbered across versions, newest first, a continued line joined to its change
// and lines that are no change left out; the numbers align once there are ten.
TEST(VersionHistory, NumbersTheChangesNewestFirstUnderTheirVersions) {
    QString changelog =
        QStringLiteral("# Changelog\n\nSome words, with - a dash and ## marks inside lines.\n\n"
                       "## 1.1.0 (2026-03-01)\n\n"
                       "- 2026-02-27 F The calendar no longer shows 100% of\n  the days twice.\n"
                       "- not a change line\n\n"
                       "## 1.0.0 (2026-01-10)\n\n");
    for (int day = 10; day >= 1; --day)
        changelog += QStringLiteral("- 2026-01-%1 N Change %2.\n").arg(day, 2, 10, QLatin1Char('0')).arg(day);
    const QStringList lines = version_history(changelog, "1.1.0").split(QLatin1Char('\n'));
    EXPECT_EQ(lines.at(1), "Current version is 1.1.0");
    EXPECT_EQ(lines.mid(4, 4),
              (QStringList{"---------- Version 1.1.0 (2026-03-01) ----------",
                           "11  27/02/26  F  The calendar no longer shows 100% of the days twice.", "",
                           "---------- Version 1.0.0 (2026-01-10) ----------"}));
    EXPECT_EQ(lines.at(8), "10  10/01/26  N  Change 10.");
    EXPECT_EQ(lines.last(), " 1  01/01/26  N  Change 1.");
}

TEST(VersionHistory, TheShippedChangelogIsReadWhole) {
    const QString changelog = QString::fromUtf8(changelog_text);
    const qsizetype change_lines = changelog.count(QRegularExpression("(^|\n)- "));
    const QString history = version_history();
    ASSERT_GT(change_lines, 0);
    EXPECT_EQ(history.count(QRegularExpression("\n *\\d+  \\d\\d/\\d\\d/\\d\\d  [FIN]  ")), change_lines);
    EXPECT_TRUE(history.contains(QStringLiteral("Current version is " TESSARIN_VERSION "\n")));
}

} // namespace

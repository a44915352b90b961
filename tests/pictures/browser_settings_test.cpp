// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/browser_settings.h"
#include "support/test_context.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class BrowserSettingsTest : public ::testing::Test {
protected:
    TestContext t;
    QString stored(const char* key) const { return t.settings.get_setting(QString::fromLatin1(key)); }
    void store(const char* key, const char* value) {
        t.settings.save_setting(QString::fromLatin1(key), QString::fromUtf8(value));
    }
};

TEST_F(BrowserSettingsTest, OpeningReadsEveryKeyAndTheDriveRootIsHome) {
    for (const char* root : {"", "c:\\", "C:"}) {
        SCOPED_TRACE(root);
        store("init_dir_for_search", root);
        EXPECT_EQ(read_browser_settings(t.settings, t.ctx.pictures).init_dir_for_search,
                  QDir::toNativeSeparators(QDir::homePath()));
    }
    store("init_dir_for_search", "/srv/photos/");
    store("picture_editor", "/usr/bin/gimp");
    store("interval", "3500");
    store("autom", "-1");
    store("random", "0");
    store("fit_mode", "1");
    store("black_screen", "true");
    store("sort_descending", "-1");
    store("sort_by_datetime", "");
    const BrowserSettings shown = read_browser_settings(t.settings, t.ctx.pictures);
    EXPECT_EQ(shown.init_dir_for_search, u"/srv/photos"_s);
    EXPECT_EQ(shown.picture_editor, u"/usr/bin/gimp"_s);
    EXPECT_EQ(shown.interval, u"3500"_s);
    EXPECT_TRUE(shown.autom);
    EXPECT_FALSE(shown.random);
    EXPECT_TRUE(shown.fit_mode);
    EXPECT_TRUE(shown.black_screen);
    EXPECT_TRUE(shown.sort_descending);
    EXPECT_FALSE(shown.sort_by_datetime);
    store("interval", "soon");
    EXPECT_EQ(read_browser_settings(t.settings, t.ctx.pictures).interval, QString());
}

TEST_F(BrowserSettingsTest, IntervalIsStoredOnlyWhenNumeric) {
    store("interval", "2500");
    for (const char* bad : {"", "abc", "12x", "-5", "0", "1.5", "99999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(store_interval(t.settings, t.ctx.pictures, QString::fromUtf8(bad)));
    }
    EXPECT_EQ(stored("interval"), u"2500"_s);
    EXPECT_TRUE(store_interval(t.settings, t.ctx.pictures, u" 750 "_s));
    EXPECT_EQ(stored("interval"), u"750"_s);
    EXPECT_EQ(t.ctx.pictures.interval, 750);
}

// Switching automatic advance on fills an empty interval.
TEST(BrowserSettingsTexts, AutomaticAdvanceFillsAnEmptyInterval) {
    EXPECT_EQ(interval_for_automatic(QString()), u"2000"_s);
    EXPECT_EQ(interval_for_automatic(u"  "_s), u"2000"_s);
    EXPECT_EQ(interval_for_automatic(u"900"_s), u"900"_s);
}

TEST_F(BrowserSettingsTest, FlagsRootAndEditorAreStoredAtOnce) {
    store_flag(t.settings, fit_mode_key, true);
    EXPECT_EQ(stored("fit_mode"), u"-1"_s);
    EXPECT_TRUE(read_flag(t.settings, fit_mode_key));
    store_flag(t.settings, fit_mode_key, false);
    EXPECT_EQ(stored("fit_mode"), u"0"_s);
    EXPECT_FALSE(read_flag(t.settings, fit_mode_key));
    EXPECT_EQ(store_search_root(t.settings, t.ctx.pictures, u"/srv/photos/"_s), u"/srv/photos"_s);
    EXPECT_EQ(stored("init_dir_for_search"), u"/srv/photos"_s);
    store_picture_editor(t.settings, t.ctx.pictures, u"/usr/bin/gimp"_s);
    EXPECT_EQ(stored("picture_editor"), u"/usr/bin/gimp"_s);
    EXPECT_EQ(t.ctx.pictures.picture_editor, u"/usr/bin/gimp"_s);
}

TEST_F(BrowserSettingsTest, PlaceIsKeptAndNeverBeyondTheScreen) {
    const int width = t.screen.width_twips();
    const int height = t.screen.height_twips();
    const TwipsRect first = browser_place(t.settings, t.screen);
    EXPECT_GE(first.left, 0);
    EXPECT_LE(first.left + first.width, width);

    save_browser_place(t.settings, TwipsRect{300, 450, 9000, 7000});
    EXPECT_EQ(browser_place(t.settings, t.screen), (TwipsRect{300, 450, 9000, 7000}));

    // Stored on a larger screen: shrunk to this one and moved back onto it.
    save_browser_place(t.settings, TwipsRect{height, width - 100, width * 2, height + 500});
    EXPECT_EQ(browser_place(t.settings, t.screen), (TwipsRect{0, 0, width, height}));
    save_browser_place(t.settings, TwipsRect{-600, -900, 6000, 4000});
    EXPECT_EQ(browser_place(t.settings, t.screen), (TwipsRect{0, 0, 6000, 4000}));
}

} // namespace

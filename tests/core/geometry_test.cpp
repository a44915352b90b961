// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry.h"
#include "core/params.h"
#include "support/test_db.h"

#include <array>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Failures show the rectangle rather than its bytes.
void PrintTo(const TwipsRect& r, std::ostream* out) {
    *out << '{' << r.top << ", " << r.left << ", " << r.width << ", " << r.height << '}';
}

namespace {

// The fake screen is 28800 x 16200 twips (1920 x 1080 pixels).
class WindowGeometry : public ::testing::Test, protected TestDb {
protected:
    Database* db = &open_db(u"geo.tdb"_s);
    FakeScreen& screen = tc.screen;
    void store(const char* key, const char* value) {
        set_gen_param(*db, QLatin1String(key), QLatin1String(value));
    }
    QString stored(const char* key) { return get_gen_param(*db, QLatin1String(key)); }
    int param_rows() { return db->scalar(u"select count(*) from gen_params"_s).toInt(); }
    TwipsRect restore(bool position_only = false, TwipsRect current = {100, 200, 3000, 4000}) {
        return restore_form_position(*db, screen, u"f_edit"_s, position_only, current);
    }
};

} // namespace

// Unstored sides are centred on the 28800 x 16200 screen: a default 5000 x 6000 window at 5100, 11900.
TEST_F(WindowGeometry, RestoreKeepsTheStoredPlaceOnTheScreen) {
    constexpr const char* none = nullptr;
    const char* const keys[] = {"f_edit_top", "f_edit_left", "f_edit_width", "f_edit_height"};
    const struct {
        const char* label;
        std::array<const char*, 4> stored; // top, left, width, height
        bool position_only;
        TwipsRect expected;
    } cases[] = {
        {"nothing stored", {none, none, none, none}, false, {5100, 11900, 5000, 6000}},
        {"below the off-screen limit", {"44999", "0", "7000", "8000"}, false, {44999, 0, 7000, 8000}},
        {"off-screen top and left", {"50000", "45000", none, none}, false, {0, 0, 5000, 6000}},
        {"larger than the screen", {none, none, "40000", "20000"}, false, {450, 500, 27800, 15300}},
        {"at and below the limits", {none, none, "27800", "15299"}, false, {450, 500, 27800, 15299}},
        {"position only: current size", {none, none, "9000", none}, true, {6100, 12900, 3000, 4000}},
        {"unreadable values", {"abc", none, "", none}, false, {5100, 11900, 5000, 6000}},
    };
    for (const auto& c : cases) {
        db->exec(u"delete from gen_params"_s);
        for (int k = 0; k < 4; ++k)
            if (c.stored[k]) store(keys[k], c.stored[k]);
        EXPECT_EQ(restore(c.position_only, {0, 0, 3000, 4000}), c.expected) << c.label;
    }
}

TEST_F(WindowGeometry, SaveStoresPlaceAsTextAndRestoresIt) {
    save_form_position(*db, u"f_edit"_s, false, {10, 20, 30, 40}, true); // minimised: nothing
    EXPECT_EQ(param_rows(), 0);
    const TwipsRect place{1200, 3400, 5600, 7800};
    save_form_position(*db, u"f_edit"_s, false, place, false);
    EXPECT_EQ(stored("f_edit_top"), u"1200"_s);
    EXPECT_EQ(stored("f_edit_height"), u"7800"_s);
    EXPECT_EQ(restore(), place);
    // Position only: the size keys are left alone.
    save_form_position(*db, u"f_calendar"_s, true, {10, 20, 30, 40}, false);
    EXPECT_EQ(stored("f_calendar_left"), u"20"_s);
    EXPECT_EQ(param_rows(), 6);
}

TEST_F(WindowGeometry, MainWindowIsRestoredOnTheScreen) {
    constexpr const char* none = nullptr;
    const char* const keys[] = {"mdiform_top", "mdiform_left", "mdiform_width", "mdiform_height"};
    const TwipsRect screen_less_400{0, 0, 28800, 16200 - 400};
    const struct {
        const char* label;
        std::array<const char*, 4> stored; // top, left, width, height
        TwipsRect expected;
    } cases[] = {
        {"nothing stored", {none, none, none, none}, screen_less_400},
        {"off-screen values ignored", {"45000", "99999", "45000", "60000"}, screen_less_400},
        {"wider than the screen, bottom past it",
         {"9000", "-600", "40000", "10000"},
         {6200, 0, 28800, 10000}},
        {"inside the screen", {"300", "1500", "8000", "10000"}, {300, 1500, 8000, 10000}},
    };
    for (const auto& c : cases) {
        db->exec(u"delete from gen_params"_s);
        for (int k = 0; k < 4; ++k)
            if (c.stored[k]) store(keys[k], c.stored[k]);
        EXPECT_EQ(restore_main_window_geometry(*db, screen), c.expected) << c.label;
    }
}

TEST_F(WindowGeometry, MainWindowSavedOnlyWhenLoadedAndNotMinimised) {
    const TwipsRect place{300, 1500, 8000, 10000};
    save_main_window_geometry(*db, place, false, false);
    save_main_window_geometry(*db, place, true, true);
    EXPECT_EQ(param_rows(), 0);
    save_main_window_geometry(*db, place, true, false);
    EXPECT_EQ(stored("mdiform_width"), u"8000"_s);
    EXPECT_EQ(restore_main_window_geometry(*db, screen), place);
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/database.h"
#include "core/geometry.h"
#include "core/params.h"
#include "core/schema.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Failures show the rectangle rather than its bytes.
void PrintTo(const TwipsRect& r, std::ostream* out) {
    *out << '{' << r.top << ", " << r.left << ", " << r.width << ", " << r.height << '}';
}

namespace {

// The fake screen is 28800 x 16200 twips (1920 x 1080 pixels).
class WindowGeometry : public ::testing::Test {
protected:
    TempEnv env;
    FakeClock clock;
    FakeScreen screen;
    std::unique_ptr<Database> db = make_db();

    std::unique_ptr<Database> make_db() {
        auto opened = Database::open(env.path(u"geo.tdb"_s), {}, &clock, Database::Mode::CreateNew);
        schema::upgrade(*opened);
        return opened;
    }
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

TEST_F(WindowGeometry, RestoreKeepsTheStoredPlaceOnTheScreen) {
    const TwipsRect current{0, 0, 3000, 4000};
    const struct {
        const char* label;
        const char* top;
        const char* left;
        const char* width;
        const char* height;
        bool position_only;
        TwipsRect expected;
    } cases[] = {
        {"nothing stored: default size, centred",
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         false,
         {(16200 - 6000) / 2, (28800 - 5000) / 2, 5000, 6000}},
        {"just below the off-screen limit", "44999", "0", "7000", "8000", false, {44999, 0, 7000, 8000}},
        {"off-screen top and left go to the edge",
         "50000",
         "45000",
         nullptr,
         nullptr,
         false,
         {0, 0, 5000, 6000}},
        {"larger than the screen",
         nullptr,
         nullptr,
         "40000",
         "20000",
         false,
         {(16200 - 15300) / 2, (28800 - 27800) / 2, 27800, 15300}},
        {"exactly the width limit, one below the height limit",
         nullptr,
         nullptr,
         "27800",
         "15299",
         false,
         {(16200 - 15299) / 2, (28800 - 27800) / 2, 27800, 15299}},
        {"position only: the current size, centred with it",
         nullptr,
         nullptr,
         "9000",
         nullptr,
         true,
         {(16200 - 4000) / 2, (28800 - 3000) / 2, 3000, 4000}},
        {"unreadable values count as missing",
         "abc",
         nullptr,
         "",
         nullptr,
         false,
         {(16200 - 6000) / 2, (28800 - 5000) / 2, 5000, 6000}},
    };
    for (const auto& c : cases) {
        db->exec(u"delete from gen_params"_s);
        for (const auto& [key, value] :
             {std::pair{"f_edit_top", c.top}, std::pair{"f_edit_left", c.left},
              std::pair{"f_edit_width", c.width}, std::pair{"f_edit_height", c.height}})
            if (value) store(key, value);
        EXPECT_EQ(restore(c.position_only, current), c.expected) << c.label;
    }
}

TEST_F(WindowGeometry, SaveStoresPlaceAsTextAndRestoresIt) {
    const TwipsRect place{1200, 3400, 5600, 7800};
    save_form_position(*db, u"f_edit"_s, false, place, false);
    EXPECT_EQ(stored("f_edit_top"), u"1200"_s);
    EXPECT_EQ(stored("f_edit_left"), u"3400"_s);
    EXPECT_EQ(stored("f_edit_width"), u"5600"_s);
    EXPECT_EQ(stored("f_edit_height"), u"7800"_s);
    EXPECT_EQ(restore(), place);
}

TEST_F(WindowGeometry, SavePositionOnlyLeavesSizeKeysAlone) {
    save_form_position(*db, u"f_calendar"_s, true, {10, 20, 30, 40}, false);
    EXPECT_EQ(stored("f_calendar_top"), u"10"_s);
    EXPECT_EQ(stored("f_calendar_left"), u"20"_s);
    EXPECT_EQ(param_rows(), 2);
}

TEST_F(WindowGeometry, MinimisedWindowSavesNothing) {
    save_form_position(*db, u"f_edit"_s, false, {10, 20, 30, 40}, true);
    EXPECT_EQ(param_rows(), 0);
}

TEST_F(WindowGeometry, MainWindowDefaultsToTheScreenLessFourHundred) {
    const TwipsRect place = restore_main_window_geometry(*db, screen);
    EXPECT_EQ(place, (TwipsRect{0, 0, 28800, 16200 - 400}));
}

TEST_F(WindowGeometry, MainWindowIgnoresOffScreenValues) {
    store("mdiform_width", "45000");
    store("mdiform_height", "60000");
    store("mdiform_top", "45000");
    store("mdiform_left", "99999");
    EXPECT_EQ(restore_main_window_geometry(*db, screen), (TwipsRect{0, 0, 28800, 16200 - 400}));
}

TEST_F(WindowGeometry, MainWindowIsKeptOnTheScreen) {
    store("mdiform_width", "40000"); // wider than the screen
    store("mdiform_height", "10000");
    store("mdiform_top", "9000"); // its bottom would pass the screen's
    store("mdiform_left", "-600");
    EXPECT_EQ(restore_main_window_geometry(*db, screen), (TwipsRect{16200 - 10000, 0, 28800, 10000}));

    store("mdiform_width", "8000");
    store("mdiform_top", "300");
    store("mdiform_left", "1500");
    EXPECT_EQ(restore_main_window_geometry(*db, screen), (TwipsRect{300, 1500, 8000, 10000}));
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

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/params.h"
#include "shell/ui/main_window.h"
#include "support/test_db.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class MainWindowTest : public ::testing::Test, public TestDb {
protected:
    TestContext& t = tc;

    void SetUp() override {
        t.screen.width = 800 * 15;
        t.screen.height = 600 * 15;
        open_db(u"family.tdb"_s);
    }

    void store(const char* key, int twips) {
        set_gen_param(*t.ctx.db, QLatin1String(key), QString::number(twips));
    }
};

} // namespace

TEST_F(MainWindowTest, IsAnMdiFrameWithItsOwnIconAndLoadedWhileItExists) {
    EXPECT_FALSE(t.ctx.main_window_loaded);
    auto window = std::make_unique<MainWindow>(t.ctx);
    ASSERT_NE(window->mdi_area(), nullptr);
    EXPECT_EQ(window->centralWidget(), window->mdi_area());
    EXPECT_FALSE(window->windowIcon().pixmap(32, 32).toImage().isNull());
    window->show();
    EXPECT_TRUE(t.ctx.main_window_loaded);
    window.reset();
    EXPECT_FALSE(t.ctx.main_window_loaded);
}

TEST_F(MainWindowTest, CaptionNamesTheDatabaseAndTheClockTime) {
    MainWindow window(t.ctx);
    t.clock.set(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 59)));
    window.set_main_caption();
    EXPECT_EQ(window.windowTitle(), u"Tessarin (family) 04/03/26 17:05"_s);

    // Set again after another database opens, the caption follows the context.
    t.ctx.db_title = u"archive 2025"_s;
    t.ctx.recompilation_needed = true;
    t.clock.advance_seconds(60);
    window.set_main_caption();
    EXPECT_EQ(window.windowTitle(), u"Tessarin (archive 2025) 04/03/26 17:06 (recompilation needed)"_s);
}

TEST_F(MainWindowTest, RestoresTheGeometryKeptInTheDatabaseWithoutCreeping) {
    store("mdiform_left", 1500);
    store("mdiform_top", 3000);
    store("mdiform_width", 9000);
    store("mdiform_height", 6000);
    // Start-up restores first and shows after; the frame added on showing must not make the
    // window creep from one session to the next.
    for (int session = 0; session < 3; ++session) {
        MainWindow window(t.ctx);
        window.restore_geometry();
        window.show();
        EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(100, 200)) << "session " << session;
        EXPECT_EQ(window.size(), QSize(600, 400)) << "session " << session;
        EXPECT_FALSE(window.is_minimised());
        const TwipsRect place = window.geometry_twips();
        EXPECT_EQ(place, (TwipsRect{3000, 1500, 9000, 6000})) << "session " << session;
        save_main_window_geometry(*t.ctx.db, place, t.ctx.main_window_loaded, window.is_minimised());
    }
}

TEST_F(MainWindowTest, WithNothingKeptFillsTheScreenAndStaysOnItWithoutADatabaseStaysAsItIs) {
    MainWindow window(t.ctx);
    window.show();
    window.restore_geometry();
    const TwipsRect place = window.geometry_twips();
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.width, 800 * 15);
    // Twips that are no whole pixel come back to the nearest pixel.
    EXPECT_LE(std::abs(place.height - (600 * 15 - 400)), 8);

    // A window kept larger than the screen is brought back onto it.
    store("mdiform_left", 6000);
    store("mdiform_width", 20000);
    window.restore_geometry();
    EXPECT_EQ(window.geometry_twips().left, 0);
    EXPECT_EQ(window.geometry_twips().width, 800 * 15);

    // Without a database the geometry stays as it is.
    t.ctx.db.reset();
    window.setGeometry(10, 20, 300, 200);
    window.restore_geometry();
    EXPECT_EQ(window.geometry(), QRect(10, 20, 300, 200));
}

TEST_F(MainWindowTest, CloseHookDecidesWhetherTheWindowCloses) {
    MainWindow window(t.ctx);
    window.show();
    int asked = 0;
    bool allow = false;
    window.on_close = [&] {
        ++asked;
        return allow;
    };
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(asked, 1);

    allow = true;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(asked, 2);
}

TEST_F(MainWindowTest, ClosingAWindowBringsBackTheOneTheUserCameFrom) {
    MainWindow window(t.ctx);
    window.show();
    QMdiArea* area = window.mdi_area();
    QMdiSubWindow* frames[3];
    for (QMdiSubWindow*& frame : frames) {
        frame = area->addSubWindow(new QWidget);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->show();
    }
    // The user goes from the last window to the first, then to the middle one, and closes it.
    area->setActiveSubWindow(frames[2]);
    area->setActiveSubWindow(frames[0]);
    area->setActiveSubWindow(frames[1]);
    frames[1]->close();
    EXPECT_EQ(area->currentSubWindow(), frames[0]);
}

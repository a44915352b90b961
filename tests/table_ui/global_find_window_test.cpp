// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"
#include "table/global_find.h"
#include "table/ui/global_find_window.h"

#include <QLineEdit>

namespace {

class GlobalFindWindowTest : public TableRoomFixture {
protected:
    std::vector<std::pair<int, QString>> opened;
    void wire_table_view() {
        t.windows.on_open_table_view = [this](int position) {
            opened.emplace_back(position, ctx.table_presets.search_text);
            ctx.table_presets = TablePresets{};
        };
    }
    static QLineEdit* field(const GlobalFindWindow* window) { return child<QLineEdit>(window, "t_string"); }
};

TEST_F(GlobalFindWindowTest, EnterHandsTheStringToTheAllCollectionsTableAndCloses) {
    wire_table_view();
    GlobalFindWindow* window = room->open_global_find();
    EXPECT_EQ(area.subWindowList().last()->size(), QSize(5800 / 15, 2200 / 15));
    type_text(field(window), "  d'été ");
    QPointer<QWidget> find = window;
    QTest::keyClick(field(window), Qt::Key_Return);
    settle();
    EXPECT_EQ(opened, (std::vector<std::pair<int, QString>>{{45, "d'été"}}));
    EXPECT_FALSE(find);
    EXPECT_FALSE(get_gen_param(*ctx.db, "f_global_find_top").isEmpty()) << "the place is kept";
}

TEST_F(GlobalFindWindowTest, ASearchTableOfTheRoomIsPreferredAndMayRefuseToClose) {
    wire_table_view();
    std::vector<int> searched;
    bool opens = true;
    room->open_search_table = [&](int position) {
        searched.push_back(position);
        return opens;
    };
    GlobalFindWindow* window = room->open_global_find();
    QTest::mouseClick(child<QPushButton>(window, "b_start_search"), Qt::LeftButton);
    settle();
    EXPECT_EQ(searched, std::vector<int>{45});
    EXPECT_TRUE(opened.empty());

    // The open table kept a pending edit: the window stays with its search.
    opens = false;
    window = room->open_global_find();
    type_text(field(window), "Dante");
    QTest::keyClick(field(window), Qt::Key_Return);
    settle();
    EXPECT_EQ(searched.size(), 2U);
    ASSERT_EQ(room->global_find(), window);
    EXPECT_TRUE(open(QPointer<QWidget>(window)));
    EXPECT_EQ(field(window)->text(), "Dante");
    EXPECT_TRUE(ctx.table_presets.empty());
}

TEST_F(GlobalFindWindowTest, OpensAtItsStoredPlaceAndPassesOtherKeysToTheProgram) {
    // A top stored at the far edge of the screen brings the window to the top.
    set_gen_param(*ctx.db, "f_global_find_top", "45000");
    set_gen_param(*ctx.db, "f_global_find_left", "3000");
    std::vector<int> keys;
    t.windows.on_hot_key = [&](int shift, int key) {
        if (!is_modifier_key(key)) keys.push_back(shift * 1000 + key);
        return key == Qt::Key_F6;
    };
    GlobalFindWindow* window = room->open_global_find();
    EXPECT_EQ(area.subWindowList().last()->pos(), QPoint(200, 0));
    QTest::keyClick(field(window), Qt::Key_F6);
    QTest::keyClick(field(window), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(keys, (std::vector<int>{Qt::Key_F6, 2000 + Qt::Key_Q}));
    EXPECT_TRUE(field(window)->text().isEmpty());
    window->activated();
    EXPECT_EQ(ctx.active_kind, WindowKind::GlobalFind);
    QPointer<QWidget> find = window;
    QTest::keyClick(field(window), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(find);
    EXPECT_EQ(get_gen_param(*ctx.db, "f_global_find_top"), "0") << "Escape keeps the place too";
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"
#include "table/ui/collection_config_window.h"

#include <QCheckBox>
#include <QLabel>

namespace {

class CollectionConfigWindowTest : public TableRoomFixture {
protected:
    int rebuilds = 0;
    void SetUp() override {
        TableRoomFixture::SetUp();
        t.windows.then["rebuild_main_window"] = [this] { ++rebuilds; };
    }
    static QCheckBox* box(const CollectionConfigWindow* window, const char* name, int position) {
        for (QCheckBox* check : window->findChildren<QCheckBox*>(QLatin1String(name)))
            if (check->property("index").toInt() == position) return check;
        return nullptr;
    }
    int stored_keys() {
        return ctx.db
            ->scalar(QStringLiteral(
                "select count(*) from gen_params where param like 'coll##_visible' or param like "
                "'coll##_open_as_table' or param like 'cat##_open_as_table'"))
            .toInt();
    }
    QPointer<QWidget> save(CollectionConfigWindow* window) {
        QPointer<QWidget> guard = window;
        QTest::mouseClick(child<QPushButton>(window, "b_save_and_exit"), Qt::LeftButton);
        settle();
        return guard;
    }
};

TEST_F(CollectionConfigWindowTest, OneRowPerOfferedPositionTickedFromTheCollectionTable) {
    ctx.collections.at(12).visible = true;
    ctx.collections.at(20).open_cat_as_map = true;
    ctx.collections.at(20).name = "Récits d'été";
    CollectionConfigWindow* window = room->open_collection_config();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(box(window, "check_visible", 12)->isChecked());
    EXPECT_FALSE(box(window, "check_col_open_as_tagmap", 12)->isChecked());
    EXPECT_TRUE(box(window, "check_cat_open_as_tagmap", 20)->isChecked());
    bool named = false;
    for (QLabel* label : window->findChildren<QLabel*>("lab_collection"))
        named = named || (label->property("index").toInt() == 20 && label->text() == "Récits d'été");
    EXPECT_TRUE(named);
}

TEST_F(CollectionConfigWindowTest, SavingRebuildsTheMainWindowOnlyAfterAClick) {
    EXPECT_FALSE(save(room->open_collection_config()));
    EXPECT_EQ(rebuilds, 0);
    EXPECT_FALSE(get_gen_param(*ctx.db, "f_config_top").isEmpty());
    EXPECT_TRUE(get_gen_param(*ctx.db, "f_config_width").isEmpty());
    // Ticking and unticking again still counts. Rows further down may lie outside the scrolled
    // part, where a mouse cannot reach them.
    CollectionConfigWindow* window = room->open_collection_config();
    QCheckBox* visible = box(window, "check_visible", 25);
    visible->click();
    visible->click();
    EXPECT_TRUE(window->changed());
    // F12 saves the boxes into the keys and the collection table.
    box(window, "check_col_open_as_tagmap", 30)->click();
    box(window, "check_visible", 30)->click();
    QPointer<QWidget> guard = window;
    QTest::keyClick(box(window, "check_visible", 30), Qt::Key_F12);
    settle();
    EXPECT_FALSE(guard);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(get_gen_param(*ctx.db, "coll25_visible"), "0");
    EXPECT_EQ(get_gen_param(*ctx.db, "coll30_open_as_table"), "-1");
    EXPECT_EQ(get_gen_param(*ctx.db, "coll30_visible"), "-1");
    EXPECT_TRUE(ctx.collections.at(30).open_coll_as_map);
    EXPECT_TRUE(ctx.collections.at(30).visible);
}

TEST_F(CollectionConfigWindowTest, CancelAndEscapeWriteNothing) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape);
        CollectionConfigWindow* window = room->open_collection_config();
        QTest::mouseClick(box(window, "check_visible", 19), Qt::LeftButton);
        QPointer<QWidget> guard = window;
        if (escape)
            QTest::keyClick(box(window, "check_visible", 19), Qt::Key_Escape);
        else
            QTest::mouseClick(child<QPushButton>(window, "b_cancel"), Qt::LeftButton);
        settle();
        EXPECT_FALSE(guard);
        EXPECT_EQ(stored_keys(), 0);
        EXPECT_FALSE(ctx.collections.at(19).visible);
    }
    EXPECT_EQ(rebuilds, 0);
}

} // namespace

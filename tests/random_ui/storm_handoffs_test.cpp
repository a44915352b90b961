// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The windows that hand a selection to the tags storm: the statements they hand, and their
// commands disabled in a program without the random windows.
#include "support/window_fixtures.h"
#include "table/ui/map_list_window.h"

#include <QAction>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

template <class Fixture> class Handoffs : public Fixture {
protected:
    void SetUp() override {
        this->tc.windows.random_views = true;
        Fixture::SetUp();
        this->add(s("Books"), s("Poet's corner"), s("Odes"));
        this->add(s("Books"), s("Novels"), s("Emma"));
    }
    QStringList storms() const { return this->tc.windows.calls_to(s("open_storm")); }
    static QAction* action(const QWidget* window, const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
};

using MapHandoffs = Handoffs<MapWindowFixture>;
using TableHandoffs = Handoffs<TableViewFixture>;
using RoomHandoffs = Handoffs<TableRoomFixture>;

TEST_F(MapHandoffs, ThisMapAndTheSelectedCategory) {
    MapWindow* poetry = maps->open_map(s("Books: Poet's corner"));
    ASSERT_NE(poetry, nullptr);
    action(poetry, "m_random_view_of_his_map")->trigger();
    MapWindow* books = maps->open_map(s("Books"));
    ASSERT_NE(books, nullptr);
    action(books, "m_random_view_of_his_map")->trigger();
    for (int i = 0; i < books->items().count(); ++i)
        if (books->items().item(i).title == s("Poet's corner")) books->select(i);
    action(books, "m_random_map_of_cat")->trigger();
    const QStringList handed = storms();
    ASSERT_EQ(handed.size(), 3);
    EXPECT_TRUE(handed[0].startsWith(s("open_storm ") + poetry->items().last_sql()));
    EXPECT_EQ(handed[1], s("open_storm Select distinct cat from repos where collection='Books'"));
    EXPECT_EQ(handed[2],
              s("open_storm Select * from repos where collection='Books' and cat='Poet''s corner'"));
}

TEST_F(MapHandoffs, DisabledWithoutTheRandomWindows) {
    tc.windows.random_views = false;
    MapWindow* books = maps->open_map(s("Books"));
    ASSERT_NE(books, nullptr);
    EXPECT_FALSE(action(books, "m_random_view_of_his_map")->isEnabled());
    EXPECT_FALSE(action(books, "m_random_map_of_cat")->isEnabled());
    action(books, "m_random_view_of_his_map")->trigger();
    EXPECT_TRUE(storms().isEmpty());
}

TEST_F(TableHandoffs, FilteredRecordsAndTheCurrentCategory) {
    TableView* view = tables->open_table_view(7);
    ASSERT_NE(view, nullptr);
    settle();
    auto* storm_button = control<QPushButton>(view, "b_storm");
    ASSERT_TRUE(storm_button->isEnabled());
    storm_button->click();
    action(view, "m_storm")->trigger();
    action(view, "m_random_map_of_current_category")->trigger();
    const QStringList handed = storms();
    ASSERT_EQ(handed.size(), 3);
    EXPECT_EQ(handed[0], (s("open_storm ") + view->current_statement()).trimmed())
        << view->current_statement().toStdString();
    EXPECT_EQ(handed[1], handed[0]);
    EXPECT_TRUE(handed[2].startsWith(s("open_storm Select * from repos where collection='Books' and cat='")));
}

TEST_F(RoomHandoffs, MapListStormsTheSelectedMap) {
    MapListWindow* list = room->open_map_list(s("Poet"));
    ASSERT_NE(list, nullptr);
    settle();
    action(list, "m_storm")->trigger();
    const QStringList handed = storms();
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed[0],
              s("open_storm Select * from repos where collection='Books' and cat='Poet''s corner'"));
}

} // namespace

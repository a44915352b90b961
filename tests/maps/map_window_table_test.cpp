// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/map_window_table.h"

#include "core/params.h"
#include "support/db_fixtures.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// A window that, like the real one, releases its own slot while it closes.
class FakeMapWindow final : public MapWindowHandle {
public:
    FakeMapWindow(MapWindowTable& table, int slot, QString name)
        : table_(table), slot_(slot), name_(std::move(name)) {}
    void close() override {
        ++closes;
        table_.release(slot_);
    }
    QString map_name() const override { return name_; }
    int closes = 0;

private:
    MapWindowTable& table_;
    int slot_;
    QString name_;
};

// Takes a slot and records a map in it.
int open(MapWindowTable& table, const QString& name, MapWindowHandle* window = nullptr) {
    const int slot = table.reserve_slot().value();
    table.record(slot, name.section(QLatin1Char(':'), 0, 0), name.section(QLatin1Char(':'), 1).trimmed(),
                 name, window);
    return slot;
}

std::vector<int> v(std::initializer_list<int> list) {
    return list;
}

} // namespace

TEST(MapWindowSlots, NumberedInOpeningOrderAndNeverReused) {
    MapWindowTable table;
    EXPECT_EQ(open(table, s("Books: Poetry")), 1);
    EXPECT_EQ(open(table, s("Books: Prose")), 2);
    table.release(1);
    EXPECT_FALSE(table.slot(1).in_use);
    EXPECT_EQ(table.slot(1).window, nullptr);
    EXPECT_EQ(open(table, s("Media: Film")), 3);
    EXPECT_EQ(table.in_use_slots(), v({2, 3}));
    EXPECT_EQ(table.session_count(), 3);
    // Releasing twice, or a slot never taken, changes nothing.
    table.release(1);
    table.release(400);
    EXPECT_EQ(table.in_use_count(), 2);
    // Only an open window can be the active one, and closing it leaves none active.
    table.set_active(1);
    EXPECT_EQ(table.active_slot(), 0);
    table.set_active(2);
    table.release(3);
    EXPECT_EQ(table.active_slot(), 2);
    table.release(2);
    EXPECT_EQ(table.active_slot(), 0);
}

TEST(MapWindowSlots, The501stWindowOfASessionIsRefused) {
    MapWindowTable table;
    for (int n = 1; n <= MapWindowTable::capacity; ++n)
        ASSERT_EQ(table.reserve_slot(), n);
    EXPECT_FALSE(table.can_reserve());
    EXPECT_EQ(table.reserve_slot(), std::nullopt);
    // Closing windows frees no number: the session has used them all.
    table.release(7);
    table.release(500);
    EXPECT_EQ(table.reserve_slot(), std::nullopt);
    EXPECT_EQ(table.session_count(), 500);
    EXPECT_EQ(table.in_use_count(), 498);
    EXPECT_THROW(table.slot(501), std::out_of_range);
    EXPECT_THROW(table.slot(0), std::out_of_range);
    EXPECT_THROW(table.record(501, {}, {}, {}, nullptr), std::out_of_range);

    table.reset();
    EXPECT_EQ(table.reserve_slot(), 1);
    EXPECT_EQ(table.in_use_count(), 1);
}

// Windows showing a map are found without case (an item part names no map); closing them frees
// their slots, and the active one with them.
TEST(MapWindowSlots, WindowsShowingAMapAreFoundWithoutCaseAndClosedTogether) {
    MapWindowTable table;
    FakeMapWindow first(table, 1, s("Books: Poetry"));
    FakeMapWindow other(table, 2, s("Books: Prose"));
    FakeMapWindow second(table, 3, s("books: POETRY"));
    open(table, first.map_name(), &first);
    open(table, other.map_name(), &other);
    open(table, second.map_name(), &second);
    open(table, s("Books: Émile"));
    EXPECT_EQ(table.slots_showing(s("BOOKS: poetry")), v({1, 3}));
    EXPECT_EQ(table.slots_showing(s("books: émile")), v({4}));
    EXPECT_EQ(table.slots_showing(s("Books: Poetry.Dante")), v({}));
    table.set_active(3);
    table.close_windows_showing(s("Books: Poetry"));
    EXPECT_EQ(first.closes, 1);
    EXPECT_EQ(second.closes, 1);
    EXPECT_EQ(other.closes, 0);
    EXPECT_EQ(table.in_use_slots(), v({2, 4}));
    EXPECT_EQ(table.slots_showing(s("Books: Poetry")), v({}));
    EXPECT_EQ(table.active_slot(), 0);
}

TEST(MapWindowSlots, NextAndPreviousGoRoundTheOpenWindows) {
    MapWindowTable table;
    EXPECT_EQ(table.next_in_use(0), std::nullopt);
    for (int n = 0; n < 5; ++n)
        open(table, QStringLiteral("Books: Map %1").arg(n));
    table.release(2);
    table.release(4);
    // From an open slot, a closed one (2) or none (0).
    const struct {
        int from, next, previous;
    } steps[] = {{1, 3, 5}, {3, 5, 1}, {5, 1, 3}, {2, 3, 1}, {0, 1, 5}};
    for (const auto& step : steps) {
        EXPECT_EQ(table.next_in_use(step.from), step.next) << step.from;
        EXPECT_EQ(table.previous_in_use(step.from), step.previous) << step.from;
    }
    table.release(1);
    table.release(3);
    // The only open window has no other to go to.
    EXPECT_EQ(table.next_in_use(5), std::nullopt);
    EXPECT_EQ(table.previous_in_use(5), std::nullopt);
    EXPECT_EQ(table.next_in_use(4), 5);
}

using SaveOpenMaps = MapsDb;

// "topic_list" holds the open maps in slot order.
TEST_F(SaveOpenMaps, WritesTheTopicListParameter) {
    for (const char* name : {"Books: L'été", "Top map", "Books: Poetry", "Media: *"})
        open(ctx.map_windows, s(name));
    ctx.map_windows.release(3);
    save_open_maps(ctx);
    EXPECT_EQ(get_gen_param(*ctx.db, s("topic_list")), s("Books: L'été\r\nTop map\r\nMedia: *\r\n"));
    for (const int slot : {1, 2, 4})
        ctx.map_windows.release(slot);
    save_open_maps(ctx);
    EXPECT_EQ(get_gen_param(*ctx.db, s("topic_list")), QString());
    EXPECT_EQ(ctx.db->scalar(s("select count(*) from gen_params where param='topic_list'")).toInt(), 1);
}

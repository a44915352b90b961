// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/window_fixtures.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>

namespace {

using MapWindowMenuTest = MapWindowFixture;

TEST_F(MapWindowMenuTest, ADragCarriesItsPanel) {
    DragPayload drag;
    drag.item_nr = 42;
    drag.title = QStringLiteral("L'été");
    drag.source_window = 7;
    drag.source_index = 3;
    drag.copy = true;
    std::unique_ptr<QMimeData> mime(panel_drag::encode(drag));
    const auto back = panel_drag::decode(mime.get());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->item_nr, 42);
    EXPECT_EQ(back->title, QStringLiteral("L'été"));
    EXPECT_EQ(back->source_window, 7);
    EXPECT_EQ(back->source_index, 3);
    EXPECT_TRUE(back->copy);
    QMimeData other;
    other.setText(QStringLiteral("plain"));
    EXPECT_FALSE(panel_drag::decode(&other).has_value());
}

// A reference or a copy waits for the user to activate the map it takes from, or to click one
// of its panels.
TEST_F(MapWindowMenuTest, PendingOperationsAreCompletedByActivationOrAClick) {
    add("Books", "Poetry", "Dante");
    add("Books", "Novels", "Manzoni");
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    MapWindow* novels = maps->open_map(QStringLiteral("Books: Novels"));
    ASSERT_NE(poetry, nullptr);
    ASSERT_NE(novels, nullptr);
    maps->activate(poetry->window_number());
    settle();

    t.prompter.answer(true);
    key(poetry, Qt::Key_F8);
    ASSERT_TRUE(ctx.pending_map_operation.pending());
    maps->activate(novels->window_number());
    settle();
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_TRUE(panel_texts(poetry).contains("> Books: Novels"));

    ctx.pending_map_operation = {PendingMapOperation::Kind::InsertReference, poetry->window_number()};
    QTest::mouseClick(novels->findChild<QPushButton*>(QStringLiteral("pan_1")), Qt::LeftButton);
    settle();
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_EQ(count("collection='Books' and cat='Poetry' and item_title='> Books: Novels.Manzoni'"), 1);

    maps->activate(poetry->window_number());
    settle();
    t.prompter.answer(true);
    poetry->action(QStringLiteral("m_copy_items_from_another_map"))->trigger();
    ASSERT_TRUE(ctx.pending_map_operation.pending());
    maps->activate(novels->window_number());
    settle();
    EXPECT_FALSE(ctx.pending_map_operation.pending());
    EXPECT_TRUE(panel_texts(poetry).contains("Manzoni"));
}

} // namespace

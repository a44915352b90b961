// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/preferences.h"
#include "map_window_fixture.h"

#include "maps/map_names.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

namespace {

using MapWindowTest = MapWindowFixture;

TEST_F(MapWindowTest, OpensAMapAsPanelsNamedInOrder) {
    add("Books", "Poetry", QStringLiteral("L'été"));
    add("Books", "Poetry", QStringLiteral("Émile"));
    add("Books", "Poetry", QStringLiteral("Zola"));
    ctx.db->exec(QStringLiteral("update repos set seq = item_nr"));

    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), QStringLiteral("f_tagmap"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Poetry"));
    ASSERT_NE(window->sub_window(), nullptr);
    EXPECT_EQ(area.activeSubWindow(), window->sub_window());
    EXPECT_EQ(area.window()->focusWidget(), panel_area(window));
    // In the order of their stored positions.
    EXPECT_EQ(panel_texts(window),
              (QStringList{QStringLiteral("L'été"), QStringLiteral("Émile"), QStringLiteral("Zola")}));

    const MapSlot& slot = ctx.map_windows.slot(window->window_number());
    EXPECT_TRUE(slot.in_use);
    EXPECT_EQ(slot.collection, QStringLiteral("Books"));
    EXPECT_EQ(slot.cat, QStringLiteral("Poetry"));
    EXPECT_EQ(window->map_name(), slot.map_name);

    // The first panel is selected: light cyan; the others grey in a category map.
    auto* first = window->findChild<MapPanel*>(QStringLiteral("pan_1"));
    auto* second = window->findChild<MapPanel*>(QStringLiteral("pan_2"));
    EXPECT_EQ(first->background(), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(second->background(), QColor(0xC0, 0xC0, 0xC0));
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_EQ(window->selected_index(), 1);
    EXPECT_EQ(first->background(), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(second->background(), QColor(0xC0, 0xFF, 0xFF));
}

TEST_F(MapWindowTest, TopAndCollectionMapsHaveTheirCaptionsAndColours) {
    add("Books", "Poetry", "Dante");
    MapWindow* top = maps->open_map(QStringLiteral("top map"));
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->windowTitle(), QStringLiteral("TOP MAP"));
    EXPECT_EQ(panel_texts(top).first(), QStringLiteral("Agenda"));
    EXPECT_EQ(top->findChild<MapPanel*>(QStringLiteral("pan_2"))->background(), QColor(0xC0, 0xFF, 0xC0));

    MapWindow* books = maps->open_map(QStringLiteral("Books"));
    ASSERT_NE(books, nullptr);
    EXPECT_EQ(books->windowTitle(), QStringLiteral("Books"));
    EXPECT_EQ(panel_texts(books), QStringList{QStringLiteral("Poetry")});
    // Only a collection map offers the random map of the selected category.
    EXPECT_TRUE(books->action(QStringLiteral("m_random_map_of_cat"))->isVisible());
    EXPECT_FALSE(top->action(QStringLiteral("m_random_map_of_cat"))->isVisible());
}

TEST_F(MapWindowTest, SelectsTheItemPartOfTheName) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry.Petrarca"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->selected_index(), 1);
}

TEST_F(MapWindowTest, SevenItemsInThreeColumnsMakeNinePanels) {
    for (int i = 1; i <= 7; ++i)
        add("Books", "Poetry", QStringLiteral("poem %1").arg(i));
    set_map_param(*ctx.db, t.prompter, QStringLiteral("Books: Poetry"), QStringLiteral("#nr_columns"), "3");

    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    const QStringList texts = panel_texts(window);
    ASSERT_EQ(texts.size(), 9);
    EXPECT_EQ(texts[7], QStringLiteral("-"));
    EXPECT_EQ(texts[8], QStringLiteral("-"));
    EXPECT_EQ(window->panel_layout().rows, 3);
    // Column by column: the fourth panel starts the second column.
    auto* p1 = window->findChild<QPushButton*>(QStringLiteral("pan_1"));
    auto* p2 = window->findChild<QPushButton*>(QStringLiteral("pan_2"));
    auto* p4 = window->findChild<QPushButton*>(QStringLiteral("pan_4"));
    EXPECT_EQ(p2->x(), p1->x());
    EXPECT_GT(p2->y(), p1->y());
    EXPECT_EQ(p4->y(), p1->y());
    EXPECT_GT(p4->x(), p1->x());
    EXPECT_EQ(window->action(QStringLiteral("M_change_nr_columns"))->text(),
              QStringLiteral("Number of columns (now 3)"));
}

TEST_F(MapWindowTest, ArrowKeysWrapInTheColumnAndMoveAcrossColumns) {
    for (int i = 1; i <= 7; ++i)
        add("Books", "Poetry", QStringLiteral("poem %1").arg(i));
    set_map_param(*ctx.db, t.prompter, QStringLiteral("Books: Poetry"), QStringLiteral("#nr_columns"), "3");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->selected_index(), 0);

    key(window, Qt::Key_Down);
    key(window, Qt::Key_Down);
    EXPECT_EQ(window->selected_index(), 2);
    key(window, Qt::Key_Down); // past the bottom: back to the top of the column
    EXPECT_EQ(window->selected_index(), 0);
    key(window, Qt::Key_Up); // past the top: the bottom of the column
    EXPECT_EQ(window->selected_index(), 2);
    key(window, Qt::Key_Right); // same row, next column
    EXPECT_EQ(window->selected_index(), 5);
    key(window, Qt::Key_Right);
    EXPECT_EQ(window->selected_index(), 8);
    key(window, Qt::Key_Right); // alone: round to the first column
    EXPECT_EQ(window->selected_index(), 2);
    key(window, Qt::Key_Left); // and back round to the last
    EXPECT_EQ(window->selected_index(), 8);
    key(window, Qt::Key_Home);
    EXPECT_EQ(window->selected_index(), 0);
    key(window, Qt::Key_End);
    EXPECT_EQ(window->selected_index(), 8);
}

TEST_F(MapWindowTest, RightPastTheLastColumnGoesToTheNextMap) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    add("Books", "Novels", "Manzoni");
    set_map_param(*ctx.db, t.prompter, QStringLiteral("Books: Poetry"), QStringLiteral("#nr_columns"), "2");
    MapWindow* novels = maps->open_map(QStringLiteral("Books: Novels"));
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(novels, nullptr);
    ASSERT_NE(poetry, nullptr);
    ASSERT_EQ(area.activeSubWindow(), poetry->sub_window());

    key(poetry, Qt::Key_Right);
    EXPECT_EQ(poetry->selected_index(), 1);
    key(poetry, Qt::Key_Right);
    EXPECT_EQ(area.activeSubWindow(), novels->sub_window());
    // Tab cycles over the open maps; one column sends Right to the next map too.
    key(novels, Qt::Key_Tab);
    EXPECT_EQ(area.activeSubWindow(), poetry->sub_window());
    key(poetry, Qt::Key_Backtab);
    EXPECT_EQ(area.activeSubWindow(), novels->sub_window());
    key(novels, Qt::Key_Right);
    EXPECT_EQ(area.activeSubWindow(), poetry->sub_window());
}

TEST_F(MapWindowTest, DigitSetsTheNumberOfColumns) {
    for (int i = 1; i <= 7; ++i)
        add("Books", "Poetry", QStringLiteral("poem %1").arg(i));
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(panel_texts(window).size(), 7);

    key(window, Qt::Key_3);
    EXPECT_EQ(panel_texts(window).size(), 9);
    EXPECT_EQ(window->panel_layout().columns, 3);
    EXPECT_EQ(get_map_param(*ctx.db, QStringLiteral("Books: Poetry"), QStringLiteral("#nr_columns")),
              QStringLiteral("3"));
    EXPECT_EQ(window->action(QStringLiteral("M_change_nr_columns"))->text(),
              QStringLiteral("Number of columns (now 3)"));
}

TEST_F(MapWindowTest, EnterOpensTheReferencedMapInANewWindow) {
    add("Books", "Poetry", "> Books: Novels");
    add("Books", "Novels", "Manzoni");
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(poetry, nullptr);

    key(poetry, Qt::Key_Return);
    const int active = ctx.map_windows.active_slot();
    MapWindow* novels = maps->window(ctx.map_windows.session_count());
    ASSERT_NE(novels, nullptr);
    EXPECT_NE(novels, poetry);
    EXPECT_EQ(novels->windowTitle(), QStringLiteral("Novels"));
    EXPECT_EQ(panel_texts(novels), QStringList{QStringLiteral("Manzoni")});
    EXPECT_EQ(area.activeSubWindow(), novels->sub_window());
    (void)active;
}

TEST_F(MapWindowTest, DoubleClickOnAReferenceToAMissingMapCreatesItWithAFiller) {
    add("Books", "Poetry", "> Books: Prose");
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(poetry, nullptr);
    EXPECT_EQ(panel_texts(poetry), QStringList{QStringLiteral("> Books: Prose !")});

    QTest::mouseDClick(poetry->findChild<QPushButton*>(QStringLiteral("pan_1")), Qt::LeftButton);
    EXPECT_EQ(count("collection='Books' and cat='Prose'"), 1);
    EXPECT_EQ(count("collection='Books' and cat='Prose' and item_title='-'"), 1);
    MapWindow* prose = maps->window(ctx.map_windows.session_count());
    ASSERT_NE(prose, nullptr);
    EXPECT_EQ(prose->windowTitle(), QStringLiteral("Prose"));
    // The reference is no longer broken in the window that followed it.
    EXPECT_EQ(panel_texts(poetry), QStringList{QStringLiteral("> Books: Prose")});
}

TEST_F(MapWindowTest, EnterInACollectionWhoseFlagAsksForTheTableSaysItIsNotAvailable) {
    add("Contacts", "Friends", "Anna");
    ctx.collections.at(2).open_coll_as_map = false;
    MapWindow* top = maps->open_map(QStringLiteral("Top map"));
    ASSERT_NE(top, nullptr);
    key(top, Qt::Key_Down); // Contacts
    const int opened = ctx.map_windows.session_count();
    key(top, Qt::Key_Return);
    EXPECT_EQ(ctx.map_windows.session_count(), opened);
    ASSERT_FALSE(t.prompter.messages().isEmpty());
    EXPECT_EQ(t.prompter.messages().last(), table_view_unavailable_message);
    // With Alt the choice is inverted: the collection map opens.
    key(top, Qt::Key_Return, Qt::AltModifier);
    MapWindow* contacts = maps->window(ctx.map_windows.session_count());
    ASSERT_NE(contacts, nullptr);
    EXPECT_EQ(contacts->windowTitle(), QStringLiteral("Contacts"));
}

TEST_F(MapWindowTest, EscClosesTheWindowAndReleasesItsSlot) {
    add("Books", "Poetry", "Dante");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    const int number = window->window_number();
    QPointer<QMdiSubWindow> sub = window->sub_window();

    key(window, Qt::Key_Escape);
    EXPECT_FALSE(ctx.map_windows.slot(number).in_use);
    settle();
    EXPECT_TRUE(sub.isNull());
    EXPECT_EQ(maps->window(number), nullptr);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    // Its place was saved as it closed.
    EXPECT_FALSE(get_map_param(*ctx.db, QStringLiteral("Books: Poetry"), QStringLiteral("#width")).isEmpty());
}

TEST_F(MapWindowTest, ReopeningAMapReplacesItsWindow) {
    add("Books", "Poetry", "Dante");
    MapWindow* first = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(first, nullptr);
    const int first_number = first->window_number();
    add("Books", "Poetry", "Petrarca");

    MapWindow* second = maps->open_map(QStringLiteral("books: poetry"));
    ASSERT_NE(second, nullptr);
    settle();
    EXPECT_FALSE(ctx.map_windows.slot(first_number).in_use);
    EXPECT_EQ(ctx.map_windows.in_use_count(), 1);
    EXPECT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(panel_texts(second), (QStringList{"Dante", "Petrarca"}));
}

TEST_F(MapWindowTest, AMapOfTooManyTagsIsRefusedAtOpening) {
    {
        Transaction transaction(*ctx.db);
        for (int i = 1; i <= 201; ++i)
            add("Books", "Big", QStringLiteral("tag %1").arg(i, 3, 10, QLatin1Char('0')));
        transaction.commit();
    }
    EXPECT_EQ(maps->open_map(QStringLiteral("Books: Big")), nullptr);
    ASSERT_EQ(t.prompter.messages().size(), 1);
    EXPECT_EQ(t.prompter.messages().first(),
              QStringLiteral("This map has too many tags (201) and will not be open. "
                             "You can still open it in table view."));
    settle();
    EXPECT_EQ(ctx.map_windows.in_use_count(), 0);
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_EQ(count("collection='Books' and cat='Big'"), 201);
}

TEST_F(MapWindowTest, ContentBoxShowsTheSelectedContentAndRefusesTyping) {
    add("Books", "Poetry", "Dante", QStringLiteral("Nel mezzo del cammin"));
    add("Books", "Poetry", "Petrarca", QStringLiteral("Chiare, fresche e dolci acque"));
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    auto* frame = window->findChild<QWidget*>(QStringLiteral("fra_edit"));
    auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("Edit_box"));
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(frame->isVisible());

    key(window, Qt::Key_F9);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Nel mezzo del cammin"));
    key(window, Qt::Key_Down);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Chiare, fresche e dolci acque"));

    QTest::keyClicks(box, "x");
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Chiare, fresche e dolci acque"));
    ASSERT_FALSE(t.prompter.messages().isEmpty());
    EXPECT_EQ(t.prompter.messages().last(), QStringLiteral("Press F10 for editing."));

    key(window, Qt::Key_F9);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MapWindowTest, UserResizeTurnsAutoSizeOffAndTimer1LaysThePanelsOut) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->parameters().auto_size);
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    auto* panel = window->findChild<QPushButton*>(QStringLiteral("pan_1"));
    const int width_before = panel->width();

    window->sub_window()->resize(window->sub_window()->width() + 300, window->sub_window()->height() + 200);
    EXPECT_FALSE(window->parameters().auto_size);
    EXPECT_FALSE(window->action(QStringLiteral("m_auto_size"))->isChecked());
    EXPECT_EQ(get_map_param(*ctx.db, QStringLiteral("Books: Poetry"), QStringLiteral("#auto_size")),
              QStringLiteral("0"));
    EXPECT_TRUE(timer->isActive());
    window->on_timer1();
    EXPECT_FALSE(timer->isActive());
    EXPECT_GT(panel->width(), width_before + 200);

    // F5 switches auto size on again and the window fits its panels.
    key(window, Qt::Key_F5);
    EXPECT_TRUE(window->parameters().auto_size);
    EXPECT_EQ(panel->width(), width_before);
}

TEST_F(MapWindowTest, StartMapToggleIsStoredAndOpensAtStart) {
    add("Books", "Poetry", "Dante");
    MapWindow* window = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(window, nullptr);
    QAction* start = window->action(QStringLiteral("m_set_map_as_default_map"));
    ASSERT_TRUE(start->isCheckable());
    EXPECT_FALSE(start->isChecked());
    start->trigger();
    EXPECT_TRUE(start->isChecked());
    EXPECT_EQ(get_map_param(*ctx.db, QStringLiteral("Books: Poetry"), QStringLiteral("#start_map")),
              QStringLiteral("-1"));

    maps->close_all();
    settle();
    maps->open_start_maps(false);
    ASSERT_EQ(ctx.map_windows.in_use_count(), 1);
    EXPECT_EQ(maps->window(ctx.map_windows.in_use_slots().front())->windowTitle(), QStringLiteral("Poetry"));
}

TEST_F(MapWindowTest, CtrlUpOpensTheParentMap) {
    add("Books", "Poetry", "Dante");
    MapWindow* poetry = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(poetry, nullptr);
    key(poetry, Qt::Key_Up, Qt::ControlModifier);
    MapWindow* books = maps->window(ctx.map_windows.session_count());
    ASSERT_NE(books, poetry);
    ASSERT_NE(books, nullptr);
    EXPECT_EQ(books->windowTitle(), QStringLiteral("Books"));
}

TEST_F(MapWindowTest, OpenNamedReportsAnUnknownName) {
    maps->open_named(QStringLiteral("Nowhere"));
    EXPECT_EQ(ctx.map_windows.in_use_count(), 0);
    ASSERT_EQ(t.prompter.messages().size(), 1);
    EXPECT_EQ(t.prompter.messages().first(), QStringLiteral("\"Nowhere\" not found"));
}

} // namespace

TEST_F(MapWindowTest, SimilarItemIndicatorFollowsThePreference) {
    add("Books", "Poetry", QStringLiteral("Dante"));
    add("Books", "Epic", QStringLiteral("dante"));
    add("Books", "Poetry", QStringLiteral("Zola"));
    ctx.db->exec(QStringLiteral("update repos set seq = item_nr"));
    MapWindow* plain = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(panel_texts(plain), (QStringList{QStringLiteral("Dante"), QStringLiteral("Zola")}));

    set_gen_param(*ctx.db, QStringLiteral("presence_of_similar_items_indicator"), QStringLiteral("Y"));
    load_preferences(ctx);
    MapWindow* marked = maps->open_map(QStringLiteral("Books: Poetry"));
    ASSERT_NE(marked, nullptr);
    EXPECT_EQ(panel_texts(marked), (QStringList{QStringLiteral("Dante+"), QStringLiteral("Zola")}));
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/preferences.h"
#include "support/window_fixtures.h"

#include "maps/map_names.h"
#include "maps/panel_layout.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using MapWindowTest = MapWindowFixture;

TEST_F(MapWindowTest, OpensAMapAsPanelsNamedInOrder) {
    add("Books", "Poetry", u"L'été"_s);
    add("Books", "Poetry", u"Émile"_s);
    add("Books", "Poetry", u"Zola"_s);
    ctx.db->exec(u"update repos set seq = item_nr"_s);

    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), u"Poetry"_s);
    ASSERT_NE(window->sub_window(), nullptr);
    EXPECT_EQ(area.activeSubWindow(), window->sub_window());
    EXPECT_EQ(area.window()->focusWidget(), panel_area(window));
    EXPECT_EQ(panel_texts(window), (QStringList{u"L'été"_s, u"Émile"_s, u"Zola"_s}));
    EXPECT_EQ(window->map_name(), ctx.map_windows.slot(window->window_number()).map_name);
    // Only a collection map offers the random map of the selected category.
    EXPECT_FALSE(window->action(u"m_random_map_of_cat"_s)->isVisible());

    // A click moves the selection, and the panels show it.
    auto* first = window->findChild<MapPanel*>(u"pan_1"_s);
    auto* second = window->findChild<MapPanel*>(u"pan_2"_s);
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_EQ(window->selected_index(), 1);
    EXPECT_EQ(first->background(), panel_colour(MapKind::Category, false));
    EXPECT_EQ(second->background(), panel_colour(MapKind::Category, true));

    // The item part of a name selects that item.
    MapWindow* zola = maps->open_map(u"Books: Poetry.Zola"_s);
    ASSERT_NE(zola, nullptr);
    EXPECT_EQ(zola->selected_index(), 2);
}

TEST_F(MapWindowTest, ColumnsLayOutTheGridAndArrowKeysMoveInIt) {
    for (int i = 1; i <= 7; ++i)
        add("Books", "Poetry", u"poem %1"_s.arg(i));
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(panel_texts(window).size(), 7);

    // A digit sets the number of columns: seven items in three columns make nine panels.
    key(window, Qt::Key_3);
    EXPECT_EQ(get_map_param(*ctx.db, u"Books: Poetry"_s, u"#nr_columns"_s), u"3"_s);
    EXPECT_EQ(panel_texts(window).size(), 9);
    // The panels stand where the layout puts them: the fourth starts the second column.
    auto* p1 = window->findChild<QPushButton*>(u"pan_1"_s);
    auto* p4 = window->findChild<QPushButton*>(u"pan_4"_s);
    EXPECT_EQ(p4->y(), p1->y());
    EXPECT_GT(p4->x(), p1->x());

    window->select(0);
    const std::pair<Qt::Key, int> moves[] = {
        {Qt::Key_Down, 1},  {Qt::Key_Down, 2},
        {Qt::Key_Down, 0},                      // past the bottom: back to the top of the column
        {Qt::Key_Up, 2},                        // past the top: the bottom of the column
        {Qt::Key_Right, 5},                     // same row, next column
        {Qt::Key_Right, 8}, {Qt::Key_Right, 2}, // alone: round to the first column
        {Qt::Key_Left, 8},                      // and back round to the last
        {Qt::Key_Home, 0},  {Qt::Key_End, 8},
    };
    for (const auto& [k, expected] : moves) {
        key(window, k);
        EXPECT_EQ(window->selected_index(), expected) << k;
    }
}

TEST_F(MapWindowTest, RightPastTheLastColumnGoesToTheNextMap) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    add("Books", "Novels", "Manzoni");
    set_map_param(*ctx.db, t.prompter, u"Books: Poetry"_s, u"#nr_columns"_s, "2");
    MapWindow* novels = maps->open_map(u"Books: Novels"_s);
    MapWindow* poetry = maps->open_map(u"Books: Poetry"_s);
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

// Enter, a double click and Ctrl+Up open their map in a new, active window.
TEST_F(MapWindowTest, KeysAndDoubleClicksOpenTheMapsTheyLeadTo) {
    add("Books", "Poetry", "> Books: Novels");
    add("Books", "Poetry", "> Books: Prose");
    add("Books", "Novels", "Manzoni");
    MapWindow* poetry = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(poetry, nullptr);
    EXPECT_EQ(panel_texts(poetry), (QStringList{u"> Books: Novels"_s, u"> Books: Prose !"_s}));
    const auto newest = [this] { return maps->window(ctx.map_windows.session_count()); };

    key(poetry, Qt::Key_Return);
    ASSERT_NE(newest(), poetry);
    EXPECT_EQ(newest()->windowTitle(), u"Novels"_s);
    EXPECT_EQ(panel_texts(newest()), QStringList{u"Manzoni"_s});
    EXPECT_EQ(area.activeSubWindow(), newest()->sub_window());

    // A reference to a missing map creates it with a filler.
    QTest::mouseDClick(poetry->findChild<QPushButton*>(u"pan_2"_s), Qt::LeftButton);
    EXPECT_EQ(rows("collection='Books' and cat='Prose' and item_title='-'"), 1);
    EXPECT_EQ(newest()->windowTitle(), u"Prose"_s);
    EXPECT_EQ(panel_texts(poetry).last(), u"> Books: Prose"_s) << "no longer broken";

    key(poetry, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(newest()->windowTitle(), u"Books"_s);
}

// Enter on a top map panel follows the collection's flag, and Alt reverses it; on a collection
// map panel it opens the category, even one whose name holds a dot.
TEST_F(MapWindowTest, EnterOpensCollectionsByTheirFlagAndCategoriesByTheirParts) {
    add("Contacts", "Friends", "Anna");
    add("Books", "Vol. 2", "Chapter one");
    add("Books", "Vol. 2", "Chapter two");
    ctx.collections.at(2).open_coll_as_map = false;
    MapWindow* top = maps->open_map(u"Top map"_s);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->windowTitle(), u"TOP MAP"_s);
    key(top, Qt::Key_Down); // Contacts
    const int sessions = ctx.map_windows.session_count();
    key(top, Qt::Key_Return);
    EXPECT_EQ(ctx.map_windows.session_count(), sessions);
    EXPECT_EQ(t.windows.calls_to(u"open_table_view"_s), QStringList{u"open_table_view 2"_s});
    // With Alt the choice is inverted: the collection map opens.
    key(top, Qt::Key_Return, Qt::AltModifier);
    MapWindow* contacts = maps->window(ctx.map_windows.session_count());
    ASSERT_NE(contacts, nullptr);
    EXPECT_EQ(contacts->windowTitle(), u"Contacts"_s);
    MapWindow* books = maps->open_map(u"Books"_s);
    ASSERT_NE(books, nullptr);
    key(books, Qt::Key_Return);
    settle();
    MapWindow* opened = maps->window(ctx.map_windows.in_use_slots().back());
    ASSERT_NE(opened, nullptr);
    ASSERT_NE(opened, books);
    EXPECT_EQ(opened->windowTitle(), u"Vol. 2"_s);
    EXPECT_EQ(panel_texts(opened), (QStringList{u"Chapter one"_s, u"Chapter two"_s}));
    opened->refresh();
    EXPECT_EQ(rows("collection='Books' and cat <> 'Vol. 2'"), 0) << "no stray category written";
}

// Esc closes the window, frees its slot and saves its place; a map of too many tags opens none.
TEST_F(MapWindowTest, EscClosesTheWindowAndAMapOfTooManyTagsOpensNone) {
    add("Books", "Poetry", "Dante");
    add_many("Books", "Big", 201);
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    const int number = window->window_number();
    QPointer<QMdiSubWindow> sub = window->sub_window();

    key(window, Qt::Key_Escape);
    EXPECT_FALSE(ctx.map_windows.slot(number).in_use);
    settle();
    EXPECT_TRUE(sub.isNull());
    EXPECT_EQ(maps->window(number), nullptr);
    EXPECT_FALSE(get_map_param(*ctx.db, u"Books: Poetry"_s, u"#width"_s).isEmpty());

    EXPECT_EQ(maps->open_map(u"Books: Big"_s), nullptr);
    EXPECT_EQ(t.prompter.messages().size(), 1);
    settle();
    EXPECT_EQ(ctx.map_windows.in_use_count(), 0);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(MapWindowTest, ContentBoxShowsTheSelectedContentAndRefusesTyping) {
    add("Books", "Poetry", "Dante", u"Nel mezzo del cammin"_s);
    add("Books", "Poetry", "Petrarca", u"Chiare, fresche e dolci acque"_s);
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    auto* frame = window->findChild<QWidget*>(u"fra_edit"_s);
    auto* box = window->findChild<QPlainTextEdit*>(u"Edit_box"_s);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(frame->isVisible());

    key(window, Qt::Key_F9);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(box->toPlainText(), u"Nel mezzo del cammin"_s);
    key(window, Qt::Key_Down);
    EXPECT_EQ(box->toPlainText(), u"Chiare, fresche e dolci acque"_s);

    QTest::keyClicks(box, "x");
    EXPECT_EQ(box->toPlainText(), u"Chiare, fresche e dolci acque"_s);
    ASSERT_FALSE(t.prompter.messages().isEmpty());
    EXPECT_EQ(t.prompter.messages().last(), u"Press F10 for editing."_s);

    key(window, Qt::Key_F9);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MapWindowTest, UserResizeTurnsAutoSizeOffAndTimer1LaysThePanelsOut) {
    add("Books", "Poetry", "Dante");
    add("Books", "Poetry", "Petrarca");
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->parameters().auto_size);
    auto* timer = window->findChild<QTimer*>(u"Timer1"_s);
    ASSERT_NE(timer, nullptr);
    auto* panel = window->findChild<QPushButton*>(u"pan_1"_s);
    const int width_before = panel->width();

    window->sub_window()->resize(window->sub_window()->width() + 300, window->sub_window()->height() + 200);
    EXPECT_FALSE(window->parameters().auto_size);
    EXPECT_FALSE(window->action(u"m_auto_size"_s)->isChecked());
    EXPECT_EQ(get_map_param(*ctx.db, u"Books: Poetry"_s, u"#auto_size"_s), u"0"_s);
    EXPECT_TRUE(timer->isActive());
    window->on_relayout_timer();
    EXPECT_FALSE(timer->isActive());
    EXPECT_GT(panel->width(), width_before + 200);

    // F5 switches auto size on again and the window fits its panels.
    key(window, Qt::Key_F5);
    EXPECT_TRUE(window->parameters().auto_size);
    EXPECT_EQ(panel->width(), width_before);
}

} // namespace

// ---------------------------------------------------------------- names, drags and sizes

// However a map is named, it has one window and one set of settings; opened again, it shows what
// the preferences ask for now.
TEST_F(MapWindowTest, OneWindowAndOneSetOfSettingsPerMapHoweverItIsNamed) {
    add("Books", "Poetry", "Dante");
    add("Books", "Epic", "dante");
    MapWindow* books = maps->open_map(u"Books"_s);
    ASSERT_NE(books, nullptr);
    EXPECT_TRUE(books->action(u"m_random_map_of_cat"_s)->isVisible());
    MapWindow* again = maps->open_map(u"books:"_s);
    ASSERT_NE(again, nullptr);
    settle();
    EXPECT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(again->map_name(), u"Books"_s);
    maps->save_all();
    EXPECT_EQ(ctx.db->scalar(u"select count(distinct colcat) from map_params"_s).toInt(), 1);
    EXPECT_EQ(ctx.db->scalar(u"select min(colcat) from map_params"_s).toString(), u"Books"_s);

    MapWindow* plain = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(panel_texts(plain), QStringList{u"Dante"_s});
    set_gen_param(*ctx.db, u"presence_of_similar_items_indicator"_s, u"Y"_s);
    load_preferences(ctx);
    MapWindow* marked = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(marked, nullptr);
    EXPECT_EQ(panel_texts(marked), QStringList{u"Dante+"_s});
    settle();
    EXPECT_EQ(ctx.map_windows.in_use_count(), 2);
}

// A panel dragged within its window moves there, dragged to another window moves into that map;
// a grid filler is no entry and neither drags nor drops.
TEST_F(MapWindowTest, DropsReorderWithinAWindowAndMoveBetweenWindowsButNotGridFillers) {
    for (const char* title : {"Ariosto", "Boiardo", "Carducci", "Dante"})
        add("Books", "Poetry", title);
    add("Books", "Classics", u"Omero"_s);
    set_map_param(*ctx.db, t.prompter, u"Books: Poetry"_s, u"#nr_columns"_s, "3");
    MapWindow* poetry = maps->open_map(u"Books: Poetry"_s);
    MapWindow* classics = maps->open_map(u"Books: Classics"_s);
    ASSERT_NE(poetry, nullptr);
    ASSERT_NE(classics, nullptr);
    ASSERT_EQ(poetry->panel_count(), 6);
    EXPECT_TRUE(poetry->drag_payload(3, false).has_value());
    EXPECT_FALSE(poetry->drag_payload(4, false).has_value());
    EXPECT_FALSE(poetry->drag_payload(5, true).has_value());

    DragPayload filler;
    filler.title = u"-"_s;
    filler.source_window = poetry->window_number();
    filler.source_index = 5;
    poetry->drop(filler, 0);
    classics->drop(filler, 0);
    EXPECT_EQ(titles_by_seq(u"Books"_s, u"Poetry"_s),
              (QStringList{"Ariosto", "Boiardo", "Carducci", "Dante"}));
    EXPECT_EQ(titles_by_seq(u"Books"_s, u"Classics"_s), QStringList{u"Omero"_s});
    EXPECT_TRUE(t.prompter.shown().empty());

    poetry->drop(*poetry->drag_payload(0, false), 2);
    EXPECT_EQ(panel_texts(poetry).mid(0, 4), (QStringList{"Boiardo", "Carducci", "Ariosto", "Dante"}));
    classics->drop(*poetry->drag_payload(2, false), 0);
    EXPECT_TRUE(panel_texts(classics).contains(u"Ariosto"_s));
    EXPECT_EQ(panel_texts(poetry), (QStringList{"Boiardo", "Carducci", "Dante"}));
}

// In a large font too, long titles are cut to their panels and keep the window inside the main
// window, and the panels are high enough for their letters.
TEST_F(MapWindowTest, LongTitlesKeepTheWindowInsideTheMainWindowAndAreElided) {
    ctx.prefs.font_size = 14;
    const QString title = u"A very long title that goes on "_s.repeated(12);
    add("Books", "Poetry", title);
    add("Books", "Poetry", u"short"_s);
    add("Books", "Poetry", u"other"_s);
    ctx.db->exec(u"update repos set seq = item_nr"_s);
    set_map_param(*ctx.db, t.prompter, u"Books: Poetry"_s, u"#nr_columns"_s, "3");
    MapWindow* window = maps->open_map(u"Books: Poetry"_s);
    ASSERT_NE(window, nullptr);
    settle();
    EXPECT_TRUE(area.viewport()->rect().contains(window->sub_window()->geometry()))
        << "close box out of reach";
    // Laid out again later (a refresh from another window), it stays inside as well.
    window->refresh_from_outside();
    EXPECT_TRUE(area.viewport()->rect().contains(window->sub_window()->geometry()));
    auto* first = window->findChild<MapPanel*>(u"pan_1"_s);
    EXPECT_TRUE(first->toolTip().startsWith(title));
    EXPECT_LE(first->fontMetrics().horizontalAdvance(first->text()), first->width());
    EXPECT_EQ(first->font().pointSizeF(), 14);
    EXPECT_GE(first->height(), first->fontMetrics().height() + 4);
}

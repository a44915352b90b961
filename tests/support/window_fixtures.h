// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixtures of the window tests: windows in one MDI area over a TestDb database.

#include "core/database.h"
#include "core/params.h"
#include "maps/ui/map_panel.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "support/test_db.h"
#include "table/table_model.h"
#include "table/ui/table_room_windows.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"
#include "ui/ui_helpers.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// An MDI area on screen with the map windows, over a fresh database with the default collections.
class MdiFixture : public ::testing::Test, public TestDb {
protected:
    TestContext& t = tc;
    QMdiArea area;
    std::unique_ptr<MapWindows> maps;

    void open_area(const QString& file) {
        open_db(file);
        area.resize(1400, 1000);
        area.show();
        maps = std::make_unique<MapWindows>(ctx, [this] { return &area; });
    }

    // Lets deferred activations, closes, deletions and single-shot timers happen.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Map windows; category and collection maps of Books open as maps (not as table views).
class MapWindowFixture : public MdiFixture {
protected:
    void SetUp() override {
        open_area(QStringLiteral("maps.tdb"));
        ctx.collections.at(7).open_cat_as_map = true;
        ctx.collections.at(7).open_coll_as_map = true;
    }
    void TearDown() override {
        maps->close_all();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        maps.reset();
    }

    static QStringList panel_texts(const MapWindow* window) {
        QStringList texts;
        for (int i = 1;; ++i) {
            auto* panel = window->findChild<QPushButton*>(QStringLiteral("pan_%1").arg(i));
            if (!panel) break;
            texts.append(panel->text());
        }
        return texts;
    }
    static QWidget* panel_area(const MapWindow* window) {
        return window->findChild<QWidget*>(QStringLiteral("pan_pan"));
    }
    static void key(const MapWindow* window, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(panel_area(window), k, mods);
    }
};

// Table views beside the map windows; a map's "search" opens its table view.
class TableViewFixture : public MdiFixture {
protected:
    std::unique_ptr<TableViews> tables;

    void SetUp() override {
        open_area(QStringLiteral("table.tdb"));
        tables = std::make_unique<TableViews>(
            ctx, [this] { return &area; }, *maps);
        t.windows.on_open_table_view = [this](int position) { tables->open_table_view(position); };
        t.windows.on_open_table_search = [this](int position) {
            TableView::Options options;
            options.find_on_activate = true;
            tables->open_table_view(position, options);
        };
        t.windows.then[QStringLiteral("refresh_table_views")] = [this] { tables->refresh_all(); };
    }
    void TearDown() override {
        tables->close_all();
        maps->close_all();
        settle();
        tables.reset();
        maps.reset();
    }

    // The titles in the grid, top to bottom.
    static QStringList grid_titles(const TableView* view) {
        QStringList list;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            list.append(view->model()->text(row, 6));
        return list;
    }
    template <class W> static W* control(const TableView* view, const char* name) {
        W* w = view->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

// The table room's windows (editors, notepad, global find, map list, configuration) beside the
// map windows; requests for the room's windows reach the room. Category maps of Books open as maps.
class TableRoomFixture : public MdiFixture {
protected:
    std::unique_ptr<TableRoomWindows> room;

    void SetUp() override {
        open_area(QStringLiteral("room.tdb"));
        ctx.collections.at(7).open_cat_as_map = true;
        room = std::make_unique<TableRoomWindows>(ctx, *maps, [this] { return &area; });
        t.windows.on_open_content_editor = [this](qint64 item_nr) { room->open_content_editor(item_nr); };
        t.windows.on_open_map_list = [this](const QString& filter) { room->open_map_list(filter); };
    }
    void TearDown() override {
        room->close_all();
        maps->close_all();
        settle();
        room.reset();
        maps.reset();
    }

    template <class W> static W* child(const QWidget* window, const char* name) {
        return window->findChild<W*>(QLatin1String(name));
    }
    // The widget that has the keyboard focus inside the main window's area.
    QWidget* focused() const { return area.focusWidget(); }
    // The presses of Shift, Ctrl and Alt themselves, which reach the key routine too.
    static bool is_modifier_key(int key) {
        return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
    }
    // Whether the window (or its frame) is still on screen.
    static bool open(const QPointer<QWidget>& window) {
        if (!window) return false;
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        return frame ? frame->isVisible() : window->isVisible();
    }
};

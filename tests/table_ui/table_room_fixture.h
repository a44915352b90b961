// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/params.h"
#include "maps/ui/map_windows.h"
#include "support/items.h"
#include "support/test_context.h"
#include "table/ui/table_room_windows.h"
#include "ui/ui_helpers.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The windows of the table room and the map windows in one MDI area, over a fresh database with
// the default collections; requests for the room's windows reach the room.
class TableRoomFixture : public ::testing::Test {
protected:
    TestContext t;
    AppContext& ctx = t.ctx;
    QMdiArea area;
    std::unique_ptr<MapWindows> maps;
    std::unique_ptr<TableRoomWindows> room;

    void SetUp() override {
        const QString path = t.env.path(QStringLiteral("room.tdb"));
        make_database(path, {}, 0, &t.clock);
        ctx.db = Database::open(path, {}, &t.clock);
        ctx.collections.init_collections();
        ctx.collections.at(7).open_cat_as_map = true;
        area.resize(1400, 1000);
        area.show();
        maps = std::make_unique<MapWindows>(ctx, [this] { return &area; });
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

    qint64 add(const QString& collection, const QString& cat, const QString& title,
               const QString& content = {}) {
        return insert_item(*ctx.db, collection, cat, title, content);
    }

    QString content_of(qint64 item_nr) {
        return ctx.db
            ->scalar(QStringLiteral("select item_content from repos where item_nr=") +
                     QString::number(item_nr))
            .toString();
    }
    int count(const QString& where) {
        return ctx.db->scalar(QStringLiteral("select count(*) from repos where ") + where).toInt();
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

    // Lets deferred closes, deletions and single-shot timers happen.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Whether the window (or its frame) is still on screen.
    static bool open(const QPointer<QWidget>& window) {
        if (!window) return false;
        auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        return frame ? frame->isVisible() : window->isVisible();
    }
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/params.h"
#include "maps/ui/map_panel.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "support/items.h"
#include "support/test_context.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Map windows in an MDI area over a fresh database with the default collections. Category maps
// of Books open as maps (not as table views).
class MapWindowFixture : public ::testing::Test {
protected:
    TestContext t;
    AppContext& ctx = t.ctx;
    QMdiArea area;
    std::unique_ptr<MapWindows> maps;

    void SetUp() override {
        const QString path = t.env.path(QStringLiteral("maps.tdb"));
        make_database(path, {}, 0, &t.clock);
        ctx.db = Database::open(path, {}, &t.clock);
        ctx.collections.init_collections();
        ctx.collections.at(7).open_cat_as_map = true;
        ctx.collections.at(7).open_coll_as_map = true;
        area.resize(1400, 1000);
        area.show();
        maps = std::make_unique<MapWindows>(ctx, [this] { return &area; });
    }

    void TearDown() override {
        maps->close_all();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        maps.reset();
    }

    qint64 add(const QString& collection, const QString& cat, const QString& title,
               const QString& content = {}) {
        return insert_item(*ctx.db, collection, cat, title, content);
    }

    // Titles of a map in the order of their stored positions.
    QStringList titles_by_seq(const QString& collection, const QString& cat) {
        Statement select = ctx.db->prepare(QStringLiteral(
            "select item_title from repos where collection = ? and cat = ? order by seq, item_title"));
        select.bind(1, collection);
        select.bind(2, cat);
        QStringList titles;
        while (select.next())
            titles.append(select.text(QStringLiteral("item_title")));
        return titles;
    }

    int count(const QString& where) {
        return ctx.db->scalar(QStringLiteral("select count(*) from repos where ") + where).toInt();
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

    // Lets the deferred activation and deletion of windows happen.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

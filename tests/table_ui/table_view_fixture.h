// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "maps/ui/map_windows.h"
#include "support/items.h"
#include "support/test_context.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <gtest/gtest.h>
#include <memory>

// Table views and map windows in an MDI area over a fresh database with the default collections.
class TableViewFixture : public ::testing::Test {
protected:
    TestContext t;
    AppContext& ctx = t.ctx;
    QMdiArea area;
    std::unique_ptr<MapWindows> maps;
    std::unique_ptr<TableViews> tables;

    void SetUp() override {
        const QString path = t.env.path(QStringLiteral("table.tdb"));
        make_database(path, {}, 0, &t.clock);
        ctx.db = Database::open(path, {}, &t.clock);
        ctx.collections.init_collections();
        area.resize(1400, 1000);
        area.show();
        maps = std::make_unique<MapWindows>(ctx, [this] { return &area; });
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

    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    qint64 add(const QString& collection, const QString& cat, const QString& title,
               const QString& content = {}) {
        return insert_item(*ctx.db, collection, cat, title, content);
    }

    template <class W> static W* control(const TableView* view, const char* name) {
        W* w = view->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/table_views.h"

#include "core/app_context.h"
#include "core/geometry.h"
#include "maps/ui/map_windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

TableViews::TableViews(AppContext& ctx, std::function<QMdiArea*()> area, MapWindows& maps)
    : ctx_(ctx), area_(std::move(area)), maps_(maps) {}

TableViews::~TableViews() {
    // Windows still open when the program ends must not call back into this object.
    for (QPointer<TableView>& view : windows_) {
        if (!view) continue;
        if (QMdiSubWindow* sub = view->sub_window())
            delete sub;
        else
            delete view.data();
    }
}

TableView* TableViews::open_table_view(int position, const TableView::Options& options) {
    QMdiArea* area = area_ ? area_() : nullptr;
    if (!area || !ctx_.db) {
        ctx_.table_presets = TablePresets{};
        return nullptr;
    }
    if (position >= 1 && position <= CollectionTable::count) {
        if (TableView* open = window(position)) {
            if (QMdiSubWindow* sub = open->sub_window())
                sub->close();
            else
                open->close();
            // A window that refused to close (a pending edit was kept) stays the window.
            if (window(position)) {
                ctx_.table_presets = TablePresets{};
                return nullptr;
            }
        }
    }
    // The content to insert waits until the window can edit; load() clears the presets.
    const QString insert_content = ctx_.table_presets.insert_content;
    TableView::Options opening = options;
    opening.no_auto_find = opening.no_auto_find || ctx_.table_presets.no_auto_find;
    auto* view = new TableView(ctx_, *this, position); // owned by its sub-window
    QMdiSubWindow* sub = area->addSubWindow(view);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(QStringLiteral("f_gentabx_frame_%1").arg(position));
    QObject::connect(sub, &QMdiSubWindow::aboutToActivate, view,
                     [view] { QTimer::singleShot(0, view, [view] { view->activated(); }); });
    sub->resize(9000 / twips_per_pixel, 7000 / twips_per_pixel);
    if (!view->load(opening)) {
        sub->deleteLater();
        return nullptr;
    }
    view->setup_editing();
    windows_[static_cast<std::size_t>(position)] = view;
    view->apply_geometry();
    sub->show();
    view->grid()->horizontalScrollBar()->setValue(0); // the first columns in view
    area->setActiveSubWindow(sub);
    view->grid()->setFocus();
    if (!insert_content.isEmpty()) view->insert_content(insert_content);
    return view;
}

TableView* TableViews::window(int position) const {
    if (position < 1 || position > CollectionTable::count) return nullptr;
    return windows_[static_cast<std::size_t>(position)].data();
}

void TableViews::refresh_all() {
    for (const QPointer<TableView>& view : windows_)
        if (view) view->refresh_table();
}

void TableViews::close_all() {
    for (QPointer<TableView>& view : windows_) {
        if (!view) continue;
        if (QMdiSubWindow* sub = view->sub_window())
            sub->close();
        else
            view->close();
    }
}

void TableViews::forget(int position, const TableView* view) {
    if (position < 1 || position > CollectionTable::count) return;
    if (windows_[static_cast<std::size_t>(position)] == view)
        windows_[static_cast<std::size_t>(position)] = nullptr;
    if (active_ == position) active_ = 0;
}

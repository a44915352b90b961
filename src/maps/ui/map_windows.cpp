// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/ui/map_windows.h"

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/overloaded.h"
#include "core/params.h"
#include "core/windows.h"
#include "maps/map_auto_selection.h"
#include "maps/map_names.h"
#include "maps/ui/map_window.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace {

// The busy pointer for the time of an opening.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

MapWindows::MapWindows(AppContext& ctx, std::function<QMdiArea*()> area)
    : ctx_(ctx), area_(std::move(area)) {}

MapWindows::~MapWindows() = default;

MapWindow* MapWindows::open_map(const QString& name) {
    if (!area_ || !area_()) return nullptr;
    return open_window(begin_open_map(ctx_, name));
}

MapWindow* MapWindows::open_category(const QString& collection, const QString& cat) {
    if (!area_ || !area_()) return nullptr;
    return open_window(begin_open_category(ctx_, collection, cat));
}

MapWindow* MapWindows::open_parts(const MapParts& map) {
    if (!area_ || !area_()) return nullptr;
    if (map.cat.isEmpty()) return open_map(map.collection);
    std::optional<MapOpening> opening = begin_open_category(ctx_, map.collection, map.cat);
    if (opening) opening->item = map.item;
    return open_window(opening);
}

MapWindow* MapWindows::open_window(const std::optional<MapOpening>& opening) {
    QMdiArea* area = area_();
    if (!opening) return nullptr;
    BusyPointer busy;

    auto* window = new MapWindow(ctx_, *this, opening->slot); // owned by its sub-window
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(QStringLiteral("f_tagmap_frame_%1").arg(opening->slot));
    // Activation completes pending cross-map operations; it waits for the click that activated
    // the window to be handled, so that a click on a panel can complete a reference itself.
    QObject::connect(sub, &QMdiSubWindow::aboutToActivate, window,
                     [window] { QTimer::singleShot(0, window, [window] { window->activated(); }); });
    if (!window->load(*opening)) {
        sub->deleteLater();
        return nullptr;
    }
    sub->show();
    area->setActiveSubWindow(sub);
    window->focus_panels();
    sub->raise();
    const QPointer<MapWindow> opened(window);
    if (window->parameters().open_child_topics) open_child_maps(*window, true);
    if (!opened) return nullptr;
    opened->fit_inside_main_window();
    if (QWidget* main = area->window(); main && main->isMinimized()) main->showMaximized();
    return opened;
}

void MapWindows::open_child_maps(const MapWindow& parent, bool automatic) {
    std::vector<ChildMap> children;
    try {
        children = existing_child_maps(ctx_, parent.identity(), parent.items().items());
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
        return;
    }
    const QString own_name = parent.map_name();
    // Windows numbered above this one were opened by this call (children open their own).
    const int opened_before = ctx_.map_windows.session_count();
    for (const ChildMap& child : children) {
        if (child.name.compare(own_name, Qt::CaseInsensitive) == 0) continue;
        const std::vector<int> showing = ctx_.map_windows.slots_showing(child.name);
        if (automatic && !showing.empty()) continue;
        if (std::any_of(showing.begin(), showing.end(), [opened_before](int n) { return n > opened_before; }))
            continue;
        open_parts(child.parts);
    }
}

void MapWindows::close_child_maps(const MapWindow& parent) {
    const QString own_name = parent.map_name();
    for (const ChildMap& child : child_maps(ctx_.collections, parent.identity(), parent.items().items()))
        if (child.name.compare(own_name, Qt::CaseInsensitive) != 0)
            ctx_.map_windows.close_windows_showing(child.name);
}

void MapWindows::execute(const Route& route) {
    std::visit(Overloaded{
                   [](const std::monostate&) {},
                   [this](const route::TopMap&) { open_map(top_map_name); },
                   [this](const route::Map& map) { open_map(map.name); },
                   [this](const route::CategoryMap& map) { open_category(map.collection, map.cat); },
                   [this](const route::Table& table) {
                       if (!table.cat.isEmpty()) ctx_.table_presets.category = table.cat;
                       if (!table.title.isEmpty()) ctx_.table_presets.title = table.title;
                       ctx_.windows.open_table_view(table.position);
                   },
               },
               route);
}

void MapWindows::open_named(const QString& name) {
    execute(::open_named(ctx_, name));
}

void MapWindows::open_start_maps(bool interactive) {
    for (const QString& name : ::open_start_maps(ctx_, interactive))
        open_map(name);
}

void MapWindows::refresh_open_maps(const QString& except) {
    for (const int number : ctx_.map_windows.in_use_slots()) {
        MapWindow* window = this->window(number);
        if (!window) continue;
        if (!except.isEmpty() && window->map_name().compare(except, Qt::CaseInsensitive) == 0) continue;
        window->refresh();
    }
}

void MapWindows::refresh_all_windows(const QString& except) {
    refresh_open_maps(except);
    refresh_other_views();
}

void MapWindows::refresh_other_views() {
    // The one place where the views of items other than maps are refreshed after a change.
    ctx_.windows.refresh_table_views();
    ctx_.windows.refresh_calendar();
}

MapWindow* MapWindows::window(int number) const {
    if (number < 1 || number > MapWindowTable::capacity) return nullptr;
    const MapSlot& slot = ctx_.map_windows.slot(number);
    if (!slot.in_use) return nullptr;
    return dynamic_cast<MapWindow*>(slot.window);
}

void MapWindows::activate(int number) {
    MapWindow* window = this->window(number);
    if (!window) return;
    if (QMdiSubWindow* sub = window->sub_window(); sub && sub->mdiArea()) {
        sub->mdiArea()->setActiveSubWindow(sub);
        sub->raise();
    }
    ctx_.map_windows.set_active(number);
    window->focus_panels();
}

void MapWindows::close_all() {
    for (const int number : ctx_.map_windows.in_use_slots()) {
        if (MapWindow* window = this->window(number)) window->close();
        ctx_.map_windows.release(number);
    }
}

void MapWindows::save_all() {
    for (const int number : ctx_.map_windows.in_use_slots())
        if (MapWindow* window = this->window(number)) window->save_parameters();
}

void MapWindows::reset() {
    close_all();
    ctx_.map_windows.reset();
    last_selected_item = 0;
}

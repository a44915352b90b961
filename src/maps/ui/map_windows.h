// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/form_attributes.h"
#include "maps/navigation.h"

#include <QString>
#include <QStringList>
#include <functional>

class AppContext;
class MapWindow;
class QMdiArea;

// The program's map windows: opens them in the main window's MDI area, carries out navigation
// routes and refreshes the open windows after a change.
class MapWindows {
public:
    // `area` answers the MDI area once the main window exists (nullptr before).
    MapWindows(AppContext& ctx, std::function<QMdiArea*()> area);
    ~MapWindows();
    MapWindows(const MapWindows&) = delete;
    MapWindows& operator=(const MapWindows&) = delete;

    // Opens a map window (any window already showing the map is replaced). The name may carry
    // an item part to select. nullptr when nothing opened: a blank name, a full window table or
    // a map refused at loading (the user was told).
    MapWindow* open_map(const QString& name);
    // Opens the category map of `collection` and `cat` given by its parts.
    MapWindow* open_category(const QString& collection, const QString& cat);
    // The map of `map` given by its parts: a collection alone opens the collection map, "Top
    // map" the top map; a category map opens with the item titled `map.item` selected.
    MapWindow* open_parts(const MapParts& map);
    // Opens the existing child maps of `parent` in panel order. An automatic opening (the
    // parent has just opened) leaves out the maps already open, so that maps naming each other
    // open once each; the command reopens them, but never the parent itself nor a map that one
    // of the children opened meanwhile.
    void open_child_maps(const MapWindow& parent, bool automatic);
    // Closes every other open map window showing a child map of `parent`.
    void close_child_maps(const MapWindow& parent);
    // Carries out a navigation decision.
    void execute(const Route& route);
    // A map or collection name as typed (command line, dialogs).
    void open_named(const QString& name);
    void open_start_maps(bool interactive);

    // refresh_map of every open map window except the one showing `except`.
    void refresh_open_maps(const QString& except = {});
    // After any change to items: the map windows, then the other views of the items.
    void refresh_all_windows(const QString& except = {});
    // The views of items other than maps: the table views and the calendar lists.
    void refresh_other_views();

    // The window in slot `number`, nullptr when the slot is free.
    MapWindow* window(int number) const;
    // Activates the window in slot `number` and gives it the focus.
    void activate(int number);
    // Closes every map window.
    void close_all();
    // Every open window saves its parameters under its map name (the program is ending).
    void save_all();
    // Start of a session: the table is emptied and the window numbers start again.
    void reset();

    // The item selected last in any map window; an opening map selects it when it has it.
    qint64 last_selected_item = 0;

private:
    MapWindow* open_window(const std::optional<MapOpening>& opening);

    AppContext& ctx_;
    std::function<QMdiArea*()> area_;
};

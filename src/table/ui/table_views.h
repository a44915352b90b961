// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/content_editor.h"
#include "table/ui/table_view.h"

#include <QPointer>
#include <array>
#include <functional>

class AppContext;
class MapWindows;
class QMdiArea;

// The program's table views: at most one per collection position, in the main window's MDI
// area. Opening a position that has a window replaces it with a fresh one.
class TableViews {
public:
    // `area` answers the MDI area once the main window exists (nullptr before).
    TableViews(AppContext& ctx, std::function<QMdiArea*()> area, MapWindows& maps);
    ~TableViews();
    TableViews(const TableViews&) = delete;
    TableViews& operator=(const TableViews&) = delete;

    // open_table_view: applies and clears ctx.table_presets; a content handed in them starts an
    // insert once the window is open. nullptr when nothing opened (no main window, or the window
    // refused to open and told the user why).
    TableView* open_table_view(int position, const TableView::Options& options = {});
    // The open window of a position, nullptr when none.
    TableView* window(int position) const;
    // refresh_table of every open table view.
    void refresh_all();
    // Closes every table view (each stores its geometry and column widths).
    void close_all();

    MapWindows& maps() { return maps_; }

    // Opens the content editor on the content of an insert or edit still pending in a table view
    // (`item` names it for the caption; its item_nr is 0 for an insert). The editor writes
    // nothing: each save hands the text to `hand_back`, which answers whether it took it. Set by
    // whoever builds the editors; empty, the zoom of a pending change is unavailable.
    std::function<bool(const EditedItem& item, const QString& text,
                       std::function<bool(const QString&)> hand_back)>
        edit_pending_content;

    // The position of the table view activated last; 0 when none is open.
    int active_position() const { return active_; }
    void set_active(int position) { active_ = position; }

    // Called by a closing window.
    void forget(int position, const TableView* window);

private:
    AppContext& ctx_;
    std::function<QMdiArea*()> area_;
    MapWindows& maps_;
    std::array<QPointer<TableView>, 46> windows_{};
    int active_ = 0;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "table/content_editor.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class AppContext;
class CollectionConfigWindow;
class ContentEditorWindow;
class FileSearchWindow;
class GlobalFindWindow;
class MapListWindow;
class MapWindows;
class NotepadWindow;
class QMdiArea;
class QWidget;

// The content editors (500 slots), the notepad, global find, the map list, the collection
// configuration and file search: where they open (the main window's MDI area) and which one exists.
class TableRoomWindows {
public:
    // `area` answers the MDI area once the main window exists (nullptr before).
    TableRoomWindows(AppContext& ctx, MapWindows& maps, std::function<QMdiArea*()> area);
    ~TableRoomWindows();
    TableRoomWindows(const TableRoomWindows&) = delete;
    TableRoomWindows& operator=(const TableRoomWindows&) = delete;

    // Opens the table view of a position for a search typed into global find, so that the table
    // view leaves the collection filter empty; answers whether the window opened (an open one
    // with a pending edit may refuse to close). Without it global find opens the table view
    // through the context's windows.
    std::function<bool(int position)> open_search_table;

    // A new editor in the first free slot; "No more edit forms loadable" when all are taken.
    // `text`, when not empty, is edited instead of the stored content.
    ContentEditorWindow* open_content_editor(qint64 item_nr, const QString& text = {});
    // An editor on text not stored yet, handed back through `hand_back` at each save (the
    // content of an insert or edit pending in a table view).
    ContentEditorWindow* open_content_editor_for(const EditedItem& item, const QString& text,
                                                 std::function<bool(const QString&)> hand_back);
    // These close the open window of their kind and open a fresh one.
    NotepadWindow* open_pad();
    GlobalFindWindow* open_global_find();
    // The maps in the context's selected_maps, when there are any, are listed (and taken);
    // otherwise `filter` fills the filter field (parentless_marker: the parentless maps).
    MapListWindow* open_map_list(const QString& filter);
    CollectionConfigWindow* open_collection_config();
    // The one file search window: an open one is brought forward with its results.
    FileSearchWindow* open_file_search();

    const EditorSlots& editor_slots() const { return editor_slots_; }
    ContentEditorWindow* editor(int slot) const;
    NotepadWindow* pad() const;
    GlobalFindWindow* global_find() const;
    MapListWindow* map_list() const;
    CollectionConfigWindow* collection_config() const;
    FileSearchWindow* file_search() const;

    // Closes every window of this room.
    void close_all();

private:
    // Takes an editor slot and a window, and keeps it when `load` fills it.
    ContentEditorWindow* open_editor(const std::function<bool(ContentEditorWindow&)>& load);
    // Puts a new window into the MDI area (or on its own when there is none) and shows it;
    // `activated` runs whenever it becomes the active window.
    void show_window(QWidget* window, const QString& frame_name, std::function<void()> activated);
    void refresh_all();

    AppContext& ctx_;
    MapWindows& maps_;
    std::function<QMdiArea*()> area_;
    EditorSlots editor_slots_;
    std::array<QPointer<ContentEditorWindow>, EditorSlots::capacity + 1> editors_{};
    QPointer<NotepadWindow> pad_;
    QPointer<GlobalFindWindow> global_find_;
    QPointer<MapListWindow> map_list_;
    QPointer<CollectionConfigWindow> config_;
    QPointer<FileSearchWindow> file_search_;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/table_room_windows.h"

#include "core/app_context.h"
#include "core/ui/form_place.h"
#include "core/windows.h"
#include "maps/ui/map_windows.h"
#include "table/ui/collection_config_window.h"
#include "table/ui/content_editor_window.h"
#include "table/ui/file_search_window.h"
#include "table/ui/global_find_window.h"
#include "table/ui/map_list_window.h"
#include "table/ui/notepad_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// Closes a window of which only one may exist, so that the next opening starts afresh.
template <class W> void close_single(QPointer<W>& window) {
    if (window) close_form(*window);
    window = nullptr;
}

// A window that could not load goes at once, with its frame, and without a closing routine.
void discard(QWidget* window) {
    if (QMdiSubWindow* frame = frame_of(*window))
        delete frame;
    else
        delete window;
}

void show_frame(QWidget* window) {
    if (QMdiSubWindow* frame = frame_of(*window))
        frame->show();
    else
        window->show();
}

} // namespace

TableRoomWindows::TableRoomWindows(AppContext& ctx, MapWindows& maps, std::function<QMdiArea*()> area)
    : ctx_(ctx), maps_(maps), area_(std::move(area)) {}

TableRoomWindows::~TableRoomWindows() {
    // Windows still open when the program ends go first: editors give their slots back to this
    // object, and every window refreshes the others through it.
    for (auto& window : editors_)
        if (window) discard(window);
    for (QWidget* window :
         {static_cast<QWidget*>(pad_), static_cast<QWidget*>(global_find_), static_cast<QWidget*>(map_list_),
          static_cast<QWidget*>(config_), static_cast<QWidget*>(file_search_)})
        if (window) discard(window);
}

void TableRoomWindows::show_window(QWidget* window, const QString& frame_name,
                                   std::function<void()> activated) {
    if (QMdiArea* area = area_ ? area_() : nullptr) {
        QMdiSubWindow* frame = area->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setObjectName(frame_name);
        QObject::connect(frame, &QMdiSubWindow::aboutToActivate, window, std::move(activated));
    } else {
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
}

void TableRoomWindows::refresh_all() {
    maps_.refresh_all_windows();
}

ContentEditorWindow* TableRoomWindows::open_content_editor(qint64 item_nr, const QString& text) {
    return open_editor([&](ContentEditorWindow& window) { return window.load(item_nr, text); });
}

ContentEditorWindow* TableRoomWindows::open_editor(const std::function<bool(ContentEditorWindow&)>& load) {
    if (!ctx_.db) return nullptr;
    const std::optional<int> slot = editor_slots_.reserve();
    if (!slot) {
        ctx_.prompter.message(no_more_editors_message);
        return nullptr;
    }
    auto* window = new ContentEditorWindow(ctx_, editor_slots_, *slot, [this] { refresh_all(); });
    show_window(window, QStringLiteral("f_edit_frame_%1").arg(*slot), [window] { window->activated(); });
    if (!load(*window)) {
        // The window gives its slot back as it goes.
        discard(window);
        return nullptr;
    }
    editors_[static_cast<std::size_t>(*slot)] = window;
    show_frame(window);
    return window;
}

ContentEditorWindow*
TableRoomWindows::open_content_editor_for(const EditedItem& item, const QString& text,
                                          std::function<bool(const QString&)> hand_back) {
    return open_editor([&](ContentEditorWindow& window) {
        window.load_handed(item, text, std::move(hand_back));
        return true;
    });
}

ContentEditorWindow* TableRoomWindows::editor(int slot) const {
    if (slot < 1 || slot > EditorSlots::capacity || !editor_slots_.in_use(slot)) return nullptr;
    return editors_[static_cast<std::size_t>(slot)];
}

NotepadWindow* TableRoomWindows::pad() const {
    return pad_;
}

GlobalFindWindow* TableRoomWindows::global_find() const {
    return global_find_;
}

MapListWindow* TableRoomWindows::map_list() const {
    return map_list_;
}

CollectionConfigWindow* TableRoomWindows::collection_config() const {
    return config_;
}

FileSearchWindow* TableRoomWindows::file_search() const {
    return file_search_;
}

NotepadWindow* TableRoomWindows::open_pad() {
    close_single(pad_);
    if (!ctx_.db) return nullptr;
    auto* window = new NotepadWindow(ctx_, [this] { refresh_all(); });
    show_window(window, QStringLiteral("f_pad_frame"), [window] { window->activated(); });
    if (!window->load()) {
        discard(window);
        return nullptr;
    }
    pad_ = window;
    show_frame(window);
    return window;
}

GlobalFindWindow* TableRoomWindows::open_global_find() {
    close_single(global_find_);
    if (!ctx_.db) return nullptr;
    auto* window = new GlobalFindWindow(ctx_, [this]() -> std::function<bool(int)> {
        if (open_search_table) return open_search_table;
        return [this](int position) {
            ctx_.windows.open_table_view(position);
            return true;
        };
    });
    show_window(window, QStringLiteral("f_global_find_frame"), [window] { window->activated(); });
    window->load();
    global_find_ = window;
    show_frame(window);
    return window;
}

MapListWindow* TableRoomWindows::open_map_list(const QString& filter) {
    close_single(map_list_);
    if (!ctx_.db) return nullptr;
    const QStringList selected = ctx_.selected_maps;
    ctx_.selected_maps.clear();
    auto* window = new MapListWindow(ctx_, maps_);
    show_window(window, QStringLiteral("f_list_frame"), [window] { window->activated(); });
    window->load(selected, filter);
    map_list_ = window;
    show_frame(window);
    return window;
}

CollectionConfigWindow* TableRoomWindows::open_collection_config() {
    close_single(config_);
    if (!ctx_.db) return nullptr;
    auto* window = new CollectionConfigWindow(ctx_);
    show_window(window, QStringLiteral("f_config_frame"), [window] { window->activated(); });
    window->load();
    config_ = window;
    show_frame(window);
    return window;
}

FileSearchWindow* TableRoomWindows::open_file_search() {
    if (file_search_) {
        if (QMdiSubWindow* frame = frame_of(*file_search_)) {
            frame->showNormal();
            if (QMdiArea* area = frame->mdiArea()) area->setActiveSubWindow(frame);
        } else {
            file_search_->activateWindow();
        }
        return file_search_;
    }
    if (!ctx_.db) return nullptr;
    auto* window = new FileSearchWindow(ctx_);
    show_window(window, QStringLiteral("f_file_search_frame"), [window] { window->activated(); });
    window->load();
    file_search_ = window;
    show_frame(window);
    return window;
}

void TableRoomWindows::close_all() {
    for (int slot = 1; slot <= EditorSlots::capacity; ++slot) {
        if (auto& window = editors_[static_cast<std::size_t>(slot)]; window) close_form(*window);
        editors_[static_cast<std::size_t>(slot)] = nullptr;
    }
    close_single(pad_);
    close_single(global_find_);
    close_single(map_list_);
    close_single(config_);
    close_single(file_search_);
}

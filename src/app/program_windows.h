// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/windows.h"

#include <QPointer>
#include <memory>

class AppContext;
class CalendarWindow;
class CommandForm;
class MapTreeWindow;
class MapWindows;
class PictureViewer;
class QMdiArea;
class QtStartupUi;
class RandomWindows;
class Session;
class ShellCommands;
class StormWindows;
class TableRoomWindows;
class TableViews;

// The program's windows, room by room, behind the one interface through which the logic and
// the rooms ask each other for windows. Made empty before the context (the context keeps a
// reference to it), filled by build() once the context and the session exist, and emptied by
// tear_down() before they go.
class ProgramWindows final : public Windows {
public:
    ProgramWindows();
    ~ProgramWindows() override;
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    void build(AppContext& ctx, QtStartupUi& ui, Session& session);
    void tear_down();

    bool handle_hot_key(int shift, int key) override;
    void show_general_menu() override;
    void show_text_window(const QString& text, const QString& caption) override;
    void rebuild_main_window() override;
    void show_command_form() override;
    void start_command_timer() override;
    void show_tips() override;

    void reset_map_windows() override;
    void open_named_map(const QString& name) override;
    void open_map(const MapParts& map) override;
    void open_start_maps(bool interactive) override;
    void save_open_maps() override;
    void close_map_windows() override;
    void relayout_map_windows() override;

    std::optional<FormAttributes> active_form_attributes() override;
    std::optional<MapParts> select_map(const MapParts& prefill, bool collection_only) override;
    void open_create_map_dialog() override;
    void open_map_tree() override;

    void open_table_view(int position) override;
    void open_table_search(int position) override;
    void refresh_table_views() override;
    void close_table_views() override;
    void open_content_editor(qint64 item_nr) override;
    void open_pad() override;
    void open_global_find() override;
    void open_map_list(const QString& filter) override;
    void open_collection_config() override;
    void open_file_search() override;

    bool has_calendar() const override { return true; }
    void open_calendar() override;
    void refresh_calendar() override;
    void check_reminders(bool open_calendar_if_any) override;
    bool has_random_views() const override { return true; }
    void open_random_item(const RandomSelection& selection) override;
    void open_storm(const RandomSelection& selection) override;
    bool has_picture_viewer() const override { return true; }
    void show_picture(const QString& path) override;
    void open_picture_browser() override;
    void open_organizer() override;

    // The program runs as the picture viewer ("glimmeron"): the browser is standalone (caption
    // "Glimmeron", no way back to the organizer from its menu).
    void set_viewer_program(bool standalone) { viewer_program_ = standalone; }
    // True while a window of the picture viewer is open (the program without a database runs
    // as long as one is).
    bool viewer_open() const;

private:
    QMdiArea* area() const;

    AppContext* ctx_ = nullptr;
    QtStartupUi* ui_ = nullptr;
    std::unique_ptr<MapWindows> maps_;
    std::unique_ptr<ShellCommands> commands_;
    std::unique_ptr<TableViews> tables_;
    std::unique_ptr<TableRoomWindows> table_room_;
    std::unique_ptr<CommandForm> command_form_;
    std::unique_ptr<RandomWindows> random_items_;
    std::unique_ptr<StormWindows> storms_;
    std::unique_ptr<PictureViewer> viewer_;
    Session* session_ = nullptr;
    bool viewer_program_ = false;
    QPointer<MapTreeWindow> tree_;
    QPointer<CalendarWindow> calendar_;
};

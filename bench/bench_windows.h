// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/windows.h"

// The benchmarks time one thing alone (the start-up, one map window, one table view): the other
// windows are absent, and a request for them does nothing.
class BenchWindows final : public Windows {
public:
    bool handle_hot_key(int /*shift*/, int /*key*/) override { return false; }
    void show_general_menu() override {}
    void show_text_window(const QString& /*text*/, const QString& /*caption*/) override {}
    void rebuild_main_window() override {}
    void show_command_form() override {}
    void start_command_timer() override {}
    void show_tips() override {}
    void reset_map_windows() override {}
    void open_named_map(const QString& /*name*/) override {}
    void open_map(const MapParts& /*map*/) override {}
    void open_start_maps(bool /*interactive*/) override {}
    void save_open_maps() override {}
    void close_map_windows() override {}
    void relayout_map_windows() override {}
    std::optional<FormAttributes> active_form_attributes() override { return std::nullopt; }
    std::optional<MapParts> select_map(const MapParts& /*prefill*/, bool /*collection_only*/) override {
        return std::nullopt;
    }
    void open_create_map_dialog() override {}
    void open_map_tree() override {}
    void open_table_view(int /*position*/) override {}
    void open_table_search(int /*position*/) override {}
    void refresh_table_views() override {}
    void close_table_views() override {}
    void open_content_editor(qint64 /*item_nr*/) override {}
    void open_pad() override {}
    void open_global_find() override {}
    void open_map_list(const QString& /*filter*/) override {}
    void open_collection_config() override {}
    void open_file_search() override {}
    bool has_calendar() const override { return false; }
    void open_calendar() override {}
    void refresh_calendar() override {}
    void check_reminders(bool /*open_calendar_if_any*/) override {}
    bool has_random_views() const override { return false; }
    void open_random_item(const RandomSelection& /*selection*/) override {}
    void open_storm(const RandomSelection& /*selection*/) override {}
    bool has_picture_viewer() const override { return false; }
    void show_picture(const QString& /*path*/) override {}
    void open_picture_browser() override {}
    void open_organizer() override {}
};

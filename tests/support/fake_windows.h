// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/windows.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Records every request made of the windows as one line ("open_table_view 7"), in order. A
// test that needs a request to do something gives it an action in `then`, by the request's
// name (it runs after the request is recorded); handle_hot_key answers what on_hot_key answers
// (false without one). The calendar and the picture viewer are absent unless a test makes them
// present.
class FakeWindows final : public Windows {
public:
    QStringList calls;
    std::function<bool(int shift, int key)> on_hot_key;
    std::function<void(int position)> on_open_table_view;
    std::function<void(int position)> on_open_table_search;
    std::function<void(qint64 item_nr)> on_open_content_editor;
    std::function<void(const QString& filter)> on_open_map_list;
    // What active_form_attributes answers, and what the selection dialog chooses (cancelled
    // without an answer).
    std::optional<FormAttributes> attributes;
    std::function<std::optional<MapParts>(const MapParts& prefill, bool collection_only)> on_select_map;
    QHash<QString, std::function<void()>> then;
    bool calendar = false;
    bool picture_viewer = false;
    bool random_views = false;

    bool handle_hot_key(int shift, int key) override {
        record(QStringLiteral("handle_hot_key %1 %2").arg(shift).arg(key));
        return on_hot_key && on_hot_key(shift, key);
    }
    void show_general_menu() override { record(QStringLiteral("show_general_menu")); }
    void show_text_window(const QString& /*text*/, const QString& caption) override {
        record(QStringLiteral("show_text_window ") + caption);
    }
    void rebuild_main_window() override { record(QStringLiteral("rebuild_main_window")); }
    void show_command_form() override { record(QStringLiteral("show_command_form")); }
    void start_command_timer() override { record(QStringLiteral("start_command_timer")); }
    void show_tips() override { record(QStringLiteral("show_tips")); }

    void reset_map_windows() override { record(QStringLiteral("reset_map_windows")); }
    void open_named_map(const QString& name) override { record(QStringLiteral("open_named_map ") + name); }
    void open_map(const MapParts& map) override { record(QStringLiteral("open_map ") + joined(map)); }
    void open_start_maps(bool interactive) override {
        record(QStringLiteral("open_start_maps ") +
               (interactive ? QStringLiteral("interactive") : QString()));
    }
    void save_open_maps() override { record(QStringLiteral("save_open_maps")); }
    void close_map_windows() override { record(QStringLiteral("close_map_windows")); }
    void relayout_map_windows() override { record(QStringLiteral("relayout_map_windows")); }

    std::optional<FormAttributes> active_form_attributes() override { return attributes; }
    std::optional<MapParts> select_map(const MapParts& prefill, bool collection_only) override {
        record(QStringLiteral("select_map ") + joined(prefill) +
               (collection_only ? QStringLiteral(" (collection only)") : QString()));
        return on_select_map ? on_select_map(prefill, collection_only) : std::nullopt;
    }
    void open_create_map_dialog() override { record(QStringLiteral("open_create_map_dialog")); }
    void open_map_tree() override { record(QStringLiteral("open_map_tree")); }

    void open_table_view(int position) override {
        record(QStringLiteral("open_table_view %1").arg(position));
        if (on_open_table_view) on_open_table_view(position);
    }
    void open_table_search(int position) override {
        record(QStringLiteral("open_table_search %1").arg(position));
        if (on_open_table_search) on_open_table_search(position);
    }
    void refresh_table_views() override { record(QStringLiteral("refresh_table_views")); }
    void close_table_views() override { record(QStringLiteral("close_table_views")); }
    void open_content_editor(qint64 item_nr) override {
        record(QStringLiteral("open_content_editor %1").arg(item_nr));
        if (on_open_content_editor) on_open_content_editor(item_nr);
    }
    void open_pad() override { record(QStringLiteral("open_pad")); }
    void open_global_find() override { record(QStringLiteral("open_global_find")); }
    void open_map_list(const QString& filter) override {
        record(QStringLiteral("open_map_list ") + filter);
        if (on_open_map_list) on_open_map_list(filter);
    }
    void open_collection_config() override { record(QStringLiteral("open_collection_config")); }
    void open_file_search() override { record(QStringLiteral("open_file_search")); }

    bool has_calendar() const override { return calendar; }
    void open_calendar() override { record(QStringLiteral("open_calendar")); }
    void refresh_calendar() override { record(QStringLiteral("refresh_calendar")); }
    void check_reminders(bool open_calendar_if_any) override {
        record(QStringLiteral("check_reminders ") +
               (open_calendar_if_any ? QStringLiteral("open") : QString()));
    }
    bool has_random_views() const override { return random_views; }
    void open_random_item(const RandomSelection& selection) override {
        record(QStringLiteral("open_random_item ") + selection.query + selection.picture_dir);
    }
    void open_storm(const RandomSelection& selection) override {
        record(QStringLiteral("open_storm ") + selection.query + selection.picture_dir);
    }
    bool has_picture_viewer() const override { return picture_viewer; }
    void show_picture(const QString& path) override { record(QStringLiteral("show_picture ") + path); }
    void open_picture_browser() override { record(QStringLiteral("open_picture_browser")); }
    void open_organizer() override { record(QStringLiteral("open_organizer")); }

    // The recorded requests whose line starts with `name`.
    QStringList calls_to(const QString& name) const {
        QStringList found;
        for (const QString& call : calls)
            if (call == name || call.startsWith(name + QLatin1Char(' '))) found.append(call);
        return found;
    }

    // A map's parts as one line: "Books: Poetry|Odes" (collection, ": " category, "|" item).
    static QString joined(const MapParts& map) {
        QString text = map.collection;
        if (!map.cat.isEmpty()) text += QStringLiteral(": ") + map.cat;
        if (!map.item.isEmpty()) text += QLatin1Char('|') + map.item;
        return text;
    }

private:
    void record(const QString& call) {
        calls.append(call.trimmed());
        const auto action = then.constFind(call.section(QLatin1Char(' '), 0, 0));
        if (action != then.constEnd() && *action) (*action)();
    }
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_windows.h"

#include "calendar/reminders.h"
#include "calendar/ui/calendar_window.h"
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "core/program_end.h"
#include "core/session.h"
#include "core/ui/form_place.h"
#include "lang/change_language.h"
#include "lang/ui/language_dialog.h"
#include "maps/ui/create_map_dialog.h"
#include "maps/ui/map_dialog.h"
#include "maps/ui/map_tree_window.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "pictures/ui/picture_viewer.h"
#include "random/ui/random_windows.h"
#include "random/ui/storm_windows.h"
#include "shell/help_texts.h"
#include "shell/product_info.h"
#include "shell/ui/command_form.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_startup_ui.h"
#include "shell/ui/shell_commands.h"
#include "shell/ui/text_window.h"
#include "shell/ui/tips_window.h"
#include "table/ui/table_room_windows.h"
#include "table/ui/table_views.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() {
    tear_down();
}

QMdiArea* ProgramWindows::area() const {
    return ui_ && ui_->main_window() ? ui_->main_window()->mdi_area() : nullptr;
}

void ProgramWindows::build(AppContext& ctx, QtStartupUi& ui, Session& session) {
    ctx_ = &ctx;
    ui_ = &ui;
    maps_ = std::make_unique<MapWindows>(ctx, [this] { return area(); });

    // General menu, toolbar and keys.
    commands_ = std::make_unique<ShellCommands>(ctx, *maps_, [&ui] { return ui.main_window(); });
    commands_->quit = [&ui] {
        if (ui.main_window()) ui.main_window()->close();
    };
    commands_->change_database = [&session] {
        try {
            session.restart_with_database();
        } catch (const ProgramEnd& end) {
            QCoreApplication::exit(end.code());
        }
    };
    commands_->extras.hot_key_list = [&ctx] { return hot_key_list(ctx); };
    commands_->extras.about_text = [] { return about_text(); };
    commands_->extras.version_history = [] { return version_history(); };
    commands_->extras.user_guide_file = user_guide_file_name;
    commands_->extras.show_tips = [this] { show_tips(); };
    ui.on_main_window_made = [this](MainWindow& window) { commands_->attach(window); };

    // Table views (at most one per collection position), content editors, notepad, global find,
    // map list and collection configuration.
    tables_ = std::make_unique<TableViews>(
        ctx, [this] { return area(); }, *maps_);
    table_room_ = std::make_unique<TableRoomWindows>(ctx, *maps_, [this] { return area(); });
    table_room_->open_search_table = [this](int position) {
        TableView::Options options;
        options.from_global_find = true;
        return tables_->open_table_view(position, options) != nullptr;
    };
    tables_->edit_pending_content = [this](const EditedItem& item, const QString& text,
                                           std::function<bool(const QString&)> hand_back) {
        return table_room_->open_content_editor_for(item, text, std::move(hand_back)) != nullptr;
    };

    // The random item views, up to 25.
    random_items_ = std::make_unique<RandomWindows>(ctx, [this] { return area(); });
    // The tags storms, up to 25.
    storms_ = std::make_unique<StormWindows>(ctx, *maps_, [this] { return area(); });

    // The picture viewer's top-level windows: browser, picture windows, slide show, sheets.
    viewer_ = std::make_unique<PictureViewer>(ctx);
    session_ = &session;

    // The command form: auto-lock timer, input watch, preferences, lock and password change.
    command_form_ = std::make_unique<CommandForm>(ctx, [&ui] { return ui.main_window(); });
    commands_->extras.lock_now = [this] { command_form_->lock_program(); };
    commands_->extras.change_password = [this] { command_form_->ask_password_change(); };
    commands_->extras.build_preferences = [this](QMenu& menu) { command_form_->build_preferences(menu); };
    command_form_->build_language_entry = [&ctx, &ui](QMenu& menu) {
        QAction* entry = menu.addAction(change_language_caption());
        entry->setObjectName(QStringLiteral("m_change_language"));
        QObject::connect(entry, &QAction::triggered, entry,
                         [&ctx, &ui, entry] { entry->setText(run_change_language(ctx, ui.main_window())); });
    };
}

void ProgramWindows::tear_down() {
    viewer_.reset();
    random_items_.reset();
    command_form_.reset();
    storms_.reset();
    table_room_.reset();
    tables_.reset();
    commands_.reset();
    maps_.reset();
}

bool ProgramWindows::handle_hot_key(int shift, int key) {
    return commands_->handle_hot_key(shift, key);
}

void ProgramWindows::show_general_menu() {
    commands_->show_general_menu();
}

void ProgramWindows::show_text_window(const QString& text, const QString& caption) {
    ::show_text_window(*ctx_, ui_->main_window(), text, caption);
}

void ProgramWindows::rebuild_main_window() {
    commands_->rebuild();
}

void ProgramWindows::show_command_form() {
    command_form_->load();
}

void ProgramWindows::start_command_timer() {
    command_form_->start_timer();
}

void ProgramWindows::show_tips() {
    show_tips_window(*ctx_, ui_->main_window());
}

void ProgramWindows::reset_map_windows() {
    maps_->reset();
}

void ProgramWindows::open_named_map(const QString& name) {
    maps_->open_named(name);
}

void ProgramWindows::open_map(const MapParts& map) {
    maps_->open_parts(map);
}

void ProgramWindows::open_start_maps(bool interactive) {
    maps_->open_start_maps(interactive);
}

void ProgramWindows::save_open_maps() {
    ::save_open_maps(*ctx_);
    maps_->save_all();
    // Table views keep their column widths and place as they close.
    tables_->close_all();
}

void ProgramWindows::close_map_windows() {
    // The tree and the calendar show the open database: they go with the maps.
    if (tree_) close_form(*tree_);
    if (calendar_) close_form(*calendar_);
    if (random_items_) random_items_->close_all();
    // The storms show items of the database that goes.
    if (storms_) storms_->close_all();
    maps_->close_all();
}

void ProgramWindows::open_random_item(const RandomSelection& selection) {
    random_items_->open(selection);
}

void ProgramWindows::open_storm(const RandomSelection& selection) {
    storms_->open(selection);
}

void ProgramWindows::relayout_map_windows() {
    for (const int number : ctx_->map_windows.in_use_slots())
        if (MapWindow* window = maps_->window(number)) window->refresh_from_outside();
}

std::optional<FormAttributes> ProgramWindows::active_form_attributes() {
    QMdiArea* mdi = area();
    QMdiSubWindow* sub = mdi ? mdi->currentSubWindow() : nullptr;
    const auto* source = sub ? dynamic_cast<const FormAttributeSource*>(sub->widget()) : nullptr;
    if (!source) return std::nullopt;
    return source->form_attributes();
}

std::optional<MapParts> ProgramWindows::select_map(const MapParts& prefill, bool collection_only) {
    return run_select_map_dialog(*ctx_, ui_->main_window(), prefill, collection_only);
}

void ProgramWindows::open_create_map_dialog() {
    run_create_map_dialog(*ctx_, ui_->main_window());
}

void ProgramWindows::open_map_tree() {
    if (tree_) close_form(*tree_);
    tree_ = open_map_tree_window(*ctx_, *maps_, area());
}

void ProgramWindows::open_calendar() {
    // The calendar opens on the item selected in the active window, when it has a reminder.
    const std::optional<FormAttributes> attributes = active_form_attributes();
    const qint64 preset_item = attributes ? attributes->item_nr : 0;
    if (calendar_) close_form(*calendar_);
    calendar_ = open_calendar_window(*ctx_, *maps_, preset_item, area());
}

void ProgramWindows::refresh_calendar() {
    if (calendar_) calendar_->refresh_lists();
}

void ProgramWindows::check_reminders(bool open_calendar_if_any) {
    // Also run from the command form's timer, where nothing above would catch a failure.
    try {
        ::check_reminders(*ctx_, open_calendar_if_any);
    } catch (const DbError& error) {
        report_error(ctx_->prompter, error);
    }
}

void ProgramWindows::open_table_view(int position) {
    tables_->open_table_view(position);
}

void ProgramWindows::open_table_search(int position) {
    TableView::Options options;
    options.find_on_activate = true;
    tables_->open_table_view(position, options);
}

void ProgramWindows::refresh_table_views() {
    tables_->refresh_all();
}

void ProgramWindows::close_table_views() {
    tables_->close_all();
}

void ProgramWindows::open_content_editor(qint64 item_nr) {
    table_room_->open_content_editor(item_nr);
}

void ProgramWindows::open_pad() {
    table_room_->open_pad();
}

void ProgramWindows::open_global_find() {
    table_room_->open_global_find();
}

void ProgramWindows::open_map_list(const QString& filter) {
    table_room_->open_map_list(filter);
}

void ProgramWindows::open_collection_config() {
    table_room_->open_collection_config();
}

void ProgramWindows::open_file_search() {
    table_room_->open_file_search();
}

void ProgramWindows::show_picture(const QString& path) {
    viewer_->show_picture(path);
}

void ProgramWindows::open_picture_browser() {
    viewer_->open_browser(viewer_program_);
}

bool ProgramWindows::viewer_open() const {
    return viewer_ && viewer_->has_open_viewer_windows();
}

void ProgramWindows::open_organizer() {
    if (ctx_->db) {
        if (MainWindow* window = ui_->main_window()) {
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->show();
            window->raise();
            window->activateWindow();
        }
        return;
    }
    // Started as the picture viewer: the database is chosen and opened as at start-up. Giving up
    // the choice leaves the viewer running, as it was.
    try {
        bool auto_open = true;
        session_->open_database(auto_open);
    } catch (const ProgramEnd& end) {
        if (!viewer_open()) QCoreApplication::exit(end.code());
    } catch (const DbError& error) {
        report_error(ctx_->prompter, error);
    }
}

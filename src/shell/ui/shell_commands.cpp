// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/shell_commands.h"

#include "core/app_context.h"
#include "core/file_helpers.h"
#include "core/key_shift.h"
#include "core/params.h"
#include "core/program_title.h"
#include "core/ui/icons.h"
#include "core/windows.h"
#include "maps/active_selection.h"
#include "maps/map_editing.h"
#include "maps/map_names.h"
#include "maps/navigation.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "random/random_requests.h"
#include "random/storm_handoff.h"
#include "shell/general_commands.h"
#include "shell/product_info.h"
#include "shell/ui/main_window.h"
#include "table/map_list.h"
#include "table/ui/table_view.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>

namespace {

const QString unavailable_tip = QStringLiteral("Not available in this version");

// An entry of the general menu; without a command it is shown disabled.
QAction* add_entry(QMenu* menu, const QString& name, const QString& caption, std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (command) {
        QObject::connect(action, &QAction::triggered, menu, [command = std::move(command)] { command(); });
    } else {
        action->setEnabled(false);
        action->setToolTip(unavailable_tip);
        action->setStatusTip(unavailable_tip);
    }
    return action;
}

QMenu* add_submenu(QMenu* menu, const QString& name, const QString& caption) {
    QMenu* submenu = menu->addMenu(caption);
    submenu->setObjectName(name);
    submenu->menuAction()->setObjectName(name);
    menu->setToolTipsVisible(true);
    submenu->setToolTipsVisible(true);
    return submenu;
}

// The window the user works in: the active one, or the one that was active when the main window
// lost the focus.
QWidget* active_form(QMdiArea* area) {
    if (!area) return nullptr;
    QMdiSubWindow* active = area->currentSubWindow();
    return active ? active->widget() : nullptr;
}

// A command of the active window's own menu, found by its name.
QAction* active_window_action(QMdiArea* area, const QString& name) {
    QWidget* form = active_form(area);
    return form ? form->findChild<QAction*>(name) : nullptr;
}

// The focused control edits text, so its own editing keys come before the general keys.
bool text_field_has_focus() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return false;
    if (auto* combo = qobject_cast<QComboBox*>(focus)) return combo->isEditable();
    return qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
           qobject_cast<QTextEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus);
}

// A collection's map; position 45 stands for the top map.
Route collection_map_route(const CollectionTable& collections, int position) {
    if (position == CollectionTable::all_collections) return route::TopMap{};
    return route::Map{collections.at(position).name};
}

} // namespace

QString text_window_caption(const QString& suffix) {
    return program_title() + suffix;
}

ShellCommands::ShellCommands(AppContext& ctx, MapWindows& maps, std::function<MainWindow*()> main_window)
    : ctx_(ctx), maps_(maps), main_window_(std::move(main_window)) {}

ShellCommands::~ShellCommands() = default;

void ShellCommands::attach(MainWindow& window) {
    // Some buttons act on the active window: they follow it.
    connect(window.mdi_area(), &QMdiArea::subWindowActivated, this, [this] { update_toolbar(); });
    window.on_toolbar_button = [this](const ToolbarButton& button, bool alt) { toolbar_button(button, alt); };
    window.on_general_menu = [this] { show_general_menu(); };
    window.on_show_toolbar = [this] { show_toolbar(true); };
    window.on_key = [this](QKeyEvent* event) { return handle_main_window_key(event); };
    window.on_drop = [this](const DragPayload& payload) { dropped(payload); };
    // A double click on the background draws the frame in around the open windows.
    window.on_background_double_click = [&window] { window.shrink_to_windows(); };
    rebuild();
}

void ShellCommands::rebuild() {
    MainWindow* window = main_window_();
    if (!window) return;
    window->build_toolbar(toolbar_buttons(ctx_), ctx_.prefs.large_toolbar);
    window->toolbar()->setVisible(ctx_.prefs.show_toolbar);
    update_toolbar();
}

// ---------------------------------------------------------------- general menu

void ShellCommands::fill_collection_menu(QMenu* menu, const QString& name, bool table) {
    for (int position = 1; position <= CollectionTable::count; ++position) {
        const QString caption = table ? table_entry_caption(ctx_.collections, position)
                                      : map_entry_caption(ctx_.collections, position);
        std::function<void()> command;
        if (!table)
            command = [this, position] { maps_.execute(collection_map_route(ctx_.collections, position)); };
        else
            command = [this, position] { ctx_.windows.open_table_view(position); };
        QAction* entry =
            add_entry(menu, name + QLatin1Char('_') + QString::number(position), caption, command);
        entry->setIcon(collection_icon(ctx_.program_dir, position));
        entry->setVisible(collection_offered(ctx_.collections, ctx_.prefs, position));
    }
}

QMenu* ShellCommands::build_general_menu(QWidget* parent) {
    auto* menu = new QMenu(QStringLiteral("Popup"), parent);
    menu->setObjectName(QStringLiteral("m_popup"));
    menu->setToolTipsVisible(true);
    const bool cogniva = ctx_.prefs.cogniva;

    const CollectionTable& keys = ctx_.collections;
    add_entry(menu, QStringLiteral("m_quit"),
              caption_with_key(QStringLiteral("Quit the program"), keys, HotKeyCommand::Quit), quit);
    add_entry(menu, QStringLiteral("m_lock_the_program"), QStringLiteral("Lock the program"),
              extras.lock_now);
    add_entry(menu, QStringLiteral("m_change_database"), QStringLiteral("Change database"), change_database);
    add_entry(menu, QStringLiteral("m_change_password"), QStringLiteral("Change password"),
              extras.change_password);

    fill_collection_menu(
        add_submenu(menu, QStringLiteral("m_new_stores"), QStringLiteral("Open table for collection...")),
        QStringLiteral("m_collection_x"), true);
    fill_collection_menu(add_submenu(menu, QStringLiteral("m_open_collection_map"),
                                     QStringLiteral("Open tag map for collection...")),
                         QStringLiteral("m_collection_map_x"), false);

    // The random views and the storm have entries while the cogniva functions are on; they work
    // in a program that has the random windows, and are shown disabled otherwise.
    const bool random_views = ctx_.windows.has_random_views();
    QMenu* random_maps = add_submenu(menu, QStringLiteral("m_open_random_map"),
                                     QStringLiteral("Open random map for collection..."));
    QMenu* random_items = add_submenu(menu, QStringLiteral("m_open_random_single_item_frame"),
                                      QStringLiteral("Open random item for collection..."));
    for (int position = 1; position <= CollectionTable::count; ++position) {
        const bool offered = collection_offered(ctx_.collections, ctx_.prefs, position);
        const QString name = ctx_.collections.at(position).name;
        std::function<void()> storm;
        if (ctx_.windows.has_random_views())
            storm = [this, position] {
                ctx_.windows.open_storm(collection_storm_selection(ctx_.collections, position));
            };
        add_entry(random_maps, QStringLiteral("random_map_x_action_") + QString::number(position), name,
                  storm)
            ->setVisible(offered);
        std::function<void()> random_item;
        if (random_views) random_item = [this, position] { open_random_item_of_collection(ctx_, position); };
        add_entry(random_items,
                  QStringLiteral("random_single_item_frame_x_action_") + QString::number(position), name,
                  random_item)
            ->setVisible(offered);
    }
    random_maps->menuAction()->setVisible(cogniva);
    random_items->menuAction()->setVisible(cogniva);

    add_entry(menu, QStringLiteral("m_collections_map"),
              caption_with_key(QStringLiteral("Open top map"), keys, HotKeyCommand::TopMap),
              [this] { maps_.execute(route::TopMap{}); });
    add_entry(menu, QStringLiteral("m_default_map"),
              caption_with_key(QStringLiteral("Open start map"), keys, HotKeyCommand::StartMaps),
              [this] { maps_.open_start_maps(true); });
    add_entry(menu, QStringLiteral("m_create_map"), QStringLiteral("Open or create map"),
              [this] { ctx_.windows.open_create_map_dialog(); });
    std::function<void()> random_item_view;
    if (random_views) random_item_view = [this] { open_random_item_view(ctx_); };
    add_entry(menu, QStringLiteral("m_random_item_view"),
              QStringLiteral("Open random item from all collections"), random_item_view)
        ->setVisible(cogniva);
    add_entry(menu, QStringLiteral("m_random_map_from_pics_in_dir"),
              QStringLiteral("Open random map from pictures in a directory"), {})
        ->setVisible(cogniva);
    add_entry(menu, QStringLiteral("m_open_calendar"),
              caption_with_key(QStringLiteral("Open calendar"), keys, HotKeyCommand::OpenCalendar),
              calendar_command());
    add_entry(menu, QStringLiteral("m_show_deadlines"), QStringLiteral("Show deadlines"),
              [this] { show_deadlines(); });
    add_entry(menu, QStringLiteral("m_set_start_map"), QStringLiteral("Assign start map"),
              [this] { ctx_.prompter.message(assign_start_map_text); });
    add_entry(menu, QStringLiteral("m_global_search"),
              caption_with_key(QStringLiteral("Global search"), keys, HotKeyCommand::GlobalFind),
              [this] { ctx_.windows.open_global_find(); });
    add_entry(menu, QStringLiteral("m_find_map"),
              caption_with_key(QStringLiteral("Find  map"), keys, HotKeyCommand::FindMap),
              [this] { find_map(); });
    add_entry(menu, QStringLiteral("m_file_search"),
              caption_with_key(QStringLiteral("File search"), keys, HotKeyCommand::FileSearch),
              [this] { ctx_.windows.open_file_search(); });
    QAction* automatic = add_entry(menu, QStringLiteral("m_allow_automatic_changes"),
                                   QStringLiteral("Allow automatic changes on/off"),
                                   [this] { ctx_.allow_automatic_changes = !ctx_.allow_automatic_changes; });
    automatic->setCheckable(true);
    automatic->setChecked(ctx_.allow_automatic_changes);

    QMenu* options = add_submenu(menu, QStringLiteral("m_options"), QStringLiteral("Preferences"));
    const bool toolbar_shown = ctx_.prefs.show_toolbar;
    QAction* show_bar =
        add_entry(options, QStringLiteral("m_show_toolbar"), QStringLiteral("Show toolbar on/off"),
                  [this, toolbar_shown] { show_toolbar(!toolbar_shown); });
    show_bar->setCheckable(true);
    show_bar->setChecked(toolbar_shown);
    const bool large = ctx_.prefs.large_toolbar;
    QAction* large_bar = add_entry(options, QStringLiteral("m_large_toolbar"),
                                   QStringLiteral("Large toolbar on/off"), [this, large] {
                                       ctx_.prefs.large_toolbar = !large;
                                       if (ctx_.db)
                                           set_gen_param(*ctx_.db, QStringLiteral("large_toolbar"),
                                                         large ? QStringLiteral("N") : QStringLiteral("Y"));
                                       rebuild();
                                   });
    large_bar->setCheckable(true);
    large_bar->setChecked(large);
    large_bar->setVisible(false);
    const bool minimum = ctx_.prefs.mdiform_min_size;
    QAction* minimum_size = add_entry(options, QStringLiteral("m_mdiform_minimum_size"),
                                      QStringLiteral("Backgroung form minimum size on/off"),
                                      [this, minimum] { set_minimum_size(!minimum); });
    minimum_size->setCheckable(true);
    minimum_size->setChecked(minimum);
    minimum_size->setVisible(false);
    if (extras.build_preferences) extras.build_preferences(*options);

    QMenu* help = add_submenu(menu, QStringLiteral("m_help"), QStringLiteral("Help"));
    add_entry(help, QStringLiteral("m_readme"), QStringLiteral("Open Readme.txt"), [this] {
        open_path(ctx_.desktop, ctx_.prompter, ctx_.program_path(QStringLiteral("readme.txt")));
    });
    std::function<void()> guide;
    if (!extras.user_guide_file.isEmpty())
        guide = [this] { open_path(ctx_.desktop, ctx_.prompter, ctx_.program_path(extras.user_guide_file)); };
    add_entry(help, QStringLiteral("m_user_manual"), QStringLiteral("Program presentation"), guide);
    add_entry(help, QStringLiteral("m_initial_tips"), QStringLiteral("Tips"), extras.show_tips);
    std::function<void()> hot_keys;
    if (extras.hot_key_list) hot_keys = [this] { show_hot_keys(); };
    add_entry(help, QStringLiteral("m_hot_keys"),
              caption_with_key(QStringLiteral("Hot keys"), keys, HotKeyCommand::HotKeyList), hot_keys);
    add_entry(help, QStringLiteral("m_web_site"), QStringLiteral("Web site"), [this] {
        if (!ctx_.desktop.open(web_site_address))
            ctx_.prompter.message(QStringLiteral("No program is set to open ") + web_site_address);
    });
    std::function<void()> history;
    if (extras.version_history)
        history = [this] {
            ctx_.windows.show_text_window(extras.version_history(),
                                          text_window_caption(QStringLiteral(" - Version history")));
        };
    add_entry(help, QStringLiteral("m_release_notes"), QStringLiteral("Version history"), history);
    std::function<void()> about;
    if (extras.about_text)
        about = [this] {
            ctx_.windows.show_text_window(extras.about_text(),
                                          text_window_caption(QStringLiteral(" - About this program")));
        };
    add_entry(help, QStringLiteral("m_about_this_program"), QStringLiteral("About this program"), about);

    QMenu* general =
        add_submenu(menu, QStringLiteral("m_general_operations"), QStringLiteral("General operations "));
    add_entry(general, QStringLiteral("m_resume_prev_session"), QStringLiteral("Resume previous session (V)"),
              [this] { resume_previous_session(); });
    add_entry(general, QStringLiteral("m_show_parentless_topics"),
              QStringLiteral("Show parentless topics (Z)"),
              [this] { ctx_.windows.open_map_list(parentless_marker); });
    add_entry(general, QStringLiteral("m_exit_all"), QStringLiteral("Close all topics (X)"),
              [this] { close_all_windows(); });
    general->menuAction()->setVisible(false);

    add_entry(menu, QStringLiteral("m_agenda"), QStringLiteral("Notes for development of Tessarin"), [this] {
        open_path(ctx_.desktop, ctx_.prompter,
                  ctx_.program_path(QStringLiteral("no_kit/tessarin_agenda.doc")));
    })->setVisible(ctx_.development_mode);
    add_entry(menu, QStringLiteral("m_test"), QStringLiteral("test"), [] {
    })->setVisible(ctx_.development_mode);
    return menu;
}

void ShellCommands::show_general_menu() {
    ctx_.inactivity = 0;
    MainWindow* window = main_window_();
    QMenu* menu = build_general_menu(window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QCursor::pos());
}

// ---------------------------------------------------------------- keys

HotKeyActions ShellCommands::hot_key_actions() {
    HotKeyActions actions;
    actions.general_menu = [this] { show_general_menu(); };
    actions.open_calendar = calendar_command();
    actions.find_map = [this] { find_map(); };
    actions.global_find = [this] { ctx_.windows.open_global_find(); };
    actions.file_search = [this] { ctx_.windows.open_file_search(); };
    if (extras.hot_key_list) actions.hot_key_list = [this] { show_hot_keys(); };
    actions.top_map = [this] { maps_.execute(route::TopMap{}); };
    actions.start_maps = [this] { maps_.open_start_maps(true); };
    actions.close_all = [this] { close_all_windows(); };
    actions.quit = quit;
    actions.clear_map_filter = [this] { map_filter_.clear(); };
    actions.open_collection = [this](int position, bool invert) { open_collection(position, invert); };
    return actions;
}

bool ShellCommands::handle_hot_key(int shift, int key) {
    ctx_.inactivity = 0;
    if (ctx_.key_lock) return true;
    // Select all, copy, paste... in a text field edit the field, whatever the general keys say.
    if (is_field_editing_key(shift, key) && text_field_has_focus()) return false;
    return ::handle_hot_key(ctx_.collections, shift, key, hot_key_actions());
}

bool ShellCommands::handle_main_window_key(QKeyEvent* event) {
    // A key a window inside did not use comes up to the main window: that window has already
    // offered it to the general keys, and the command form's keys are not for it.
    MainWindow* window = main_window_();
    if (!window || !window->has_own_focus()) return false;
    const int shift = shift_bits(event->modifiers() & ~Qt::KeypadModifier);
    if (handle_hot_key(shift, event->key())) return true;
    CommandFormActions actions;
    actions.general_menu = [this] { show_general_menu(); };
    actions.any_window_open = [this] { return any_window_open(); };
    actions.quit = quit;
    actions.open_collection_map = [this](int position) {
        maps_.execute(collection_map_route(ctx_.collections, position));
    };
    return command_form_key(form_keys_, ctx_.collections, shift, event->key(), event->text(), actions);
}

bool ShellCommands::any_window_open() const {
    if (ctx_.map_windows.in_use_count() > 0) return true;
    MainWindow* window = main_window_();
    return window && !window->mdi_area()->subWindowList().isEmpty();
}

// ---------------------------------------------------------------- commands

void ShellCommands::open_collection(int position, bool invert) {
    maps_.execute(::open_collection(ctx_, position, invert));
}

std::function<void()> ShellCommands::calendar_command() {
    if (!ctx_.windows.has_calendar()) return {};
    return [this] { ctx_.windows.open_calendar(); };
}

void ShellCommands::show_deadlines() {
    ctx_.table_presets = TablePresets{};
    ctx_.table_presets.deadlines_only = true;
    ctx_.windows.open_table_view(CollectionTable::all_collections);
}

void ShellCommands::find_map() {
    const auto filter = ask_map_filter(ctx_);
    if (!filter) return;
    map_filter_ = *filter;
    ctx_.windows.open_map_list(map_filter_);
}

void ShellCommands::resume_previous_session() {
    for (const QString& name : previous_session_maps(ctx_))
        maps_.execute(is_top_map_name(name) ? Route(route::TopMap{}) : Route(route::Map{name}));
}

void ShellCommands::close_all_windows() {
    maps_.close_all();
    ctx_.windows.close_table_views();
}

void ShellCommands::show_hot_keys() {
    if (extras.hot_key_list)
        ctx_.windows.show_text_window(extras.hot_key_list(),
                                      text_window_caption(QStringLiteral(" - Hot keys")));
}

void ShellCommands::print() {
    MainWindow* window = main_window_();
    QMdiArea* area = window ? window->mdi_area() : nullptr;
    const bool map_active = ctx_.active_kind == WindowKind::Map && ctx_.map_windows.active_slot() != 0 &&
                            ctx_.map_windows.slot(ctx_.map_windows.active_slot()).in_use;
    const bool table_active = ctx_.active_kind == WindowKind::Table;
    bool any = ctx_.map_windows.in_use_count() > 0;
    if (area)
        for (QMdiSubWindow* sub : area->subWindowList())
            any = any || qobject_cast<TableView*>(sub->widget()) != nullptr;
    const PrintDecision decision = print_decision(ctx_.active_kind == WindowKind::Calendar, map_active,
                                                  table_active, any, ctx_.windows.has_calendar());
    switch (decision.target) {
    case PrintTarget::Nothing:
        if (!decision.message.isEmpty()) ctx_.prompter.message(decision.message);
        return;
    case PrintTarget::Map:
        if (MapWindow* map = maps_.window(ctx_.map_windows.active_slot()))
            if (QAction* action = map->findChild<QAction*>(QStringLiteral("m_export_map_to_wordpad")))
                action->trigger();
        return;
    case PrintTarget::Table:
        if (QAction* action =
                active_window_action(area, QStringLiteral("m_export_filtered_items_to_notepad")))
            action->trigger();
        return;
    case PrintTarget::Calendar:
        if (QAction* action = active_window_action(area, QStringLiteral("m_print_calendar")))
            action->trigger();
        return;
    }
}

void ShellCommands::show_toolbar(bool on) {
    ctx_.prefs.show_toolbar = on;
    if (ctx_.db)
        set_gen_param(*ctx_.db, QStringLiteral("show_toolbar"),
                      on ? QStringLiteral("Y") : QStringLiteral("N"));
    if (MainWindow* window = main_window_()) window->toolbar()->setVisible(on);
}

void ShellCommands::set_minimum_size(bool on) {
    ctx_.prefs.mdiform_min_size = on;
    if (ctx_.db)
        set_gen_param(*ctx_.db, QStringLiteral("mdiform_min_size"),
                      on ? QStringLiteral("Y") : QStringLiteral("N"));
    if (on)
        if (MainWindow* window = main_window_()) window->shrink_to_windows();
}

void ShellCommands::toolbar_button(const ToolbarButton& button, bool alt) {
    ctx_.inactivity = 0;
    const QString& key = button.key;
    if (button.position != 0) {
        open_collection(button.position, alt);
    } else if (key == QLatin1String("calendar")) {
        if (ctx_.windows.has_calendar()) ctx_.windows.open_calendar();
    } else if (key == QLatin1String("deadlines")) {
        show_deadlines();
    } else if (key == QLatin1String("global_search")) {
        ctx_.windows.open_global_find();
    } else if (key == QLatin1String("table_view")) {
        open_table_view_of_active_form(ctx_);
    } else if (key == QLatin1String("map_view_of_cat")) {
        open_map_view_of_active_form(ctx_);
    } else if (key == QLatin1String("random_item")) {
        if (ctx_.windows.has_random_views()) open_random_item_of_active_form(ctx_);
    } else if (key == QLatin1String("random_map_view")) {
        open_storm_of_active_form(ctx_);
    } else if (key == QLatin1String("tree")) {
        ctx_.windows.open_map_tree();
    } else if (key == QLatin1String("start_map")) {
        maps_.open_start_maps(true);
    } else if (key == QLatin1String("glimmeron")) {
        if (ctx_.windows.has_picture_viewer()) ctx_.windows.open_picture_browser();
    } else if (key == QLatin1String("pad")) {
        ctx_.windows.open_pad();
    } else if (key == QLatin1String("chiave")) {
        if (extras.lock_now) extras.lock_now();
    } else if (key == QLatin1String("print")) {
        print();
    } else if (key == QLatin1String("help")) {
        show_general_menu();
    } else if (key == QLatin1String("config")) {
        ctx_.windows.open_collection_config();
    } else if (key == QLatin1String("clear")) {
        close_all_windows();
    } else if (key == QLatin1String("exit")) {
        if (quit) quit();
    }
}

ShellCommands::ButtonState ShellCommands::toolbar_button_state(const QString& key) const {
    const auto built = [](bool present) { return present ? ButtonState::Works : ButtonState::NotAvailable; };
    if (key == QLatin1String("calendar")) return built(ctx_.windows.has_calendar());
    if (key == QLatin1String("chiave")) return built(static_cast<bool>(extras.lock_now));
    if (key == QLatin1String("exit")) return built(static_cast<bool>(quit));
    if (key == QLatin1String("random_item") || key == QLatin1String("random_map_view"))
        return built(ctx_.windows.has_random_views());
    if (key == QLatin1String("glimmeron")) return built(ctx_.windows.has_picture_viewer());
    return ButtonState::Works;
}

void ShellCommands::update_toolbar() {
    MainWindow* window = main_window_();
    if (!window) return;
    for (QAction* action : window->toolbar()->actions()) {
        const ButtonState state = toolbar_button_state(action->objectName());
        action->setEnabled(state == ButtonState::Works);
        const QString tip = state == ButtonState::NotAvailable
                                ? action->text() + QStringLiteral(" - ") + unavailable_tip
                                : action->text();
        action->setToolTip(tip);
        action->setStatusTip(tip);
    }
}

void ShellCommands::dropped(const DragPayload& payload) {
    if (!ctx_.db) return;
    try {
        bool deleted = false;
        if (payload.item_nr != 0) {
            deleted = delete_dropped_item(ctx_, payload.item_nr);
        } else if (payload.source_window >= 1 && payload.source_window <= MapWindowTable::capacity) {
            const MapSlot& source = ctx_.map_windows.slot(payload.source_window);
            // Categories come from collection maps; the top map's collections are not deleted here.
            if (source.in_use && !source.collection.isEmpty() && source.cat.isEmpty() &&
                !is_top_map_name(source.map_name))
                deleted = delete_dropped_category(ctx_, source.collection, payload.title);
        }
        if (deleted) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            maps_.refresh_all_windows();
            QApplication::restoreOverrideCursor();
        }
    } catch (const DbError& error) {
        report_error(ctx_.prompter, error);
    }
}

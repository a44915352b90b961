// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/file_helpers.h"
#include "core/program_end.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/ui/qt_seams.h"
#include "lang/change_language.h"
#include "lang/translator.h"
#include "lang/ui/language_dialog.h"
#include "maps/ui/map_window.h"
#include "maps/ui/map_windows.h"
#include "shell/command_line.h"
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
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>

namespace {

// Shipped read-only files (tips, readme...) live in the install's data directory, or in the
// source tree when running from a build.
QString shipped_data_dir() {
    const QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tessarin");
    return QDir(installed).exists() ? installed : QStringLiteral(TESSARIN_DATA_DIR);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Start-up moves into the program directory; paths typed on the command line are relative
    // to where the user started the program.
    const QString start_dir = QDir::currentPath();
    QCoreApplication::setOrganizationName(QStringLiteral("tessarin"));
    QCoreApplication::setApplicationName(QStringLiteral("tessarin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSARIN_VERSION));
    QApplication::setWindowIcon(program_icon());

    const QString program_dir = program_directory();
    install_shipped_files(program_dir, shipped_data_dir() + QStringLiteral("/home"));

    QtPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    QtRandom random;
    QtScreenInfo screen;
    Settings settings;
    AppContext ctx({prompter, desktop, clock, random, screen}, settings, program_dir);
    QtStartupUi ui(ctx, prompter);
    Session session(ctx, ui);
    ui.on_main_window_close = [&session] { return session.main_window_unloading(); };

    MapWindows maps(ctx, [&ui] { return ui.main_window() ? ui.main_window()->mdi_area() : nullptr; });
    ui.close_map_windows = [&maps] { maps.close_all(); };
    session.steps.reset_map_windows = [&maps] { maps.reset(); };
    session.steps.open_named = [&maps](const QString& name) { maps.open_named(name); };
    session.steps.open_start_maps = [&maps](bool interactive) { maps.open_start_maps(interactive); };
    session.steps.save_open_maps = [&ctx, &maps] {
        save_open_maps(ctx);
        maps.save_all();
        // Table views keep their column widths and place as they close.
        if (ctx.hooks.close_table_views) ctx.hooks.close_table_views();
    };

    // General menu, toolbar and keys.
    ShellCommands commands(ctx, maps, [&ui] { return ui.main_window(); });
    commands.quit = [&ui] {
        if (ui.main_window()) ui.main_window()->close();
    };
    commands.change_database = [&session] {
        try {
            session.restart_with_database();
        } catch (const ProgramEnd& end) {
            QCoreApplication::exit(end.code());
        }
    };
    commands.extras.hot_key_list = [&ctx] { return hot_key_list(ctx); };
    commands.extras.about_text = [] { return about_text(); };
    commands.extras.version_history = [] { return version_history(); };
    commands.extras.user_guide_file = user_guide_file_name;
    ui.on_main_window_made = [&commands](MainWindow& window) { commands.attach(window); };
    session.steps.apply_toolbar_visibility = [&commands] { commands.rebuild(); };

    // Table views: at most one per collection position.
    TableViews tables(
        ctx, [&ui] { return ui.main_window() ? ui.main_window()->mdi_area() : nullptr; }, maps);
    tables.install_hooks();
    maps.open_table_search = [&tables](int position) {
        TableView::Options options;
        options.find_on_activate = true;
        tables.open_table_view(position, options);
    };

    // Content editors, notepad, global find, map list and collection configuration.
    TableRoomWindows table_room(ctx, maps,
                                [&ui] { return ui.main_window() ? ui.main_window()->mdi_area() : nullptr; });
    table_room.install_hooks();
    table_room.open_search_table = [&tables](int position) {
        TableView::Options options;
        options.from_global_find = true;
        return tables.open_table_view(position, options) != nullptr;
    };
    tables.edit_pending_content = [&table_room](const EditedItem& item, const QString& text,
                                                std::function<bool(const QString&)> hand_back) {
        return table_room.open_content_editor_for(item, text, std::move(hand_back)) != nullptr;
    };

    // The command form: auto-lock timer, input watch, preferences, lock and password change.
    CommandForm command_form(ctx, [&ui] { return ui.main_window(); });
    session.steps.show_command_form = [&command_form] { command_form.load(); };
    session.steps.start_command_timer = [&command_form] { command_form.start_timer(); };
    command_form.preferences().relayout_map_windows = [&ctx, &maps] {
        for (const int number : ctx.map_windows.in_use_slots())
            if (MapWindow* window = maps.window(number)) window->refresh_from_outside();
    };
    commands.extras.lock_now = [&command_form] { command_form.lock_program(); };
    commands.extras.change_password = [&command_form] { command_form.ask_password_change(); };
    commands.extras.build_preferences = [&command_form](QMenu& menu) {
        command_form.build_preferences(menu);
    };
    command_form.build_language_entry = [&ctx, &ui](QMenu& menu) {
        QAction* entry = menu.addAction(change_language_caption());
        entry->setObjectName(QStringLiteral("m_change_language"));
        QObject::connect(entry, &QAction::triggered, entry,
                         [&ctx, &ui, entry] { entry->setText(run_change_language(ctx, ui.main_window())); });
    };

    // Translation, tips and the text window. The built (or installed) lang.db replaces an older copy.
    const QString installed_lang_db = shipped_data_dir() + QStringLiteral("/lang.db");
    install_lang_db(program_dir, QFileInfo::exists(installed_lang_db)
                                     ? installed_lang_db
                                     : QStringLiteral(TESSARIN_BUILT_LANG_DB));
    Translator translator(ctx);
    session.steps.open_translation_tables = [&translator] { translator.open_tables(); };
    session.steps.show_tips = [&ctx, &ui] { show_tips_window(ctx, ui.main_window()); };
    ctx.hooks.show_text_window = [&ctx, &ui](const QString& text, const QString& caption) {
        show_text_window(ctx, ui.main_window(), text, caption);
    };
    commands.extras.show_tips = session.steps.show_tips;

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    try {
        session.start(resolve_command_line(arguments.join(QLatin1Char(' ')), start_dir));
    } catch (const ProgramEnd& end) {
        return end.code();
    } catch (const DbError& error) {
        prompter.message(QStringLiteral("Error %1 - %2").arg(error.number()).arg(error.description()));
        return 1;
    }
    if (!ctx.db) return 0;
    return QApplication::exec();
}

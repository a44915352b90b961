// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_windows.h"
#include "core/app_context.h"
#include "core/db_error.h"
#include "core/file_helpers.h"
#include "core/program_end.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/ui/qt_seams.h"
#include "lang/translator.h"
#include "shell/command_line.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_startup_ui.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>

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
    ProgramWindows windows;
    AppContext ctx({prompter, desktop, clock, random, screen}, settings, program_dir, windows);
    QtStartupUi ui(ctx, prompter);
    Session session(ctx, ui);
    ui.on_main_window_close = [&session] { return session.main_window_unloading(); };
    windows.build(ctx, ui, session);
    // The windows go before the session, the main window and the context they use.
    const std::unique_ptr<ProgramWindows, void (*)(ProgramWindows*)> windows_in_use(
        &windows, [](ProgramWindows* built) { built->tear_down(); });

    // Translation. The built (or installed) lang.db replaces an older copy.
    const QString installed_lang_db = shipped_data_dir() + QStringLiteral("/lang.db");
    install_lang_db(program_dir, QFileInfo::exists(installed_lang_db)
                                     ? installed_lang_db
                                     : QStringLiteral(TESSARIN_BUILT_LANG_DB));
    Translator translator(ctx);

    QStringList arguments = QCoreApplication::arguments();
    // The name the program was started under, before links are followed: a link named
    // "glimmeron" starts the picture viewer.
    const bool as_picture_viewer = started_as_picture_viewer(arguments.takeFirst());
    windows.set_viewer_program(as_picture_viewer);
    try {
        session.start(resolve_command_line(arguments.join(QLatin1Char(' ')), start_dir), as_picture_viewer);
    } catch (const ProgramEnd& end) {
        return end.code();
    } catch (const DbError& error) {
        prompter.message(QStringLiteral("Error %1 - %2").arg(error.number()).arg(error.description()));
        return 1;
    }
    // Without a database the program runs as the picture viewer while one of its windows is
    // open, and ends with the last of them (Qt quits when the last window closes).
    if (!ctx.db && !windows.viewer_open()) return 0;
    return QApplication::exec();
}

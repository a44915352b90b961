// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Time from main() to the main window shown, on a given database, with the real windows
// (only the password dialog is answered by the program itself). Prints one line per run.
// Usage: tessarin_startup_bench DATABASE [PASSWORD]
#include "bench_windows.h"
#include "core/app_context.h"
#include "core/file_helpers.h"
#include "core/program_end.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/ui/qt_seams.h"
#include "shell/ui/qt_startup_ui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

class AnsweringUi final : public QtStartupUi {
public:
    AnsweringUi(AppContext& ctx, QtPrompter& prompter, QString password)
        : QtStartupUi(ctx, prompter), password_(std::move(password)) {}
    PasswordAnswer ask_password(const QString&) override { return {PasswordAnswer::Kind::Enter, password_}; }

private:
    QString password_;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: tessarin_startup_bench DATABASE [PASSWORD]\n");
        return 2;
    }
    QTemporaryDir home;
    QtPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    QtRandom random;
    QtScreenInfo screen;
    Settings settings(home.filePath(QStringLiteral("settings.ini")));
    BenchWindows windows;
    AppContext ctx({prompter, desktop, clock, random, screen}, settings, home.path(), windows);
    AnsweringUi ui(ctx, prompter, args.value(2));
    Session session(ctx, ui);
    try {
        session.start(args[1]);
    } catch (const ProgramEnd&) {
        return 1;
    }
    QCoreApplication::processEvents();
    std::printf("start to main window: %lld ms\n", static_cast<long long>(timer.elapsed()));
    session.close_database();
    return 0;
}

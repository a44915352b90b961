// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Twenty map windows open on a 100,000-item database; times refresh_all_windows (every window
// reloads its items and lays its panels out) and prints one line per run.
// Usage: tessarin_refresh_bench [RUNS]
#include "bench_sample.h"
#include "bench_windows.h"
#include "core/app_context.h"
#include "core/database.h"
#include "core/settings.h"
#include "core/ui/qt_seams.h"
#include "maps/ui/map_windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

// Messages go to the terminal: a modal box would stop an unattended run.
class PrintingPrompter final : public Prompter {
public:
    void message(const QString& text, const QString&) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool yes_no(const QString& text, const QString& title, bool) override { return say(text, title); }
    bool ok_cancel(const QString& text, const QString& title, bool) override { return say(text, title); }
    std::optional<QString> input(const QString& text, const QString& title, const QString&) override {
        say(text, title);
        return std::nullopt;
    }
    std::optional<QString> open_file(const QString& title, const QString&, const QString&) override {
        return none(title);
    }
    std::optional<QString> save_file(const QString& title, const QString&, const QString&) override {
        return none(title);
    }
    std::optional<QString> choose_directory(const QString& title, const QString&) override {
        return none(title);
    }

private:
    bool say(const QString& text, const QString& title) {
        message(text, title);
        return false;
    }
    std::optional<QString> none(const QString& title) {
        message(title, {});
        return std::nullopt;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    QTemporaryDir home;
    PrintingPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    QtRandom random;
    QtScreenInfo screen;
    Settings settings(home.filePath(QStringLiteral("settings.ini")));
    BenchWindows windows;
    AppContext ctx({prompter, desktop, clock, random, screen}, settings, home.path(), windows);

    open_large_sample(ctx, home.filePath(QStringLiteral("large.tdb")), clock);
    for (int position = 1; position <= 45; ++position) {
        ctx.collections.at(position).open_cat_as_map = true;
        ctx.collections.at(position).open_coll_as_map = true;
    }

    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    MapWindows maps(ctx, [&area] { return &area; });
    QStringList names;
    Statement biggest = ctx.db->prepare(QStringLiteral(
        "select collection, cat, count(*) as n from repos group by collection, cat having n <= 200 "
        "order by n desc limit 20"));
    qint64 items = 0;
    while (biggest.next()) {
        names.append(biggest.text(QStringLiteral("collection")) + QStringLiteral(": ") +
                     biggest.text(QStringLiteral("cat")));
        items += biggest.value(QStringLiteral("n")).toLongLong();
    }
    for (const QString& name : names)
        maps.open_map(name);
    QCoreApplication::processEvents();
    std::printf("%lld maps open, %lld items in them\n", static_cast<long long>(names.size()),
                static_cast<long long>(items));
    for (int run = 0; run < runs; ++run) {
        // A changed item, so that the reload finds something to show.
        ctx.db->exec(QStringLiteral("update repos set item_title = item_title || '.' where item_nr = %1")
                         .arg(run + 1));
        QElapsedTimer timer;
        timer.start();
        maps.refresh_all_windows();
        std::printf("refresh_all_windows: %lld ms\n", static_cast<long long>(timer.elapsed()));
    }
    maps.close_all();
    return 0;
}

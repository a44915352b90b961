// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The all-collections table view opened on the 100,000-item encrypted database, offscreen:
// time to open it with every row, time of a three-word OR search typed into its filters, then
// scrolling the grid from top to bottom a page at a time. Prints resident memory after each step.
// Usage: tessarin_table_window_bench
#include "bench_windows.h"
#include "core/app_context.h"
#include "core/database.h"
#include "core/schema.h"
#include "core/settings.h"
#include "core/ui/qt_seams.h"
#include "maps/ui/map_windows.h"
#include "sample_data.h"
#include "table/table_model.h"
#include "table/ui/table_view.h"
#include "table/ui/table_views.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

namespace {

double resident_mb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2) return -1;
    return fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Messages go to the terminal: a modal box would stop an unattended run.
class PrintingPrompter final : public Prompter {
public:
    void message(const QString& text, const QString&) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool yes_no(const QString&, const QString&, bool) override { return false; }
    bool ok_cancel(const QString&, const QString&, bool) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> open_file(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> save_file(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> choose_directory(const QString&, const QString&) override { return std::nullopt; }
};

// The system's time moved on at will, so that the two seconds kept between queries need no
// waiting.
class SteppingClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime().addSecs(offset); }
    qint64 offset = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    PrintingPrompter prompter;
    QtDesktop desktop;
    SteppingClock clock;
    QtRandom random;
    QtScreenInfo screen;
    Settings settings(home.filePath(QStringLiteral("settings.ini")));
    BenchWindows windows;
    AppContext ctx({prompter, desktop, clock, random, screen}, settings, home.path(), windows);

    sample::Options options;
    options.output = home.filePath(QStringLiteral("large.tdb"));
    options.password = QStringLiteral("b3nch'pw");
    options.items = 100000;
    sample::generate(options, clock);
    ctx.db = Database::open(options.output, options.password, &clock);
    schema::upgrade(*ctx.db);
    ctx.collections.init_collections();

    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    MapWindows maps(ctx, [&area] { return &area; });
    TableViews tables(
        ctx, [&area] { return &area; }, maps);
    QCoreApplication::processEvents();
    const double start = resident_mb();
    std::printf("resident before the window: %.1f MB\n", start);

    QElapsedTimer timer;
    timer.start();
    TableView* view = tables.open_table_view(45);
    QCoreApplication::processEvents();
    if (!view) return 1;
    std::printf("open with %d rows: %lld ms, resident %.1f MB\n", view->items_found(),
                static_cast<long long>(timer.elapsed()), resident_mb());

    // The search typed into three filters, run as one query once the spacing has passed.
    auto* title = view->findChild<QLineEdit*>(QStringLiteral("t_filter_title"));
    auto* cat = view->findChild<QLineEdit*>(QStringLiteral("t_filter_cat"));
    auto* content = view->findChild<QLineEdit*>(QStringLiteral("t_filter_content"));
    for (QLineEdit* field : {cat, title, content}) {
        const QSignalBlocker quiet(field);
        field->setText(QStringLiteral("violin or castle or lantern"));
    }
    clock.offset += 3;
    timer.restart();
    view->filter_changed();
    QCoreApplication::processEvents();
    std::printf("three-word OR search: %d rows, %lld ms, resident %.1f MB\n", view->items_found(),
                static_cast<long long>(timer.elapsed()), resident_mb());

    // Back to every row, then scroll the grid from top to bottom.
    clock.offset += 3;
    view->clear_filters();
    QCoreApplication::processEvents();
    timer.restart();
    if (view->sub_window()) view->sub_window()->resize(1500, 950);
    QCoreApplication::processEvents();
    QScrollBar* bar = view->grid()->verticalScrollBar();
    int pages = 0;
    for (int value = bar->minimum(); value <= bar->maximum(); value += std::max(1, bar->pageStep())) {
        bar->setValue(value);
        view->grid()->viewport()->repaint();
        ++pages;
    }
    std::printf("scrolled %d screens over %d rows: %lld ms, pages read %d, pages kept %d, resident %.1f MB\n",
                pages, view->items_found(), static_cast<long long>(timer.elapsed()),
                view->model()->pages_read(), view->model()->cached_pages(), resident_mb());
    tables.close_all();
    return 0;
}

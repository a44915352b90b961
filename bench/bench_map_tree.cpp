// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map tree window on the 100,000-item database: opening it (the collection nodes), expanding
// the collection with the most items, and expanding a category of 5,000 items, each with the
// view laid out. Every case reports the statements it issued: one per branch, plus one batch
// of panel facts for an item branch.
#include "bench_sample.h"
#include "bench_windows.h"
#include "core/app_context.h"
#include "core/database.h"
#include "core/settings.h"
#include "core/ui/form_place.h"
#include "core/ui/qt_seams.h"
#include "maps/statement_counter.h"
#include "maps/ui/map_tree_model.h"
#include "maps/ui/map_tree_window.h"
#include "maps/ui/map_windows.h"

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr int big_category_items = 5000;

// Questions answer No and messages go to the terminal: a modal box would stop the run.
class QuietPrompter final : public Prompter {
public:
    void message(const QString& text, const QString&) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool yes_no(const QString&, const QString&, bool) override { return false; }
    bool ok_cancel(const QString&, const QString&, bool) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> open_file(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> save_file(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> choose_directory(const QString&, const QString&) override { return {}; }
};

struct TreeBenchData {
    QTemporaryDir home;
    QuietPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    QtRandom random;
    QtScreenInfo screen;
    BenchWindows windows;
    Settings settings{home.filePath(QStringLiteral("settings.ini"))};
    AppContext ctx{{prompter, desktop, clock, random, screen}, settings, home.path(), windows};
    QMdiArea area;
    std::unique_ptr<MapWindows> maps;
    QString largest;          // the collection with the most items
    QString big_category;     // a category of exactly 5,000 items in it
    qint64 largest_items = 0; // items of the largest collection
    int largest_categories = 0;

    TreeBenchData() {
        open_large_sample(ctx, home.filePath(QStringLiteral("large.tdb")), clock);
        Statement biggest = ctx.db->prepare(QStringLiteral(
            "select collection, count(*) as n, count(distinct cat) as c from repos group by collection "
            "order by n desc limit 1"));
        if (!biggest.next()) throw std::runtime_error("empty sample database");
        largest = biggest.text(QStringLiteral("collection"));
        largest_items = biggest.value(QStringLiteral("n")).toLongLong() + big_category_items;
        largest_categories = biggest.value(QStringLiteral("c")).toInt() + 1;
        const int position = ctx.collections.find(largest);
        if (position == 0) throw std::runtime_error("largest collection not in the table");
        ctx.collections.at(position).visible = true;
        add_big_category();
        area.resize(1200, 900);
        area.show();
        maps = std::make_unique<MapWindows>(ctx, [this] { return &area; });
    }

    // The sample has no category this large: 5,000 items, every tenth a reference to another map.
    void add_big_category() {
        big_category = QStringLiteral("Bench 5000");
        Transaction transaction(*ctx.db);
        Statement insert = ctx.db->prepare(QStringLiteral(
            "insert into repos (collection, cat, item_title, item_content, seq) values (?, ?, ?, ?, ?)"));
        for (int i = 0; i < big_category_items; ++i) {
            insert.reset();
            insert.bind(1, largest);
            insert.bind(2, big_category);
            insert.bind(3, i % 10 == 0 ? QStringLiteral("> %1: ref %2").arg(largest).arg(i)
                                       : QStringLiteral("tag %1").arg(i, 5, 10, QLatin1Char('0')));
            insert.bind(4, i % 3 == 0 ? QStringLiteral("notes %1").arg(i) : QString());
            insert.bind(5, i);
            insert.next();
        }
        transaction.commit();
    }

    MapTreeWindow* open_tree() {
        MapTreeWindow* window = open_map_tree_window(ctx, *maps, &area);
        if (!window) throw std::runtime_error("the tree did not open");
        QCoreApplication::processEvents();
        return window;
    }
    static void close_tree(MapTreeWindow* window) {
        close_form(*window);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Made in main after the application and dropped before it: its windows must not outlive it.
std::unique_ptr<TreeBenchData> bench_data;

TreeBenchData& data() {
    return *bench_data;
}

QModelIndex root_of(MapTreeWindow& window, const QString& collection) {
    const MapTreeModel& model = window.model();
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.index(row, 0).data().toString() == collection) return model.index(row, 0);
    throw std::runtime_error("collection not in the tree");
}

// What a click on a node does: the branch is read and shown open, and the view lays it out.
void expand(MapTreeWindow& window, const QModelIndex& index) {
    MapTreeModel& model = window.model();
    if (model.canFetchMore(index)) model.fetchMore(index);
    window.tree().expand(index);
    window.tree().scrollTo(index);
    QCoreApplication::processEvents();
}

void BM_OpenTree(benchmark::State& state) {
    TreeBenchData& d = data();
    int statements = 0;
    int roots = 0;
    for (auto _ : state) {
        StatementCounter counter(d.ctx.db->handle());
        MapTreeWindow* window = d.open_tree();
        statements = counter.count();
        roots = window->model().rowCount();
        state.PauseTiming();
        TreeBenchData::close_tree(window);
        state.ResumeTiming();
    }
    state.counters["statements"] = statements;
    state.counters["collections"] = roots;
}

void BM_ExpandLargestCollection(benchmark::State& state) {
    TreeBenchData& d = data();
    int statements = 0;
    int categories = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MapTreeWindow* window = d.open_tree();
        // The tree opens with every branch unread.
        const QModelIndex fresh = root_of(*window, d.largest);
        StatementCounter counter(d.ctx.db->handle());
        state.ResumeTiming();
        expand(*window, fresh);
        state.PauseTiming();
        statements = counter.count();
        categories = window->model().rowCount(fresh);
        TreeBenchData::close_tree(window);
        state.ResumeTiming();
    }
    state.counters["statements"] = statements;
    state.counters["categories"] = categories;
    state.counters["collection_items"] = static_cast<double>(d.largest_items);
}

void BM_ExpandCategoryOf5000(benchmark::State& state) {
    TreeBenchData& d = data();
    int statements = 0;
    int items = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MapTreeWindow* window = d.open_tree();
        const QModelIndex collection = root_of(*window, d.largest);
        expand(*window, collection);
        QModelIndex category;
        for (int row = 0; row < window->model().rowCount(collection); ++row)
            if (window->model().index(row, 0, collection).data().toString() == d.big_category)
                category = window->model().index(row, 0, collection);
        if (!category.isValid()) throw std::runtime_error("no 5,000-item category");
        StatementCounter counter(d.ctx.db->handle());
        state.ResumeTiming();
        expand(*window, category);
        state.PauseTiming();
        statements = counter.count();
        items = window->model().rowCount(category);
        TreeBenchData::close_tree(window);
        state.ResumeTiming();
    }
    state.counters["statements"] = statements;
    state.counters["items"] = items;
}

BENCHMARK(BM_OpenTree)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ExpandLargestCollection)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ExpandCategoryOf5000)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        benchmark::Initialize(&argc, argv);
        bench_data = std::make_unique<TreeBenchData>();
        const TreeBenchData& d = data();
        std::printf("largest collection: %s, %lld items in %d categories\n", qPrintable(d.largest),
                    static_cast<long long>(d.largest_items), d.largest_categories);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        bench_data.reset();
        return 0;
    } catch (const std::exception& error) {
        bench_data.reset();
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

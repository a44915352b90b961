// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The random item view over the 100,000-item selection: one pick (a lookup by item number)
// beside reading the whole selection once, and the reading of the item numbers a view does once
// when it opens or changes its selection.
#include "bench_sample.h"
#include "bench_seams.h"
#include "bench_windows.h"
#include "core/settings.h"
#include "random/random_item.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <stdexcept>

namespace {

const QString whole_selection = QStringLiteral("Select * from repos");

struct RandomItemData {
    QTemporaryDir dir;
    SystemClock clock;
    NoPrompter prompter;
    NoDesktop desktop;
    FixedRandom random;
    BenchScreen screen;
    BenchWindows windows;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<AppContext> ctx;

    RandomItemData() {
        if (!dir.isValid()) throw std::runtime_error("no temporary directory");
        settings = std::make_unique<Settings>(dir.filePath(QStringLiteral("settings.ini")));
        ctx = std::make_unique<AppContext>(Seams{prompter, desktop, clock, random, screen}, *settings,
                                           dir.filePath(QStringLiteral("home")), windows);
        open_large_sample(*ctx, dir.filePath(QStringLiteral("random.tdb")), clock);
    }
};

RandomItemData& data() {
    static RandomItemData d;
    return d;
}

// One change of the view: a place drawn, the item there read by its number.
void BM_RandomItem_OnePick(benchmark::State& state) {
    RandomItemData& d = data();
    ItemSelection selection(*d.ctx->db, whole_selection);
    selection.read();
    std::mt19937 engine(13);
    std::uniform_int_distribution<int> place(0, selection.count() - 1);
    qint64 checksum = 0;
    for (auto _ : state) {
        const std::optional<RandomItemRow> row = selection.pick(place(engine));
        if (!row) state.SkipWithError("a drawn item was not found");
        checksum += row ? row->item_nr : 0;
    }
    benchmark::DoNotOptimize(checksum);
    state.counters["candidates"] = selection.count();
    state.counters["statements_per_pick"] =
        static_cast<double>(selection.lookups()) / static_cast<double>(state.iterations());
}

// What a view that ran its selection at every change would pay: every row read once.
void BM_RandomItem_ReadWholeSelection(benchmark::State& state) {
    RandomItemData& d = data();
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        Statement all = d.ctx->db->prepare(whole_selection);
        while (all.next()) {
            benchmark::DoNotOptimize(all.value(3));
            ++rows;
        }
    }
    state.counters["rows"] = rows;
}

// What the view pays once when it opens or its selection changes: the item numbers.
void BM_RandomItem_ReadItemNumbers(benchmark::State& state) {
    RandomItemData& d = data();
    ItemSelection selection(*d.ctx->db, whole_selection);
    for (auto _ : state)
        selection.read();
    state.counters["candidates"] = selection.count();
}

} // namespace

BENCHMARK(BM_RandomItem_OnePick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RandomItem_ReadWholeSelection)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RandomItem_ReadItemNumbers)->Unit(benchmark::kMillisecond)->Iterations(5);

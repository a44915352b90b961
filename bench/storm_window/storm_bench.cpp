// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A tags storm of 400 tags: opening it (reading the tags, making and scattering the labels, the
// window shown) and one animation step (one label recoloured, moved and enlarged, while the other
// 399 are not touched).
#include "bench_seams.h"
#include "bench_windows.h"
#include "core/app_context.h"
#include "core/database.h"
#include "core/preferences.h"
#include "core/settings.h"
#include "core/ui/form_place.h"
#include "maps/ui/map_windows.h"
#include "random/ui/storm_window.h"
#include "random/ui/storm_windows.h"
#include "sample_data.h"

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr int storm_tags = 400;

// Scattered draws, so that labels land all over the board as they would in use.
class ScatteredRandom final : public RandomSource {
public:
    double next() override {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 53);
    }
    void seed(quint64 value) override { state_ = value; }

private:
    quint64 state_ = 42;
};

struct StormBenchData {
    QTemporaryDir home;
    NoPrompter prompter;
    NoDesktop desktop;
    SystemClock clock;
    ScatteredRandom random;
    BenchScreen screen;
    BenchWindows windows;
    Settings settings{home.filePath(QStringLiteral("settings.ini"))};
    AppContext ctx{{prompter, desktop, clock, random, screen}, settings, home.path(), windows};
    QMdiArea area;
    std::unique_ptr<MapWindows> maps;
    std::unique_ptr<StormWindows> storms;
    RandomSelection selection;

    StormBenchData() {
        const QString path = home.filePath(QStringLiteral("storm.tdb"));
        sample::Options options;
        options.output = path;
        options.items = 0;
        sample::generate(options, clock);
        ctx.db = Database::open(path, {}, &clock);
        ctx.collections.init_collections();
        load_preferences(ctx);
        Transaction transaction(*ctx.db);
        Statement insert = ctx.db->prepare(QStringLiteral(
            "insert into repos (collection, cat, item_title, item_content) values ('Books', 'Storm', ?, ?)"));
        for (int i = 1; i <= storm_tags; ++i) {
            insert.bind(1, QStringLiteral("Tag number %1 of the storm").arg(i));
            insert.bind(2, QStringLiteral("Content of tag %1").arg(i));
            insert.next();
            insert.reset();
        }
        transaction.commit();
        selection.query = QStringLiteral("Select * from repos where collection='Books' and cat='Storm'");
        selection.map_name = QStringLiteral("Books: Storm");
        selection.position = 7;
        area.resize(1600, 1000);
        area.show();
        maps = std::make_unique<MapWindows>(ctx, [this] { return &area; });
        storms = std::make_unique<StormWindows>(ctx, *maps, [this] { return &area; });
    }

    StormWindow* open_storm() {
        StormWindow* window = storms->open(selection);
        if (!window || window->tag_count() != storm_tags) throw std::runtime_error("the storm did not open");
        QCoreApplication::processEvents();
        return window;
    }
    static void close_storm(StormWindow* window) {
        close_form(*window);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Made in main after the application and dropped before it: its windows must not outlive it.
std::unique_ptr<StormBenchData> bench_data;

void BM_OpenStormOf400Tags(benchmark::State& state) {
    StormBenchData& d = *bench_data;
    for (auto _ : state) {
        StormWindow* window = d.open_storm();
        state.PauseTiming();
        StormBenchData::close_storm(window);
        state.ResumeTiming();
    }
    state.counters["tags"] = storm_tags;
}

void BM_AnimationStep(benchmark::State& state) {
    StormBenchData& d = *bench_data;
    StormWindow* window = d.open_storm();
    for (auto _ : state) {
        window->animation_step(true);
        // The repaint the step asks for is part of its cost.
        QCoreApplication::processEvents();
    }
    StormBenchData::close_storm(window);
}

BENCHMARK(BM_OpenStormOf400Tags)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_AnimationStep)->Unit(benchmark::kMicrosecond)->Iterations(2000);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        benchmark::Initialize(&argc, argv);
        bench_data = std::make_unique<StormBenchData>();
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

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a map window's contents on the 100,000-item encrypted database: reading a 200-item map
// (the most an opening window accepts), composing its panel texts and laying out the grid. The
// panel facts (reference validity, similar titles) are answered in one statement per map; the
// "PerPanel" cases answer them one statement per panel, as reference for what batching saves.
// Every case reports the statements one opening issues.
#include "bench_seams.h"
#include "bench_windows.h"
#include "core/app_context.h"
#include "core/database.h"
#include "core/schema.h"
#include "core/seams.h"
#include "core/settings.h"
#include "maps/map_items.h"
#include "maps/map_names.h"
#include "maps/panel_layout.h"
#include "maps/statement_counter.h"
#include "sample_data.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>

namespace {

const QString password = QStringLiteral("b3nch'pw");

// Text is measured with real fonts, which need a GUI application; a headless one is made when
// the benchmark program has none.
QGuiApplication* gui_application() {
    static std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tessarin_bench";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

struct MapBenchData {
    QTemporaryDir dir;
    SystemClock clock;
    NoPrompter prompter;
    NoDesktop desktop;
    FixedRandom random;
    BenchScreen screen;
    BenchWindows windows;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<AppContext> ctx;
    QString plain_map;     // a generated map of exactly 200 items
    QString reference_map; // 200 items that all point at other maps or items
    FontMetricsMeasure measure;

    MapBenchData() {
        if (!dir.isValid()) throw std::runtime_error("no temporary directory");
        if (!gui_application()) throw std::runtime_error("fonts need a QGuiApplication");
        const QString path = dir.filePath(QStringLiteral("maps.tdb"));
        sample::Options options;
        options.output = path;
        options.password = password;
        options.items = 100000;
        sample::generate(options, clock);

        settings = std::make_unique<Settings>(dir.filePath(QStringLiteral("settings.ini")));
        ctx = std::make_unique<AppContext>(Seams{prompter, desktop, clock, random, screen}, *settings,
                                           dir.filePath(QStringLiteral("home")), windows);
        ctx->db = Database::open(path, password, &clock);
        schema::upgrade(*ctx->db);
        ctx->collections.init_collections();

        Database& db = *ctx->db;
        plain_map = first_map_of_size(db, 200);
        add_reference_map(db);
    }

    // The first generated map of exactly `size` items whose statement returns no other rows, so
    // that an opening window accepts it.
    QString first_map_of_size(Database& db, int size) {
        Statement maps =
            db.prepare(QStringLiteral("select collection, cat from repos group by collection, cat "
                                      "having count(*) = %1 order by collection, cat")
                           .arg(size));
        while (maps.next()) {
            QString name = maps.value(0).toString() + QStringLiteral(": ") + maps.value(1).toString();
            MapItems map(identify_map(ctx->collections, name));
            LoadOptions options;
            options.opening = true;
            if (!load_map_items(*ctx, map, options).refused && map.count() == size) return name;
        }
        throw std::runtime_error("no map of the wanted size");
    }

    // "Books: Bench references": half the titles refer to maps, a quarter of the contents to
    // items of other maps (half of them missing), the rest plain titles repeated elsewhere.
    void add_reference_map(Database& db) {
        QStringList targets;
        Statement maps =
            db.prepare(QStringLiteral("select collection, cat, min(item_title) from repos group by "
                                      "collection, cat limit 100"));
        while (maps.next())
            targets.append(maps.value(0).toString() + QStringLiteral(": ") + maps.value(1).toString() +
                           QLatin1Char('\n') + maps.value(2).toString());
        Transaction transaction(db);
        Statement insert =
            db.prepare(QStringLiteral("insert into repos (collection, cat, item_title, item_content, seq) "
                                      "values ('Books', 'Bench references', "
                                      "?, ?, ?)"));
        for (int i = 0; i < 200; ++i) {
            const QStringList target = targets.at(i % targets.size()).split(QLatin1Char('\n'));
            QString title;
            QString content;
            switch (i % 4) {
            case 0:
            case 1:
                title =
                    QStringLiteral("> ") + target.at(0) + (i % 8 == 0 ? QStringLiteral(" gone") : QString());
                break;
            case 2:
                title = QStringLiteral("see %1").arg(i);
                content = QStringLiteral("> ") + target.at(0) + QLatin1Char('.') + target.at(1) +
                          (i % 8 == 2 ? QStringLiteral("x") : QString()) + QStringLiteral("\r\nnotes");
                break;
            default:
                title = target.at(1);
                content = QStringLiteral("plain content");
                break;
            }
            insert.reset();
            insert.bind(1, title);
            insert.bind(2, content);
            insert.bind(3, i);
            insert.next();
        }
        transaction.commit();
        reference_map = QStringLiteral("Books: Bench references");
    }
};

MapBenchData& data() {
    static MapBenchData instance;
    return instance;
}

// load_map_items and lay_out_panels as a window opening the map runs them.
int open_map(MapBenchData& d, const QString& name, bool similar_indicator) {
    MapItems map(identify_map(d.ctx->collections, name));
    LoadOptions options;
    options.opening = true;
    options.similar_indicator = similar_indicator;
    const LoadResult result = load_map_items(*d.ctx, map, options);
    if (result.refused) throw std::runtime_error("map refused");
    LayoutRequest request;
    request.caption = map.caption();
    request.columns = 3;
    request.font_size = 10;
    request.main_inner_height = 15000;
    const PanelLayout layout = lay_out_panels(map.items(), request, d.measure);
    benchmark::DoNotOptimize(layout.panels.data());
    return map.count();
}

// The same opening with the panel facts asked one statement per panel.
int open_map_per_panel(MapBenchData& d, const QString& name, bool similar_indicator) {
    MapItems map(identify_map(d.ctx->collections, name));
    LoadOptions options;
    options.opening = true;
    load_map_items(*d.ctx, map, options);
    const PanelFacts facts = single_panel_facts(*d.ctx);
    for (int i = 0; i < map.count(); ++i)
        map.item(i).panel_text =
            compose_panel_text(map.item(i), map.identity().position, similar_indicator, facts);
    LayoutRequest request;
    request.caption = map.caption();
    request.columns = 3;
    const PanelLayout layout = lay_out_panels(map.items(), request, d.measure);
    benchmark::DoNotOptimize(layout.panels.data());
    return map.count();
}

template <typename Open>
void run(benchmark::State& state, const QString& name, bool similar_indicator, Open open) {
    MapBenchData& d = data();
    int items = 0;
    int statements = 0;
    {
        StatementCounter counter(d.ctx->db->handle());
        items = open(d, name, similar_indicator);
        statements = counter.count();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(open(d, name, similar_indicator));
    state.counters["items"] = items;
    state.counters["statements"] = statements;
}

void BM_MapOpen_200Items(benchmark::State& state) {
    run(state, data().plain_map, true, open_map);
}
void BM_MapOpen_200Items_PerPanel(benchmark::State& state) {
    run(state, data().plain_map, true, open_map_per_panel);
}
void BM_MapOpen_200References(benchmark::State& state) {
    run(state, data().reference_map, true, open_map);
}
void BM_MapOpen_200References_PerPanel(benchmark::State& state) {
    run(state, data().reference_map, true, open_map_per_panel);
}
void BM_MapOpen_200Items_IndicatorOff(benchmark::State& state) {
    run(state, data().plain_map, false, open_map);
}

} // namespace

BENCHMARK(BM_MapOpen_200Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapOpen_200Items_PerPanel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapOpen_200References)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapOpen_200References_PerPanel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapOpen_200Items_IndicatorOff)->Unit(benchmark::kMillisecond);

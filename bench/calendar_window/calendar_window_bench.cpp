// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window on the 100,000-item database with 10,000 dated items: opening it (the three
// lists, the strip's counts and the bold days, laid out and shown) and reloading its lists after
// a change. Every case reports the statements it issued: the counts and bold days come from
// grouped statements, so the number does not grow with the number of days or events.
#include "bench_context.h"
#include "bench_sample.h"
#include "bench_seams.h"
#include "calendar/ui/calendar_window.h"
#include "calendar/ui/event_list.h"
#include "core/app_context.h"
#include "core/database.h"
#include "core/dates.h"
#include "core/settings.h"
#include "core/ui/form_place.h"
#include "maps/statement_counter.h"
#include "maps/ui/map_windows.h"

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr int dated_items = 10000;
// Days the dated items spread over, from 30 days ago on.
constexpr int spread_days = 120;
constexpr int days_before_today = 30;

struct CalendarBenchData : BenchContext {
    QMdiArea area;
    std::unique_ptr<MapWindows> maps;

    CalendarBenchData() {
        open_large_sample(ctx, home.filePath(QStringLiteral("large.tdb")), clock);
        date_items();
        area.resize(1400, 1000);
        area.show();
        maps = std::make_unique<MapWindows>(ctx, [this] { return &area; });
    }

    // 10,000 items get a deadline and, a day earlier, a reminder, spread evenly over 120 days
    // around today at varied hours.
    void date_items() const {
        const double today = dates::to_julian(QDateTime(clock.now().date(), QTime(0, 0)));
        Transaction transaction(*ctx.db);
        ctx.db->exec(
            QStringLiteral("update repos set date_expiry = null, date_remind = null, date_notified = null"));
        ctx.db->exec(
            QStringLiteral("update repos set date_expiry = %1 + (item_nr % %2) + (item_nr % 24) / 24.0, "
                           "date_remind = %1 + (item_nr % %2) - 1 where item_nr in "
                           "(select item_nr from repos order by item_nr desc limit %3)")
                .arg(today - days_before_today, 0, 'f', 6)
                .arg(spread_days)
                .arg(dated_items));
        transaction.commit();
    }

    CalendarWindow* open_calendar() {
        CalendarWindow* window = open_calendar_window(ctx, *maps, 0, &area);
        if (!window) throw std::runtime_error("the calendar did not open");
        QCoreApplication::processEvents();
        return window;
    }
    static void close_calendar(CalendarWindow* window) {
        close_form(*window);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Made in main after the application and dropped before it: its windows must not outlive it.
std::unique_ptr<CalendarBenchData> bench_data;

void BM_OpenCalendar(benchmark::State& state) {
    CalendarBenchData& d = *bench_data;
    int statements = 0;
    int lines = 0;
    for (auto _ : state) {
        StatementCounter counter(d.ctx.db->handle());
        CalendarWindow* window = d.open_calendar();
        state.PauseTiming();
        statements = counter.count();
        lines = window->list(CalendarList::Today).count() + window->list(CalendarList::Expired).count() +
                window->list(CalendarList::Calendar).count();
        CalendarBenchData::close_calendar(window);
        state.ResumeTiming();
    }
    state.counters["statements"] = statements;
    state.counters["lines"] = lines;
}

void BM_RefreshCalendarLists(benchmark::State& state) {
    CalendarBenchData& d = *bench_data;
    CalendarWindow* window = d.open_calendar();
    int statements = 0;
    for (auto _ : state) {
        StatementCounter counter(d.ctx.db->handle());
        window->refresh_lists();
        QCoreApplication::processEvents();
        statements = counter.count();
    }
    CalendarBenchData::close_calendar(window);
    state.counters["statements"] = statements;
}

BENCHMARK(BM_OpenCalendar)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RefreshCalendarLists)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        benchmark::Initialize(&argc, argv);
        bench_data = std::make_unique<CalendarBenchData>();
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

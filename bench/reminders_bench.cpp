// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The reminder check on the 100,000-item encrypted database with 10,000 dated items, 2,000 of them
// due, beside the sqlcipher command line running the same select and update in one transaction.
// Both sides open the file (key derivation included) and mark the 2,000 items.
#include "bench_seams.h"
#include "bench_windows.h"
#include "calendar/reminders.h"
#include "core/app_context.h"
#include "core/database.h"
#include "core/dates.h"
#include "core/schema.h"
#include "core/settings.h"
#include "sample_data.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString password = QStringLiteral("rem'nd3r");
constexpr int dated_items = 10000;
constexpr int due_items = 2000;

struct ReminderData {
    QTemporaryDir dir;
    QString path;
    SystemClock clock;
    NoPrompter prompter;
    NoDesktop desktop;
    FixedRandom random;
    BenchScreen screen;
    BenchWindows windows;
    std::unique_ptr<Settings> settings;
    double now = 0;

    ReminderData() {
        if (!dir.isValid()) throw std::runtime_error("no temporary directory");
        path = dir.filePath(QStringLiteral("reminders.tdb"));
        sample::Options options;
        options.output = path;
        options.password = password;
        options.items = 100000;
        // Built in a child process, as open_bench does, so that the generator's work (its heap,
        // the file's pages still being written back) does not weigh on the timed calls.
        now = dates::to_julian(clock.now());
        const pid_t child = ::fork();
        if (child == 0) {
            sample::generate(options, clock);
            date_items();
            ::_exit(0);
        }
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            throw std::runtime_error("generating the sample database failed");
        settings = std::make_unique<Settings>(dir.filePath(QStringLiteral("settings.ini")));
    }

    // 10,000 items get a deadline, the 2,000 of lowest number one that has passed.
    void date_items() const {
        auto db = Database::open(path, password, &clock);
        Transaction transaction(*db);
        db->exec(
            QStringLiteral("update repos set date_expiry = null, date_remind = null, date_notified = null"));
        db->exec(QStringLiteral("update repos set date_expiry = %1 where item_nr in "
                                "(select item_nr from repos order by item_nr desc limit %2)")
                     .arg(now + 30, 0, 'f', 6)
                     .arg(dated_items));
        db->exec(QStringLiteral(
                     "update repos set date_expiry = %1 where item_nr in "
                     "(select item_nr from repos where date_expiry is not null order by item_nr limit %2)")
                     .arg(now - 1, 0, 'f', 6)
                     .arg(due_items));
        transaction.commit();
    }

    // Every due item waits to be told again.
    void reset() const {
        auto db = Database::open(path, password, &clock);
        db->exec(QStringLiteral("update repos set date_notified = null"));
    }
};

ReminderData& data() {
    static ReminderData d;
    return d;
}

void BM_Reminders_Program(benchmark::State& state) {
    ReminderData& d = data();
    int reported = 0;
    double open_ms = 0;
    double check_ms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        d.reset();
        AppContext ctx(Seams{d.prompter, d.desktop, d.clock, d.random, d.screen}, *d.settings,
                       d.dir.filePath(QStringLiteral("home")), d.windows);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        ctx.db = Database::open(d.path, password, &d.clock);
        ctx.collections.init_collections();
        open_ms += static_cast<double>(timer.nsecsElapsed()) / 1e6;
        timer.restart();
        reported = static_cast<int>(check_reminders(ctx, false).reported.size());
        check_ms += static_cast<double>(timer.nsecsElapsed()) / 1e6;
    }
    // The two halves: opening the file (the key derivation) and the check itself.
    state.counters["open_ms"] = benchmark::Counter(open_ms, benchmark::Counter::kAvgIterations);
    state.counters["check_ms"] = benchmark::Counter(check_ms, benchmark::Counter::kAvgIterations);
    if (reported != due_items) state.SkipWithError("not every due item was told");
    state.counters["reported"] = reported;
}

void BM_Reminders_CommandLine(benchmark::State& state) {
    ReminderData& d = data();
    const QString now = QString::number(d.now, 'f', 6);
    const QString matched = QStringLiteral("(date_remind <= %1 or date_expiry <= %1)").arg(now);
    const QString script =
        QStringLiteral("PRAGMA key = '%1';\nPRAGMA cipher_page_size = 4096;\nBEGIN;\n"
                       "SELECT item_nr, item_title, date_notified FROM repos WHERE %2;\n"
                       "UPDATE repos SET date_notified = %3 WHERE %2 AND "
                       "(date_notified IS NULL OR %3 - date_notified >= 1.0);\nCOMMIT;\n")
            .arg(QString(password).replace(QLatin1Char('\''), QStringLiteral("''")), matched, now);
    for (auto _ : state) {
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
        QProcess cli;
        cli.start(QStringLiteral("sqlcipher"), {d.path});
        cli.write(script.toUtf8());
        cli.closeWriteChannel();
        if (!cli.waitForFinished(120000) || cli.exitCode() != 0) {
            state.SkipWithError("sqlcipher failed");
            break;
        }
        benchmark::DoNotOptimize(cli.readAllStandardOutput());
    }
}

} // namespace

BENCHMARK(BM_Reminders_Program)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Reminders_CommandLine)->Unit(benchmark::kMillisecond)->Iterations(10);

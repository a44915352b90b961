// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The table view's query on the 100,000-item encrypted database: a three-word OR filter over
// category, title and content in the all-collections table, run through the table model until
// its first screen of rows is ready, beside the sqlcipher command line running the same
// statement (in its own dialect) on the same file. A last case fills the model with all
// 100,000 rows, scrolls through them a screen at a time and reports resident memory.
#include "core/database.h"
#include "core/schema.h"
#include "core/seams.h"
#include "sample_data.h"
#include "table/table_model.h"
#include "table/table_query.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace {

const QString password = QStringLiteral("b3nch'pw");
constexpr int screen_rows = 40;

// Resident set size in megabytes, from /proc/self/statm.
double resident_mb() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2) return -1;
    return fields[1].toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The program's dialect in the engine's own: "*" wildcards become "%", and iif and now() (the
// program's functions) become CASE and julianday('now','localtime').
QString engine_dialect(QString sql) {
    const QString now = QStringLiteral("julianday('now','localtime')");
    sql.replace(
        QStringLiteral("iif((date_remind<=now() and date_expiry>now()),'Warning','')"),
        QStringLiteral("(CASE WHEN date_remind<=%1 and date_expiry>%1 THEN 'Warning' ELSE '' END)").arg(now));
    sql.replace(QStringLiteral("iif(date_expiry<=now(),'Expired','')"),
                QStringLiteral("(CASE WHEN date_expiry<=%1 THEN 'Expired' ELSE '' END)").arg(now));
    sql.replace(QStringLiteral("like '*"), QStringLiteral("like '%"));
    sql.replace(QStringLiteral("*' "), QStringLiteral("%' "));
    return sql;
}

QCoreApplication* application() {
    static std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "tessarin_bench";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return QCoreApplication::instance();
}

struct TableBenchData {
    QTemporaryDir dir;
    SystemClock clock;
    QString path;
    std::unique_ptr<Database> db;
    TableQuery query{45, QStringLiteral("All collections"), false};
    QString statement;
    QString cli_statement;

    TableBenchData() {
        if (!dir.isValid()) throw std::runtime_error("no temporary directory");
        application();
        path = dir.filePath(QStringLiteral("table.tdb"));
        sample::Options options;
        options.output = path;
        options.password = password;
        options.items = 100000;
        sample::generate(options, clock);
        db = Database::open(path, password, &clock);
        schema::upgrade(*db);
        TableFilters filters;
        filters.cat = filters.title = filters.content = QStringLiteral("violin or castle or lantern");
        filters.use_or = true;
        statement = query.build(filters).statement;
        cli_statement = engine_dialect(statement);
    }
};

TableBenchData& data() {
    static TableBenchData instance;
    return instance;
}

void BM_Table_Model_ThreeWordOr_FirstScreen(benchmark::State& state) {
    TableBenchData& d = data();
    int rows = 0;
    for (auto _ : state) {
        TableModel model(d.db, d.query.select_from(), d.query.last_column() + 1);
        model.fill(d.statement);
        for (int row = 0; row < std::min(screen_rows, model.rowCount()); ++row)
            for (int column = 1; column < model.columnCount(); ++column)
                benchmark::DoNotOptimize(model.text(row, column));
        rows = model.rowCount();
    }
    state.counters["rows"] = rows;
}

void BM_Table_SqlcipherCli_ThreeWordOr(benchmark::State& state) {
    TableBenchData& d = data();
    const QByteArray script =
        "PRAGMA key = '" + QString(password).replace(QStringLiteral("'"), QStringLiteral("''")).toUtf8() +
        "';\nPRAGMA cipher_page_size = 4096;\n" + d.cli_statement.toUtf8() + ";\n.quit\n";
    qint64 lines = 0;
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral("sqlcipher"), {d.path});
        if (!cli.waitForStarted()) {
            state.SkipWithError("the sqlcipher command line did not start");
            return;
        }
        cli.write(script);
        cli.closeWriteChannel();
        QByteArray output;
        while (cli.state() != QProcess::NotRunning) {
            cli.waitForReadyRead(1000);
            output += cli.readAllStandardOutput();
        }
        output += cli.readAllStandardOutput();
        lines = output.count('\n');
        const QByteArray errors = cli.readAllStandardError();
        if (!errors.isEmpty()) {
            state.SkipWithError(errors.constData());
            return;
        }
    }
    // Contents span several lines, so the rows are counted by the command line itself.
    QProcess count;
    count.start(QStringLiteral("sqlcipher"), {d.path});
    count.waitForStarted();
    count.write(script.left(script.indexOf("\n", script.indexOf("cipher_page_size")) + 1) +
                "select count(*) from (" + d.cli_statement.toUtf8() + ");\n.quit\n");
    count.closeWriteChannel();
    count.waitForFinished(-1);
    const QList<QByteArray> answer = count.readAllStandardOutput().trimmed().split('\n');
    state.counters["rows"] = answer.isEmpty() ? -1 : answer.last().trimmed().toDouble();
    state.counters["output_lines"] = static_cast<double>(lines);
}

void BM_Table_Model_AllRows_Memory(benchmark::State& state) {
    TableBenchData& d = data();
    const QString all = d.query.build({}).statement;
    for (auto _ : state) {
        const double before = resident_mb();
        TableModel model(d.db, d.query.select_from(), d.query.last_column() + 1);
        QElapsedTimer timer;
        timer.start();
        model.fill(all);
        state.counters["fill_ms"] = static_cast<double>(timer.elapsed());
        const double filled = resident_mb();
        // Scrolling the whole result a screen at a time.
        for (int top = 0; top < model.rowCount(); top += screen_rows)
            for (int row = top; row < std::min(top + screen_rows, model.rowCount()); ++row)
                for (int column = 1; column < model.columnCount(); ++column)
                    benchmark::DoNotOptimize(model.text(row, column));
        const double scrolled = resident_mb();
        state.counters["rows"] = model.rowCount();
        state.counters["rss_before_MB"] = before;
        state.counters["rss_filled_MB"] = filled;
        state.counters["rss_scrolled_MB"] = scrolled;
        state.counters["model_growth_MB"] = scrolled - before;
        state.counters["pages_read"] = model.pages_read();
        state.counters["pages_kept"] = model.cached_pages();
    }
}

} // namespace

BENCHMARK(BM_Table_Model_ThreeWordOr_FirstScreen)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Table_SqlcipherCli_ThreeWordOr)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Table_Model_AllRows_Memory)->Unit(benchmark::kMillisecond)->Iterations(1);

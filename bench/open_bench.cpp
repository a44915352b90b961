// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a 100,000-item encrypted database the way the program does (unlock, compaction into a
// verified copy, atomic swap, backup generation, final open) beside the sqlcipher command line
// doing ATTACH ... KEY + sqlcipher_export + sync on the same file.
#include "core/database.h"
#include "core/db_files.h"
#include "core/schema.h"
#include "core/seams.h"
#include "sample_data.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString password = QStringLiteral("b3nch'pw");

struct OpenData {
    QTemporaryDir dir;
    QString pristine;
    QString work;
    SystemClock clock;

    OpenData() {
        pristine = dir.filePath(QStringLiteral("pristine.tdb"));
        work = dir.filePath(QStringLiteral("work.tdb"));
        sample::Options options;
        options.output = pristine;
        options.password = password;
        options.items = 100000;
        // Generated in a child process, so that the generator's work (its heap, the file's pages
        // still being written back) does not weigh on this process, which is compared with a
        // fresh sqlcipher process.
        const pid_t child = ::fork();
        if (child == 0) {
            sample::generate(options, clock);
            ::_exit(0);
        }
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            throw std::runtime_error("generating the sample database failed");
    }

    // A fresh copy of the database with no backups beside it, so every run does the full work.
    void reset() {
        for (const QString& name : QDir(dir.path()).entryList({QStringLiteral("work.tdb*")}, QDir::Files))
            QFile::remove(dir.filePath(name));
        if (!QFile::copy(pristine, work)) throw std::runtime_error("copy failed");
    }
};

OpenData& data() {
    static OpenData d;
    return d;
}

QString sql_quote(const QString& text) {
    return QStringLiteral("'") + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QStringLiteral("'");
}

void run_cli(const QString& script, const QString& database) {
    QProcess cli;
    cli.start(QStringLiteral("sqlcipher"), {database});
    cli.write(script.toUtf8());
    cli.closeWriteChannel();
    if (!cli.waitForFinished(120000) || cli.exitCode() != 0)
        throw std::runtime_error(("sqlcipher failed: " + cli.readAllStandardError()).toStdString());
}

void BM_Open_Program(benchmark::State& state) {
    OpenData& d = data();
    for (auto _ : state) {
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
        db_files::remove_leftovers(d.work);
        auto source = Database::open(d.work, password, &d.clock);
        db_files::compact(std::move(source));
        db_files::rotate_backups(d.work, d.clock.now());
        auto db = Database::open(d.work, password, &d.clock);
        schema::upgrade(*db);
        benchmark::DoNotOptimize(db->scalar(QStringLiteral("select count(*) from gen_params")));
    }
}

void BM_Open_CommandLine(benchmark::State& state) {
    OpenData& d = data();
    const QString script =
        QStringLiteral("PRAGMA key = %1;\nPRAGMA cipher_page_size = 4096;\n"
                       "ATTACH DATABASE %2 AS compacted KEY %1;\n"
                       "PRAGMA compacted.cipher_page_size = 4096;\n"
                       "SELECT sqlcipher_export('compacted');\nDETACH DATABASE compacted;\n")
            .arg(sql_quote(password), sql_quote(d.work + QStringLiteral(".tmp")));
    for (auto _ : state) {
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
        run_cli(script, d.work);
        QProcess::execute(QStringLiteral("sync"), {});
    }
}

void BM_Unlock_Program(benchmark::State& state) {
    OpenData& d = data();
    d.reset();
    for (auto _ : state) {
        auto db = Database::open(d.work, password, &d.clock);
        benchmark::DoNotOptimize(db->scalar(QStringLiteral("select count(*) from repos")));
    }
}

void BM_Unlock_CommandLine(benchmark::State& state) {
    OpenData& d = data();
    d.reset();
    const QString script = QStringLiteral("PRAGMA key = %1;\nPRAGMA cipher_page_size = 4096;\n"
                                          "SELECT count(*) FROM repos;\n")
                               .arg(sql_quote(password));
    for (auto _ : state)
        run_cli(script, d.work);
}

} // namespace

BENCHMARK(BM_Open_Program)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Open_CommandLine)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Unlock_Program)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Unlock_CommandLine)->Unit(benchmark::kMillisecond)->Iterations(10);

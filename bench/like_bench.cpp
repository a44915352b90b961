// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The like matcher against the engine's built-in like, on the same 100,000 generated items:
// "Ours" runs through a Database connection with the program's functions, "Builtin" through a
// raw connection to the same file with the engine's own like and "%" wildcards.
#include "core/database.h"
#include "core/seams.h"
#include "core/sql_functions.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr int item_count = 100000;

const char* const words[] = {
    "the",       "and",     "meeting",    "project",  "call",    "notes",       "agenda",   "review",
    "draft",     "budget",  "report",     "shopping", "list",    "book",        "read",     "later",
    "idea",      "garden",  "plant",      "water",    "doctor",  "appointment", "birthday", "gift",
    "travel",    "train",   "ticket",     "hotel",    "Roma",    "Milano",      "città",    "caffè",
    "perché",    "però",    "università", "lunedì",   "martedì", "spesa",       "lavoro",   "casa",
    "scuola",    "ricetta", "pasta",      "pomodoro", "olio",    "Émile",       "Zoë",      "naïve",
    "café",      "résumé",  "Straße",     "Ærø",      "keys",    "passport",    "software", "update",
    "release",   "bug",     "fix",        "server",   "backup",  "photo",       "album",    "music",
    "concert",   "film",    "series",     "episode",  "chapter", "page",        "quote",    "l'isola",
    "dell'anno", "O'Brien", "2024",       "2025",     "12:30",   "#42",         "50%",      "e-mail",
    "www",
};

const char* const collections[] = {"Agenda", "Books", "Ideas", "Projects", "Journal", "Contacts", "Recipes"};

struct BenchData {
    QTemporaryDir dir;
    QString path;
    SystemClock clock;
    std::unique_ptr<Database> ours;
    sqlite3* builtin = nullptr;

    BenchData() {
        if (!dir.isValid()) throw std::runtime_error("no temporary directory");
        path = dir.filePath(QStringLiteral("bench.tdb"));
        ours = Database::open(path, {}, &clock, Database::Mode::CreateNew);
        ours->exec(QStringLiteral("create table repos (item_nr integer primary key autoincrement, "
                                  "collection text collate nocase, cat text collate nocase, "
                                  "item_title text collate nocase, item_content text collate nocase)"));
        std::mt19937 random(20260314);
        std::uniform_int_distribution<std::size_t> pick(0, std::size(words) - 1);
        std::uniform_int_distribution<int> title_length(1, 5);
        std::uniform_int_distribution<int> content_length(0, 60);
        std::uniform_int_distribution<int> percent(0, 99);
        Transaction transaction(*ours);
        Statement insert = ours->prepare(QStringLiteral(
            "insert into repos (collection, cat, item_title, item_content) values (?, ?, ?, ?)"));
        for (int i = 0; i < item_count; ++i) {
            QString title;
            for (int w = title_length(random); w > 0; --w) {
                if (!title.isEmpty()) title += QLatin1Char(' ');
                title += QString::fromUtf8(words[pick(random)]);
            }
            QString content;
            for (int w = content_length(random); w > 0; --w) {
                if (!content.isEmpty())
                    content += percent(random) < 10 ? QStringLiteral(".\n") : QStringLiteral(" ");
                content += QString::fromUtf8(words[pick(random)]);
            }
            // A few items carry the searched word itself, in either case.
            if (percent(random) < 2)
                content += percent(random) < 50 ? QStringLiteral(" word") : QStringLiteral(" WORD");
            insert.reset();
            insert.bind(1,
                        QString::fromUtf8(collections[static_cast<std::size_t>(i) % std::size(collections)]));
            insert.bind(2, QStringLiteral("category %1").arg(i % 40));
            insert.bind(3, title);
            insert.bind(4, content);
            insert.next();
        }
        transaction.commit();
        // Large caches on both connections, so that the figures compare matching, not reading.
        ours->exec(QStringLiteral("PRAGMA cache_size = -262144"));
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &builtin, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error("cannot open the benchmark database");
        sqlite3_exec(builtin, "PRAGMA cache_size = -262144", nullptr, nullptr, nullptr);
    }
    ~BenchData() { sqlite3_close_v2(builtin); }
};

BenchData& data() {
    static BenchData instance;
    return instance;
}

void run_ours(benchmark::State& state, const char* sql) {
    Statement statement = data().ours->prepare(QString::fromUtf8(sql));
    qint64 count = 0;
    for (auto _ : state) {
        statement.reset();
        statement.next();
        count = statement.value(0).toLongLong();
    }
    state.counters["matches"] = static_cast<double>(count);
    state.counters["rows/s"] =
        benchmark::Counter(static_cast<double>(item_count) * state.iterations(), benchmark::Counter::kIsRate);
}

void run_builtin(benchmark::State& state, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(data().builtin, sql, -1, &statement, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(data().builtin));
        return;
    }
    sqlite3_int64 count = 0;
    for (auto _ : state) {
        sqlite3_reset(statement);
        sqlite3_step(statement);
        count = sqlite3_column_int64(statement, 0);
    }
    sqlite3_finalize(statement);
    state.counters["matches"] = static_cast<double>(count);
    state.counters["rows/s"] =
        benchmark::Counter(static_cast<double>(item_count) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_Like_Ours_ContentWord(benchmark::State& state) {
    run_ours(state, "select count(*) from repos where item_content like '*word*'");
}
void BM_Like_Builtin_ContentWord(benchmark::State& state) {
    run_builtin(state, "select count(*) from repos where item_content like '%word%'");
}
void BM_Like_Ours_ContentAccented(benchmark::State& state) {
    run_ours(state, "select count(*) from repos where item_content like '*università*'");
}
void BM_Like_Builtin_ContentAccented(benchmark::State& state) {
    run_builtin(state, "select count(*) from repos where item_content like '%università%'");
}
void BM_Like_Ours_TitlePrefix(benchmark::State& state) {
    run_ours(state, "select count(*) from repos where item_title like 'shop*'");
}
void BM_Like_Builtin_TitlePrefix(benchmark::State& state) {
    run_builtin(state, "select count(*) from repos where item_title like 'shop%'");
}
void BM_Like_Ours_TitleSet(benchmark::State& state) {
    run_ours(state, "select count(*) from repos where item_title like '*[0-9][0-9]:[0-9]#*'");
}
// The scan with a plain byte comparison instead of like: the floor both matchers sit on.
void BM_Like_ScanOnly(benchmark::State& state) {
    run_builtin(state, "select count(*) from repos where item_content = 'no such text' collate binary");
}

BENCHMARK(BM_Like_Ours_ContentWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Like_Builtin_ContentWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Like_Ours_ContentAccented)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Like_Builtin_ContentAccented)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Like_Ours_TitlePrefix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Like_Builtin_TitlePrefix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Like_Ours_TitleSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Like_ScanOnly)->Unit(benchmark::kMillisecond);

} // namespace

// The one entry point of the benchmark program; other bench files only add BENCHMARK()s.
BENCHMARK_MAIN();

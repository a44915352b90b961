// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file search walk over a generated tree of 200,000 entries (1,040 directories and 199,000
// files), beside GNU find with -iname '*s*' over the same tree in the same run. Both list every
// match: the walk into its result list, find onto a pipe read by this program. The directory
// names hold no "s", so both sides find the same files, and the counts are checked.
#include "table/file_search.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

constexpr int top_directories = 40;
constexpr int leaves_per_top = 25;
constexpr int files_per_leaf = 199;
constexpr int total_entries =
    top_directories + top_directories * leaves_per_top * (1 + files_per_leaf); // 200,040

// Names of mixed case and length, about half of them holding an "s" or an "S".
QString file_name(int leaf, int index) {
    static const char* const stems[] = {"Report", "notes", "IMAGE", "draft",   "Summary", "letter",
                                        "budget", "PLAN",  "scan",  "invoice", "Photo",   "memo"};
    static const char* const endings[] = {".txt", ".pdf", ".JPG", ".doc", ".md", ".ods"};
    const int pick = leaf * 31 + index * 7;
    return QStringLiteral("%1_%2_%3%4")
        .arg(QLatin1String(stems[pick % 12]))
        .arg(leaf)
        .arg(index)
        .arg(QLatin1String(endings[(pick / 12) % 6]));
}

struct SearchTree {
    QTemporaryDir dir;
    QString root;
    int matching = 0;

    SearchTree() {
        if (!dir.isValid()) throw std::runtime_error("no temporary directory");
        root = dir.filePath(QStringLiteral("tree"));
        for (int top = 0; top < top_directories; ++top)
            for (int leaf = 0; leaf < leaves_per_top; ++leaf) {
                const int number = top * leaves_per_top + leaf;
                const QString path = QStringLiteral("%1/dir_%2/dir_%3").arg(root).arg(top).arg(number);
                if (!QDir().mkpath(path)) throw std::runtime_error("cannot make the tree");
                for (int index = 0; index < files_per_leaf; ++index) {
                    const QString name = file_name(number, index);
                    QFile file(path + QLatin1Char('/') + name);
                    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot make a file");
                    if (name.contains(QLatin1Char('s'), Qt::CaseInsensitive)) ++matching;
                }
            }
    }
};

SearchTree& tree() {
    static SearchTree t;
    return t;
}

void BM_FileSearch_Program(benchmark::State& state) {
    SearchTree& t = tree();
    qsizetype found = 0;
    for (auto _ : state) {
        // The window's way: slices of 512 entries until the walk is over.
        FileSearchWalk walk(t.root, QStringLiteral("s"), false);
        while (walk.step(512)) {
        }
        found = walk.found().size();
        benchmark::DoNotOptimize(walk.found().constData());
        if (walk.directories_searched() + walk.files_searched() != total_entries + 1)
            state.SkipWithError("the walk did not see every entry");
    }
    if (found != t.matching) state.SkipWithError("the walk found a different number of files");
    state.counters["entries"] = total_entries;
    state.counters["found"] = static_cast<double>(found);
}

void BM_FileSearch_GnuFind(benchmark::State& state) {
    SearchTree& t = tree();
    qsizetype found = 0;
    for (auto _ : state) {
        QProcess find;
        find.start(QStringLiteral("find"), {t.root, QStringLiteral("-iname"), QStringLiteral("*s*")});
        if (!find.waitForFinished(120000) || find.exitCode() != 0) {
            state.SkipWithError("find failed");
            break;
        }
        found = find.readAllStandardOutput().count('\n');
    }
    if (found != t.matching) state.SkipWithError("find found a different number of files");
    state.counters["found"] = static_cast<double>(found);
}

} // namespace

BENCHMARK(BM_FileSearch_Program)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FileSearch_GnuFind)->Unit(benchmark::kMillisecond)->Iterations(10);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A thumbnail sheet of 28 JPEGs of 4000 x 3000, every thumbnail shown, timed side by side with
// decoding the same files at 1/8 scale with `djpeg -scale 1/8`, two at a time, in the same run;
// and the program's peak memory. The pictures are made once into a cache directory (by a child
// process, so that making them does not count in the peak memory).
#include "bench_context.h"
#include "bench_seams.h"
#include "core/app_context.h"
#include "core/settings.h"
#include "pictures/sheet_list_text.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/thumbnail_sheet.h"
#include "pictures/ui/thumbnail_sheets.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int picture_count = 28;
constexpr int rounds = 5;

QString cache_directory() {
    QString dir = qEnvironmentVariable("TESSARIN_BENCH_CACHE");
    if (dir.isEmpty()) dir = QDir::tempPath() + QStringLiteral("/tessarin_bench_cache");
    return dir + QStringLiteral("/thumbnail_sheet");
}

QStringList picture_paths() {
    QStringList paths;
    for (int i = 1; i <= picture_count; ++i)
        paths.append(cache_directory() + QStringLiteral("/photo_%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
    return paths;
}

// A photograph-like picture: a gradient that differs per picture, shapes, and noise, at quality 90.
bool make_picture(const QString& path, int seed) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 180, 220));
    gradient.setColorAt(1, QColor::fromHsv((seed * 91 + 120) % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    quint32 state = 2463534242U + static_cast<quint32>(seed);
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromRgb(next() & 0xFFFFFF));
        painter.drawEllipse(static_cast<int>(next() % 4000), static_cast<int>(next() % 3000), 300, 200);
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = static_cast<int>(next() % 25) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + noise, 0, 255), std::clamp(qGreen(p) + noise, 0, 255),
                           std::clamp(qBlue(p) + noise, 0, 255));
        }
    }
    return image.save(path, "JPG", 90);
}

int generate_pictures() {
    QDir().mkpath(cache_directory());
    const QStringList paths = picture_paths();
    for (int i = 0; i < paths.size(); ++i)
        if (!QFileInfo::exists(paths[i]) && !make_picture(paths[i], i)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(paths[i]));
            return 1;
        }
    return 0;
}

bool pictures_ready() {
    const QStringList paths = picture_paths();
    return std::all_of(paths.begin(), paths.end(),
                       [](const QString& p) { return QFileInfo(p).size() > 100000; });
}

// Processor time (user and system) of this process or of its finished children, in milliseconds.
double cpu_ms(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct SheetBench : BenchContext {
    PictureViewer viewer{ctx};
};

// Milliseconds from opening the sheet to the last thumbnail shown.
double time_sheet(SheetBench& bench, const QString& tnf) {
    QElapsedTimer timer;
    timer.start();
    bench.viewer.open_thumbnail_file(tnf);
    const auto sheets = bench.viewer.thumbnail_sheets().open_sheets();
    if (sheets.size() != 1) return -1;
    // Sleeps until the next event (a decode done) rather than spinning beside the decoders.
    while (!sheets.front()->complete())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    bench.viewer.close_all();
    QApplication::processEvents();
    return ms;
}

// Milliseconds for djpeg to decode every file at 1/8 scale, two processes at a time.
double time_djpeg(const QStringList& paths) {
    QProcess xargs;
    xargs.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    xargs.start(QStringLiteral("xargs"),
                {QStringLiteral("-0"), QStringLiteral("-n1"), QStringLiteral("-P2"), QStringLiteral("djpeg"),
                 QStringLiteral("-scale"), QStringLiteral("1/8"), QStringLiteral("-outfile"),
                 QStringLiteral("/dev/null")});
    xargs.write(paths.join(QChar(0)).toUtf8() + '\0');
    xargs.closeWriteChannel();
    if (!xargs.waitForFinished(120000) || xargs.exitCode() != 0) return -1;
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "--generate") == 0) {
        QCoreApplication app(argc, argv);
        return generate_pictures();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!pictures_ready()) {
        std::printf("making %d pictures of 4000 x 3000 in %s ...\n", picture_count,
                    qPrintable(cache_directory()));
        std::fflush(stdout);
        if (QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--generate")}) != 0)
            return 1;
    }
    const QStringList paths = picture_paths();
    for (const QString& path : paths) { // both sides read from the page cache
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) file.readAll();
    }
    SheetBench bench;
    const QString tnf = bench.home.filePath(QStringLiteral("_thumbnails_01.tnf"));
    write_list_file(tnf, paths);

    std::vector<double> sheet_times, djpeg_times, sheet_cpu, djpeg_cpu;
    for (int round = 1; round <= rounds; ++round) {
        const double sheet_cpu_before = cpu_ms(RUSAGE_SELF);
        const double sheet = time_sheet(bench, tnf);
        sheet_cpu.push_back(cpu_ms(RUSAGE_SELF) - sheet_cpu_before);
        const double djpeg_cpu_before = cpu_ms(RUSAGE_CHILDREN);
        const double djpeg = time_djpeg(paths);
        djpeg_cpu.push_back(cpu_ms(RUSAGE_CHILDREN) - djpeg_cpu_before);
        if (sheet < 0 || djpeg < 0) {
            std::fprintf(stderr, "round %d failed (sheet %.0f, djpeg %.0f)\n", round, sheet, djpeg);
            return 1;
        }
        std::printf(
            "round %d: sheet %7.1f ms (cpu %7.1f)   djpeg -scale 1/8, 2 at a time %7.1f ms (cpu %7.1f)\n",
            round, sheet, sheet_cpu.back(), djpeg, djpeg_cpu.back());
        sheet_times.push_back(sheet);
        djpeg_times.push_back(djpeg);
    }
    const double sheet_median = median(sheet_times);
    const double djpeg_median = median(djpeg_times);
    std::printf("median of %d: sheet %.1f ms, djpeg %.1f ms, ratio %.2fx (target within 1.2x)\n", rounds,
                sheet_median, djpeg_median, sheet_median / djpeg_median);
    std::printf("processor time, median: sheet %.1f ms, djpeg %.1f ms, ratio %.2fx\n", median(sheet_cpu),
                median(djpeg_cpu), median(sheet_cpu) / median(djpeg_cpu));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::printf("peak memory of the program: %.1f MB (target under 300 MB)\n", peak_mb);
    return 0;
}

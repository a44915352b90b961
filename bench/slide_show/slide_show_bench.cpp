// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The full-screen slide show over 4000 x 3000 JPEGs: the time from the "next" key to the next
// picture painted, with the picture decoded ahead of time (while the one before was on screen)
// and without (decoded when the key comes), and the memory the show took.
#include "bench_context.h"
#include "bench_seams.h"
#include "core/app_context.h"
#include "core/settings.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/slide_show_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int picture_count = 6;
constexpr int moves = 24;

// A photograph-like picture: gradients under noise, so that the JPEG is as large as a camera's.
QImage make_photo(int seed) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, QColor::fromHsv(seed * 50 % 360, 200, 220));
    gradient.setColorAt(1, QColor::fromHsv((seed * 50 + 180) % 360, 160, 90));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QRandomGenerator noise(static_cast<quint32>(seed));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int jitter = static_cast<int>(noise.bounded(48U)) - 24;
            const QRgb pixel = line[x];
            line[x] =
                qRgb(std::clamp(qRed(pixel) + jitter, 0, 255), std::clamp(qGreen(pixel) + jitter, 0, 255),
                     std::clamp(qBlue(pixel) + jitter, 0, 255));
        }
    }
    return image;
}

long peak_memory_kb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

struct Figures {
    double median_ms = 0;
    double worst_ms = 0;
    int from_prefetch = 0;
};

// Presses Space `moves` times; each time from the key to the picture painted.
Figures time_moves(SlideShowWindow& show, bool decode_ahead) {
    std::vector<double> times;
    Figures figures;
    // One move untimed: the decode started as the show opened is not the one measured.
    show.wait_for_prefetch();
    QKeyEvent first(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&show, &first);
    for (int move = 0; move < moves; ++move) {
        // The viewer looks at the picture for a while: the decode ahead has time to finish.
        if (decode_ahead) show.wait_for_prefetch();
        QElapsedTimer clock;
        clock.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&show, &press);
        show.repaint();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (show.shown_from_prefetch()) ++figures.from_prefetch;
    }
    std::sort(times.begin(), times.end());
    figures.median_ms = times[times.size() / 2];
    figures.worst_ms = times.back();
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BenchContext bench;
    AppContext& ctx = bench.ctx;
    const QTemporaryDir& home = bench.home;

    QElapsedTimer making;
    making.start();
    PictureList pictures;
    qint64 bytes = 0;
    for (int number = 0; number < picture_count; ++number) {
        const QString path = home.filePath(QStringLiteral("photo %1.jpg").arg(number));
        make_photo(number).save(path, "JPEG", 90);
        bytes += QFileInfo(path).size();
        pictures.push_back({path, {}});
    }
    std::printf("%d JPEGs of 4000 x 3000 at quality 90 (%.1f MB each) made in %.1f s\n", picture_count,
                static_cast<double>(bytes) / picture_count / 1e6,
                static_cast<double>(making.elapsed()) / 1e3);

    PictureViewer viewer(ctx);
    for (const bool decode_ahead : {true, false}) {
        viewer.start_slide_show(pictures, 0);
        SlideShowWindow* show = viewer.slide_show_window();
        show->set_decode_ahead(decode_ahead);
        const Figures figures = time_moves(*show, decode_ahead);
        std::printf(
            "next key to picture shown, %-22s median %7.1f ms, worst %7.1f ms (%d of %d decoded ahead)\n",
            decode_ahead ? "decoded ahead:" : "decoded on the key:", figures.median_ms, figures.worst_ms,
            figures.from_prefetch, moves);
        if (decode_ahead)
            std::printf("screen %d x %d, fit mode\n", show->screen_size().width(),
                        show->screen_size().height());
        show->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The pictures were made in this process too (one 4000 x 3000 picture, 48 MB, at a time).
    std::printf("peak memory of the process %.0f MB\n", static_cast<double>(peak_memory_kb()) / 1024);
    return 0;
}

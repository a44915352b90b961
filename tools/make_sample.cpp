// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tessarin_sample OUTPUT.tdb [--items N] [--password P] [--seed S] [--force]
#include "sample_data.h"

#include "core/db_error.h"
#include "core/seams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    const auto parsed = sample::parse_arguments(arguments);
    if (const auto* error = std::get_if<QString>(&parsed)) {
        print(stderr, QStringLiteral("tessarin_sample: %1\n").arg(*error) + sample::usage());
        return 2;
    }
    sample::Options options = std::get<sample::Options>(parsed);
    if (options.help) {
        print(stdout, sample::usage());
        return 0;
    }
    // Progress only on a terminal, so that logs of scripted runs stay one line long.
    const bool show_progress = options.items && ::isatty(STDERR_FILENO);
    if (show_progress) {
        options.progress = [](qint64 written, qint64 total) {
            print(stderr, QStringLiteral("\r%1%").arg(written * 100 / total));
        };
    }

    SystemClock clock;
    QElapsedTimer timer;
    timer.start();
    try {
        const sample::Summary summary = sample::generate(options, clock);
        if (show_progress) print(stderr, QStringLiteral("\r"));
        print(stdout, QStringLiteral("%1: %2 items in %3 maps, %4 seconds\n")
                          .arg(QFileInfo(options.output).fileName())
                          .arg(summary.items)
                          .arg(summary.maps)
                          .arg(static_cast<double>(timer.elapsed()) / 1000.0, 0, 'f', 2));
        return 0;
    } catch (const sample::OutputExists&) {
        print(stderr,
              QStringLiteral("tessarin_sample: %1 already exists; it was left untouched (use --force to "
                             "replace it)\n")
                  .arg(options.output));
        return 2;
    } catch (const DbError& error) {
        print(
            stderr,
            QStringLiteral("tessarin_sample: Error %1 - %2\n").arg(error.number()).arg(error.description()));
        return 1;
    } catch (const std::exception& error) {
        print(stderr, QStringLiteral("tessarin_sample: %1\n").arg(QString::fromLocal8Bit(error.what())));
        return 1;
    }
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench_seams.h"
#include "bench_windows.h"
#include "core/app_context.h"
#include "core/settings.h"

#include <QTemporaryDir>

// A program context for a bench: quiet seams, the real clock, and a scratch program directory
// with its own settings file.
struct BenchContext {
    QTemporaryDir home;
    NoPrompter prompter;
    NoDesktop desktop;
    SystemClock clock;
    FixedRandom random;
    BenchScreen screen;
    BenchWindows windows;
    Settings settings{home.filePath(QStringLiteral("settings.ini"))};
    AppContext ctx{{prompter, desktop, clock, random, screen}, settings, home.path(), windows};
};

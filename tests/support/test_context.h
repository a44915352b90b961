// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app_context.h"
#include "core/settings.h"
#include "support/fake_startup_ui.h"
#include "support/fake_windows.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <memory>

// A program context on fakes in a scratch directory: its own program directory ("home"),
// settings file and clock.
struct TestContext {
    TempEnv env;
    FakePrompter prompter;
    FakeDesktop desktop;
    FakeClock clock;
    FakeRandom random;
    FakeScreen screen;
    FakeWindows windows;
    Settings settings{env.path(QStringLiteral("settings.ini"))};
    AppContext ctx{
        {prompter, desktop, clock, random, screen}, settings, env.path(QStringLiteral("home")), windows};
    FakeStartupUi ui;
};

// Makes a database at `path` with the schema and `items` items titled "item N" in "Books: Novels".
void make_database(const QString& path, const QString& password, int items, const Clock* clock);
// Number of rows in repos, opening the file afresh.
int count_items(const QString& path, const QString& password, const Clock* clock);

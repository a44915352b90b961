// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app_context.h"
#include "core/database.h"
#include "core/schema.h"
#include "core/settings.h"
#include "support/fake_windows.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <QDir>
#include <gtest/gtest.h>

// A context on fakes with a fresh database "family.tdb" (plain unless a password is given).
class ShellTest : public ::testing::Test {
protected:
    TempEnv env;
    FakePrompter prompter;
    FakeDesktop desktop;
    FakeClock clock;
    FakeRandom random;
    FakeScreen screen;
    FakeWindows windows;
    Settings settings{env.path(QStringLiteral("settings.ini"))};
    AppContext ctx{{prompter, desktop, clock, random, screen}, settings, env.path(QStringLiteral("home")), windows};

    void open_database(const QString& password = {}) {
        QDir().mkpath(ctx.program_dir);
        ctx.db_path = env.path(QStringLiteral("family.tdb"));
        ctx.db_title = QStringLiteral("family");
        auto created = Database::open(ctx.db_path, password, &clock, Database::Mode::CreateNew);
        schema::upgrade(*created);
        created.reset();
        ctx.db = Database::open(ctx.db_path, password, &clock);
        ctx.collections.init_collections();
    }
    // Texts shown by message boxes only, in order.
    QStringList messages() const {
        QStringList texts;
        for (const auto& shown : prompter.shown())
            if (shown.kind == QStringLiteral("message")) texts.append(shown.text);
        return texts;
    }
};

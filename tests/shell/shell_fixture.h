// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app_context.h"
#include "core/database.h"
#include "core/schema.h"
#include "core/settings.h"
#include "support/fakes.h"
#include "support/temp_env.h"

#include <QDir>
#include <gtest/gtest.h>

// Forwards to a FakePrompter and also keeps the default text of every input box.
class DefaultsPrompter final : public Prompter {
public:
    explicit DefaultsPrompter(FakePrompter& inner) : inner_(inner) {}
    QStringList defaults;

    void message(const QString& text, const QString& title) override { inner_.message(text, title); }
    bool yes_no(const QString& text, const QString& title, bool default_yes) override {
        return inner_.yes_no(text, title, default_yes);
    }
    bool ok_cancel(const QString& text, const QString& title) override {
        return inner_.ok_cancel(text, title);
    }
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& default_text) override {
        defaults.append(default_text);
        return inner_.input(prompt, title, default_text);
    }
    std::optional<QString> open_file(const QString& title, const QString& filter,
                                     const QString& start) override {
        return inner_.open_file(title, filter, start);
    }
    std::optional<QString> save_file(const QString& title, const QString& filter,
                                     const QString& start) override {
        return inner_.save_file(title, filter, start);
    }
    std::optional<QString> choose_directory(const QString& title, const QString& start) override {
        return inner_.choose_directory(title, start);
    }

private:
    FakePrompter& inner_;
};

// A context on fakes with a fresh database "family.tdb" (plain unless a password is given).
class ShellTest : public ::testing::Test {
protected:
    TempEnv env;
    FakePrompter prompter;
    DefaultsPrompter recording{prompter};
    FakeDesktop desktop;
    FakeClock clock;
    FakeRandom random;
    FakeScreen screen;
    Settings settings{env.path(QStringLiteral("settings.ini"))};
    AppContext ctx{{recording, desktop, clock, random, screen}, settings, env.path(QStringLiteral("home"))};

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

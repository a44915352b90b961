// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/seams.h"

// The outside world of a benchmark: nobody answers, nothing opens, the screen is a fixed size,
// so that each benchmark times the program's own work.

class NoPrompter final : public Prompter {
public:
    void message(const QString&, const QString&) override {}
    bool yes_no(const QString&, const QString&, bool default_yes) override { return default_yes; }
    bool ok_cancel(const QString&, const QString&, bool) override { return true; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> open_file(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> save_file(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> choose_directory(const QString&, const QString&) override { return {}; }
};

class NoDesktop final : public Desktop {
public:
    bool open(const QString&) override { return true; }
    bool run(const QString&, const QString&) override { return true; }
    void play_wav(const QString&) override {}
    void beep() override {}
    void request_attention() override {}
    void set_clipboard_text(const QString&) override {}
    void set_clipboard_image(const QImage&) override {}
};

class FixedRandom final : public RandomSource {
public:
    double next() override { return 0.5; }
    void seed(quint64) override {}
};

class BenchScreen final : public ScreenInfo {
public:
    int width_twips() const override { return 1920 * 15; }
    int height_twips() const override { return 1080 * 15; }
};

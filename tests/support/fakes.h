// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/seams.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <variant>

// A prompter that answers from a script and records every text it was shown.
// Each call takes the next scripted answer; a call with nothing scripted fails the test
// (and answers No / Cancel / nothing, which is the safe choice).
class FakePrompter final : public Prompter {
public:
    using Answer = std::variant<bool, std::optional<QString>>;

    struct Shown {
        QString kind; // "message", "yes_no", "ok_cancel", "input", "open_file", "save_file", "directory"
        QString text;
        QString title;
        bool default_yes = false; // yes_no: Yes preselected; ok_cancel: OK preselected
    };

    void answer(bool yes_or_ok) { answers_.emplace_back(yes_or_ok); }
    void answer(std::optional<QString> text) { answers_.emplace_back(std::move(text)); }
    void answer(const char* text) { answers_.emplace_back(std::optional<QString>(QString::fromUtf8(text))); }
    bool all_answered() const { return answers_.empty(); }

    const std::vector<Shown>& shown() const { return shown_; }
    // The text each input box proposed, in order.
    QStringList input_defaults;
    // Called as each input box is shown, before it answers: a test looks at the program's state
    // while the question is open.
    std::function<void(const QString& prompt)> on_input;
    QStringList messages() const; // the texts of every call, in order
    void clear() { shown_.clear(); }

    void message(const QString& text, const QString& title) override;
    bool yes_no(const QString& text, const QString& title, bool default_yes) override;
    bool ok_cancel(const QString& text, const QString& title, bool default_ok) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& default_text) override;
    std::optional<QString> open_file(const QString& title, const QString& filter,
                                     const QString& start) override;
    std::optional<QString> save_file(const QString& title, const QString& filter,
                                     const QString& start) override;
    std::optional<QString> choose_directory(const QString& title, const QString& start) override;

private:
    bool next_flag(const QString& kind);
    std::optional<QString> next_text(const QString& kind);
    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};

class FakeDesktop final : public Desktop {
public:
    QStringList opened, ran, played, clipboard_texts;
    int beeps = 0;
    int attention_requests = 0;
    bool open_result = true;
    bool open(const QString& path_or_url) override {
        opened.append(path_or_url);
        return open_result;
    }
    bool run(const QString& program, const QString& argument) override {
        ran.append(program + QLatin1Char(' ') + argument);
        return true;
    }
    void play_wav(const QString& path) override { played.append(path); }
    void beep() override { ++beeps; }
    void request_attention() override { ++attention_requests; }
    void set_clipboard_text(const QString& text) override { clipboard_texts.append(text); }
    void set_clipboard_image(const QImage&) override { clipboard_texts.append(QStringLiteral("<image>")); }
};

// A clock that stands still until a test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53))) : now_(start) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime& t) { now_ = t; }
    void advance_seconds(qint64 s) { now_ = now_.addSecs(s); }

private:
    QDateTime now_;
};

// Returns the scripted values in turn, then repeats the last one.
class FakeRandom final : public RandomSource {
public:
    std::vector<double> values{0.5};
    std::size_t index = 0;
    double next() override {
        const double v = values[std::min(index, values.size() - 1)];
        ++index;
        return v;
    }
    void seed(quint64 /*value*/) override {}
};

class FakeScreen final : public ScreenInfo {
public:
    int width = 1920 * 15;
    int height = 1080 * 15;
    int width_twips() const override { return width; }
    int height_twips() const override { return height; }
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

// The program's logic reaches the user, the desktop, time and chance only through these
// interfaces. The Qt implementations live in core/ui, scripted fakes in tests/support.

class Prompter {
public:
    virtual ~Prompter() = default;
    // Message with only an OK button.
    virtual void message(const QString& text, const QString& title = {}) = 0;
    // Yes/No question; default_yes names the preselected button. True for Yes.
    virtual bool yes_no(const QString& text, const QString& title, bool default_yes) = 0;
    // OK/Cancel question; default_ok names the preselected button. True for OK.
    virtual bool ok_cancel(const QString& text, const QString& title = {}, bool default_ok = true) = 0;
    // Input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& default_text = {}) = 0;
    // File dialogs and directory chooser; nullopt when cancelled.
    virtual std::optional<QString> open_file(const QString& title, const QString& filter,
                                             const QString& start) = 0;
    virtual std::optional<QString> save_file(const QString& title, const QString& filter,
                                             const QString& start) = 0;
    virtual std::optional<QString> choose_directory(const QString& title, const QString& start) = 0;
    // Picks one of `choices`; nullopt when cancelled. Without a list of its own, a prompter asks
    // through the input box and returns the choice the answer names (or the answer as typed).
    virtual std::optional<QString> choose(const QString& prompt, const QString& title,
                                          const QStringList& choices) {
        const auto answer = input(prompt, title, choices.value(0));
        if (!answer) return std::nullopt;
        for (const QString& choice : choices)
            if (choice.compare(answer->trimmed(), Qt::CaseInsensitive) == 0) return choice;
        return answer->trimmed();
    }
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Opens a file, directory or web/mail address with the system's handler.
    virtual bool open(const QString& path_or_url) = 0;
    virtual bool run(const QString& program, const QString& argument) = 0;
    virtual void play_wav(const QString& path) = 0;
    virtual void beep() = 0;
    // Draws the user's eye to the program (the task bar entry flashes) when its main window is
    // minimised or behind another program; nothing when it is in front.
    virtual void request_attention() = 0;
    virtual void set_clipboard_text(const QString& text) = 0;
    virtual void set_clipboard_image(const QImage& image) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Local date-time.
    virtual QDateTime now() const = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, 1).
    virtual double next() = 0;
    virtual void seed(quint64 value) = 0;
};

class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual int width_twips() const = 0;
    virtual int height_twips() const = 0;
};

// Real clock and random generator need no widgets, so they live with the logic.
class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

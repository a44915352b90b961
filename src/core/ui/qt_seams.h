// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/seams.h"

#include <QPointer>
#include <QRandomGenerator>
#include <QUrl>
#include <QWidget>
#include <memory>

class QSoundEffect;

// The seams as the running program implements them with Qt. Dialogs are owned by the parent
// given here; the main window takes that role once it exists (set_parent).

class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

    void message(const QString& text, const QString& title = {}) override;
    bool yes_no(const QString& text, const QString& title, bool default_yes) override;
    bool ok_cancel(const QString& text, const QString& title = {}, bool default_ok = true) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& default_text = {}) override;
    std::optional<QString> open_file(const QString& title, const QString& filter,
                                     const QString& start) override;
    std::optional<QString> save_file(const QString& title, const QString& filter,
                                     const QString& start) override;
    std::optional<QString> choose_directory(const QString& title, const QString& start) override;
    std::optional<QString> choose(const QString& prompt, const QString& title,
                                  const QStringList& choices) override;

private:
    // Guarded: a parent window closed meanwhile leaves the dialogs without one.
    QPointer<QWidget> parent_;
};

class QtDesktop final : public Desktop {
public:
    QtDesktop();
    ~QtDesktop() override;

    bool open(const QString& path_or_url) override;
    bool run(const QString& program, const QString& argument) override;
    void play_wav(const QString& path) override;
    void beep() override;
    void request_attention() override;
    void set_clipboard_text(const QString& text) override;
    void set_clipboard_image(const QImage& image) override;

private:
    // Kept alive while it plays; a new sound replaces the one playing.
    std::unique_ptr<QSoundEffect> sound_;
};

class QtRandom final : public RandomSource {
public:
    // Seeded from the system until seed() is called.
    QtRandom();
    double next() override;
    void seed(quint64 value) override;

private:
    QRandomGenerator generator_;
};

// The primary screen's available area (without task bars), in twips.
class QtScreenInfo final : public ScreenInfo {
public:
    int width_twips() const override;
    int height_twips() const override;
};

// What the system is asked to open for a path or address: "www." texts become https addresses,
// addresses with a scheme (http, https, ftp, mailto) stay as they are, anything else is a local
// file or directory.
QUrl desktop_url(const QString& path_or_url);

// File dialog filters may come as "Name (*.ext)" (passed as they are) or in the "Name|*.ext|..."
// pair form; the pair form becomes Qt's "Name (*.ext);;..." list.
QString qt_file_filter(const QString& filter);

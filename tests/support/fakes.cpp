// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakes.h"

#include <gtest/gtest.h>

QStringList FakePrompter::messages() const {
    QStringList texts;
    for (const Shown& s : shown_)
        texts.append(s.text);
    return texts;
}

bool FakePrompter::next_flag(const QString& kind) {
    if (answers_.empty() || !std::holds_alternative<bool>(answers_.front())) {
        ADD_FAILURE() << "unscripted " << kind.toStdString() << ": " << shown_.back().text.toStdString();
        return false;
    }
    const bool value = std::get<bool>(answers_.front());
    answers_.pop_front();
    return value;
}

std::optional<QString> FakePrompter::next_text(const QString& kind) {
    if (answers_.empty() || !std::holds_alternative<std::optional<QString>>(answers_.front())) {
        ADD_FAILURE() << "unscripted " << kind.toStdString() << ": " << shown_.back().text.toStdString();
        return std::nullopt;
    }
    std::optional<QString> value;
    value.swap(std::get<std::optional<QString>>(answers_.front()));
    answers_.pop_front();
    return value;
}

void FakePrompter::message(const QString& text, const QString& title) {
    shown_.push_back({QStringLiteral("message"), text, title});
}

bool FakePrompter::yes_no(const QString& text, const QString& title, bool default_yes) {
    shown_.push_back({QStringLiteral("yes_no"), text, title, default_yes});
    return next_flag(QStringLiteral("yes_no"));
}

bool FakePrompter::ok_cancel(const QString& text, const QString& title, bool default_ok) {
    shown_.push_back({QStringLiteral("ok_cancel"), text, title, default_ok});
    return next_flag(QStringLiteral("ok_cancel"));
}

std::optional<QString> FakePrompter::input(const QString& prompt, const QString& title,
                                           const QString& default_text) {
    shown_.push_back({QStringLiteral("input"), prompt, title});
    input_defaults.append(default_text);
    if (on_input) on_input(prompt);
    return next_text(QStringLiteral("input"));
}

std::optional<QString> FakePrompter::open_file(const QString& title, const QString& filter, const QString&) {
    shown_.push_back({QStringLiteral("open_file"), filter, title});
    return next_text(QStringLiteral("open_file"));
}

std::optional<QString> FakePrompter::save_file(const QString& title, const QString& filter, const QString&) {
    shown_.push_back({QStringLiteral("save_file"), filter, title});
    return next_text(QStringLiteral("save_file"));
}

std::optional<QString> FakePrompter::choose_directory(const QString& title, const QString& start) {
    shown_.push_back({QStringLiteral("directory"), start, title});
    return next_text(QStringLiteral("directory"));
}

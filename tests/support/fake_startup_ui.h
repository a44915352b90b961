// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/startup_ui.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>

// Answers the password dialog and the database dialog from scripts and records what was shown.
class FakeStartupUi final : public StartupUi {
public:
    std::deque<PasswordAnswer> passwords;
    std::deque<std::optional<QString>> databases;
    QStringList calls; // "password:<path>", "choose:<start>", "wait", "main", "quit", ...
    int wait_box_depth = 0;
    bool main_shown = false;
    bool quitted = false;
    int geometry_saves = 0;

    void enter(const QString& password) { passwords.push_back({PasswordAnswer::Kind::Enter, password}); }
    void cancel() { passwords.push_back({PasswordAnswer::Kind::Cancel, {}}); }
    void change_database() { passwords.push_back({PasswordAnswer::Kind::ChangeDatabase, {}}); }
    void choose(std::optional<QString> path) { databases.push_back(std::move(path)); }

    std::optional<QString> choose_database(const QString& start) override {
        calls.append(QStringLiteral("choose:") + start);
        if (databases.empty()) {
            ADD_FAILURE() << "unscripted database dialog";
            return std::nullopt;
        }
        std::optional<QString> answer;
        answer.swap(databases.front());
        databases.pop_front();
        return answer;
    }
    PasswordAnswer ask_password(const QString& path) override {
        calls.append(QStringLiteral("password:") + path);
        if (passwords.empty()) {
            ADD_FAILURE() << "unscripted password dialog";
            return {};
        }
        auto answer = passwords.front();
        passwords.pop_front();
        return answer;
    }
    void show_wait_box() override {
        calls.append(QStringLiteral("wait"));
        wait_box_depth = 1;
    }
    void close_wait_box() override { wait_box_depth = 0; }
    void process_events() override {}
    void set_hourglass(bool) override {}
    void show_main_window() override {
        calls.append(QStringLiteral("main"));
        main_shown = true;
    }
    void bring_main_window_forward() override {}
    void save_main_window_geometry() override { ++geometry_saves; }
    void close_all_windows() override { calls.append(QStringLiteral("close_all")); }
    void quit() override {
        calls.append(QStringLiteral("quit"));
        quitted = true;
    }
};

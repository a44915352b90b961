// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/translate.h"

#include <QString>
#include <memory>
#include <optional>

class AppContext;
class Prompter;

// Languages by number: 1 English (the language the program is written in), 2 Italiano,
// 3 Français, 4 Deutsch, 5 Español.
inline constexpr int language_count = 5;
// The language's own name; "" outside 1..5.
QString language_name(int number);

// The translation database beside the program.
inline const QString lang_db_file_name = QStringLiteral("lang.db");

// Looks texts up in "lang.db": table "Translation", the English text in the first column and
// the four translations in columns 2 to 5, by position. The file is opened at most once per
// process and stays open; when it or its table is missing or damaged the user is told once,
// in English, and every text stays English.
//
// The translator constructed last (and still alive) serves translate() and its companions of
// core/translate.h, so that dialogs built far from the context translate too. main owns the
// program's one translator.
class Translator final : public TextTranslation {
public:
    // `language` is read at every lookup: the process-wide language number.
    Translator(const int& language, Prompter& prompter, QString lang_db_path);
    // On the context's language, prompter and the "lang.db" of its program directory.
    explicit Translator(AppContext& ctx);
    ~Translator() override;
    Translator(const Translator&) = delete;
    Translator& operator=(const Translator&) = delete;

    // English: the text as it is. Otherwise the text of the current language's column; a blank
    // value gives the English text, a text without a row "'" + text (marks it on screen).
    QString translate(const QString& text) override;

    // Opens the file and its table once; later calls do nothing.
    void open_tables() override;
    bool tables_open() const { return lookup_.has_value(); }

    // The translator the free functions use; nullptr when none is alive.
    static Translator* current();

private:
    std::optional<QString> lookup(const QString& text);

    const int& language_;
    Prompter& prompter_;
    QString path_;
    bool attempted_ = false;
    // Declared before the statement so that the statement is finalised first.
    std::unique_ptr<Database> db_;
    std::optional<Statement> lookup_;
    TextTranslation* previous_;
};

// Puts the built translation database into the program directory when it is missing there or
// older than `built_path`; true when a copy was made. A missing `built_path` changes nothing.
bool install_lang_db(const QString& program_dir, const QString& built_path);

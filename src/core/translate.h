// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Prompter;

// The program's texts in the user's language. The translation tables themselves belong to the
// language room; it registers the one that serves these functions, so that every room (start-up
// included) translates without knowing where translations come from.
class TextTranslation {
public:
    virtual ~TextTranslation() = default;
    // The text in the current language.
    virtual QString translate(const QString& text) = 0;
    // Opens the tables once; later calls do nothing.
    virtual void open_tables() = 0;
};

// Makes `translation` serve the free functions; answers the one it replaces (nullptr for none).
TextTranslation* install_translation(TextTranslation* translation);
TextTranslation* current_translation();

// The text in the current language (unchanged when no translation is installed).
QString translate(const QString& text);
// translate(text) in a message with only an OK button and no title.
void msg_translated(Prompter& prompter, const QString& text);
// Opens the tables of the installed translation once.
void open_translation_tables();

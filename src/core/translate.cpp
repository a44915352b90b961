// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/translate.h"

#include "core/seams.h"

namespace {

TextTranslation* installed = nullptr;

} // namespace

TextTranslation* install_translation(TextTranslation* translation) {
    TextTranslation* previous = installed;
    installed = translation;
    return previous;
}

TextTranslation* current_translation() {
    return installed;
}

QString translate(const QString& text) {
    return installed ? installed->translate(text) : text;
}

void msg_translated(Prompter& prompter, const QString& text) {
    prompter.message(translate(text), QString());
}

void open_translation_tables() {
    if (installed) installed->open_tables();
}

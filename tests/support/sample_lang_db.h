// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lang/lang_source.h"
#include "support/test_context.h"

#include <QDir>

// A small translation database in the test's program directory: the English text, then
// Italiano, Français, Deutsch, Español. Blank and all-space cells stand for missing translations.
inline TranslationSource sample_translations() {
    TranslationSource source;
    source.languages = {QStringLiteral("English"), QStringLiteral("Italiano"), QStringLiteral("Français"),
                        QStringLiteral("Deutsch"), QStringLiteral("Español")};
    source.rows = {
        {QStringLiteral("Select language"), QStringLiteral("Seleziona la lingua"), QString(),
         QStringLiteral("Sprache auswählen"), QStringLiteral("   ")},
        {QStringLiteral("Émile's book"), QStringLiteral("Il libro di Émile"),
         QStringLiteral("Le livre d'Émile"), QStringLiteral("Émiles Buch"),
         QStringLiteral("El libro de Émile")},
        {QStringLiteral(
             "Sorry, the translation database is under construction, many texts will be provided in "
             "English"),
         QStringLiteral("Spiacenti"), QStringLiteral("Désolé"), QStringLiteral("Leider"),
         QStringLiteral("Lo siento")},
        {QStringLiteral("Change language (now English)"), QStringLiteral("Cambia lingua (ora Italiano)"),
         QStringLiteral("Changer de langue (actuellement Français)"),
         QStringLiteral("Sprache ändern (jetzt Deutsch)"), QStringLiteral("Cambiar idioma (ahora Español)")},
        {QStringLiteral("This program requires a screen resolution of at least 800x640 pixels."),
         QStringLiteral("Schermo troppo piccolo."), QStringLiteral("Écran trop petit."),
         QStringLiteral("Bildschirm zu klein."), QStringLiteral("Pantalla demasiado pequeña.")},
    };
    return source;
}

inline QString lang_db_path(const TestContext& tc) {
    return QDir(tc.ctx.program_dir).filePath(QStringLiteral("lang.db"));
}

inline void install_sample_lang_db(const TestContext& tc) {
    QDir().mkpath(tc.ctx.program_dir);
    write_lang_db(sample_translations(), lang_db_path(tc));
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/change_language.h"

#include "core/app_context.h"
#include "core/settings.h"
#include "lang/translator.h"

QString change_language(AppContext& ctx, const LanguageChooser& choose) {
    const std::optional<int> chosen = choose(ctx.language);
    if (chosen && *chosen >= 1 && *chosen <= language_count) ctx.language = *chosen;
    if (ctx.language != 1) {
        open_translation_tables();
        msg_translated(ctx.prompter, QStringLiteral("Sorry, the translation database is under construction, "
                                                    "many texts will be provided in English"));
    }
    ctx.settings.save_setting(QStringLiteral("language"), QString::number(ctx.language));
    return change_language_caption();
}

QString change_language_caption() {
    return translate(QStringLiteral("Change language (now English)"));
}

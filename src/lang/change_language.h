// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class AppContext;

// Shows the language choice preselecting `current` and returns the chosen language number
// (1..5), or nullopt when the user cancels.
using LanguageChooser = std::function<std::optional<int>(int current)>;

// "Change language": asks through `choose`, makes the choice the program's language, opens the
// translation tables for a language other than English (saying that the translations are not
// complete), stores the number under the setting "language" and returns the new caption of the
// menu entry.
QString change_language(AppContext& ctx, const LanguageChooser& choose);

// The caption of the "Change language" menu entry in the current language.
QString change_language_caption();

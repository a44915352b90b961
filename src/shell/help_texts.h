// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class AppContext;

// The long texts of the Help menu, each shown in the text window under its caption.

// The keys of the whole program, section by section, one "key<TAB>what it does" per line, with a
// line per visible collection for its table and its map; ends with "[end of list]".
QString hot_key_list(const AppContext& ctx);
QString hot_keys_caption();

// Product name and version, copyright, licence, distribution terms and the web page.
QString about_text();
QString about_caption();

// The version history built from a changelog text (the format CHANGELOG.md describes): the
// heading, the current version, the legend, then every change newest first, numbered, dated
// and marked F, I or N, each version under a separator line.
QString version_history(const QString& changelog, const QString& current_version);
// The same from the changelog carried inside the program.
QString version_history();
QString version_history_caption();

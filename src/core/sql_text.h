// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Makes a user value safe to place between apostrophes in an SQL text: every apostrophe is
// doubled. A value made only of "?" or only of "*" (the empty value too) comes back inside
// square brackets, so that like takes those characters literally instead of as wildcards.
QString sql_quote(const QString& text);

// A user value placed inside a like pattern: apostrophes doubled, and the pattern characters
// "*", "?", "#" and "[" each put in brackets ("[*]", "[?]", "[#]", "[[]") so that they match
// only themselves. The caller adds its own wildcards around the result.
QString like_escaped(const QString& text);

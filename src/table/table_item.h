// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/navigation.h"

#include <QString>

class AppContext;
class Database;

// Running the item of a table row (double click, Enter in the grid), taking the first test that
// applies: the content's first line names an existing file, then the title's first line does
// (opened with the system); a "LINK=" content runs as a link; a content beginning with a drive
// path runs as a link; a "> " title opens the map it names ("Map "name" not found." when there
// is none); an e-mail address in the content starts a new mail through "mailto:".
// Everything but the map is done here; the map comes back as a route for the window to open.
Route run_table_item(AppContext& ctx, const QString& title, const QString& content);

// The word around the first "@" of the text: bounded on the left by a blank, "(", "[", ":",
// CR or LF, on the right by a blank, ")", "]", CR or LF. "" when the text holds no "@".
QString mail_address_in(const QString& text);

// "Map \"" + name + "\" not found."
QString map_not_found_message(const QString& name);

// The long-content check: the message listing every item whose content is 1096 characters or
// longer (those the grid of old could not show), for `found` rows of which `visible` are shown.
inline constexpr int long_content_limit = 1096;
QString long_content_message(Database& db, int found, int visible);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app_context.h"
#include "core/db_error.h"
#include "core/params.h"
#include "maps/map_editing.h"

#include <QSet>
#include <QString>
#include <optional>
#include <vector>

// Helpers shared by the map editing commands.
namespace map_edit {

inline const QString filler_title = QStringLiteral("-");

bool same_text(const QString& a, const QString& b);
// Case-insensitive key of a title, for sets of titles that must agree with NOCASE lookups.
QString title_key(const QString& title);

// A user value placed between apostrophes after "=" or in an insert: apostrophes doubled.
QString eq(const QString& value);
// " collection='..' and cat='..'" without the leading "where".
QString map_condition(const QString& collection, const QString& cat);

bool has_row(Database& db, const QString& sql);

// The row of an item read into an entry (panel text left empty); nullopt when it does not exist.
std::optional<MapItem> find_item(Database& db, const QString& sql);

// The items a category map shows: its category equal, or found in a comma list; the category
// separators of the table view left out.
std::vector<MapItem> category_items(Database& db, const MapIdentity& map);

// The title of the category separator the table view inserts.
QString separator_title(const QString& cat);

// A map that holds an item besides its fillers keeps no filler, unless that item is only the
// category separator of the table view.
void delete_fillers(Database& db, const QString& collection, const QString& cat);

// The values a date column takes: a Julian day, or null.
QVariant date_value(const std::optional<QDateTime>& when);

// "000": the text a position is written with.
QString position_text(int position);

// Runs a command; a database failure is reported and the command ends with nothing to do (its
// transaction has rolled back).
template <class Body> EditOutcome guarded(AppContext& ctx, Body&& body) {
    try {
        return body();
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return {};
    }
}

} // namespace map_edit

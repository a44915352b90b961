// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Database;

// List1 of the table view: the collections or categories offered for a field of the edit area
// or of the filters.
enum class LookupTarget { EditCollection, EditCat, FilterCollection, FilterCat };

// The target named as the window names it ("edit_or_ins_collection", "edit_or_ins_cat",
// "filter_collection", "filter_cat"); nullopt for any other name.
std::optional<LookupTarget> lookup_target_named(const QString& name);
QString lookup_target_name(LookupTarget target);

// What the list is drawn from: the window's fields at the moment the list opens.
struct LookupSource {
    QString edit_collection;   // t_collection
    QString filter_collection; // t_filter_collection
    bool all_collections_view = false;
};

// The statement that fills the list. Categories come from the edit area's collection; for the
// category filter a collection filter takes its place, and the window of all collections
// without one offers every category.
QString lookup_list_statement(LookupTarget target, const LookupSource& source);
// The entries of the list, in order.
QStringList lookup_list_entries(Database& db, LookupTarget target, const LookupSource& source);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "maps/map_items.h"

#include <QHash>
#include <QSet>
#include <QStringList>

class AppContext;
class CollectionTable;

// What one reference needs from the database to be found valid.
struct ReferenceCheck {
    enum class Kind {
        Answered, // decided without the database (a collection map name, or nothing at all)
        Item,     // an item of a map: collection, category and title all equal
        MapLike,  // a map: the category found in a comma list (like '*cat*')
    };
    Kind kind = Kind::Answered;
    bool answer = false; // for Answered
    QString collection;
    QString cat;
    QString title;
};

// How reference_is_valid decides, without running its statement: the top map is always there;
// an address with an item part after "." needs that item; a name without ":" is valid when it
// names a collection map; any other name is a map that must hold an item (its category found
// in a comma list is enough).
ReferenceCheck plan_reference(const CollectionTable& collections, const QString& text);

// The panel facts of one map answered with one statement for all its references and one for
// all its titles, giving the same answers as the per-panel statements.
// A value compared with "=" in a statement: apostrophes doubled, nothing else changed (the
// brackets of the quoting rule are for like patterns; with "=" they would be compared).
QString equality_text(const QString& value);

class BatchedPanelFacts {
public:
    BatchedPanelFacts(AppContext& ctx, const QStringList& references, const QStringList& titles);

    bool reference_valid(const QString& text) const { return valid_references_.contains(text); }
    bool title_repeated(const QString& title) const { return repeated_titles_.contains(title); }
    PanelFacts facts() const;
    int statements() const { return statements_; }

private:
    QSet<QString> valid_references_;
    QSet<QString> repeated_titles_;
    int statements_ = 0;
};

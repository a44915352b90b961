// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/panel_facts.h"

#include "core/app_context.h"
#include "core/sql_text.h"
#include "maps/map_names.h"

#include <functional>
#include <vector>

namespace {

// Texts are placed in the statements as the per-panel statements place them, so that "*", "?",
// "[" and apostrophes compare exactly as they would there: a like pattern through the quoting
// rule, a value compared with "=" as it stands with its apostrophes doubled.
QString literal(const QString& text) {
    return QLatin1Char('\'') + equality_text(text) + QLatin1Char('\'');
}

// Statements are kept well below the engine's limit on statement length; a map whose texts
// are that long is split into several statements.
constexpr qsizetype max_statement_length = 200000;

// Runs `head` + the rows + `tail` over as few statements as the length limit allows and
// hands every key the engine returns to `found`.
int run_batched(Database& db, const QString& head, const QStringList& rows, const QString& tail,
                const std::function<void(int)>& found) {
    int statements = 0;
    int next = 0;
    while (next < rows.size()) {
        QString sql = head;
        int first = next;
        while (next < rows.size() &&
               (next == first || sql.size() + rows[next].size() < max_statement_length)) {
            if (next > first) sql += QLatin1Char(',');
            sql += rows[next];
            ++next;
        }
        sql += tail;
        Statement result = db.prepare(sql);
        ++statements;
        while (result.next())
            found(result.value(0).toInt());
    }
    return statements;
}

// A category that its own like pattern surely matches, so that finding it by "=" (through the
// index) answers the like at once. Every non-empty category does, its pattern characters being
// escaped; the empty one makes a pattern that any category matches.
bool plain_pattern(const QString& cat) {
    return !cat.isEmpty();
}

} // namespace

QString equality_text(const QString& value) {
    return QString(value).replace(QLatin1Char('\''), QStringLiteral("''"));
}

ReferenceCheck plan_reference(const CollectionTable& collections, const QString& text) {
    ReferenceCheck check;
    const QString target = text.trimmed();
    if (is_top_map_name(target)) {
        check.answer = true;
        return check;
    }
    // An item address when the map part and the item part are split by a "."; a ">" part
    // belongs to the map name that is looked for.
    const SplitName split = split_map_name(target);
    const qsizetype at = split.map.size();
    if (!split.item.isEmpty() && at + 1 + split.item.size() == target.size() &&
        target[at] == QLatin1Char('.')) {
        check.kind = ReferenceCheck::Kind::Item;
        check.collection = collection_of(collections, split.map);
        check.cat = cat_of(split.map);
        check.title = split.item;
        return check;
    }
    if (!target.contains(QLatin1Char(':'))) {
        check.answer = is_collection_map(collections, target);
        return check;
    }
    check.kind = ReferenceCheck::Kind::MapLike;
    check.collection = collection_of(collections, target);
    check.cat = cat_of(target);
    return check;
}

BatchedPanelFacts::BatchedPanelFacts(AppContext& ctx, const QStringList& references,
                                     const QStringList& titles) {
    Database& db = *ctx.db;

    QStringList asked; // distinct reference texts sent to the database, by key
    QStringList rows;
    QSet<QString> planned;
    for (const QString& text : references) {
        if (planned.contains(text)) continue;
        planned.insert(text);
        const ReferenceCheck check = plan_reference(ctx.collections, text);
        switch (check.kind) {
        case ReferenceCheck::Kind::Answered:
            if (check.answer) valid_references_.insert(text);
            continue;
        case ReferenceCheck::Kind::Item:
            rows.append(QStringLiteral("(%1,1,%2,%3,%4,null)")
                            .arg(asked.size())
                            .arg(literal(check.collection), literal(check.cat), literal(check.title)));
            break;
        case ReferenceCheck::Kind::MapLike:
            rows.append(QStringLiteral("(%1,2,%2,'*%3*',null,%4)")
                            .arg(asked.size())
                            .arg(literal(check.collection), like_escaped(check.cat),
                                 plain_pattern(check.cat) ? literal(check.cat) : QStringLiteral("null")));
            break;
        }
        asked.append(text);
    }
    if (!rows.isEmpty()) {
        statements_ += run_batched(db, QStringLiteral("with refs(k,kind,c,t,i,e) as (values "), rows,
                                   QStringLiteral("), cats(c,cat) as (select distinct repos.collection, "
                                                  "repos.cat from repos where repos.collection in "
                                                  "(select c from refs where kind=2)) "
                                                  "select k from refs where (kind=1 and exists (select 1 "
                                                  "from repos where repos.collection=refs.c and "
                                                  "repos.cat=refs.t and repos.item_title=refs.i)) or (kind=2 "
                                                  "and ((refs.e is not null and exists "
                                                  "(select 1 from repos where repos.collection=refs.c and "
                                                  "repos.cat=refs.e)) or exists (select 1 from "
                                                  "cats where cats.c=refs.c and cats.cat like refs.t)))"),
                                   [&](int key) { valid_references_.insert(asked.at(key)); });
    }

    QStringList distinct_titles;
    rows.clear();
    QSet<QString> seen;
    for (const QString& title : titles) {
        if (seen.contains(title)) continue;
        seen.insert(title);
        rows.append(QStringLiteral("(%1,%2)").arg(distinct_titles.size()).arg(literal(title)));
        distinct_titles.append(title);
    }
    if (!rows.isEmpty()) {
        statements_ +=
            run_batched(db, QStringLiteral("with titles(k,title) as (values "), rows,
                        QStringLiteral(") select k from titles where (select count(*) from repos where "
                                       "repos.item_title=titles.title) > 1"),
                        [&](int key) { repeated_titles_.insert(distinct_titles.at(key)); });
    }
}

PanelFacts BatchedPanelFacts::facts() const {
    PanelFacts facts;
    facts.reference_valid = [this](const QString& text) { return reference_valid(text); };
    facts.title_repeated = [this](const QString& title) { return title_repeated(title); };
    return facts;
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_query.h"

#include "core/sql_text.h"
#include "table/like_condition.h"

namespace {

const QString select_dates = QStringLiteral(
    "Select item_nr,repos.collection,repos.cat,mark,item_id,repos.seq,item_title,item_content, date_expiry, "
    "date_remind, iif((date_remind<=now() and date_expiry>now()),'Warning','') || "
    "iif(date_expiry<=now(),'Expired','') as Expired ");
const QString select_plain = QStringLiteral(
    "Select item_nr,repos.collection,repos.cat,mark,item_id,repos.seq,item_title ,item_content ");
const QString from_join = QStringLiteral(
    " from repos left join cat_seq on repos.collection=cat_seq.collection and repos.cat=cat_seq.cat");

// Replaces the first `key` after the first "order by" with `typed`.
QString replace_after_order_by(const QString& statement, const QString& key, const QString& typed) {
    const qsizetype order = statement.indexOf(QStringLiteral("order by"), 0, Qt::CaseInsensitive);
    if (order < 0) return statement;
    const qsizetype at = statement.indexOf(key, order, Qt::CaseInsensitive);
    if (at < 0) return statement;
    QString result = statement;
    result.replace(at, key.size(), typed);
    return result;
}

} // namespace

QString build_like_condition(const QString& field, const QString& text) {
    QString result;
    for (const LikeToken& token : like_tokens(text)) {
        switch (token.kind) {
        case LikeToken::Word:
            result +=
                QLatin1Char(' ') + field + QStringLiteral(" like '*") + token.word + QStringLiteral("*' ");
            break;
        case LikeToken::Open:
            result += QStringLiteral(" ( ");
            break;
        case LikeToken::Close:
            result += QStringLiteral(" ) ");
            break;
        case LikeToken::And:
            result += QStringLiteral(" and ");
            break;
        case LikeToken::Or:
            result += QStringLiteral(" or ");
            break;
        }
    }
    return result;
}

QString typed_ordering(int position, const QString& statement) {
    switch (position) {
    case 11:
        return replace_after_order_by(statement, QStringLiteral("item_title"),
                                      QStringLiteral("val(item_title)"));
    case 6:
        return replace_after_order_by(statement, QStringLiteral("item_title"),
                                      QStringLiteral("cvdate(item_title)"));
    case 7:
    case 8:
        return replace_after_order_by(statement, QStringLiteral("item_id"), QStringLiteral("val(item_id)"));
    default:
        return statement;
    }
}

TableQuery::TableQuery(int position, QString collection_name, bool deadlines_only)
    : position_(position), collection_name_(std::move(collection_name)), deadlines_only_(deadlines_only) {
    base_ = (date_position() ? select_dates : select_plain) + from_join;
    if (all_collections_view()) {
        base_ += QStringLiteral(" where 1=1 ");
        sort_column_ = 1;
    } else {
        base_ += QStringLiteral(" where repos.collection = '") + sql_quote(collection_name_) +
                 QStringLiteral("' ");
        sort_column_ = 2;
    }
    if (position_ == 6 || position_ == 11) {
        sort_column_ = 6;
        directions_[6] = position_ == 6 ? QStringLiteral("DESC") : QStringLiteral("ASC");
    }
    // A deadlines window lists the nearest deadlines first.
    if (deadlines_only_) sort_column_ = 8;
}

QString TableQuery::select_from() const {
    return (date_position() ? select_dates : select_plain) + from_join;
}

QString TableQuery::direction(int column) const {
    if (column < 1 || column > max_sort_column) return {};
    return directions_[static_cast<std::size_t>(column)];
}

void TableQuery::set_direction(int column, const QString& direction) {
    if (column < 1 || column > max_sort_column) return;
    directions_[static_cast<std::size_t>(column)] = direction;
}

bool TableQuery::can_sort_by(int column) {
    return column >= 1 && column <= max_sort_column && column != 5;
}

bool TableQuery::header_click(int column) {
    if (!can_sort_by(column) || column > last_column()) return false;
    sort_column_ = column;
    QString& dir = directions_[static_cast<std::size_t>(column)];
    dir = dir == QStringLiteral("ASC") ? QStringLiteral("DESC") : QStringLiteral("ASC");
    return true;
}

TableQuery::Built TableQuery::build(const TableFilters& filters) const {
    const QString joiner = filters.use_or ? QStringLiteral(" OR ") : QStringLiteral(" AND ");
    QString filter;
    auto join = [&filter, &joiner] { filter += filter.isEmpty() ? QStringLiteral(" where ") : joiner; };

    const std::pair<const QString*, QString> fields[] = {
        {&filters.mark, QStringLiteral("mark")},        {&filters.collection, QStringLiteral("collection")},
        {&filters.cat, QStringLiteral("cat")},          {&filters.id, QStringLiteral("item_id")},
        {&filters.title, QStringLiteral("item_title")}, {&filters.content, QStringLiteral("item_content")},
    };
    for (const auto& [text, field] : fields) {
        const QString trimmed = text->trimmed();
        if (trimmed.isEmpty()) continue;
        if (field == QStringLiteral("item_content") &&
            trimmed.compare(picture_filter, Qt::CaseInsensitive) == 0) {
            join();
            filter += QStringLiteral(" item_content like 'LINK=*' and (item_content like '*.jpg*' or "
                                     "item_content like '*.gif*' or item_content like '*.bmp*') ");
            continue;
        }
        join();
        filter += QStringLiteral(" (") +
                  build_like_condition(QStringLiteral("repos.") + field, sql_quote(trimmed)) +
                  QStringLiteral(") ");
    }
    if (deadlines_only_) {
        join();
        filter += QStringLiteral(" date_expiry is not null ");
    }

    QString statement = base_;
    if (!filter.isEmpty()) {
        const qsizetype where = filter.indexOf(QStringLiteral("where"), 0, Qt::CaseInsensitive);
        statement += QStringLiteral(" and ( ") + filter.mid(where + 5) + QStringLiteral(" )");
    }

    const int sort = sort_column_ < 1 ? 2 : sort_column_;
    const QString d = QLatin1Char(' ') + direction(sort) + QLatin1Char(' ');
    switch (sort) {
    case 1:
        statement += QStringLiteral(" order by  repos.collection ");
        break;
    case 3:
        statement += QStringLiteral(" order by mark ");
        break;
    case 4:
        statement += QStringLiteral(" order by item_id ");
        break;
    case 6:
        statement += QStringLiteral(" order by item_title ");
        break;
    case 7:
        statement += QStringLiteral(" order by item_content ");
        break;
    case 8:
        statement += QStringLiteral(" order by date_expiry ");
        break;
    case 9:
        statement += QStringLiteral(" order by date_remind ");
        break;
    case 10:
        statement += QStringLiteral(" order by iif(date_remind<now(),'','x') ");
        break;
    default: // 2, and any column that cannot order the rows
        statement += QStringLiteral(" order by  cat_seq.seq ") + d + QStringLiteral(" ,repos.cat ");
        break;
    }
    const bool by_category = sort == 2 || !can_sort_by(sort);
    statement += d;
    if (sort != 1) statement += QStringLiteral(" ,repos.collection") + d;
    if (!by_category) statement += QStringLiteral(",cat_seq.seq") + d + QStringLiteral(" ,repos.cat") + d;
    statement += QStringLiteral(",repos.seq") + d;
    if (sort != 6) statement += QStringLiteral(",item_title") + d;
    if (sort != 7) statement += QStringLiteral(",item_content") + d;
    if (sort != 8) statement += QStringLiteral(",date_expiry") + d;

    return {typed_ordering(position_, statement), statement};
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_columns.h"

#include "core/params.h"

namespace table_columns {

Labels labels_for(int position) {
    switch (position) {
    case 1:
        return {QStringLiteral("Action"), QStringLiteral("Details"), QStringLiteral("action"),
                QStringLiteral("details")};
    case 2:
        return {QStringLiteral("Contact"), QStringLiteral("Description"), QStringLiteral("contact"),
                QStringLiteral("desc.")};
    case 3:
        return {QStringLiteral("Title"), QStringLiteral("Path"), QStringLiteral("title"),
                QStringLiteral("path")};
    case 4:
        return {QStringLiteral("Name"), QStringLiteral("URL"), QStringLiteral("name"), QStringLiteral("URL")};
    case 6:
        return {QStringLiteral("Date"), QStringLiteral("Note"), QStringLiteral("date"),
                QStringLiteral("note")};
    case 7:
        return {QStringLiteral("Author"), QStringLiteral("Title"), QStringLiteral("author"),
                QStringLiteral("title")};
    case 8:
        return {QStringLiteral("Author or interpreter"), QStringLiteral("Title"), QStringLiteral("author"),
                QStringLiteral("title")};
    case 9:
        return {QStringLiteral("Term"), QStringLiteral("Description"), QStringLiteral("term"),
                QStringLiteral("desc.")};
    case 10:
    case 43:
        return {QStringLiteral("Title"), QStringLiteral("Note"), QStringLiteral("title"),
                QStringLiteral("note")};
    case 11:
    case 13:
        return {QStringLiteral("Year"), QStringLiteral("What"), QStringLiteral("year"),
                QStringLiteral("what")};
    case 14:
        return {QStringLiteral("Person"), QStringLiteral("Note"), QStringLiteral("pers."),
                QStringLiteral("note")};
    default:
        return {QStringLiteral("Title"), QStringLiteral("Content"), QStringLiteral("title"),
                QStringLiteral("cont.")};
    }
}

QString header(int position, int column, int remind_width) {
    const bool short_dates = remind_width < wide_date_header_twips;
    switch (column) {
    case item_nr:
        return QStringLiteral("Nr");
    case collection:
        return QStringLiteral("Collection");
    case cat:
        return QStringLiteral("Category");
    case mark:
        return QStringLiteral("Mark");
    case item_id:
        return QStringLiteral("Id");
    case seq:
        return QStringLiteral("Seq");
    case title:
        return labels_for(position).title_column;
    case content:
        return labels_for(position).content_column;
    case date_expiry:
        return short_dates ? QStringLiteral("D.exp.") : QStringLiteral("Date expiry");
    case date_remind:
        return short_dates ? QStringLiteral("D.rem.") : QStringLiteral("Date remind");
    case expired:
        return QStringLiteral("Expired");
    default:
        return {};
    }
}

bool hidden(int position, int column) {
    if (column == item_nr) return true;
    if (column == collection) return position != 45;
    if (column == item_id) return position != 7 && position != 8 && position != 45;
    return false;
}

bool right_aligned(int column) {
    return column == item_id;
}

int default_width(int column) {
    switch (column) {
    case collection:
        return 1300;
    case cat:
        return 1500;
    case mark:
        return 450;
    case item_id:
        return 300;
    case seq:
        return seq_width_twips;
    case title:
        return 2200;
    case content:
        return 1500;
    default:
        return 800;
    }
}

QString width_key(int position, int column) {
    return QStringLiteral("f_gentabx_%1_col_%2_width").arg(position).arg(column);
}

int width(Database& db, int position, int column) {
    if (hidden(position, column)) return 0;
    if (column == seq) return seq_width_twips;
    if (position == 6 && column == title) return 1220;
    const std::optional<double> stored = numeric_value(get_gen_param(db, width_key(position, column)));
    if (stored) return static_cast<int>(*stored);
    return default_width(column);
}

void save_width(Database& db, int position, int column, int twips) {
    set_gen_param(db, width_key(position, column), QString::number(twips));
}

} // namespace table_columns

QString table_caption(const QString& collection_name, bool deadlines_only, int items_found) {
    return collection_name +
           (deadlines_only ? QStringLiteral(" - DEADLINES ONLY (items found: ")
                           : QStringLiteral(" (items found: ")) +
           QString::number(items_found) + QLatin1Char(')');
}

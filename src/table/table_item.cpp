// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/table_item.h"

#include "core/app_context.h"
#include "core/file_helpers.h"
#include "maps/links.h"
#include "maps/map_names.h"

#include <QFileInfo>

namespace {

QString first_line(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) return text.left(i);
    return text;
}

bool names_file(const QString& line) {
    const QString path = line.trimmed();
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// "C:\" and "D:\" are the drive paths of the system the data was first kept on; here an
// absolute path ("/...") stands for them as well.
bool begins_with_drive_path(const QString& content) {
    return content.startsWith(QStringLiteral("C:\\"), Qt::CaseInsensitive) ||
           content.startsWith(QStringLiteral("D:\\"), Qt::CaseInsensitive) ||
           content.startsWith(QLatin1Char('/'));
}

bool left_bound(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char(':') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool right_bound(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char(')') || c == QLatin1Char(']') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

QString mail_address_in(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    if (at < 0) return {};
    qsizetype start = at;
    while (start > 0 && !left_bound(text[start - 1]))
        --start;
    qsizetype end = at + 1;
    while (end < text.size() && !right_bound(text[end]))
        ++end;
    return text.mid(start, end - start);
}

QString map_not_found_message(const QString& name) {
    return QStringLiteral("Map \"") + name + QStringLiteral("\" not found.");
}

Route run_table_item(AppContext& ctx, const QString& title, const QString& content) {
    if (names_file(first_line(content))) {
        open_with_system(ctx.desktop, ctx.prompter, first_line(content).trimmed());
        return {};
    }
    if (names_file(first_line(title))) {
        open_with_system(ctx.desktop, ctx.prompter, first_line(title).trimmed());
        return {};
    }
    if (content.startsWith(QStringLiteral("LINK="), Qt::CaseInsensitive)) {
        run_link(ctx, content);
        return {};
    }
    if (begins_with_drive_path(content)) {
        open_link(ctx, content, true);
        return {};
    }
    if (title.startsWith(QStringLiteral("> "))) {
        const QString name = first_line(title).mid(2).trimmed();
        if (is_top_map_name(name)) return route::TopMap{};
        if (!name.isEmpty() && map_exists(ctx, split_map_name(name).map, true)) return route::Map{name};
        ctx.prompter.message(map_not_found_message(name));
        return {};
    }
    const QString address = mail_address_in(content);
    if (!address.isEmpty()) open_with_system(ctx.desktop, ctx.prompter, QStringLiteral("mailto:") + address);
    return {};
}

QString long_content_message(Database& db, int found, int visible) {
    QString list;
    Statement items = db.prepare(QStringLiteral("select * from repos order by collection, cat, item_title"));
    while (items.next()) {
        const QString content = items.text(QStringLiteral("item_content"));
        if (content.size() < long_content_limit) continue;
        list += QStringLiteral("\r\ncollection = ") + items.text(QStringLiteral("collection")) +
                QStringLiteral(" / cat = ") + items.text(QStringLiteral("cat")) +
                QStringLiteral(" / title = ") + items.text(QStringLiteral("item_title")) +
                QStringLiteral(" (length=") + QString::number(content.size()) + QLatin1Char(')');
    }
    return QStringLiteral("DBGrid error: items found = ") + QString::number(found) +
           QStringLiteral(" and visible rows = ") + QString::number(visible) +
           QStringLiteral(
               ". One or more items have content longer than  1096 characters. To avoid the problem, "
               "their content should be cut to less than 1097 character (edit can be done using tag "
               "maps.)\r\n") +
           list;
}

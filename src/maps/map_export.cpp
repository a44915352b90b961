// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_export.h"

#include "core/app_context.h"
#include "core/collections.h"
#include "core/format.h"
#include "maps/map_items.h"

#include <QRegularExpression>
#include <QSaveFile>

namespace {

const QString indent = QStringLiteral("   ");

QString heading_of(const MapIdentity& map) {
    switch (map.kind) {
    case MapKind::Top:
        return QStringLiteral("TOP MAP");
    case MapKind::Collection:
        return map.collection;
    case MapKind::Category:
        break;
    }
    return map.name;
}

// The content under its entry, each line indented; blank lines stay empty.
QString indented_content(const QString& content) {
    const QString trimmed = content.trimmed();
    if (trimmed.isEmpty()) return {};
    QString text;
    static const QRegularExpression line_end(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : trimmed.split(line_end)) {
        const QString kept = line.trimmed().isEmpty() ? QString() : indent + line;
        text += kept + QLatin1Char('\n');
    }
    return text;
}

QString document_head(const QString& heading, const QDateTime& now) {
    return format_date(now, QStringLiteral("dd/mm/yy hh:nn")) + QStringLiteral("\n\n") + heading +
           QLatin1Char('\n') + QString(heading.size(), QLatin1Char('-')) + QStringLiteral("\n\n");
}

// "-- " + title (+ the expiry date), then the content indented.
QString item_entry(const MapItem& item) {
    QString text = QStringLiteral("-- ") + item.title;
    if (item.expiry) text += QLatin1Char(' ') + format_date(*item.expiry, QStringLiteral("dd/mmm/yy"));
    return text + QLatin1Char('\n') + indented_content(item.content);
}

} // namespace

QString export_file_name() {
#ifdef Q_OS_WIN
    return QStringLiteral("TMP.wri");
#else
    return QStringLiteral("TMP.txt");
#endif
}

QString map_export_text(const MapItems& map, const CollectionTable& collections, const QDateTime& now) {
    const MapIdentity& identity = map.identity();
    const QString heading = heading_of(identity);
    QString text = document_head(heading, now);

    for (int index = 0; index < map.count(); ++index) {
        const MapItem& item = map.item(index);
        // Fillers only keep a place in the grid.
        if (item.title.isEmpty() || item.filler()) continue;
        // The top map's panels are the positions 1 to 44 in order, some of them unused.
        if (identity.kind == MapKind::Top && !collections.at(index + 1).defined) continue;
        if (identity.kind == MapKind::Category)
            text += item_entry(item);
        else
            text += QStringLiteral("-- ") + item.title + QLatin1Char('\n');
    }
    return text;
}

QString items_export_text(const QString& heading, const std::vector<MapItem>& items, const QDateTime& now) {
    QString text = document_head(heading, now);
    for (const MapItem& item : items)
        text += item_entry(item);
    return text;
}

bool export_map(AppContext& ctx, const MapItems& map) {
    return write_export_document(ctx, map_export_text(map, ctx.collections, ctx.clock.now()),
                                 QStringLiteral("The map"));
}

bool write_export_document(AppContext& ctx, const QString& text, const QString& what) {
    const QString path = ctx.program_path(export_file_name());
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    // Text mode gives the platform's line ends.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        ctx.prompter.message(what + QStringLiteral(" could not be exported to ") + path +
                             QStringLiteral(": ") + file.errorString());
        return false;
    }
    if (ctx.desktop.open(path)) return true;
    ctx.prompter.message(what + QStringLiteral(" was exported to ") + path +
                         QStringLiteral(", but no program could be found to open it."));
    return false;
}

std::optional<int> table_view_of_map(AppContext& ctx, const MapIdentity& map, const MapItem* selected) {
    // Filters left by an earlier hand-over must not narrow this table.
    ctx.table_presets = TablePresets{};
    switch (map.kind) {
    case MapKind::Top:
        return CollectionTable::all_collections;
    case MapKind::Collection:
        if (selected) ctx.table_presets.category = selected->title;
        break;
    case MapKind::Category:
        ctx.table_presets.category = map.cat;
        if (selected) ctx.table_presets.item_nr = selected->item_nr;
        break;
    }
    if (map.position < 1 || map.position > CollectionTable::count) {
        ctx.table_presets = TablePresets{};
        return std::nullopt;
    }
    return map.position;
}

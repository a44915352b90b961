// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/general_commands.h"

#include "core/app_context.h"
#include "core/params.h"
#include "core/sql_text.h"
#include "maps/map_names.h"

#include <QRegularExpression>

bool collection_offered(const CollectionTable& collections, const Preferences& prefs, int position) {
    const Collection& collection = collections.at(position);
    return collection.defined && collection.visible && (prefs.cogniva || !collection.cogniva);
}

QString caption_with_key(const QString& caption, const CollectionTable& collections, HotKeyCommand command,
                         int position) {
    const QString key = key_name_of(collections, command, position);
    return key.isEmpty() ? caption : caption + QStringLiteral(" (") + key + QLatin1Char(')');
}

QString table_entry_caption(const CollectionTable& collections, int position) {
    return caption_with_key(collections.at(position).name, collections, HotKeyCommand::OpenTable, position);
}

QString map_entry_caption(const CollectionTable& collections, int position) {
    return caption_with_key(collections.at(position).name, collections, HotKeyCommand::OpenMap, position);
}

std::vector<ToolbarButton> toolbar_buttons(const AppContext& ctx) {
    std::vector<ToolbarButton> buttons;
    for (int position = 1; position <= CollectionTable::count; ++position)
        if (collection_offered(ctx.collections, ctx.prefs, position))
            buttons.push_back({QStringLiteral("coll") + QString::number(position),
                               ctx.collections.at(position).name, position});
    const auto add = [&buttons](const char* key, const char* tooltip) {
        buttons.push_back({QString::fromLatin1(key), QString::fromLatin1(tooltip), 0});
    };
    if (ctx.collections.at(1).defined) {
        add("calendar", "Calendar");
        add("deadlines", "Deadlines");
    }
    add("global_search", "Global search");
    add("table_view", "Table view of active form");
    add("map_view_of_cat", "Tag map view of active form");
    add("tree", "Tree view");
    if (ctx.prefs.cogniva) {
        add("random_map_view", "Random map view of active form");
        add("random_item", "Random item view of active form");
    }
    add("start_map", "Open start map");
    add("pad", "Pad");
    if (ctx.image_viewer_button) add("glimmeron", "Image viewer");
    add("chiave", "Lock the program");
    add("print", "Print (export to Wordpad)");
    add("help", "General menu");
    add("config", "Collection preferences");
    add("clear", "Close all tag maps and tables");
    add("exit", "Quit program");
    return buttons;
}

PrintDecision print_decision(bool calendar_active, bool map_active, bool table_active, bool any_map_or_table,
                             bool calendar_available) {
    if (calendar_active) return {PrintTarget::Calendar, {}};
    if (!any_map_or_table) {
        return {PrintTarget::Nothing,
                calendar_available
                    ? QStringLiteral(
                          "Open a table,tag map or the calendar first. This command applies to an open tag "
                          "map, the calendar or the filtered records of an open table.")
                    : QStringLiteral(
                          "Open a table or tag map first. This command applies to an open tag map or the "
                          "filtered records of an open table.")};
    }
    if (map_active) return {PrintTarget::Map, {}};
    if (table_active) return {PrintTarget::Table, {}};
    return {};
}

std::optional<QString> ask_map_filter(AppContext& ctx) {
    // The filter typed last is proposed again.
    const QString last = ctx.db ? get_gen_param(*ctx.db, QStringLiteral("last_topic_filter")) : QString();
    const auto answer =
        ctx.prompter.input(QStringLiteral("Character string to search for? \n(* = show all maps)"),
                           QStringLiteral("Find map by string in title"), last);
    if (!answer) return std::nullopt;
    const QString filter = answer->trimmed();
    if (filter.isEmpty()) return std::nullopt;
    if (filter == QLatin1String("*")) return QString();
    if (ctx.db) set_gen_param(*ctx.db, QStringLiteral("last_topic_filter"), filter);
    return filter;
}

QStringList previous_session_maps(AppContext& ctx) {
    QStringList maps;
    const QString list = ctx.db ? get_gen_param(*ctx.db, QStringLiteral("topic_list")) : QString();
    for (const QString& line :
         list.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts)) {
        const QString name = line.trimmed();
        if (name.isEmpty()) continue;
        bool seen = false;
        for (const QString& kept : maps)
            seen = seen || kept.compare(name, Qt::CaseInsensitive) == 0;
        if (seen) continue;
        if (name.compare(QLatin1String("Top map"), Qt::CaseInsensitive) == 0 || map_exists(ctx, name, false))
            maps.append(name);
    }
    if (list.trimmed().isEmpty()) ctx.prompter.message(no_previous_topics_text);
    return maps;
}

bool delete_dropped_item(AppContext& ctx, qint64 item_nr) {
    auto row = ctx.db->prepare(QStringLiteral("select item_title from repos where item_nr=") +
                               QString::number(item_nr));
    if (!row.next()) {
        ctx.prompter.message(QStringLiteral("stop"));
        return false;
    }
    const QString title = row.value(0).toString();
    if (!ctx.prompter.yes_no(QStringLiteral("Do you want to delete item \"") + title + QStringLiteral("\"?"),
                             QStringLiteral("Deleting item"), false))
        return false;
    ctx.db->exec(QStringLiteral("Delete from repos where item_nr = ") + QString::number(item_nr));
    return true;
}

bool delete_dropped_category(AppContext& ctx, const QString& collection, const QString& cat) {
    const QString tail =
        cat.contains(QLatin1String("> ")) ? QStringLiteral("\" ?") : QStringLiteral("\" with all its items?");
    if (!ctx.prompter.yes_no(QStringLiteral("Do you want to delete category \"") + collection +
                                 QStringLiteral(": ") + cat + tail,
                             QStringLiteral("Deleting category"), false))
        return false;
    ctx.db->exec(QStringLiteral("Delete from repos where collection ='") + sql_quote(collection) +
                 QStringLiteral("' and cat='") + sql_quote(cat) + QLatin1Char('\''));
    return true;
}

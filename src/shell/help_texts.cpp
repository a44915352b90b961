// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/help_texts.h"

#include "changelog_text.h"
#include "core/app_context.h"
#include "core/format.h"
#include "core/program_title.h"
#include "shell/hot_keys.h"
#include "shell/product_info.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace {

struct KeyLine {
    const char* key;
    const char* text;
};

// The general keys in the order of the list; their keys come from the key table.
struct CommandLine {
    HotKeyCommand command;
    const char* text;
};

constexpr CommandLine general_keys[] = {
    {HotKeyCommand::Quit, "Quit program"},
    {HotKeyCommand::CloseAll, "Close all maps"},
    {HotKeyCommand::GeneralMenu, "Display context menu (if any)"},
    {HotKeyCommand::HotKeyList, "Display hot keys"},
    {HotKeyCommand::FileSearch, "File search"},
    {HotKeyCommand::GlobalFind, "Global search"},
    {HotKeyCommand::OpenCalendar, "Open calendar"},
    {HotKeyCommand::FindMap, "Find map"},
};

constexpr CommandLine map_opening_keys[] = {
    {HotKeyCommand::TopMap, "Open top map"},
    {HotKeyCommand::StartMaps, "Open start map"},
};

constexpr KeyLine table_keys[] = {
    {"F2", "Edit selected record (if any)"}, {"F3", "Find in current collection table"},
    {"F12", "Save changes (if any)"},        {"ESC", "Skip edit operation (if any) else close table"},
    {"DEL", "Delete selected record"},
};

constexpr KeyLine map_keys[] = {
    {"DEL", "Delete selected tag"},
    {"CTL+DEL", "Delete map"},
    {"F2", "Rename tag"},
    {"CTL+F2", "Rename map"},
    {"F5", "Map autosize on/off"},
    {"F6", "Create map from selected tag"},
    {"F7", "Sort tags alphabetically"},
    {"F8", "Insert reference to another tag map"},
    {"F9", "Show/hide content of selected tag"},
    {"F10", "Edit content of selected tag"},
    {"INS", "Create tag"},
    {"I", "Random item view of selected item"},
};

QString key_line(const QString& key, const QString& text) {
    return key + QLatin1Char('\t') + text;
}

template <std::size_t N> void append_keys(QStringList& lines, const KeyLine (&keys)[N]) {
    for (const KeyLine& line : keys)
        lines.append(key_line(QString::fromLatin1(line.key), QString::fromLatin1(line.text)));
}

template <std::size_t N>
void append_keys(QStringList& lines, const CollectionTable& collections, const CommandLine (&keys)[N]) {
    for (const CommandLine& line : keys) {
        const QString key = key_name_of(collections, line.command);
        if (!key.isEmpty()) lines.append(key_line(key, QString::fromLatin1(line.text)));
    }
}

QString quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// One change of the changelog.
struct Change {
    QDate date;
    QChar kind;
    QString text;
};

struct Version {
    QString heading;
    std::vector<Change> changes;
};

std::vector<Version> parse_changelog(const QString& changelog) {
    static const QRegularExpression change_line(QStringLiteral("^- (\\d{4}-\\d{2}-\\d{2}) ([FIN]) (.+)$"));
    std::vector<Version> versions;
    Change* last = nullptr;
    for (const QString& raw : changelog.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (raw.startsWith(QStringLiteral("## "))) {
            versions.push_back({line.mid(3).trimmed(), {}});
            last = nullptr;
            continue;
        }
        if (raw.startsWith(QStringLiteral("- "))) {
            last = nullptr;
            const auto match = change_line.match(line);
            if (!match.hasMatch() || versions.empty()) continue;
            const QDate date = QDate::fromString(match.captured(1), Qt::ISODate);
            if (!date.isValid()) continue;
            versions.back().changes.push_back({date, match.captured(2).at(0), match.captured(3).trimmed()});
            last = &versions.back().changes.back();
            continue;
        }
        // An indented line carries on the description above it; anything else ends it.
        if (last && !line.isEmpty() && raw.at(0).isSpace())
            last->text += QLatin1Char(' ') + line;
        else
            last = nullptr;
    }
    return versions;
}

} // namespace

QString hot_key_list(const AppContext& ctx) {
    QStringList lines;
    lines.append(QStringLiteral("Functions generally applicable:"));
    append_keys(lines, ctx.collections, general_keys);

    // The keys of every visible collection, as the key table binds them: which of the two keys
    // opens the table follows the collection's open-as flag.
    QStringList collection_lines;
    for (const HotKey& hot_key : general_hot_keys(ctx.collections)) {
        if (hot_key.position == 0) continue;
        const Collection& collection = ctx.collections.at(hot_key.position);
        if (!collection.defined || !collection.visible) continue;
        const QString what = hot_key.command == HotKeyCommand::OpenTable ? QStringLiteral("Open table ")
                                                                         : QStringLiteral("Open map ");
        collection_lines.append(
            key_line(key_name(hot_key.shift, hot_key.key), what + quoted(collection.name)));
    }
    std::stable_sort(
        collection_lines.begin(), collection_lines.end(),
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    lines.append(collection_lines);
    append_keys(lines, ctx.collections, map_opening_keys);

    lines.append(QString());
    lines.append(QStringLiteral("Functions applicable to the active collection table (if any):"));
    append_keys(lines, table_keys);

    lines.append(QString());
    lines.append(QStringLiteral("Functions applicable to the active tag map (if any):"));
    append_keys(lines, map_keys);

    lines.append(QString());
    lines.append(QStringLiteral("[end of list]"));
    return lines.join(QLatin1Char('\n'));
}

QString hot_keys_caption() {
    return program_title() + QStringLiteral(" - Hot keys");
}

QString about_text() {
    QStringList lines;
    lines.append(program_title() + QStringLiteral(" version ") + QStringLiteral(TESSARIN_VERSION));
    lines.append(QString());
    lines.append(QStringLiteral("Copyright 2026 The Tessarin developers"));
    lines.append(QString());
    lines.append(QStringLiteral(
        "This program is free software: you can redistribute it and/or modify it under the terms of the "
        "GNU General Public License as published by the Free Software Foundation, either version 3 of the "
        "License, or (at your option) any later version."));
    lines.append(QString());
    lines.append(QStringLiteral(
        "This program is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without "
        "even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU "
        "General Public License for more details."));
    lines.append(QString());
    lines.append(QStringLiteral(
        "You may give copies of Tessarin to anyone, changed or unchanged, free of charge or for a fee, "
        "provided that you pass on the same freedoms: the source code with every copy (or a written offer "
        "of it) and this licence. The full licence text is at https://www.gnu.org/licenses/gpl-3.0.html."));
    lines.append(QString());
    lines.append(QStringLiteral("Newer versions, the source code and news are published at ") +
                 web_site_address);
    return lines.join(QLatin1Char('\n'));
}

QString about_caption() {
    return program_title() + QStringLiteral(" - About this program");
}

QString version_history(const QString& changelog, const QString& current_version) {
    const std::vector<Version> versions = parse_changelog(changelog);
    std::size_t total = 0;
    for (const Version& version : versions)
        total += version.changes.size();
    const int width = static_cast<int>(QString::number(total).size());

    QStringList lines;
    lines.append(QStringLiteral("VERSION HISTORY "));
    lines.append(QStringLiteral("Current version is ") + current_version);
    lines.append(QStringLiteral(
        "It includes the following changes (F = bug fixed, I = improvement, N = new function)"));
    // The oldest change is number 1, so a change keeps its number as the history grows.
    std::size_t number = total;
    for (const Version& version : versions) {
        lines.append(QString());
        lines.append(QStringLiteral("---------- Version ") + version.heading + QStringLiteral(" ----------"));
        for (const Change& change : version.changes) {
            // One multi-argument arg(), so that a "%1" inside a description stays as written.
            lines.append(
                QStringLiteral("%1  %2  %3  %4")
                    .arg(QString::number(number--).rightJustified(width),
                         format_date(QDateTime(change.date, QTime(0, 0)), QStringLiteral("dd/mm/yy")),
                         QString(change.kind), change.text));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString version_history() {
    return version_history(QString::fromUtf8(changelog_text), QStringLiteral(TESSARIN_VERSION));
}

QString version_history_caption() {
    return program_title() + QStringLiteral(" - Version history");
}

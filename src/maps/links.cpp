// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/links.h"

#include "core/app_context.h"
#include "core/file_helpers.h"
#include "core/params.h"
#include "core/picture_names.h"
#include "core/sql_text.h"
#include "core/windows.h"
#include "maps/map_items.h"
#include "maps/map_names.h"
#include "maps/panel_facts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString link_prefix = QStringLiteral("LINK=");
const QString picdir_prefix = QStringLiteral("PICDIR=");
const QString last_link_path_key = QStringLiteral("last_link_path");

// Link texts come from item contents, which go on after their first line. Contents typed on
// this platform may end their lines with a bare line feed.
QString first_line(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) return text.left(i);
    }
    return text;
}

bool ends_with_any(const QString& text, std::initializer_list<const char*> endings) {
    for (const char* ending : endings) {
        if (text.endsWith(QLatin1String(ending), Qt::CaseInsensitive)) return true;
    }
    return false;
}

bool show_picture(AppContext& ctx, const QString& path) {
    if (!ctx.windows.has_picture_viewer()) {
        // Until the picture viewer is part of the program, say so rather than doing nothing.
        ctx.prompter.message(picture_viewer_missing_message + path);
        return false;
    }
    ctx.windows.show_picture(path);
    return true;
}

// Top map entries are collections, collection map entries are categories, and grid fillers
// are no item at all: none of them has a content of its own.
bool holds_own_content(const MapIdentity& map, const MapItem& item) {
    return !map.top_map() && !map.collection_map() && item.item_nr != 0;
}

enum class TargetKind { File, Directory };

LinkInsertion insert_link(AppContext& ctx, const MapIdentity& map, MapItem& item, TargetKind kind) {
    try {
        if (!holds_own_content(map, item) || map_exists(ctx, item.title, true)) {
            ctx.prompter.message(link_not_available_message);
            return LinkInsertion::Refused;
        }
        if (!item.content.trimmed().isEmpty() &&
            !ctx.prompter.ok_cancel(replace_content_question(item.content)))
            return LinkInsertion::Cancelled;

        const auto chosen = kind == TargetKind::File ? choose_link_file(ctx) : choose_link_directory(ctx);
        if (!chosen) return LinkInsertion::Cancelled;

        const QString content = link_prefix + *chosen;
        Database& db = *ctx.db;
        db.exec(QStringLiteral("update repos set item_content='") + sql_quote(content) +
                QStringLiteral("' where item_nr=") + QString::number(item.item_nr));
        if (db.changes() == 0) {
            ctx.prompter.message(item_vanished_message);
            return LinkInsertion::Failed;
        }
        item.content = content;
        if (!item.panel_text.endsWith(QLatin1Char('^'))) item.panel_text += QLatin1Char('^');
        remember_link_path(ctx, *chosen);
        return LinkInsertion::Changed;
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return LinkInsertion::Failed;
    }
}

} // namespace

// ---------------------------------------------------------------- running links

bool shell_open_url(AppContext& ctx, const QString& text) {
    const QString line = first_line(text).trimmed();
    if (!is_web_address(line)) return false;
    return ctx.desktop.open(line);
}

bool open_link(AppContext& ctx, const QString& text, bool report) {
    QString target = first_line(text);
    if (target.startsWith(link_prefix, Qt::CaseInsensitive)) target.remove(0, link_prefix.size());
    target = target.trimmed();

    if (!file_exists(target)) {
        if (shell_open_url(ctx, target)) return true;
        if (report) ctx.prompter.message(path_not_found_message + target);
        return false;
    }

    if (is_picture_file_name(target)) return show_picture(ctx, target);
    if (ends_with_any(target, {".wav"})) {
        ctx.desktop.play_wav(target);
        return true;
    }

    // The system's handler shows a directory in the file manager (the shell's explorer) and
    // opens a file with the program registered for its type. A relative path is resolved here,
    // where the current directory is known, rather than by the handler.
    if (QDir::isRelativePath(target)) target = QDir::current().filePath(target);
    return ctx.desktop.open(target);
}

bool run_link(AppContext& ctx, const QString& content) {
    return open_link(ctx, content.mid(link_prefix.size()).trimmed(), true);
}

QString picture_dir_of_content(const QString& content) {
    if (!content.startsWith(picdir_prefix, Qt::CaseInsensitive)) return {};
    QString dir = first_line(content.mid(picdir_prefix.size())).trimmed();
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return {};
    if (!dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QDir::separator())) dir += QLatin1Char('/');
    return dir;
}

// ---------------------------------------------------------------- inserting links

QString replace_content_question(const QString& content) {
    return QStringLiteral("Do you want to replace the item's current content? (\"") +
           content.left(replace_preview_length) + QStringLiteral("...\")");
}

std::optional<QString> choose_link_file(AppContext& ctx) {
    const QString start = get_gen_param(*ctx.db, last_link_path_key);
    const auto chosen =
        ctx.prompter.open_file(QStringLiteral("Select a file"), QStringLiteral("All files (*)|*"), start);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString path = QDir::toNativeSeparators(*chosen);
    if (file_exists(path)) return path;

    // A name typed in the chooser starts a new document, which the link then opens.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text) ||
        file.write((QStringLiteral("Title of document ") + path + QLatin1Char('\n')).toUtf8()) < 0 ||
        !file.flush()) {
        ctx.prompter.message(QStringLiteral("The document could not be created: ") + path +
                             QStringLiteral(" (") + file.errorString() + QStringLiteral(")"));
        return std::nullopt;
    }
    return path;
}

std::optional<QString> choose_link_directory(AppContext& ctx) {
    const QString start = get_gen_param(*ctx.db, last_link_path_key);
    const auto chosen = ctx.prompter.choose_directory(QStringLiteral("Select a directory"), start);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(*chosen);
}

void remember_link_path(AppContext& ctx, const QString& chosen) {
    const QFileInfo info(chosen);
    set_gen_param(*ctx.db, last_link_path_key,
                  info.isDir() ? chosen : QDir::toNativeSeparators(info.absolutePath()));
}

LinkInsertion insert_link_to_file(AppContext& ctx, const MapIdentity& map, MapItem& item) {
    return insert_link(ctx, map, item, TargetKind::File);
}

LinkInsertion insert_link_to_directory(AppContext& ctx, const MapIdentity& map, MapItem& item) {
    return insert_link(ctx, map, item, TargetKind::Directory);
}

// ---------------------------------------------------------------- content box

QString content_box_text(AppContext& ctx, const MapIdentity& map, const MapItem& item) {
    if (!map.collection_map()) return item.content;

    Statement rows = ctx.db->prepare(QStringLiteral("select item_title from repos where collection='") +
                                     equality_text(map.collection) + QStringLiteral("' and cat like '*") +
                                     like_escaped(item.title) + QStringLiteral("*' order by seq,item_title"));
    QString text;
    int number = 0;
    while (rows.next())
        text += QString::number(++number) + QStringLiteral(") ") + rows.value(0).toString() +
                QStringLiteral("\r\n");
    return number == 0 ? QStringLiteral("[void]") : text;
}

void content_box_typed(AppContext& ctx, const MapIdentity& map) {
    ctx.prompter.message(map.top_map() || map.collection_map() ? QStringLiteral("this item cannot be edited")
                                                               : QStringLiteral("Press F10 for editing."));
}

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/preferences.h"

#include "core/app_context.h"
#include "core/params.h"
#include "core/program_end.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <cmath>
#include <limits>

namespace {

bool is_yes(const QString& value) {
    return value.compare(QStringLiteral("Y"), Qt::CaseInsensitive) == 0;
}

QString position_key(const char* prefix, int position, const char* suffix) {
    return QStringLiteral("%1%2%3")
        .arg(QLatin1String(prefix))
        .arg(position, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(suffix));
}

// 0 switches auto-lock off; anything shorter than 30 seconds would lock the user out at once.
int lock_interval_of(const QString& text) {
    const auto value = numeric_value(text);
    if (!value) return 180;
    if (*value == 0) return 0;
    if (*value < 30) return 30;
    const double rounded = std::round(*value);
    if (rounded >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(rounded);
}

float positive_or(const QString& text, float fallback) {
    const auto value = numeric_value(text);
    if (!value || *value <= 0 || *value > std::numeric_limits<float>::max()) return fallback;
    return static_cast<float>(*value);
}

// Flags stored as numbers ("-1" from a check box): non-zero is on; missing or not a number
// keeps the default.
bool numeric_flag(const QString& text, bool fallback) {
    const auto value = numeric_value(text);
    if (!value) return fallback;
    return std::round(*value) != 0.0;
}

// The file is plain text written by hand: UTF-8, or an older 8-bit file.
QStringList read_lines(QFile& file) {
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    return lines;
}

} // namespace

QString collection_names_file(const QString& program_dir, const QString& db_path) {
    QString own =
        program_dir + QLatin1Char('/') + QFileInfo(db_path).completeBaseName() + QStringLiteral(".dat");
    if (!db_path.isEmpty() && QFileInfo(own).isFile()) return own;
    QString general = program_dir + QStringLiteral("/general.dat");
    if (QFileInfo(general).isFile()) return general;
    return {};
}

void load_collection_names(AppContext& ctx) {
    ctx.image_viewer_button = true;
    const QString db_path = ctx.db_path.isEmpty() && ctx.db ? ctx.db->path() : ctx.db_path;
    const QString path = collection_names_file(ctx.program_dir, db_path);
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;

    for (const QString& line : read_lines(file)) {
        if (line.startsWith(QLatin1Char(';')) || line.trimmed().isEmpty()) continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) continue;
        const QString left = line.left(equals).trimmed();
        const QString right = line.mid(equals + 1).trimmed();

        if (left.compare(QStringLiteral("para_image_viewer"), Qt::CaseInsensitive) == 0) {
            if (right.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
                ctx.image_viewer_button = false;
            continue;
        }

        // Looking up the right side too lets a file that was already applied be applied again.
        int position = ctx.collections.find(left);
        if (position == 0 && !right.isEmpty()) position = ctx.collections.find(right);
        if (position == 0) {
            ctx.prompter.message(QStringLiteral("Error in file ") + path + QStringLiteral(": ") + line);
            throw ProgramEnd(1);
        }
        Collection& collection = ctx.collections.at(position);
        if (right.isEmpty()) {
            collection.defined = false;
            collection.visible = false;
        } else {
            collection.defined = true;
            collection.name = right;
        }
    }
}

void load_preferences(AppContext& ctx) {
    Database& db = *ctx.db;
    Preferences& prefs = ctx.prefs;
    prefs.open_start_maps = is_yes(get_gen_param(db, QStringLiteral("global_search_auto_start")));
    prefs.lock_interval = lock_interval_of(get_gen_param(db, QStringLiteral("lock_interval")));
    prefs.font_size = positive_or(get_gen_param(db, QStringLiteral("font_size")), 10.0F);
    prefs.change_interval = positive_or(get_gen_param(db, QStringLiteral("change_interval")), 3.0F);

    load_collection_names(ctx);

    bool any_visible = false;
    for (int position = 1; position <= CollectionTable::count; ++position) {
        Collection& collection = ctx.collections.at(position);
        collection.visible =
            collection.defined &&
            numeric_flag(get_gen_param(db, position_key("coll", position, "_visible")), true);
        // The keys say "open as table", but a non-zero value opens the map.
        collection.open_coll_as_map =
            numeric_flag(get_gen_param(db, position_key("coll", position, "_open_as_table")), false);
        collection.open_cat_as_map =
            numeric_flag(get_gen_param(db, position_key("cat", position, "_open_as_table")), false);
        any_visible = any_visible || collection.visible;
    }
    // Without one visible collection, menus and toolbar would offer nothing to open.
    if (!any_visible) {
        ctx.collections.at(1).visible = true;
        set_gen_param(db, position_key("coll", 1, "_visible"), QStringLiteral("-1"));
    }

    prefs.cogniva = is_yes(get_gen_param(db, QStringLiteral("cogniva")));
    prefs.similar_items_indicator =
        is_yes(get_gen_param(db, QStringLiteral("presence_of_similar_items_indicator")));
    // A database that never stored the choice shows the toolbar: without it a new user would
    // find no way to the collections.
    const QString toolbar = get_gen_param(db, QStringLiteral("show_toolbar"));
    prefs.show_toolbar = toolbar.trimmed().isEmpty() || is_yes(toolbar);
    prefs.large_toolbar = is_yes(get_gen_param(db, QStringLiteral("large_toolbar")));
    prefs.mdiform_min_size = is_yes(get_gen_param(db, QStringLiteral("mdiform_min_size")));
}

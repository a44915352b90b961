// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/map_parameters.h"

#include "core/app_context.h"
#include "core/params.h"
#include "core/sql_text.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <optional>
#include <sqlite3.h>
#include <utility>
#include <vector>

namespace {

// The interval is a whole number of milliseconds, at most an hour (the longest the frequency
// question accepts).
constexpr int max_interval = 3600 * 1000;

// Every stored parameter of the map, keys folded to lower case (the column compares without
// case). When a key is stored twice the first row wins, as a single lookup would answer.
QHash<QString, QString> stored_parameters(Database& db, const QString& map_name) {
    QHash<QString, QString> values;
    Statement rows = db.prepare(QStringLiteral("select param, value from map_params where colcat='") +
                                sql_quote(map_name) + QStringLiteral("'"));
    while (rows.next()) {
        const QString key = rows.value(0).toString().toLower();
        if (!values.contains(key)) values.insert(key, rows.value(1).toString());
    }
    return values;
}

std::optional<long> whole_number(const QHash<QString, QString>& values, const char* key) {
    const auto value = numeric_value(values.value(QString::fromLatin1(key)));
    if (!value || !std::isfinite(*value) || std::fabs(*value) > 2.0e9) return std::nullopt;
    return std::lround(*value);
}

bool flag(const QHash<QString, QString>& values, const char* key, bool fallback) {
    const auto value = whole_number(values, key);
    return value ? *value != 0 : fallback;
}

// A whole number from 0 to span-1.
int random_below(RandomSource& random, int span) {
    return std::clamp(static_cast<int>(random.next() * span), 0, span - 1);
}

QString number(int value) {
    return QString::number(value);
}

// Writes only what differs from the stored values, inside one transaction when more than one
// value changes and no transaction is already open.
void write_changed(AppContext& ctx, const QString& map_name,
                   const std::vector<std::pair<QString, QString>>& wanted) {
    Database& db = *ctx.db;
    QHash<QString, QString> stored;
    try {
        stored = stored_parameters(db, map_name);
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return;
    }
    std::vector<std::pair<QString, QString>> changed;
    for (const auto& [key, value] : wanted) {
        const auto found = stored.constFind(key.toLower());
        if (found == stored.constEnd() || found->compare(value, Qt::CaseInsensitive) != 0)
            changed.emplace_back(key, value);
    }
    if (changed.empty()) return;
    std::optional<Transaction> transaction;
    try {
        if (changed.size() > 1 && sqlite3_get_autocommit(db.handle()) != 0) transaction.emplace(db);
    } catch (const DbError& error) {
        report_error(ctx.prompter, error);
        return;
    }
    for (const auto& [key, value] : changed)
        set_map_param(db, ctx.prompter, map_name, key, value);
    if (transaction) {
        try {
            transaction->commit();
        } catch (const DbError& error) {
            report_error(ctx.prompter, error);
        }
    }
}

std::vector<std::pair<QString, QString>> position_values(const MapWindowState& window) {
    const int height = window.place.height - (window.content_box_visible ? content_box_height : 0);
    return {
        {QStringLiteral("#top"), number(window.place.top)},
        {QStringLiteral("#left"), number(window.place.left)},
        {QStringLiteral("#height"), number(height)},
        {QStringLiteral("#width"), number(window.place.width)},
    };
}

} // namespace

QString map_flag_text(bool on) {
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

MapParameters load_map_parameters(AppContext& ctx, const QString& map_name) {
    const QHash<QString, QString> values = stored_parameters(*ctx.db, map_name);
    const int screen_width = ctx.screen.width_twips();
    const int screen_height = ctx.screen.height_twips();
    MapParameters params;

    const auto width = whole_number(values, "#width");
    params.place.width = width ? static_cast<int>(*width) : map_default_width;
    const auto height = whole_number(values, "#height");
    params.place.height =
        std::min(height ? static_cast<int>(*height) : map_default_height, screen_height - 850);

    // Vertically the screen less 400 twips (the task bar) is centred.
    const auto top = whole_number(values, "#top");
    params.place.top =
        top ? static_cast<int>(*top)
            : (screen_height - 400 - params.place.height) / 2 - 1999 + random_below(ctx.random, 2000);
    const auto left = whole_number(values, "#left");
    params.place.left = left
                            ? static_cast<int>(*left)
                            : (screen_width - params.place.width) / 2 - 1999 + random_below(ctx.random, 2000);

    const auto columns = whole_number(values, "#nr_columns");
    params.nr_columns =
        columns && *columns >= 1 && *columns <= map_max_columns ? static_cast<int>(*columns) : 1;

    params.auto_size = flag(values, "#auto_size", true);
    params.start_map = flag(values, "#start_map", false);
    params.open_child_topics = flag(values, "#open_child_topics", false);
    params.autom = flag(values, "#autom", false);
    params.randomico = flag(values, "#randomico", false);

    const auto interval = whole_number(values, "#intervallo");
    if (interval && *interval > 0)
        params.intervallo = static_cast<int>(std::min<long>(*interval, max_interval));
    else
        params.intervallo = 1000 + random_below(ctx.random, 501);
    return params;
}

void save_map_parameters(AppContext& ctx, const QString& map_name, const MapParameters& params,
                         const MapWindowState& window) {
    std::vector<std::pair<QString, QString>> values;
    if (!window.minimised) values = position_values(window);
    values.emplace_back(QStringLiteral("#nr_columns"), number(params.nr_columns));
    values.emplace_back(QStringLiteral("#randomico"), map_flag_text(params.randomico));
    values.emplace_back(QStringLiteral("#intervallo"), number(params.intervallo));
    values.emplace_back(QStringLiteral("#autom"), map_flag_text(params.autom));
    write_changed(ctx, map_name, values);
}

void save_map_position(AppContext& ctx, const QString& map_name, const MapWindowState& window) {
    if (window.minimised) return;
    write_changed(ctx, map_name, position_values(window));
}

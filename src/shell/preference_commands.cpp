// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/preference_commands.h"

#include "core/app_context.h"
#include "core/format.h"
#include "core/params.h"
#include "core/windows.h"

#include <cmath>
#include <limits>

namespace {

const QString invalid_value = QStringLiteral("Invalid value");

QString yes_no(bool on) {
    return on ? QStringLiteral("Y") : QStringLiteral("N");
}

QString minutes_text(int seconds) {
    return format_number(seconds / 60.0, QStringLiteral("0.0"));
}

} // namespace

QString invalid_font_size_message(const QString& answer) {
    return QStringLiteral("Invalid value: \"") + answer.trimmed() +
           QStringLiteral("\" is not a font size. Type a number from 8 to 14, such as 10 or 10.5.");
}

QString preference_number(double value) {
    QString text = QString::number(value, 'g', 7);
    // Seven digits cannot show a large whole number without an exponent; write it out instead.
    // Tiny fractions keep the exponent, which reads back as the same number.
    if (text.contains(QLatin1Char('e')) && std::abs(value) >= 1) text = QString::number(value, 'f', 0);
    return text;
}

std::optional<double> preference_answer(const QString& text, bool comma_as_point) {
    QString answer = text;
    if (comma_as_point) {
        const qsizetype comma = answer.indexOf(QLatin1Char(','));
        if (comma >= 0) answer[comma] = QLatin1Char('.');
    }
    return numeric_value(answer);
}

PreferenceCommands::PreferenceCommands(AppContext& ctx) : ctx_(ctx) {}

QString PreferenceCommands::font_size_caption() const {
    return (font_size_changed_ ? QStringLiteral("Font size (now = ")
                               : QStringLiteral("Preferred font size (now = ")) +
           preference_number(ctx_.prefs.font_size) + QStringLiteral(")");
}

QString PreferenceCommands::lock_interval_caption() const {
    return QStringLiteral("Auto-lock timer (minutes, 0 = no auto lock, now = ") +
           minutes_text(ctx_.prefs.lock_interval) + QStringLiteral(" mins)");
}

QString PreferenceCommands::interval_of_random_item_change_caption() const {
    return QStringLiteral("Interval of random item change (now = ") +
           preference_number(ctx_.prefs.change_interval) + QStringLiteral(" secs)");
}

bool PreferenceCommands::toggle(bool& flag, const char* key) {
    const bool next = !flag;
    set_gen_param(*ctx_.db, QString::fromLatin1(key), yes_no(next));
    // Taken only once stored, so that the menu never shows a state the database does not hold.
    flag = next;
    return flag;
}

void PreferenceCommands::relayout() const {
    ctx_.windows.relayout_map_windows();
}

bool PreferenceCommands::toggle_start_maps_at_startup() {
    return toggle(ctx_.prefs.open_start_maps, "global_search_auto_start");
}

bool PreferenceCommands::toggle_similar_item_indicator() {
    toggle(ctx_.prefs.similar_items_indicator, "presence_of_similar_items_indicator");
    relayout();
    return ctx_.prefs.similar_items_indicator;
}

bool PreferenceCommands::toggle_cogniva_functions() {
    toggle(ctx_.prefs.cogniva, "cogniva");
    ctx_.windows.rebuild_main_window();
    return ctx_.prefs.cogniva;
}

bool PreferenceCommands::ask_font_size() {
    for (;;) {
        const auto answer = ctx_.prompter.input(QStringLiteral("New size (a value between 8 and 14)?"),
                                                QStringLiteral("Changing preferred font size"),
                                                preference_number(ctx_.prefs.font_size));
        if (!answer || answer->isEmpty()) return false;
        const auto value = preference_answer(*answer, false);
        if (!value || *value < 8 || *value > 14) {
            ctx_.prompter.message(invalid_font_size_message(*answer));
            continue;
        }
        const auto size = static_cast<float>(*value);
        set_gen_param(*ctx_.db, QStringLiteral("font_size"), preference_number(size));
        ctx_.prefs.font_size = size;
        font_size_changed_ = true;
        relayout();
        return true;
    }
}

bool PreferenceCommands::ask_lock_interval() {
    for (;;) {
        const auto answer = ctx_.prompter.input(
            QStringLiteral("New interval (minimum 0.5 minutes)? (minutes, 0 = no auto-lock)"),
            QStringLiteral("Changing preferred auto-lock interval"), minutes_text(ctx_.prefs.lock_interval));
        if (!answer || answer->isEmpty()) return false;
        const auto minutes = preference_answer(*answer, true);
        if (!minutes) {
            ctx_.prompter.message(invalid_value);
            continue;
        }
        if (*minutes != 0 && *minutes < 0.5) {
            ctx_.prompter.message(QStringLiteral("Value should not be less than 0.5 minutes"));
            continue;
        }
        // Whole seconds; an interval beyond the counter's range would never lock anyway.
        const double seconds = std::round(*minutes * 60);
        const int interval = seconds >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                                        : static_cast<int>(seconds);
        set_gen_param(*ctx_.db, QStringLiteral("lock_interval"), QString::number(interval));
        ctx_.prefs.lock_interval = interval;
        ctx_.inactivity = 0;
        return true;
    }
}

bool PreferenceCommands::ask_random_item_interval() {
    for (;;) {
        const auto answer =
            ctx_.prompter.input(QStringLiteral("New interval (seconds)?"),
                                QStringLiteral("Changing preferred interval of random single-item change"),
                                preference_number(ctx_.prefs.change_interval));
        if (!answer || answer->isEmpty()) return false;
        const auto value = preference_answer(*answer, true);
        if (!value || *value <= 0 || *value > std::numeric_limits<float>::max()) {
            ctx_.prompter.message(invalid_value);
            continue;
        }
        const auto interval = static_cast<float>(*value);
        set_gen_param(*ctx_.db, QStringLiteral("change_interval"), preference_number(interval));
        ctx_.prefs.change_interval = interval;
        return true;
    }
}

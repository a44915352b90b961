// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class AppContext;

// A preference number as the menu captions and the stored parameters write it: up to seven
// significant digits (a single-precision value holds no more), no trailing zeros, no exponent:
// 10 -> "10", 10.5 -> "10.5", 0.25 -> "0.25".
QString preference_number(double value);

// What the user typed in a preference box, read as a number: trimmed, '.' as the decimal point,
// and with `comma_as_point` the first ',' taken as the decimal point ("1,5" -> 1.5).
std::optional<double> preference_answer(const QString& text, bool comma_as_point);

// The entries of the "Preferences" submenu (all but the language entry). Each stores its
// parameter at once and updates ctx.prefs; the menu reads the check marks and captions back from
// here. Dialog commands ask again after "Invalid value" until the answer is valid or empty.
// What a refused font size answer is told: the value typed and what is accepted.
QString invalid_font_size_message(const QString& answer);

class PreferenceCommands {
public:
    explicit PreferenceCommands(AppContext& ctx);

    // Captions of the entries that show a value.
    QString font_size_caption() const;
    QString lock_interval_caption() const;
    QString interval_of_random_item_change_caption() const;

    // Toggles; each returns the new check state.
    bool toggle_start_maps_at_startup();
    bool toggle_similar_item_indicator();
    // Stores the flag, then rebuilds the main window so that
    // collections, toolbar buttons and menu entries follow it.
    bool toggle_cogniva_functions();

    // Dialogs; each returns true when a new value was taken.
    bool ask_font_size();
    bool ask_lock_interval();
    bool ask_random_item_interval();

private:
    bool toggle(bool& flag, const char* key);
    void relayout() const;

    AppContext& ctx_;
    // The font caption says "Preferred" until the size is changed in this session.
    bool font_size_changed_ = false;
};

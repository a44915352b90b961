// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/random_selection.h"

#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class AppContext;
class QMdiArea;
class RandomChooser;
class RandomItemWindow;

inline const QString random_slots_full_message = QStringLiteral("No more random item forms loadable");
inline const QString empty_random_selection_message = QStringLiteral("Error 2000 10 28 23 00");
inline const QString distinct_random_selection_message = QStringLiteral("Error 2000 10 28 23 01");

// The random item views of the session: up to 25, each in its own slot. A request beyond the
// 25th is refused with a message and opens nothing; so is a selection with nothing to show.
class RandomWindows {
public:
    static constexpr int capacity = 25;

    RandomWindows(AppContext& ctx, std::function<QMdiArea*()> area);
    ~RandomWindows();
    RandomWindows(const RandomWindows&) = delete;
    RandomWindows& operator=(const RandomWindows&) = delete;

    // Opens a view on `selection` in the first free slot, shown and active; nullptr when it was
    // refused (the user has been told why).
    RandomItemWindow* open(const RandomSelection& selection);
    RandomItemWindow* window(int slot) const;
    int open_count() const;
    void close_all();
    // A closing window gives its slot back.
    void release(int slot);

    // While one view is dragged, no view changes.
    bool dragging() const { return dragging_ != 0; }
    void set_dragging(int slot) { dragging_ = slot; }

    // The chooser of a selection: its pictures, else its items (read once); nullptr, the user
    // told, when it has nothing to show. Throws DbError when the statement is refused.
    std::unique_ptr<RandomChooser> make_chooser(const RandomSelection& selection);

private:
    int free_slot() const;

    AppContext& ctx_;
    std::function<QMdiArea*()> area_;
    std::array<QPointer<RandomItemWindow>, capacity + 1> slots_{};
    int dragging_ = 0;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/slide_show.h"

#include "core/picture_names.h"
#include "core/seams.h"
#include "core/translate.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

SlideShow::SlideShow(PictureList pictures, const QStringList& deleted, RandomSource& random, Desktop& desktop)
    : pictures_(std::move(pictures)), deleted_(deleted), random_source_(random), desktop_(desktop) {
    if (static_cast<int>(pictures_.size()) > max_picture_list)
        pictures_.resize(static_cast<size_t>(max_picture_list));
    state_.seen.assign(pictures_.size(), false);
}

QString SlideShow::current_path() const {
    if (state_.current < 0 || state_.current >= size()) return {};
    return pictures_[static_cast<size_t>(state_.current)].path;
}

void SlideShow::set_random(bool random) {
    random_ = random;
}

bool SlideShow::is_gone(int index) const {
    const QString& path = pictures_[static_cast<size_t>(index)].path;
    return path.isEmpty() || deleted_.contains(path);
}

bool SlideShow::any_left() const {
    for (int index = 0; index < size(); ++index)
        if (!is_gone(index)) return true;
    return false;
}

int SlideShow::unseen() const {
    int count = 0;
    for (int index = 0; index < size(); ++index)
        if (!state_.seen[static_cast<size_t>(index)] && !is_gone(index)) ++count;
    return count;
}

int SlideShow::sequential_step(int from, int step, const MoveTools& tools) const {
    int index = from;
    for (int tries = 0; tries < size(); ++tries) {
        index += step;
        if (index >= size()) {
            index = 0;
            tools.beep();
        } else if (index < 0) {
            index = size() - 1;
        }
        if (!is_gone(index)) return index;
    }
    return -1;
}

// Draws until an entry not yet seen and still there comes up; a gone entry drawn is flagged and
// the draw repeats. When every flag is set they are all cleared with a beep. Ends as long as one
// entry is there: each round flags one more entry.
int SlideShow::draw_unseen(State& state, const MoveTools& tools) const {
    const int count = size();
    for (;;) {
        if (std::all_of(state.seen.begin(), state.seen.end(), [](bool seen) { return seen; })) {
            std::fill(state.seen.begin(), state.seen.end(), false);
            tools.beep();
        }
        const int drawn = std::clamp(static_cast<int>(tools.draw() * count), 0, count - 1);
        for (int step = 0; step < count; ++step) {
            const int index = (drawn + step) % count;
            if (state.seen[static_cast<size_t>(index)]) continue;
            state.seen[static_cast<size_t>(index)] = true;
            if (!is_gone(index)) return index;
            break;
        }
    }
}

std::optional<int> SlideShow::move_forward(State& state, const MoveTools& tools) const {
    if (!random_) return sequential_step(state.current, 1, tools);
    // Gone back in the history: forward again through it before drawing anew.
    while (state.history_position >= 0 &&
           state.history_position + 1 < static_cast<int>(state.history.size())) {
        ++state.history_position;
        const int index = state.history[static_cast<size_t>(state.history_position)];
        if (!is_gone(index)) return index;
    }
    const int index = draw_unseen(state, tools);
    state.history.push_back(index);
    if (static_cast<int>(state.history.size()) > history_capacity) state.history.pop_front();
    state.history_position = static_cast<int>(state.history.size()) - 1;
    return index;
}

std::optional<int> SlideShow::move_backward(State& state, const MoveTools& tools) const {
    if (!random_) return sequential_step(state.current, -1, tools);
    const int was_at = state.history_position;
    while (state.history_position > 0) {
        --state.history_position;
        const int index = state.history[static_cast<size_t>(state.history_position)];
        if (!is_gone(index)) return index;
    }
    // At the first entry of the history: the current picture again.
    state.history_position = was_at;
    tools.beep();
    if (state.current >= 0 && !is_gone(state.current)) return state.current;
    return move_forward(state, tools);
}

SlideShow::MoveTools SlideShow::real_tools() {
    return {[this] {
                if (draws_ahead_.empty()) return random_source_.next();
                const double value = draws_ahead_.front();
                draws_ahead_.pop_front();
                return value;
            },
            [this] { desktop_.beep(); }};
}

bool SlideShow::apply(std::optional<int> index) {
    if (!index || *index < 0) return false;
    state_.current = *index;
    return true;
}

bool SlideShow::start(int start) {
    if (!any_left()) return false;
    State next = state_;
    std::optional<int> index;
    if (random_)
        index = move_forward(next, real_tools());
    else if (start >= 0 && start < size() && !is_gone(start))
        index = start;
    else
        index = sequential_step(std::clamp(start, 0, size()) - 1, 1, real_tools());
    if (!index || *index < 0) return false;
    state_ = std::move(next);
    return apply(index);
}

bool SlideShow::forward() {
    if (!any_left()) return false;
    State next = state_;
    const std::optional<int> index = move_forward(next, real_tools());
    if (!index || *index < 0) return false;
    state_ = std::move(next);
    return apply(index);
}

bool SlideShow::backward() {
    if (!any_left()) return false;
    State next = state_;
    const std::optional<int> index = move_backward(next, real_tools());
    if (!index || *index < 0) return false;
    state_ = std::move(next);
    return apply(index);
}

int SlideShow::upcoming() {
    if (!any_left()) return -1;
    State copy = state_;
    size_t used = 0;
    const MoveTools predicting{[this, &used] {
                                   if (used < draws_ahead_.size()) return draws_ahead_[used++];
                                   const double value = random_source_.next();
                                   draws_ahead_.push_back(value);
                                   ++used;
                                   return value;
                               },
                               [] {}};
    return move_forward(copy, predicting).value_or(-1);
}

std::optional<QString> bad_file_name_message(const QString& path) {
    if (is_picture_file_name(path)) return std::nullopt;
    return translate(QStringLiteral("Bad file name: ")) + QDir::toNativeSeparators(path);
}

QString random_label_text(bool random) {
    return random ? translate(QStringLiteral(" Random ")) : translate(QStringLiteral("Sequential"));
}

QString auto_label_text(bool automatic) {
    return automatic ? translate(QStringLiteral("Manual/Auto*(F1)"))
                     : translate(QStringLiteral("Manual*/Auto(F1)"));
}

QString interval_label_text(int interval) {
    return translate(QStringLiteral("Interval=")) + QString::number(interval);
}

QString unseen_label_text(int unseen) {
    return translate(QStringLiteral(" Unseen=")) + QString::number(unseen);
}

QString file_name_label_text(const SlideShow& show) {
    return QFileInfo(show.current_path()).fileName() +
           QStringLiteral(" (%1/%2)").arg(show.current() + 1).arg(show.size());
}

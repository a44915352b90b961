// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/picture_list.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class Desktop;
class RandomSource;

// Where the full-screen slide show (form_fs) is in its picture list and how it moves: in order
// with wrap-around, backward, or at random without repeating a picture before every one was
// shown, going back and forth through the last 20 pictures drawn. Pictures that are gone (an
// empty path, or named in the run's deleted list) are passed over. The window only shows what
// the moves choose.
class SlideShow {
public:
    static constexpr int history_capacity = 20;

    // `deleted` is the run's list of deleted pictures; it is read at every move, so a picture
    // deleted meanwhile is passed over from then on.
    SlideShow(PictureList pictures, const QStringList& deleted, RandomSource& random, Desktop& desktop);

    const PictureList& pictures() const { return pictures_; }
    int size() const { return static_cast<int>(pictures_.size()); }
    // 0-based index of the picture on screen; -1 before the first move.
    int current() const { return state_.current; }
    QString current_path() const;
    bool random() const { return random_; }
    void set_random(bool random);
    // Pictures not yet shown in this random pass (those still there).
    int unseen() const;

    // Each move answers false when no picture is left to show (every entry gone); the current
    // picture then stays as it was.
    // The first picture: `start` (0-based), or a drawn one in random mode.
    bool start(int start);
    bool forward();
    bool backward();
    // The index forward() would take now, or -1 when nothing is left. In random mode the chance
    // it needs is drawn now and kept for that move, so the prediction holds.
    int upcoming();

private:
    struct State {
        int current = -1;
        std::vector<bool> seen;
        std::deque<int> history;
        int history_position = -1; // index into history of the picture on screen
    };
    // How a move draws chance and beeps: the real moves use the random source and the desktop,
    // a prediction records its draws for the real move and stays silent.
    struct MoveTools {
        std::function<double()> draw;
        std::function<void()> beep;
    };

    bool is_gone(int index) const;
    bool any_left() const;
    std::optional<int> move_forward(State& state, const MoveTools& tools) const;
    std::optional<int> move_backward(State& state, const MoveTools& tools) const;
    int sequential_step(int from, int step, const MoveTools& tools) const;
    int draw_unseen(State& state, const MoveTools& tools) const;
    MoveTools real_tools();
    bool apply(std::optional<int> index);

    PictureList pictures_;
    const QStringList& deleted_;
    RandomSource& random_source_;
    Desktop& desktop_;
    bool random_ = false;
    State state_;
    std::deque<double> draws_ahead_;
};

// "Bad file name: " + path for a name the viewer does not show; nothing for a picture's name.
std::optional<QString> bad_file_name_message(const QString& path);

// The texts of the status line's labels.
QString random_label_text(bool random);              // l_random
QString auto_label_text(bool automatic);             // l_auto
QString interval_label_text(int interval);           // l_interval
QString unseen_label_text(int unseen);               // l_unseen
QString file_name_label_text(const SlideShow& show); // l_filename

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/picture_image.h"
#include "pictures/slide_show.h"

#include <QFuture>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>

class AppContext;
class BlackWindow;
class ClickableLabel;
class PictureCanvas;
class PictureViewer;

// The full-screen slide show (form_fs): one picture at a time on black, fitted to the screen or
// at its own size, with a status line of clickable labels. The next picture is decoded in the
// background while the current one is on screen, so that a move shows it at once.
class SlideShowWindow : public QWidget {
public:
    // `return_to`: the picture window this view was switched from; it comes back when the show
    // ends.
    SlideShowWindow(PictureViewer& viewer, PictureList pictures, QWidget* return_to = nullptr);
    ~SlideShowWindow() override;
    SlideShowWindow(const SlideShowWindow&) = delete;
    SlideShowWindow& operator=(const SlideShowWindow&) = delete;

    // Shows the window and its first picture (`start`, 0-based, or a drawn one in random mode).
    // False, with a message, when the list has no picture left to show; the window then closes.
    bool begin(int start);

    const SlideShow& show_state() const { return show_; }
    QTimer& advance_timer() { return advance_timer_; }
    // Automatic advance is on and not paused.
    bool advancing() const { return automatic_ && !paused_; }
    bool fit_mode() const { return fit_mode_; }
    // The picture on screen, and whether it came from the decode made ahead of time.
    const QImage& image() const;
    bool shown_from_prefetch() const { return from_prefetch_; }
    // Waits for the decode made ahead of time (the bench and the tests).
    void wait_for_prefetch();
    // Decoding ahead is on unless switched off (the bench measures both ways).
    void set_decode_ahead(bool on) { decode_ahead_ = on; }
    // The screen the show fills, in pixels.
    QSize screen_size() const;

    void next_picture();     // Space, Page Down, l_forward: a manual move
    void previous_picture(); // Page Up, l_backward
    void advance();          // the timer's tick

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum StatusLabel {
        ShowHideLabel,
        RandomLabel,
        AutomaticLabel,
        IntervalLabel,
        UnseenLabel,
        BackwardLabel,
        ForwardLabel,
        FileNameLabel,
        ExitLabel,
        LabelCount
    };

    void build_status_line();
    void read_settings();
    void display_current(bool use_prefetch);
    void display(const PictureRead& read);
    void report(const QString& text);
    void prefetch_upcoming();
    PictureRead take_prefetched(const QString& path);
    void update_labels();
    void apply_timer();
    void pause();
    void after_move(bool moved);

    // Commands (slide_show_window_commands.cpp).
    bool run_key(const QKeyEvent& event);
    bool run_letter(int key);
    void toggle_random();
    void toggle_automatic();
    void resume(bool automatic);
    void ask_interval();
    void toggle_status_line();
    void copy_to_clipboard();
    void save_as();
    void delete_current();
    void edit_current();
    void open_in_window(bool stop_show);
    void zoom(QSize shown);
    void reload();

    PictureViewer& viewer_;
    AppContext& ctx_;
    SlideShow show_;
    QPointer<QWidget> return_to_;
    PictureCanvas* canvas_ = nullptr;
    QWidget* status_line_ = nullptr;
    std::array<ClickableLabel*, LabelCount> labels_{};
    QPointer<BlackWindow> black_;
    QTimer advance_timer_;
    bool automatic_ = false;
    bool paused_ = false;
    bool fit_mode_ = true;
    int interval_ = 2000;
    QSize full_size_;
    QSize shown_size_;
    bool from_prefetch_ = false;
    bool ending_ = false;
    bool decode_ahead_ = true;

    QFuture<PictureRead> prefetch_;
    QString prefetch_path_;
    QSize prefetch_screen_;
    bool prefetch_fit_ = true;
};

// The picture at `path` as the slide show shows it on a screen of `screen` pixels.
PictureRead read_for_show(const QString& path, QSize screen, bool fit_mode);

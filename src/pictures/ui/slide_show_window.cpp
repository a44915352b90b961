// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/slide_show_window.h"

#include "core/app_context.h"
#include "core/picture_names.h"
#include "core/settings.h"
#include "core/translate.h"
#include "pictures/picture_operations.h"
#include "pictures/show_view.h"
#include "pictures/ui/black_window.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_window_canvas.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int default_interval = 2000;

// A flag of the settings store, written as a number; `absent` when nothing is stored.
bool setting_flag(const Settings& settings, const QString& key, bool absent) {
    const QString value = settings.get_setting(key).trimmed();
    if (value.isEmpty()) return absent;
    bool number = false;
    const int flag = value.toInt(&number);
    return number ? flag != 0 : value.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
}

} // namespace

PictureRead read_for_show(const QString& path, QSize screen, bool fit_mode) {
    const QSize full = picture_size(path);
    if (!full.isValid()) return read_picture(path, {});
    return read_picture(path, show_size(full, screen, fit_mode));
}

SlideShowWindow::SlideShowWindow(PictureViewer& viewer, PictureList pictures, QWidget* return_to)
    : QWidget(nullptr), viewer_(viewer), ctx_(viewer.context()),
      show_(std::move(pictures), ctx_.pictures.deleted, ctx_.random, ctx_.desktop), return_to_(return_to) {
    setObjectName(QStringLiteral("form_fs"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(translate(QStringLiteral("Slide show")));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    canvas_ = new PictureCanvas(this);
    canvas_->setObjectName(QStringLiteral("picture"));
    canvas_->set_background(Qt::black);
    canvas_->on_double_click = [this] { open_in_window(false); };
    build_status_line();
    advance_timer_.setObjectName(QStringLiteral("timer_advance"));
    connect(&advance_timer_, &QTimer::timeout, this, &SlideShowWindow::advance);
    read_settings();
}

SlideShowWindow::~SlideShowWindow() {
    wait_for_prefetch();
    if (black_) black_->close();
}

void SlideShowWindow::build_status_line() {
    status_line_ = new QWidget(this);
    status_line_->setObjectName(QStringLiteral("status_line"));
    status_line_->installEventFilter(this);
    // Shaded, so that its white texts read over a light picture too.
    status_line_->setAutoFillBackground(true);
    QPalette shade = status_line_->palette();
    shade.setColor(QPalette::Window, QColor(0, 0, 0, 160));
    status_line_->setPalette(shade);
    auto* layout = new QHBoxLayout(status_line_);
    layout->setContentsMargins(8, 2, 8, 2);
    const std::array<const char*, LabelCount> names{"l_show_hide", "l_random",   "l_auto",
                                                    "l_interval",  "l_unseen",   "l_backward",
                                                    "l_forward",   "l_filename", "l_exit"};
    for (int index = 0; index < LabelCount; ++index) {
        auto* label =
            new ClickableLabel(QString::fromLatin1(names[static_cast<size_t>(index)]), status_line_);
        labels_[static_cast<size_t>(index)] = label;
        layout->addWidget(label);
        if (index == FileNameLabel) layout->addStretch(1);
    }
    labels_[ShowHideLabel]->setText(translate(QStringLiteral("Hide status")));
    labels_[BackwardLabel]->setText(QStringLiteral(" \u25C0 "));
    labels_[ForwardLabel]->setText(QStringLiteral(" \u25B6 "));
    labels_[ExitLabel]->setText(translate(QStringLiteral(" Exit ")));
    labels_[ShowHideLabel]->on_click = [this] { toggle_status_line(); };
    labels_[RandomLabel]->on_click = [this] { toggle_random(); };
    labels_[AutomaticLabel]->on_click = [this] { toggle_automatic(); };
    labels_[IntervalLabel]->on_click = [this] { ask_interval(); };
    labels_[BackwardLabel]->on_click = [this] { previous_picture(); };
    labels_[ForwardLabel]->on_click = [this] { next_picture(); };
    labels_[ExitLabel]->on_click = [this] { close(); };
}

void SlideShowWindow::read_settings() {
    const Settings& settings = ctx_.settings;
    interval_ = ctx_.pictures.interval > 0 ? ctx_.pictures.interval
                                           : settings.get_setting(QStringLiteral("interval")).toInt();
    if (interval_ <= 0) interval_ = default_interval;
    automatic_ = setting_flag(settings, QStringLiteral("autom"), false);
    show_.set_random(setting_flag(settings, QStringLiteral("random"), false));
    fit_mode_ = setting_flag(settings, QStringLiteral("fit_mode"), true);
}

bool SlideShowWindow::begin(int start) {
    if (setting_flag(ctx_.settings, QStringLiteral("black_screen"), false)) {
        black_ = new BlackWindow;
        black_->showFullScreen();
    }
    showFullScreen();
    activateWindow();
    if (!show_.start(start)) {
        after_move(false);
        return false;
    }
    display_current(false);
    apply_timer();
    return true;
}

QSize SlideShowWindow::screen_size() const {
    const QScreen* shown_on = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown_on ? shown_on->geometry().size() : QSize(1024, 768);
}

const QImage& SlideShowWindow::image() const {
    return canvas_->image();
}

void SlideShowWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas_->setGeometry(rect());
    const int line_height = status_line_->sizeHint().height();
    status_line_->setGeometry(0, height() - line_height, width(), line_height);
}

bool SlideShowWindow::eventFilter(QObject* watched, QEvent* event) {
    // A click where the hidden status line was brings it back.
    if (watched == status_line_ && event->type() == QEvent::MouseButtonPress &&
        labels_[ShowHideLabel]->isHidden()) {
        toggle_status_line();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SlideShowWindow::display_current(bool use_prefetch) {
    const QString path = show_.current_path();
    update_labels();
    if (const auto bad = bad_file_name_message(path)) {
        canvas_->set_text(*bad);
        report(*bad);
        prefetch_upcoming();
        return;
    }
    display(use_prefetch ? take_prefetched(path) : read_for_show(path, screen_size(), fit_mode_));
    if (!use_prefetch) from_prefetch_ = false;
    prefetch_upcoming();
}

void SlideShowWindow::display(const PictureRead& read) {
    if (!read.error.isEmpty()) {
        canvas_->set_text(read.error);
        report(read.error);
        return;
    }
    full_size_ = read.full_size;
    shown_size_ = read.image.size();
    canvas_->set_image(read.image);
    set_last_picture(ctx_, ctx_.pictures, show_.current_path());
}

// A message box over the show: the timer waits while it is open, and the show goes on after.
void SlideShowWindow::report(const QString& text) {
    advance_timer_.stop();
    ctx_.prompter.message(text);
    apply_timer();
}

PictureRead SlideShowWindow::take_prefetched(const QString& path) {
    from_prefetch_ = prefetch_.isValid() && prefetch_path_ == path && prefetch_screen_ == screen_size() &&
                     prefetch_fit_ == fit_mode_;
    if (!from_prefetch_) return read_for_show(path, screen_size(), fit_mode_);
    PictureRead read = prefetch_.result();
    prefetch_ = {};
    prefetch_path_.clear();
    return read;
}

void SlideShowWindow::prefetch_upcoming() {
    if (!decode_ahead_) return;
    const int next = show_.upcoming();
    if (next < 0) return;
    const QString path = show_.pictures()[static_cast<size_t>(next)].path;
    if (path == prefetch_path_ || !is_picture_file_name(path)) return;
    wait_for_prefetch();
    prefetch_path_ = path;
    prefetch_screen_ = screen_size();
    prefetch_fit_ = fit_mode_;
    prefetch_ = QtConcurrent::run(read_for_show, path, prefetch_screen_, prefetch_fit_);
}

void SlideShowWindow::wait_for_prefetch() {
    if (prefetch_.isValid()) prefetch_.waitForFinished();
}

void SlideShowWindow::update_labels() {
    labels_[RandomLabel]->setText(random_label_text(show_.random()));
    labels_[AutomaticLabel]->setText(auto_label_text(advancing()));
    labels_[IntervalLabel]->setText(interval_label_text(interval_));
    labels_[UnseenLabel]->setText(unseen_label_text(show_.unseen()));
    labels_[FileNameLabel]->setText(file_name_label_text(show_));
}

void SlideShowWindow::apply_timer() {
    if (advancing() && !ending_)
        advance_timer_.start(interval_);
    else
        advance_timer_.stop();
}

void SlideShowWindow::pause() {
    if (automatic_) paused_ = true;
    apply_timer();
    update_labels();
}

void SlideShowWindow::after_move(bool moved) {
    if (moved) {
        display_current(true);
        return;
    }
    advance_timer_.stop();
    msg_translated(ctx_.prompter, QStringLiteral("There are no pictures left to show."));
    close();
}

void SlideShowWindow::next_picture() {
    pause();
    after_move(show_.forward());
}

void SlideShowWindow::previous_picture() {
    pause();
    after_move(show_.backward());
}

void SlideShowWindow::advance() {
    // The main window's "automatic changes" switch holds every window's timer.
    if (!advancing() || !ctx_.allow_automatic_changes) return;
    after_move(show_.forward());
}

void SlideShowWindow::closeEvent(QCloseEvent* event) {
    ending_ = true;
    advance_timer_.stop();
    if (black_) black_->close();
    if (return_to_) {
        return_to_->show();
        return_to_->activateWindow();
    }
    QWidget::closeEvent(event);
}

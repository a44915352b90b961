// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The slide show's keys and the commands of its status line.
#include "core/app_context.h"
#include "core/picture_names.h"
#include "core/settings.h"
#include "core/translate.h"
#include "pictures/picture_operations.h"
#include "pictures/show_files.h"
#include "pictures/show_view.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_window_canvas.h"
#include "pictures/ui/picture_windows.h"
#include "pictures/ui/slide_show_window.h"

#include <QKeyEvent>

namespace {

QString flag_text(bool flag) {
    return flag ? QStringLiteral("-1") : QStringLiteral("0");
}

} // namespace

void SlideShowWindow::keyPressEvent(QKeyEvent* event) {
    if (run_key(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool SlideShowWindow::run_key(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers().testFlag(Qt::ControlModifier)) {
        if (key != Qt::Key_C) return false;
        copy_to_clipboard();
        return true;
    }
    switch (key) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Space:
    case Qt::Key_PageDown:
        next_picture();
        return true;
    case Qt::Key_PageUp:
        previous_picture();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        open_in_window(false);
        return true;
    case Qt::Key_F1:
        toggle_automatic();
        return true;
    case Qt::Key_F5:
        reload();
        return true;
    case Qt::Key_Delete:
        delete_current();
        return true;
    case Qt::Key_Plus:
        zoom(enlarged(shown_size_));
        return true;
    case Qt::Key_Minus:
        zoom(reduced(shown_size_));
        return true;
    case Qt::Key_Slash:
        zoom(normal_size(full_size_));
        return true;
    default:
        return run_letter(key);
    }
}

bool SlideShowWindow::run_letter(int key) {
    switch (key) {
    case Qt::Key_R:
        toggle_random();
        return true;
    case Qt::Key_A:
        save_as();
        return true;
    case Qt::Key_M:
        resume(false);
        return true;
    case Qt::Key_U:
        resume(true);
        return true;
    case Qt::Key_B:
        open_in_window(true);
        return true;
    case Qt::Key_E:
        edit_current();
        return true;
    default:
        return false;
    }
}

void SlideShowWindow::toggle_random() {
    show_.set_random(!show_.random());
    ctx_.settings.save_setting(QStringLiteral("random"), flag_text(show_.random()));
    update_labels();
    // The picture decoded ahead was chosen for the other order.
    prefetch_upcoming();
}

// F1 and l_auto: switch between manual and automatic advance; a paused automatic show counts as
// manual, so this resumes it.
void SlideShowWindow::toggle_automatic() {
    const bool now_automatic = !advancing();
    automatic_ = now_automatic;
    paused_ = false;
    ctx_.settings.save_setting(QStringLiteral("autom"), flag_text(now_automatic));
    apply_timer();
    update_labels();
}

void SlideShowWindow::resume(bool automatic) {
    automatic_ = automatic;
    paused_ = false;
    apply_timer();
    update_labels();
}

void SlideShowWindow::ask_interval() {
    pause();
    const auto answer = ctx_.prompter.input(translate(QStringLiteral("New interval?")),
                                            translate(QStringLiteral("Set new interval in milliseconds")),
                                            QString::number(interval_));
    if (!answer) return;
    bool number = false;
    const int milliseconds = answer->trimmed().toInt(&number);
    if (!number || milliseconds <= 0) return;
    interval_ = milliseconds;
    ctx_.pictures.interval = milliseconds;
    ctx_.settings.save_setting(QStringLiteral("interval"), QString::number(milliseconds));
    update_labels();
}

void SlideShowWindow::toggle_status_line() {
    const bool showing = !labels_[ShowHideLabel]->isHidden();
    for (ClickableLabel* label : labels_)
        label->setVisible(!showing);
}

void SlideShowWindow::copy_to_clipboard() {
    if (!canvas_->image().isNull()) ctx_.desktop.set_clipboard_image(canvas_->image());
}

void SlideShowWindow::save_as() {
    pause();
    if (!show_.current_path().isEmpty()) save_picture_copy(ctx_, show_.current_path());
}

void SlideShowWindow::delete_current() {
    pause();
    const QString path = show_.current_path();
    if (path.isEmpty() || !delete_picture(ctx_, ctx_.pictures, path)) return;
    after_move(show_.forward());
}

void SlideShowWindow::edit_current() {
    pause();
    edit_picture(ctx_, picture_editor_path(ctx_, ctx_.pictures), show_.current_path());
}

// Enter and a double click: the picture in a window of its own, or back to the window this
// view was switched from. B ends the show as it does so.
void SlideShowWindow::open_in_window(bool stop_show) {
    pause();
    const QString path = show_.current_path();
    if (return_to_) {
        close();
        return;
    }
    if (stop_show) close();
    if (!path.isEmpty()) viewer_.show_picture(path);
}

void SlideShowWindow::zoom(QSize shown) {
    const QString path = show_.current_path();
    if (!shown.isValid() || shown == shown_size_ || !is_picture_file_name(path)) return;
    display(read_picture(path, shown));
}

void SlideShowWindow::reload() {
    if (show_.current() < 0) return;
    prefetch_path_.clear();
    display_current(false);
}

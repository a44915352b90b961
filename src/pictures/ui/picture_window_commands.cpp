// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture window's commands, by key and by its pop-up menu.
#include "core/app_context.h"
#include "core/translate.h"
#include "pictures/picture_image.h"
#include "pictures/picture_operations.h"
#include "pictures/show_files.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_window.h"
#include "pictures/ui/picture_window_canvas.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <array>

namespace {

struct WindowCommand {
    const char* name;
    const char* caption;
    void (PictureWindow::*run)();
};

const std::array<WindowCommand, 18> window_commands{{
    {"m_copy_to_clipboard", "Copy to clipboard (Ctrl+C)", &PictureWindow::copy_to_clipboard},
    {"m_normal_size", "Normal size (F2)", &PictureWindow::show_normal_size},
    {"m_fit_to_window", "Fit to window (*)", &PictureWindow::fit_to_window},
    {"m_enlarge", "Enlarge (+)", &PictureWindow::enlarge},
    {"m_reduce", "Reduce (-)", &PictureWindow::reduce},
    {"m_refresh", "Refresh (F5)", &PictureWindow::refresh},
    {"m_delete_file", "Delete file (Del)", &PictureWindow::delete_picture_file},
    {"m_rename_file", "Rename file (N)", &PictureWindow::rename_file},
    {"m_edit_file", "Edit picture (E)", &PictureWindow::edit_file},
    {"m_copy_file", "Copy file (A)", &PictureWindow::copy_file},
    {"m_thumbnails_all_pic_in_same_dir", "Thumbnails of all pictures in the same directory (T)",
     &PictureWindow::thumbnails_of_directory},
    {"m_slide_show_all_pic_in_same_dir", "Slide show of all pictures in the same directory (S)",
     &PictureWindow::slide_show_of_directory},
    {"m_black_background", "Black background (B)", &PictureWindow::toggle_black_background},
    {"m_borderless", "Borderless window (H)", &PictureWindow::toggle_borderless},
    {"m_aquarium", "Aquarium mode (M)", &PictureWindow::toggle_aquarium},
    {"m_main_panel", "Main panel (P)", &PictureWindow::open_main_panel},
    {"m_agenda", "Agenda", &PictureWindow::open_agenda},
    {"m_exit", "Exit (Esc)", nullptr},
}};

} // namespace

void PictureWindow::build_popup() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("m_popup"));
    for (const WindowCommand& command : window_commands) {
        QAction* action = popup_->addAction(translate(QString::fromUtf8(command.caption)));
        action->setObjectName(QString::fromLatin1(command.name));
        const auto run = command.run;
        connect(action, &QAction::triggered, this, [this, run] {
            if (run)
                (this->*run)();
            else
                close();
        });
    }
}

bool PictureWindow::run_key(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers().testFlag(Qt::ControlModifier)) {
        if (key != Qt::Key_C) return false;
        copy_to_clipboard();
        return true;
    }
    void (PictureWindow::*run)() = nullptr;
    switch (key) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        run = &PictureWindow::switch_to_full_screen;
        break;
    case Qt::Key_F2:
    case Qt::Key_Slash:
        run = &PictureWindow::show_normal_size;
        break;
    case Qt::Key_F5:
        run = &PictureWindow::refresh;
        break;
    case Qt::Key_Delete:
        run = &PictureWindow::delete_picture_file;
        break;
    case Qt::Key_T:
        run = &PictureWindow::thumbnails_of_directory;
        break;
    case Qt::Key_S:
        run = &PictureWindow::slide_show_of_directory;
        break;
    case Qt::Key_A:
        run = &PictureWindow::copy_file;
        break;
    case Qt::Key_B:
        run = &PictureWindow::toggle_black_background;
        break;
    case Qt::Key_H:
        run = &PictureWindow::toggle_borderless;
        break;
    case Qt::Key_M:
        run = &PictureWindow::toggle_aquarium;
        break;
    case Qt::Key_P:
        run = &PictureWindow::open_main_panel;
        break;
    case Qt::Key_N:
        run = &PictureWindow::rename_file;
        break;
    case Qt::Key_E:
        run = &PictureWindow::edit_file;
        break;
    case Qt::Key_Plus:
        run = &PictureWindow::enlarge;
        break;
    case Qt::Key_Minus:
        run = &PictureWindow::reduce;
        break;
    case Qt::Key_Asterisk:
        run = &PictureWindow::fit_to_window;
        break;
    default:
        return false;
    }
    (this->*run)();
    return true;
}

void PictureWindow::copy_to_clipboard() {
    if (!canvas_->image().isNull()) ctx_.desktop.set_clipboard_image(canvas_->image());
}

void PictureWindow::show_normal_size() {
    show_at(normal_size(full_size_));
}

void PictureWindow::enlarge() {
    show_at(enlarged(shown_size_));
}

void PictureWindow::reduce() {
    show_at(reduced(shown_size_));
}

void PictureWindow::fit_to_window() {
    show_at(fit_size(full_size_, canvas_->size(), true));
}

void PictureWindow::refresh() {
    show_at(shown_size_);
}

void PictureWindow::delete_picture_file() {
    if (delete_picture(ctx_, ctx_.pictures, path_)) close();
}

void PictureWindow::rename_file() {
    const auto renamed = rename_picture(ctx_, ctx_.pictures, path_);
    if (!renamed) return;
    path_ = *renamed;
    setWindowTitle(QDir::toNativeSeparators(path_));
}

void PictureWindow::edit_file() {
    edit_picture(ctx_, picture_editor_path(ctx_, ctx_.pictures), path_);
}

void PictureWindow::copy_file() {
    save_picture_copy(ctx_, path_);
}

void PictureWindow::thumbnails_of_directory() {
    viewer_.thumbnails_of_directory(QFileInfo(path_).absolutePath());
}

void PictureWindow::slide_show_of_directory() {
    viewer_.slide_show_of_directory(QFileInfo(path_).absolutePath());
}

void PictureWindow::open_main_panel() {
    viewer_.open_browser();
}

void PictureWindow::open_agenda() {
    ::open_agenda(ctx_);
}

void PictureWindow::toggle_black_background() {
    black_background_ = !black_background_;
    canvas_->set_background(black_background_ ? QColor(Qt::black) : palette().color(QPalette::Window));
}

// H: form_nf and its borderless twin form_nf2 are one window with its frame on or off.
void PictureWindow::toggle_borderless() {
    if (borderless_) aquarium_timer_.stop();
    borderless_ = !borderless_;
    setObjectName(borderless_ ? QStringLiteral("form_nf2") : QStringLiteral("form_nf"));
    const QPoint corner = pos();
    setWindowFlag(Qt::FramelessWindowHint, borderless_);
    size_to_picture();
    move(corner);
    show();
}

// M: aquarium mode belongs to the borderless window; a framed window turns borderless first.
void PictureWindow::toggle_aquarium() {
    if (aquarium_timer_.isActive()) {
        aquarium_timer_.stop();
        return;
    }
    if (!borderless_) toggle_borderless();
    aquarium_timer_.start();
}

void PictureWindow::switch_to_full_screen() {
    aquarium_timer_.stop();
    viewer_.switch_to_full_screen(*this, path_);
}

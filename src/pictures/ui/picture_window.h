// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/show_view.h"

#include <QPointer>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>

class AppContext;
class PictureCanvas;
class PictureViewer;
class PictureWindows;
class QMenu;

// A picture in a window of its own (form_nf; form_nf2 when borderless). The window takes the
// picture's size, fitted to the screen when the picture is larger; its caption is the file's path.
// Commands by key and by the pop-up menu (m_popup).
class PictureWindow : public QWidget {
public:
    PictureWindow(PictureViewer& viewer, PictureWindows& table, int slot, QString path);
    ~PictureWindow() override;
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;

    // Reads the picture and shows the window; false, with the message shown, when the picture
    // cannot be read (the window is not shown then).
    bool load();

    int slot() const { return slot_; }
    const QString& path() const { return path_; }
    QSize full_size() const { return full_size_; }
    QSize shown_size() const { return shown_size_; }
    bool borderless() const { return borderless_; }
    QTimer& aquarium_timer() { return aquarium_timer_; }
    QMenu* popup() const { return popup_; }
    const PictureCanvas& canvas() const { return *canvas_; }

    // The commands (picture_window_commands.cpp).
    void copy_to_clipboard();
    void show_normal_size();
    void refresh();
    void delete_picture_file();
    void thumbnails_of_directory();
    void slide_show_of_directory();
    void copy_file();
    void toggle_black_background();
    void toggle_borderless();
    void toggle_aquarium();
    void open_main_panel();
    void rename_file();
    void edit_file();
    void enlarge();
    void reduce();
    void fit_to_window();
    void open_agenda();
    void switch_to_full_screen();
    // One tick of the aquarium timer.
    void swim();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool show_at(QSize shown);
    void size_to_picture();
    void place_on_screen();
    void save_place();
    void build_popup();
    bool run_key(const QKeyEvent& event);
    QRect available_screen() const;

    PictureViewer& viewer_;
    AppContext& ctx_;
    PictureWindows& table_;
    int slot_;
    QString path_;
    PictureCanvas* canvas_ = nullptr;
    QMenu* popup_ = nullptr;
    QSize full_size_;
    QSize shown_size_;
    bool borderless_ = false;
    bool black_background_ = false;
    QTimer aquarium_timer_;
    SwimDirection direction_ = SwimDirection::DownRight;
    QPoint drag_offset_;
};

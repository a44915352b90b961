// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"
#include "shell/general_commands.h"

#include <QIcon>
#include <QMainWindow>
#include <functional>

class AppContext;
class QMdiArea;
class QToolBar;
struct DragPayload;

// The frame holding every other window of the program in its MDI area.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Program title, database title, date and time; set on load and after every database opening.
    void set_main_caption();
    // Places the window where the open database remembers it (screen-sized when nothing is kept).
    // Does nothing while no database is open.
    void restore_geometry();
    // The frame's position and the inside's size in twips, as the database keeps them.
    TwipsRect geometry_twips() const;
    bool is_minimised() const;
    // No window inside (nor any other window) has the focus: keys typed now are the main
    // window's own.
    bool has_own_focus() const;

    QMdiArea* mdi_area() const { return mdi_area_; }
    QToolBar* toolbar() const { return toolbar_; }

    // Rebuilds Toolbar1 with these buttons, at 32 pixels when `large`, else 16.
    void build_toolbar(const std::vector<ToolbarButton>& buttons, bool large);
    // Resizes the window to the smallest rectangle that encloses every open window inside it,
    // kept on the screen; nothing while minimised or maximised or with no window open.
    void shrink_to_windows();

    // A toolbar button was clicked (`alt`: Alt was held).
    std::function<void(const ToolbarButton& button, bool alt)> on_toolbar_button;
    // A right click on the background or the toolbar.
    std::function<void()> on_general_menu;
    // A left click in the top strip of the background while the toolbar is hidden.
    std::function<void()> on_show_toolbar;
    // A key the windows inside did not take; true when consumed.
    std::function<bool(QKeyEvent* event)> on_key;
    // A map panel or category dropped on the background.
    std::function<void(const DragPayload& payload)> on_drop;
    // Double click on the background.
    std::function<void()> on_background_double_click;

    // Asked when the window is about to close: the session saves what it must and answers
    // whether the window may close. Without a hook the window closes.
    std::function<bool()> on_close;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool background_event(QEvent* event);
    void keep_on_screen();

    AppContext& ctx_;
    QMdiArea* mdi_area_;
    QToolBar* toolbar_;
    std::vector<ToolbarButton> buttons_;
    bool alt_click_ = false;
    bool keeping_on_screen_ = false;
};

// The program's icon, drawn rather than loaded so that it needs no file: a board of tag panels.
QIcon program_icon();

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"

#include <QIcon>
#include <QMainWindow>
#include <functional>

class AppContext;
class QMdiArea;

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

    QMdiArea* mdi_area() const { return mdi_area_; }

    // Asked when the window is about to close: the session saves what it must and answers
    // whether the window may close. Without a hook the window closes.
    std::function<bool()> on_close;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& ctx_;
    QMdiArea* mdi_area_;
};

// The program's icon, drawn rather than loaded so that it needs no file: a board of tag panels.
QIcon program_icon();

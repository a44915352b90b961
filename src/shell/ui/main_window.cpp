// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/main_window.h"

#include "core/app_context.h"
#include "shell/main_caption.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMdiArea>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace {

int to_pixels(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(twips_per_pixel)));
}

QPixmap draw_icon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x4e, 0x5f));
    painter.drawRoundedRect(QRectF(0, 0, size, size), 3 * unit, 3 * unit);
    // Three columns of panels of uneven heights, as a map lays out its items.
    const QColor panels[] = {QColor(0xf4, 0xd3, 0x5e), QColor(0xf2, 0xf2, 0xe9), QColor(0x9c, 0xd6, 0xc8)};
    const qreal heights[3][2] = {{5, 6}, {3, 8}, {7, 4}};
    for (int column = 0; column < 3; ++column) {
        qreal top = 2 * unit;
        for (int row = 0; row < 2; ++row) {
            painter.setBrush(panels[(column + row) % 3]);
            const QRectF panel(2 * unit + column * 4.2 * unit, top, 3.4 * unit, heights[column][row] * unit);
            painter.drawRoundedRect(panel, unit * 0.6, unit * 0.6);
            top += heights[column][row] * unit + unit;
        }
    }
    return pixmap;
}

} // namespace

QIcon program_icon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(draw_icon(size));
    return icon;
}

MainWindow::MainWindow(AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowIcon(program_icon());
    mdi_area_ = new QMdiArea(this);
    mdi_area_->setObjectName(QStringLiteral("mdi_area"));
    setCentralWidget(mdi_area_);
}

MainWindow::~MainWindow() {
    ctx_.main_window_loaded = false;
}

void MainWindow::set_main_caption() {
    setWindowTitle(main_caption(ctx_.db_title, ctx_.clock.now(), ctx_.recompilation_needed));
}

void MainWindow::restore_geometry() {
    if (!ctx_.db) return;
    const TwipsRect place = restore_main_window_geometry(*ctx_.db, ctx_.screen);
    // The position is the frame's and the size the inside's, as Qt's move() and resize() take
    // them: both are known before the window manager has framed the window, so what is saved
    // is what was restored, however the window is shown.
    move(to_pixels(place.left), to_pixels(place.top));
    resize(std::max(1, to_pixels(place.width)), std::max(1, to_pixels(place.height)));
}

TwipsRect MainWindow::geometry_twips() const {
    return {y() * twips_per_pixel, x() * twips_per_pixel, width() * twips_per_pixel,
            height() * twips_per_pixel};
}

bool MainWindow::is_minimised() const {
    return isMinimized();
}

void MainWindow::showEvent(QShowEvent* event) {
    ctx_.main_window_loaded = true;
    QMainWindow::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (on_close && !on_close()) {
        event->ignore();
        return;
    }
    event->accept();
}

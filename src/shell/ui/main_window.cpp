// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/main_window.h"

#include "core/app_context.h"
#include "core/ui/icons.h"
#include "maps/map_editing.h"
#include "maps/ui/map_panel.h"
#include "shell/main_caption.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>
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
    // Closing a window brings back the one the user came from, not the oldest one.
    mdi_area_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    // The background takes right clicks, the top strip, double clicks and drops of panels.
    mdi_area_->viewport()->installEventFilter(this);
    mdi_area_->viewport()->setAcceptDrops(true);
    mdi_area_->setAcceptDrops(true);

    toolbar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar_->installEventFilter(this);
    addToolBar(Qt::TopToolBarArea, toolbar_);
}

void MainWindow::build_toolbar(const std::vector<ToolbarButton>& buttons, bool large) {
    toolbar_->clear();
    buttons_ = buttons;
    const int size = large ? 32 : 16;
    toolbar_->setIconSize(QSize(size, size));
    for (const ToolbarButton& button : buttons_) {
        QAction* action =
            toolbar_->addAction(button.position != 0 ? collection_icon(ctx_.program_dir, button.position)
                                                     : command_icon(button.key),
                                button.tooltip);
        action->setObjectName(button.key);
        action->setToolTip(button.tooltip);
        action->setStatusTip(button.tooltip);
        if (QWidget* widget = toolbar_->widgetForAction(action)) {
            widget->setObjectName(button.key);
            widget->installEventFilter(this);
        }
        const ToolbarButton copy = button;
        connect(action, &QAction::triggered, this, [this, copy] {
            const bool alt = alt_click_;
            alt_click_ = false;
            if (on_toolbar_button) on_toolbar_button(copy, alt);
        });
    }
}

void MainWindow::shrink_to_windows() {
    if (isMinimized() || isMaximized()) return;
    QRect enclosing;
    for (QMdiSubWindow* window : mdi_area_->subWindowList())
        if (window->isVisible() && !window->isMinimized()) enclosing = enclosing.united(window->geometry());
    if (enclosing.isNull()) return;
    // The inner area must reach the right and bottom edges of the windows; the top-left
    // corner of the area stays where it is, so the windows do not move.
    const QSize chrome = size() - mdi_area_->viewport()->size();
    QSize wanted(enclosing.right() + 1 + chrome.width(), enclosing.bottom() + 1 + chrome.height());
    const int max_width = ctx_.screen.width_twips() / twips_per_pixel - x();
    const int max_height = (ctx_.screen.height_twips() - 400) / twips_per_pixel - y();
    wanted = wanted.boundedTo(QSize(std::max(1, max_width), std::max(1, max_height)));
    resize(wanted.expandedTo(minimumSizeHint()));
}

void MainWindow::keep_on_screen() {
    if (keeping_on_screen_ || isMinimized() || isMaximized() || ctx_.screen.width_twips() <= 0) return;
    keeping_on_screen_ = true;
    // Sizes are compared as they are kept (the inside of the frame), like the restored geometry.
    const int screen_width = ctx_.screen.width_twips() / twips_per_pixel;
    const int screen_height = (ctx_.screen.height_twips() - 400) / twips_per_pixel;
    if (width() > screen_width || height() > screen_height)
        resize(std::min(width(), std::max(1, screen_width)), std::min(height(), std::max(1, screen_height)));
    keeping_on_screen_ = false;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (on_key && on_key(event)) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    keep_on_screen();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdi_area_->viewport())
        return background_event(event) || QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Toolbar and its buttons: remember an Alt-click for the collection buttons; a right
        // click opens the general menu.
        if (mouse->button() == Qt::RightButton) {
            if (on_general_menu) on_general_menu();
            return true;
        }
        alt_click_ = mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::AltModifier);
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::background_event(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int top_strip = 400 / twips_per_pixel;
        if (toolbar_->isHidden() && mouse->position().y() < top_strip) {
            if (on_show_toolbar) on_show_toolbar();
            return true;
        }
        if (mouse->button() == Qt::RightButton) {
            if (on_general_menu) on_general_menu();
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonDblClick:
        if (on_background_double_click) on_background_double_click();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!drag->mimeData()->hasFormat(panel_drag::mime_type)) return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto payload = panel_drag::decode(drop->mimeData());
        if (!payload) return false;
        drop->acceptProposedAction();
        if (on_drop) on_drop(*payload);
        return true;
    }
    default:
        return false;
    }
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

bool MainWindow::has_own_focus() const {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == this || focus == mdi_area_ || focus == mdi_area_->viewport()) return true;
    return toolbar_->isAncestorOf(focus);
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

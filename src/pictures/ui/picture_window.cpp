// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_window.h"

#include "core/app_context.h"
#include "core/geometry.h"
#include "core/settings.h"
#include "pictures/picture_image.h"
#include "pictures/ui/picture_viewer.h"
#include "pictures/ui/picture_window_canvas.h"
#include "pictures/ui/picture_windows.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Room left on the screen for a window's frame and caption.
constexpr QSize frame_allowance(16, 48);
// Each new window sits a little below and right of the one before, so that none hides another.
constexpr int cascade_step = 24;

} // namespace

PictureWindow::PictureWindow(PictureViewer& viewer, PictureWindows& table, int slot, QString path)
    : QWidget(nullptr), viewer_(viewer), ctx_(viewer.context()), table_(table), slot_(slot),
      path_(std::move(path)) {
    setObjectName(QStringLiteral("form_nf"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    canvas_ = new PictureCanvas(this);
    canvas_->setObjectName(QStringLiteral("picture"));
    canvas_->on_double_click = [this] { switch_to_full_screen(); };
    layout->addWidget(canvas_);
    aquarium_timer_.setObjectName(QStringLiteral("timer_aquarium"));
    aquarium_timer_.setInterval(30);
    connect(&aquarium_timer_, &QTimer::timeout, this, &PictureWindow::swim);
    build_popup();
}

// The slot was given back as the window closed: a window deleted later, after a closed one's
// deferred deletion, may outlive the table.
PictureWindow::~PictureWindow() = default;

QRect PictureWindow::available_screen() const {
    const QScreen* shown_on = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown_on ? shown_on->availableGeometry() : QRect(0, 0, 1024, 768);
}

bool PictureWindow::load() {
    const QSize full = picture_size(path_);
    const QSize room = available_screen().size() - frame_allowance;
    if (!show_at(full.isValid() ? window_picture_size(full, room) : QSize())) return false;
    setWindowTitle(QDir::toNativeSeparators(path_));
    place_on_screen();
    show();
    activateWindow();
    return true;
}

// Reads the picture at `shown` (decoded at that size) and sizes the window to it.
bool PictureWindow::show_at(QSize shown) {
    const PictureRead read = read_picture(path_, shown);
    if (!read.error.isEmpty()) {
        ctx_.prompter.message(read.error);
        return false;
    }
    full_size_ = read.full_size;
    shown_size_ = read.image.size();
    canvas_->set_image(read.image);
    size_to_picture();
    return true;
}

void PictureWindow::size_to_picture() {
    const QSize room = available_screen().size() - (borderless_ ? QSize(0, 0) : frame_allowance);
    resize(shown_size_.boundedTo(room).expandedTo(QSize(64, 48)));
}

void PictureWindow::place_on_screen() {
    const QRect screen_area = available_screen();
    const QString left = ctx_.settings.get_setting(QStringLiteral("form_nf_left"));
    const QString top = ctx_.settings.get_setting(QStringLiteral("form_nf_top"));
    QPoint corner = screen_area.center() - QPoint(width() / 2, height() / 2);
    if (!left.isEmpty() && !top.isEmpty())
        corner = QPoint(left.toInt() / twips_per_pixel, top.toInt() / twips_per_pixel);
    corner += QPoint(cascade_step, cascade_step) * ((slot_ - 1) % 10);
    // Never beyond the screen: the whole window stays on it.
    const int x =
        std::clamp(corner.x(), screen_area.left(),
                   std::max(screen_area.left(), screen_area.right() + 1 - width() - frame_allowance.width()));
    const int y = std::clamp(
        corner.y(), screen_area.top(),
        std::max(screen_area.top(), screen_area.bottom() + 1 - height() - frame_allowance.height()));
    move(x, y);
}

void PictureWindow::save_place() {
    // Kept without this window's cascade step, so that the next first window opens here.
    const QPoint corner = pos() - QPoint(cascade_step, cascade_step) * ((slot_ - 1) % 10);
    ctx_.settings.save_setting(QStringLiteral("form_nf_left"), QString::number(corner.x() * twips_per_pixel));
    ctx_.settings.save_setting(QStringLiteral("form_nf_top"), QString::number(corner.y() * twips_per_pixel));
}

void PictureWindow::closeEvent(QCloseEvent* event) {
    aquarium_timer_.stop();
    save_place();
    table_.release(slot_, this);
    QWidget::closeEvent(event);
}

void PictureWindow::keyPressEvent(QKeyEvent* event) {
    if (run_key(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureWindow::contextMenuEvent(QContextMenuEvent* event) {
    popup_->popup(event->globalPos());
}

void PictureWindow::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    switch_to_full_screen();
}

// A borderless window has no caption to drag it by: it follows the mouse with the left button.
void PictureWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) drag_offset_ = event->globalPosition().toPoint() - pos();
    QWidget::mousePressEvent(event);
}

void PictureWindow::mouseMoveEvent(QMouseEvent* event) {
    if (borderless_ && (event->buttons() & Qt::LeftButton) != 0)
        move(event->globalPosition().toPoint() - drag_offset_);
    QWidget::mouseMoveEvent(event);
}

void PictureWindow::swim() {
    if (!ctx_.allow_automatic_changes) return;
    const AquariumStep step =
        aquarium_step(pos(), frameGeometry().size(), available_screen(), direction_, ctx_.random);
    direction_ = step.direction;
    move(step.position);
}

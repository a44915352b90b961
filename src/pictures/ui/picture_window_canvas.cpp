// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ui/picture_window_canvas.h"

#include <QMouseEvent>
#include <QPainter>

PictureCanvas::PictureCanvas(QWidget* parent)
    : QWidget(parent), background_(palette().color(QPalette::Window)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureCanvas::set_image(QImage image) {
    image_ = std::move(image);
    text_.clear();
    update();
}

void PictureCanvas::set_text(const QString& text) {
    image_ = QImage();
    text_ = text;
    update();
}

void PictureCanvas::set_background(const QColor& colour) {
    background_ = colour;
    update();
}

void PictureCanvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (!image_.isNull()) {
        const QPoint corner((width() - image_.width()) / 2, (height() - image_.height()) / 2);
        painter.drawImage(corner, image_);
        return;
    }
    if (text_.isEmpty()) return;
    painter.setPen(background_.lightness() < 128 ? Qt::white : Qt::black);
    painter.drawText(rect().adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap, text_);
}

void PictureCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (on_double_click) {
        on_double_click();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

ClickableLabel::ClickableLabel(const QString& object_name, QWidget* parent) : QLabel(parent) {
    setObjectName(object_name);
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (on_click && event->button() == Qt::LeftButton) {
        event->accept();
        on_click();
        return;
    }
    QLabel::mousePressEvent(event);
}

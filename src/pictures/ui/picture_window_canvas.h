// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <functional>

// The surface a picture is painted on in the picture windows and the slide show: the picture
// centred on a plain background, or a text (an error) in its place. A double click runs
// `on_double_click`.
class PictureCanvas : public QWidget {
public:
    explicit PictureCanvas(QWidget* parent = nullptr);

    void set_image(QImage image);
    void set_text(const QString& text);
    const QImage& image() const { return image_; }
    const QString& text() const { return text_; }
    void set_background(const QColor& colour);
    QColor background() const { return background_; }

    std::function<void()> on_double_click;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QString text_;
    QColor background_;
};

// A label of the slide show's status line: each one is a command when clicked.
class ClickableLabel : public QLabel {
public:
    ClickableLabel(const QString& object_name, QWidget* parent);
    std::function<void()> on_click;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

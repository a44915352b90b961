// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/text_window.h"

#include "core/app_context.h"
#include "core/geometry.h"
#include "core/params.h"
#include "shell/text_windows.h"
#include "shell/ui/fixed_text_box.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

const QString geometry_name = QStringLiteral("f_msgbox");

int to_pixels(int twips) {
    return (twips + twips_per_pixel / 2) / twips_per_pixel;
}

} // namespace

TextWindow::TextWindow(AppContext& ctx, const QString& text, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    setObjectName(geometry_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);

    text_ = new FixedTextBox(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->set_fixed_text(text);
    ok_button_ = new QPushButton(QStringLiteral("OK"), this);
    ok_button_->setObjectName(QStringLiteral("b_ok"));
    connect(ok_button_, &QPushButton::clicked, this, &QWidget::close);

    // Rounded up, so that the window is never below the minimum.
    setMinimumHeight((text_window_min_height + twips_per_pixel - 1) / twips_per_pixel);
    TwipsRect place{0, 0, 5000, 6000};
    if (ctx_.db) place = restore_form_position(*ctx_.db, ctx_.screen, geometry_name, false, place);
    resize(to_pixels(place.width), to_pixels(place.height));
    move(to_pixels(place.left), to_pixels(place.top));
    lay_out();
}

void TextWindow::lay_out() {
    const TextWindowLayout layout = text_window_layout(width() * twips_per_pixel, height() * twips_per_pixel);
    auto place = [](QWidget* widget, const TwipsRect& r) {
        widget->setGeometry(to_pixels(r.left), to_pixels(r.top), to_pixels(r.width), to_pixels(r.height));
    };
    place(text_, layout.text);
    place(ok_button_, layout.button);
}

void TextWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lay_out();
}

void TextWindow::closeEvent(QCloseEvent* event) {
    if (ctx_.db) {
        const TwipsRect place{y() * twips_per_pixel, x() * twips_per_pixel, width() * twips_per_pixel,
                              height() * twips_per_pixel};
        try {
            save_form_position(*ctx_.db, geometry_name, false, place, isMinimized());
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}

void TextWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TextWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) text_->setFocus();
}

TextWindow* show_text_window(AppContext& ctx, QWidget* parent, const QString& text, const QString& caption) {
    auto* window = new TextWindow(ctx, text, caption, parent);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

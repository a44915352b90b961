// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/tips_window.h"

#include "core/app_context.h"
#include "core/file_helpers.h"
#include "core/geometry.h"
#include "core/key_shift.h"
#include "core/params.h"
#include "core/ui/center_form.h"
#include "core/windows.h"
#include "shell/text_windows.h"
#include "shell/ui/fixed_text_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

constexpr int window_width = 9500;
constexpr int window_height = 4700;
constexpr int margin = 135; // the text box fills the width less 270 twips

QRect twips_rect(int left, int top, int width, int height) {
    return {left / twips_per_pixel, top / twips_per_pixel, width / twips_per_pixel, height / twips_per_pixel};
}

} // namespace

TipsWindow::TipsWindow(AppContext& ctx, const QString& tips, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("f_tips"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tips"));
    setFixedSize(window_width / twips_per_pixel, window_height / twips_per_pixel);

    text_ = new FixedTextBox(this);
    text_->setObjectName(QStringLiteral("Text1"));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter); // where Courier New is missing, another fixed-pitch font
    text_->setFont(font);
    text_->set_fixed_text(tips);
    text_->installEventFilter(this);
    text_->setGeometry(twips_rect(margin, 120, window_width - 2 * margin, 3600));

    show_again_check_ =
        new QCheckBox(QStringLiteral("Show this window every time the program is started"), this);
    show_again_check_->setObjectName(QStringLiteral("c_show_again"));
    show_again_check_->setChecked(true);
    show_again_check_->setGeometry(twips_rect(margin, 3870, 6000, 360));

    esc_button_ = new QPushButton(QStringLiteral("&Exit (ESC)"), this);
    esc_button_->setObjectName(QStringLiteral("b_esc"));
    esc_button_->setGeometry(twips_rect(window_width - margin - 1500, 3840, 1500, 420));
    connect(esc_button_, &QPushButton::clicked, this, &QWidget::close);

    // Inside the main window, in its middle; alone, in the middle of the screen.
    if (parent) {
        const QRect frame = parent->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    } else {
        center_form(*this);
    }
    text_->setFocus();
}

void TipsWindow::closeEvent(QCloseEvent* event) {
    if (ctx_.db) {
        try {
            remember_show_initial_tips(*ctx_.db, show_again_check_->isChecked());
        } catch (const DbError& error) {
            report_error(ctx_.prompter, error);
        }
    }
    event->accept();
}

void TipsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if (ctx_.windows.handle_hot_key(shift_bits(event->modifiers()), event->key())) return;
    QWidget::keyPressEvent(event);
}

// Keys typed in the text box meet Escape and the program's hot keys before the box sees them.
bool TipsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            close();
            return true;
        }
        if (ctx_.windows.handle_hot_key(shift_bits(key->modifiers()), key->key())) return true;
    }
    return QWidget::eventFilter(watched, event);
}

TipsWindow* show_tips_window(AppContext& ctx, QWidget* parent) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* open = qobject_cast<TipsWindow*>(widget);
        if (open && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    const QString path = ctx.program_path(tips_file_name);
    const std::optional<QString> tips = file_exists(path) ? read_tips(path) : std::nullopt;
    if (!tips) {
        ctx.prompter.message(QStringLiteral("File tips.txt not found"));
        return nullptr;
    }
    auto* window = new TipsWindow(ctx, *tips, parent);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

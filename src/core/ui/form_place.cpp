// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/form_place.h"

#include "core/app_context.h"
#include "core/key_shift.h"
#include "core/windows.h"

#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QWidget>

namespace {

constexpr int px(int twips) {
    return twips / twips_per_pixel;
}

} // namespace

QMdiSubWindow* frame_of(const QWidget& window) {
    return qobject_cast<QMdiSubWindow*>(window.parentWidget());
}

TwipsRect form_place(const QWidget& window) {
    const QMdiSubWindow* frame = frame_of(window);
    const QRect rect = frame ? frame->geometry() : window.geometry();
    return TwipsRect{rect.top() * twips_per_pixel, rect.left() * twips_per_pixel,
                     rect.width() * twips_per_pixel, rect.height() * twips_per_pixel};
}

void apply_form_place(QWidget& window, const TwipsRect& place) {
    const QRect rect(px(place.left), px(place.top), px(place.width), px(place.height));
    if (QMdiSubWindow* frame = frame_of(window))
        frame->setGeometry(rect);
    else
        window.setGeometry(rect);
}

bool form_minimised(const QWidget& window) {
    const QMdiSubWindow* frame = frame_of(window);
    return frame ? frame->isMinimized() : window.isMinimized();
}

void close_form(QWidget& window) {
    if (QMdiSubWindow* frame = frame_of(window))
        frame->close();
    else
        window.close();
}

void set_form_caption(QWidget& window, const QString& caption, const QIcon& icon) {
    window.setWindowTitle(caption);
    if (!icon.isNull()) window.setWindowIcon(icon);
    if (QMdiSubWindow* frame = frame_of(window)) {
        frame->setWindowTitle(caption);
        if (!icon.isNull()) frame->setWindowIcon(icon);
    }
}

bool pass_to_hot_keys(AppContext& ctx, const QKeyEvent& event) {
    return ctx.windows.handle_hot_key(shift_bits(event.modifiers()), event.key());
}

bool is_text_editing_key(const QKeyEvent& event) {
    static const QKeySequence::StandardKey editing[] = {
        QKeySequence::Copy,
        QKeySequence::Cut,
        QKeySequence::Paste,
        QKeySequence::Undo,
        QKeySequence::Redo,
        QKeySequence::SelectAll,
        QKeySequence::MoveToNextWord,
        QKeySequence::MoveToPreviousWord,
        QKeySequence::SelectNextWord,
        QKeySequence::SelectPreviousWord,
        QKeySequence::MoveToStartOfDocument,
        QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectStartOfDocument,
        QKeySequence::SelectEndOfDocument,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfWord,
    };
    for (const auto key : editing)
        if (event.matches(key)) return true;
    return false;
}

QString field_text(const QPlainTextEdit& field) {
    QString text = field.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    return text;
}

QFont fixed_pitch_font(float point_size) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(point_size);
    return font;
}

bool text_form_key(AppContext& ctx, QWidget& window, const QKeyEvent& event,
                   const std::function<void()>& save_and_exit) {
    // While a modal flow runs (the lock box), keys reach no window.
    if (ctx.key_lock) return true;
    if (is_text_editing_key(event)) return false;
    if (pass_to_hot_keys(ctx, event)) return true;
    switch (event.key()) {
    case Qt::Key_Escape:
        close_form(window);
        return true;
    case Qt::Key_F12:
        save_and_exit();
        return true;
    default:
        return false;
    }
}

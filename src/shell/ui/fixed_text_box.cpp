// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/fixed_text_box.h"

#include <QScopedValueRollback>
#include <QTextCursor>

FixedTextBox::FixedTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    // Dropped text would be a change as well; refusing it spares the flicker of putting it back.
    setAcceptDrops(false);
    connect(this, &QPlainTextEdit::textChanged, this, &FixedTextBox::put_back);
}

void FixedTextBox::set_fixed_text(const QString& text) {
    const QScopedValueRollback guard(restoring_, true);
    setPlainText(text);
    // Kept as the document gives it back, so that comparing with it tells real changes only.
    text_ = toPlainText();
}

void FixedTextBox::put_back() {
    if (restoring_ || toPlainText() == text_) return;
    const QScopedValueRollback guard(restoring_, true);
    const int position = textCursor().position();
    setPlainText(text_);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(position, static_cast<int>(text_.size())));
    setTextCursor(cursor);
}

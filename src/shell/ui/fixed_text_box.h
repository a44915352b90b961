// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

// A multi-line text box whose text the user can read, select and copy but not change: any change
// puts the given text back, keeping the caret where it was. It has no edit menu.
class FixedTextBox final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit FixedTextBox(QWidget* parent = nullptr);

    void set_fixed_text(const QString& text);
    // The text as the box shows it.
    const QString& fixed_text() const { return text_; }

private:
    void put_back();

    QString text_;
    bool restoring_ = false;
};

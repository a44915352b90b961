// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AppContext;
class FixedTextBox;
class QPushButton;

// f_msgbox: a long read-only text with an OK button (hot keys, About, version history). Its place
// and size are kept in the database under "f_msgbox_top", "_left", "_width" and "_height".
class TextWindow final : public QWidget {
    Q_OBJECT
public:
    TextWindow(AppContext& ctx, const QString& text, const QString& caption, QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void lay_out();

    AppContext& ctx_;
    FixedTextBox* text_;
    QPushButton* ok_button_;
};

// Shows `text` in a new text window under `caption` and returns at once (the window closes and
// deletes itself).
TextWindow* show_text_window(AppContext& ctx, QWidget* parent, const QString& text, const QString& caption);

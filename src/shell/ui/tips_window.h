// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class AppContext;
class FixedTextBox;
class QCheckBox;
class QPushButton;

// f_tips: the tips of "tips.txt" in a fixed-size window, read-only, with the choice of showing
// them at every start ("show_initial_tips", stored when the window closes).
class TipsWindow final : public QWidget {
    Q_OBJECT
public:
    TipsWindow(AppContext& ctx, const QString& tips, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& ctx_;
    FixedTextBox* text_;
    QCheckBox* show_again_check_;
    QPushButton* esc_button_;
};

// Shows the tips of the program directory's "tips.txt" inside `parent` (the main window), or
// raises the tips window already open. Without the file it says "File tips.txt not found" and
// returns nullptr.
TipsWindow* show_tips_window(AppContext& ctx, QWidget* parent);

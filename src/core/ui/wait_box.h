// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLabel;

// "Please wait..." in a small borderless box in the middle of the screen, shown while the
// database is compacted and opened. Nothing runs the event loop during that work, so the box
// paints itself at once when shown.
class WaitBox final : public QFrame {
    Q_OBJECT
public:
    explicit WaitBox(QWidget* parent = nullptr);

    // Shows the box without waiting for the user, centred, and paints it before returning.
    void show_now();

private:
    QLabel* label_;
};

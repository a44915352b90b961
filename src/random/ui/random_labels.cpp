// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/ui/random_labels.h"

#include <QPalette>
#include <QWidget>

void paint_label(QWidget& label, const QColor& background) {
    label.setAutoFillBackground(true);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
}

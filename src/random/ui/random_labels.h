// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QWidget;

// Paints a label of a random view or a storm: the background colour and black text.
void paint_label(QWidget& label, const QColor& background);

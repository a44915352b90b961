// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Moves a window so that its frame sits in the middle of the available area of its screen (the
// primary screen for a window not yet shown). The window should have its final size first.
void center_form(QWidget& window);

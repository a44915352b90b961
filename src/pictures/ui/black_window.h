// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// f_black: a plain black window over the whole screen, behind the slide show, so that nothing
// of the desktop shows between pictures.
class BlackWindow : public QWidget {
public:
    BlackWindow();
};

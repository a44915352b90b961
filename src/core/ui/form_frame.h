// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// How a window of the main window is put up: in a frame of the MDI area that is deleted with
// it, or on its own (when there is no area) deleted when closed. The frame takes `frame_name`
// when one is given. nullptr for a window on its own.
QMdiSubWindow* frame_form(QWidget& window, QMdiArea* area, const QString& frame_name = {});
// Shows the window (in its frame when it has one) and makes it the active window.
void show_form(QWidget& window, QMdiSubWindow* frame);

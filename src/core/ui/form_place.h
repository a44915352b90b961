// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"

#include <QFont>
#include <QIcon>
#include <functional>

class AppContext;
class QKeyEvent;
class QMdiSubWindow;
class QPlainTextEdit;
class QWidget;

// What the windows in the main window share: their place in twips (the MDI frame's when they
// live in the main window), closing through that frame, and the program-wide hot keys.

// The MDI frame around `window`, nullptr for a top-level window.
QMdiSubWindow* frame_of(const QWidget& window);
TwipsRect form_place(const QWidget& window);
void apply_form_place(QWidget& window, const TwipsRect& place);
bool form_minimised(const QWidget& window);
// Closes the window through its frame, so that the frame goes with it.
void close_form(QWidget& window);
// Sets the caption (and icon) of the window and of its frame.
void set_form_caption(QWidget& window, const QString& caption, const QIcon& icon = {});

// Hands the key to the program-wide key routine when the main window has set one; true when it
// consumed the key.
bool pass_to_hot_keys(AppContext& ctx, const QKeyEvent& event);
// Copy, paste, undo, select all and the word and document moves of a text field: the program-
// wide routine takes every Ctrl key, and a text window would lose these without this exception.
bool is_text_editing_key(const QKeyEvent& event);

// The keys of the content editor and the notepad: nothing while keys are locked, the text box's
// own editing keys, then the general keys; Escape closes the window, F12 runs `save_and_exit`.
// True when the key was taken.
bool text_form_key(AppContext& ctx, QWidget& window, const QKeyEvent& event,
                   const std::function<void()>& save_and_exit);

// The text of a multi-line field as typed: toPlainText() would turn no-break spaces into plain
// ones, which a content saved back must keep.
QString field_text(const QPlainTextEdit& field);
// Courier New, or the system's fixed-pitch font where it is missing.
QFont fixed_pitch_font(float point_size);

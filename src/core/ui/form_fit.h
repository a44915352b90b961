// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Grows a window (its MDI frame when it has one) so that its controls and its caption show in
// full in the font in use: a stored or default size in twips may have been made for a smaller
// font, and would clip buttons ("ave and exit (F12") and titles. Never wider than the MDI area.
void fit_form_to_content(QWidget& window);

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/calendar_lists.h"

#include <QColor>

// The calendar's tints: the day strip's cells and the focus colours of its lists.
QColor cell_colour(CellColour colour);

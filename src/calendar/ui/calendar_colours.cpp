// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/ui/calendar_colours.h"

QColor cell_colour(CellColour colour) {
    switch (colour) {
    case CellColour::LightYellow:
        return {255, 255, 192};
    case CellColour::LightGrey:
        return {224, 224, 224};
    case CellColour::LightCyan:
        return {192, 255, 255};
    case CellColour::LightGreen:
        return {192, 255, 192};
    case CellColour::White:
        break;
    }
    return Qt::white;
}

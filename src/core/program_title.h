// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The name window captions and message boxes begin with.
inline QString program_title() {
    return QStringLiteral("Tessarin");
}

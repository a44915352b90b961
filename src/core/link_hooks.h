// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// Windows that links can lead to, filled in by those windows when they are part of the program.
// Kept in the context so that every window running a link reaches the same ones.
struct LinkHooks {
    // Makes the picture the current one and shows it in a picture window.
    std::function<void(const QString& path)> show_picture;
};

// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kind of window that was activated last; menus and toolbar act on it.
enum class WindowKind {
    None,
    Map,
    Table,
    Calendar,
    Tree,
    Storm,
    RandomItem,
    GlobalFind,
    MapList,
    FileSearch,
    PictureBrowser
};

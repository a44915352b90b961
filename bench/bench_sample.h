// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app_context.h"
#include "core/database.h"
#include "core/preferences.h"
#include "sample_data.h"

// Generates the plain 100,000-item sample database at `path` and opens it into `ctx` as the
// program does after start-up (collections and preferences loaded).
inline void open_large_sample(AppContext& ctx, const QString& path, const Clock& clock) {
    sample::Options options;
    options.output = path;
    options.items = 100000;
    sample::generate(options, clock);
    ctx.db = Database::open(path, {}, &clock);
    ctx.collections.init_collections();
    load_preferences(ctx);
}

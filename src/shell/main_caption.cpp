// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_caption.h"

#include "core/format.h"
#include "core/program_title.h"

QString main_caption(const QString& db_title, const QDateTime& now, bool recompilation_needed) {
    QString caption = program_title() + QStringLiteral(" (") + db_title + QStringLiteral(") ") +
                      format_date(now, QStringLiteral("dd/mm/yy hh:nn"));
    if (recompilation_needed) caption += QStringLiteral(" (recompilation needed)");
    return caption;
}

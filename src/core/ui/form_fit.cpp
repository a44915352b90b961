// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/form_fit.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QWidget>
#include <algorithm>

void fit_form_to_content(QWidget& window) {
    auto* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    QWidget& outer = frame ? static_cast<QWidget&>(*frame) : window;
    QSize wanted = outer.size().expandedTo(outer.minimumSizeHint());
    if (frame) {
        // The title bar holds the icon, the caption and three buttons, each about a bar high.
        const int bar = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
        int caption = frame->fontMetrics().horizontalAdvance(window.windowTitle()) + 5 * bar;
        if (const QMdiArea* area = frame->mdiArea(); area && area->viewport()->width() > 0)
            caption = std::min(caption, area->viewport()->width());
        wanted.setWidth(std::max(wanted.width(), caption));
    }
    if (wanted != outer.size()) outer.resize(wanted);
}

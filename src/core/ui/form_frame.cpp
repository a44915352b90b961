// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/form_frame.h"

#include <QMdiArea>
#include <QMdiSubWindow>

QMdiSubWindow* frame_form(QWidget& window, QMdiArea* area, const QString& frame_name) {
    if (!area) {
        window.setAttribute(Qt::WA_DeleteOnClose);
        return nullptr;
    }
    QMdiSubWindow* frame = area->addSubWindow(&window);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    if (!frame_name.isEmpty()) frame->setObjectName(frame_name);
    return frame;
}

void show_form(QWidget& window, QMdiSubWindow* frame) {
    if (frame) {
        frame->show();
        if (QMdiArea* area = frame->mdiArea()) area->setActiveSubWindow(frame);
        return;
    }
    window.show();
    window.activateWindow();
}

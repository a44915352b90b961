// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/wait_box.h"

#include "core/translate.h"
#include "core/ui/center_form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

WaitBox::WaitBox(QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("f_please_wait"));
    // Without a title bar the frame is all that sets the box off from what lies behind it.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAttribute(Qt::WA_ShowWithoutActivating);

    label_ = new QLabel(translate(QStringLiteral("Please wait...")), this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setAlignment(Qt::AlignCenter);
    QFont font = label_->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    label_->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 24, 40, 24);
    layout->addWidget(label_);
    adjustSize();
}

void WaitBox::show_now() {
    show();
    // Placed once shown, when its frame is known.
    center_form(*this);
    raise();
    repaint();
    QCoreApplication::processEvents();
}

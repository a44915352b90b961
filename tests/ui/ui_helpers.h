// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Hands the application's modal dialog to `drive` once it is on screen, from inside the dialog's
// own event loop. Call it just before the code that runs the dialog; `drive` must close it.
inline void when_modal_shows(std::function<void(QWidget*)> drive, int tries = 200) {
    QTimer::singleShot(0, qApp, [drive = std::move(drive), tries]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            drive(modal);
        } else if (tries > 0) {
            when_modal_shows(std::move(drive), tries - 1);
        } else {
            ADD_FAILURE() << "no modal dialog appeared";
        }
    });
}

// Types `text` into `widget` key by key, like QTest::keyClicks but for any character: accented
// letters arrive with their own text, as a keyboard with those keys sends them.
inline void type_text(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const auto key = u < 0x80    ? QTest::asciiToKey(static_cast<char>(u))
                         : u < 0x100 ? Qt::Key(c.toUpper().unicode())
                                     : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

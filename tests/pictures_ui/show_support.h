// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pictures/ui/picture_viewer.h"
#include "support/test_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QString>

// Small test pictures in the scratch directory, and a viewer on the test context.
struct ViewerFixture {
    TestContext t;
    PictureViewer viewer{t.ctx};

    // A JPEG of `size` with a gradient, so that each picture differs; its full path.
    QString make_picture(const QString& name, QSize size = QSize(64, 48), int shade = 0) const {
        const QString path = t.env.path(QStringLiteral("pics/") + name);
        QDir().mkpath(t.env.path(QStringLiteral("pics")));
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, size.width(), size.height());
        gradient.setColorAt(0, QColor(shade, 40, 200));
        gradient.setColorAt(1, QColor(255 - shade, 220, 30));
        painter.fillRect(image.rect(), gradient);
        painter.end();
        image.save(path, nullptr, 90);
        return path;
    }
    PictureList list_of(const QStringList& paths) const {
        PictureList list;
        for (const QString& path : paths)
            list.push_back({path, {}});
        return list;
    }
    static void run_deferred_deletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QStringList error_messages() const {
        QStringList errors;
        for (const QString& text : t.prompter.messages())
            if (text.startsWith(QStringLiteral("Error "))) errors.append(text);
        return errors;
    }
};

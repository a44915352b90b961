// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ui/icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// Rendered at the two toolbar sizes and at the sizes window frames ask for, so that Qt never
// scales a bitmap.
QIcon render(const QString& resource) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) return {};
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon command_icon(const QString& key) {
    const QString resource = QStringLiteral(":/icons/") + key + QStringLiteral(".svg");
    if (!QFile::exists(resource)) return {};
    return render(resource);
}

QString custom_icon_file(int position) {
    if (position < 19 || position > 42) return {};
    return QStringLiteral("x%1.ico").arg(position - 18, 2, 10, QLatin1Char('0'));
}

QIcon collection_icon(const QString& program_dir, int position) {
    const QString custom = custom_icon_file(position);
    if (!custom.isEmpty()) {
        const QString path = program_dir + QLatin1Char('/') + custom;
        if (QFile::exists(path)) {
            QIcon icon(path);
            if (!icon.availableSizes().isEmpty() || !icon.pixmap(16).isNull()) return icon;
        }
        return render(QStringLiteral(":/icons/default.svg"));
    }
    const QString resource =
        QStringLiteral(":/icons/coll") + QString::number(position) + QStringLiteral(".svg");
    return render(QFile::exists(resource) ? resource : QStringLiteral(":/icons/default.svg"));
}

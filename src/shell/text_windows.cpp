// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/text_windows.h"

#include "core/params.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>

std::optional<QString> read_tips(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    if (text.isEmpty()) return text;

    QString shown;
    shown.reserve(text.size() + 64);
    const QStringList lines = text.split(QLatin1Char('\n'));
    // A final line end closes the last line; it does not open an empty one.
    const qsizetype count = text.endsWith(QLatin1Char('\n')) ? lines.size() - 1 : lines.size();
    for (qsizetype i = 0; i < count; ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        shown += line + QLatin1Char('\n');
    }
    return shown;
}

void remember_show_initial_tips(Database& db, bool show_again) {
    set_gen_param(db, QStringLiteral("show_initial_tips"),
                  show_again ? QStringLiteral("Y") : QStringLiteral("N"));
}

TextWindowLayout text_window_layout(int inner_width, int inner_height) {
    const int height = std::max(inner_height, text_window_min_height);
    TextWindowLayout layout;
    layout.text.top = 90;
    layout.text.width = std::max(inner_width - 300, 0);
    layout.text.left = (inner_width - layout.text.width) / 2;
    layout.text.height = height - 650 - text_window_button_height;
    layout.button.width = text_window_button_width;
    layout.button.height = text_window_button_height;
    layout.button.left = (inner_width - text_window_button_width) / 2;
    // The space left below the text is shared equally above and below the button.
    const int text_bottom = layout.text.top + layout.text.height;
    layout.button.top = text_bottom + (height - text_bottom - text_window_button_height) / 2;
    return layout;
}

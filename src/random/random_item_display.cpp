// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "random/random_item_display.h"

#include "core/file_helpers.h"
#include "core/picture_names.h"
#include "core/seams.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int journal_position = 6;
constexpr int books_position = 7;
constexpr int media_position = 8;
// The window keeps this far from the main window's right edge, and may rise this far above its
// random place.
constexpr int right_margin_twips = 1000;
constexpr int rise_twips = 200;

const QString link_prefix = QStringLiteral("LINK=");

QString padded(const QString& text) {
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

QString first_line_of(const QString& text) {
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? text : text.left(end);
}

} // namespace

RandomCaptions item_captions(const RandomItemRow& row, int position, bool picture_shown) {
    RandomCaptions captions;
    captions.collection = padded(row.collection);
    captions.cat = padded(row.cat);
    bool small = picture_shown;
    if (position == journal_position) {
        captions.item = padded(row.content);
    } else if (position == books_position || position == media_position) {
        captions.item = padded(row.title + QStringLiteral(" - ") + row.content);
        small = true;
    } else {
        captions.item = padded(row.title);
        captions.tool_tip = row.content;
    }
    const bool long_caption = captions.item.trimmed().size() > long_caption_length;
    captions.point_size = small || long_caption ? small_caption_points : large_caption_points;
    captions.wrap = long_caption || picture_shown;
    return captions;
}

RandomCaptions picture_captions(const QString& path, const QString& collection, const QString& cat) {
    RandomCaptions captions;
    captions.collection = padded(collection);
    captions.cat = padded(cat);
    captions.item = padded(QFileInfo(path).fileName());
    captions.tool_tip = path;
    captions.point_size = small_caption_points;
    captions.wrap = true;
    return captions;
}

LinkMedia link_media(const QString& content) {
    const QString line = first_line_of(content);
    if (!line.startsWith(link_prefix, Qt::CaseInsensitive)) return {};
    QString target = line.mid(link_prefix.size()).trimmed();
    strip_quotes(target);
    if (target.isEmpty() || !QFileInfo(target).isFile()) return {};
    if (is_picture_file_name(target)) return {LinkMedia::Kind::Picture, target};
    if (target.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive)) return {LinkMedia::Kind::Sound, target};
    return {};
}

QStringList list_pictures(const QString& dir, qsizetype limit) {
    QStringList pictures;
    const QDir folder(dir);
    if (dir.isEmpty() || !folder.exists()) return pictures;
    const QFileInfoList files =
        folder.entryInfoList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        if (!is_picture_file_name(file.fileName())) continue;
        pictures.append(file.absoluteFilePath());
        if (pictures.size() == limit) break;
    }
    return pictures;
}

QPoint random_window_place(RandomSource& random, QSize inner, QSize window) {
    const int width_room = std::max(0, inner.width() - window.width() - right_margin_twips);
    const int height_room = std::max(0, inner.height() - window.height());
    const int left = static_cast<int>(random.next() * width_room);
    const int top = static_cast<int>(random.next() * height_room) - rise_twips;
    return {left, std::max(0, top)};
}

QSize fitted_picture_size(QSize natural, QSize limit) {
    if (natural.isEmpty() || limit.isEmpty()) return {};
    if (natural.width() <= limit.width() && natural.height() <= limit.height()) return natural;
    QSize fitted = natural.scaled(limit, Qt::KeepAspectRatio);
    return fitted.expandedTo(QSize(1, 1));
}

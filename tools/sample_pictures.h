// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pictures of the sample's picture directory, drawn with QPainter. Captions use a small
// built-in dot-matrix font: text drawing through QFont needs a GUI application and a font
// database, which a command-line generator (and the core tests) do not have.

#include <QColor>
#include <QConicalGradient>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <array>
#include <functional>

namespace sample::pictures {

struct Glyph {
    char c;
    std::array<const char*, 7> rows; // 5 columns each, '1' lit
};

// clang-format off
inline constexpr Glyph glyphs[] = {
    {'A', {"01110", "10001", "10001", "11111", "10001", "10001", "10001"}},
    {'B', {"11110", "10001", "10001", "11110", "10001", "10001", "11110"}},
    {'C', {"01110", "10001", "10000", "10000", "10000", "10001", "01110"}},
    {'D', {"11110", "10001", "10001", "10001", "10001", "10001", "11110"}},
    {'E', {"11111", "10000", "10000", "11110", "10000", "10000", "11111"}},
    {'F', {"11111", "10000", "10000", "11110", "10000", "10000", "10000"}},
    {'G', {"01110", "10001", "10000", "10111", "10001", "10001", "01111"}},
    {'H', {"10001", "10001", "10001", "11111", "10001", "10001", "10001"}},
    {'I', {"01110", "00100", "00100", "00100", "00100", "00100", "01110"}},
    {'J', {"00111", "00010", "00010", "00010", "00010", "10010", "01100"}},
    {'K', {"10001", "10010", "10100", "11000", "10100", "10010", "10001"}},
    {'L', {"10000", "10000", "10000", "10000", "10000", "10000", "11111"}},
    {'M', {"10001", "11011", "10101", "10101", "10001", "10001", "10001"}},
    {'N', {"10001", "10001", "11001", "10101", "10011", "10001", "10001"}},
    {'O', {"01110", "10001", "10001", "10001", "10001", "10001", "01110"}},
    {'P', {"11110", "10001", "10001", "11110", "10000", "10000", "10000"}},
    {'Q', {"01110", "10001", "10001", "10001", "10101", "10010", "01101"}},
    {'R', {"11110", "10001", "10001", "11110", "10100", "10010", "10001"}},
    {'S', {"01111", "10000", "10000", "01110", "00001", "00001", "11110"}},
    {'T', {"11111", "00100", "00100", "00100", "00100", "00100", "00100"}},
    {'U', {"10001", "10001", "10001", "10001", "10001", "10001", "01110"}},
    {'V', {"10001", "10001", "10001", "10001", "10001", "01010", "00100"}},
    {'W', {"10001", "10001", "10001", "10101", "10101", "10101", "01010"}},
    {'X', {"10001", "10001", "01010", "00100", "01010", "10001", "10001"}},
    {'Y', {"10001", "10001", "01010", "00100", "00100", "00100", "00100"}},
    {'Z', {"11111", "00001", "00010", "00100", "01000", "10000", "11111"}},
    {'0', {"01110", "10001", "10011", "10101", "11001", "10001", "01110"}},
    {'1', {"00100", "01100", "00100", "00100", "00100", "00100", "01110"}},
    {'2', {"01110", "10001", "00001", "00010", "00100", "01000", "11111"}},
    {'3', {"11111", "00010", "00100", "00010", "00001", "10001", "01110"}},
    {'4', {"00010", "00110", "01010", "10010", "11111", "00010", "00010"}},
    {'5', {"11111", "10000", "11110", "00001", "00001", "10001", "01110"}},
    {'6', {"00110", "01000", "10000", "11110", "10001", "10001", "01110"}},
    {'7', {"11111", "00001", "00010", "00100", "01000", "01000", "01000"}},
    {'8', {"01110", "10001", "10001", "01110", "10001", "10001", "01110"}},
    {'9', {"01110", "10001", "10001", "01111", "00001", "00010", "01100"}},
    {'-', {"00000", "00000", "00000", "11111", "00000", "00000", "00000"}},
    {'.', {"00000", "00000", "00000", "00000", "00000", "01100", "01100"}},
    {',', {"00000", "00000", "00000", "00000", "01100", "00100", "01000"}},
    {'\'', {"01100", "00100", "01000", "00000", "00000", "00000", "00000"}},
    {':', {"00000", "01100", "01100", "00000", "01100", "01100", "00000"}},
    {'!', {"00100", "00100", "00100", "00100", "00100", "00000", "00100"}},
    {' ', {"00000", "00000", "00000", "00000", "00000", "00000", "00000"}},
    {'?', {"01110", "10001", "00001", "00010", "00100", "00000", "00100"}},
};
// clang-format on

// Upper-case letter without its accent ("é" draws as "E"); unknown characters draw as "?".
inline const Glyph& glyph_for(QChar ch) {
    const QString base = QString(ch).normalized(QString::NormalizationForm_D);
    const char c = base.isEmpty() ? '?' : base.at(0).toUpper().toLatin1();
    for (const Glyph& g : glyphs)
        if (g.c == c) return g;
    return glyphs[std::size(glyphs) - 1];
}

// Width in pixels of `text` drawn with cells of `cell` pixels (6 cells per character).
inline int caption_width(const QString& text, int cell) {
    return static_cast<int>(text.size()) * 6 * cell - cell;
}

inline void draw_dots(QPainter& painter, const QString& text, QPoint origin, int cell, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    int x = origin.x();
    for (const QChar ch : text) {
        const Glyph& g = glyph_for(ch);
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g.rows[static_cast<std::size_t>(row)][col] == '1')
                    painter.drawRoundedRect(
                        QRectF(x + col * cell, origin.y() + row * cell, cell - 0.6, cell - 0.6), cell / 4.0,
                        cell / 4.0);
        x += 6 * cell;
    }
}

// A translucent band along the bottom edge with the caption centred on it.
inline void draw_caption(QPainter& painter, const QSize& size, const QString& text) {
    int cell = 4;
    while (cell > 1 && caption_width(text, cell) > size.width() - 40)
        --cell;
    const int band = 7 * cell + 24;
    painter.fillRect(QRect(0, size.height() - band, size.width(), band), QColor(0, 0, 0, 140));
    const QPoint origin((size.width() - caption_width(text, cell)) / 2, size.height() - band + 12);
    draw_dots(painter, text, origin + QPoint(1, 1), cell, QColor(0, 0, 0, 200));
    draw_dots(painter, text, origin, cell, QColor(255, 250, 235));
}

// A deterministic source of positions and sizes, so the same sample gives the same pictures.
using Random = std::function<double()>;

inline void sunset(QPainter& p, const QSize& s, const Random&) {
    QLinearGradient sky(0, 0, 0, s.height() * 0.6);
    sky.setColorAt(0.0, QColor(25, 35, 90));
    sky.setColorAt(0.55, QColor(230, 110, 70));
    sky.setColorAt(1.0, QColor(255, 200, 120));
    p.fillRect(QRectF(0, 0, s.width(), s.height() * 0.6), sky);
    QRadialGradient sun(s.width() * 0.5, s.height() * 0.58, 70);
    sun.setColorAt(0.0, QColor(255, 245, 200));
    sun.setColorAt(0.7, QColor(255, 170, 60));
    sun.setColorAt(1.0, QColor(255, 170, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(s.width() * 0.5, s.height() * 0.58), 70, 70);
    QLinearGradient water(0, s.height() * 0.6, 0, s.height());
    water.setColorAt(0.0, QColor(200, 110, 80));
    water.setColorAt(1.0, QColor(20, 30, 70));
    p.fillRect(QRectF(0, s.height() * 0.6, s.width(), s.height() * 0.4), water);
    p.setPen(QPen(QColor(255, 220, 150, 160), 3));
    for (int i = 0; i < 9; ++i) {
        const double y = s.height() * 0.63 + i * 16;
        const double half = 90 - i * 8;
        p.drawLine(QPointF(s.width() * 0.5 - half, y), QPointF(s.width() * 0.5 + half, y));
    }
}

inline void mountains(QPainter& p, const QSize& s, const Random&) {
    QLinearGradient sky(0, 0, 0, s.height());
    sky.setColorAt(0.0, QColor(120, 170, 230));
    sky.setColorAt(1.0, QColor(250, 220, 200));
    p.fillRect(QRect(QPoint(0, 0), s), sky);
    const QColor layers[] = {QColor(110, 120, 150), QColor(70, 85, 115), QColor(40, 55, 80)};
    const double w = s.width();
    const double h = s.height();
    for (int layer = 0; layer < 3; ++layer) {
        const double base = h * (0.55 + 0.12 * layer);
        QPolygonF ridge;
        ridge << QPointF(0, h);
        for (int k = 0; k <= 6; ++k) {
            const double x = w * k / 6.0;
            const double peak = (k + layer) % 2 == 0 ? base - h * (0.25 - 0.05 * layer) : base;
            ridge << QPointF(x, peak);
        }
        ridge << QPointF(w, h);
        p.setPen(Qt::NoPen);
        p.setBrush(layers[layer]);
        p.drawPolygon(ridge);
        if (layer == 0) {
            p.setBrush(QColor(250, 250, 255));
            for (int k = 0; k <= 6; k += 2) {
                const double x = w * k / 6.0;
                const double top = base - h * 0.25;
                QPolygonF snow;
                snow << QPointF(x, top) << QPointF(x - 28, top + 30) << QPointF(x + 28, top + 30);
                p.drawPolygon(snow);
            }
        }
    }
}

inline void night_sky(QPainter& p, const QSize& s, const Random& random) {
    QLinearGradient sky(0, 0, 0, s.height());
    sky.setColorAt(0.0, QColor(5, 5, 25));
    sky.setColorAt(1.0, QColor(30, 40, 90));
    p.fillRect(QRect(QPoint(0, 0), s), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        const double r = 0.5 + random() * 1.8;
        p.setBrush(QColor(255, 255, 220, 120 + static_cast<int>(random() * 135)));
        p.drawEllipse(QPointF(random() * s.width(), random() * s.height() * 0.75), r, r);
    }
    QPainterPath moon;
    moon.addEllipse(QPointF(s.width() * 0.75, s.height() * 0.25), 45, 45);
    QPainterPath bite;
    bite.addEllipse(QPointF(s.width() * 0.75 + 22, s.height() * 0.25 - 10), 42, 42);
    p.setBrush(QColor(250, 240, 190));
    p.drawPath(moon.subtracted(bite));
    p.setBrush(QColor(5, 10, 15));
    for (int i = 0; i < 12; ++i) {
        const double x = i * s.width() / 11.0;
        const double height = 60 + random() * 90;
        QPolygonF tree;
        tree << QPointF(x - 25, s.height()) << QPointF(x, s.height() - height) << QPointF(x + 25, s.height());
        p.drawPolygon(tree);
    }
}

inline void garden(QPainter& p, const QSize& s, const Random& random) {
    QLinearGradient grass(0, 0, 0, s.height());
    grass.setColorAt(0.0, QColor(150, 210, 120));
    grass.setColorAt(1.0, QColor(40, 110, 50));
    p.fillRect(QRect(QPoint(0, 0), s), grass);
    const QColor petals[] = {QColor(230, 60, 90), QColor(250, 200, 40), QColor(150, 90, 220),
                             QColor(255, 255, 255)};
    p.setPen(QPen(QColor(0, 0, 0, 40), 1));
    for (int i = 0; i < 22; ++i) {
        const QPointF centre(30 + random() * (s.width() - 60), 30 + random() * (s.height() - 110));
        const double size = 14 + random() * 16;
        p.setBrush(petals[i % 4]);
        for (int k = 0; k < 6; ++k) {
            p.save();
            p.translate(centre);
            p.rotate(k * 60.0);
            p.drawEllipse(QPointF(size, 0), size * 0.9, size * 0.45);
            p.restore();
        }
        p.setBrush(QColor(250, 180, 30));
        p.drawEllipse(centre, size * 0.45, size * 0.45);
    }
}

inline void shapes(QPainter& p, const QSize& s, const Random&) {
    p.fillRect(QRect(QPoint(0, 0), s), QColor(248, 246, 240));
    QConicalGradient wheel(s.width() * 0.3, s.height() * 0.4, 0);
    for (int k = 0; k <= 6; ++k)
        wheel.setColorAt(k / 6.0, QColor::fromHsv((k * 60) % 360, 200, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(wheel);
    p.drawEllipse(QPointF(s.width() * 0.3, s.height() * 0.4), 120, 120);
    p.setBrush(QColor(30, 120, 200, 150));
    p.drawRect(QRectF(s.width() * 0.5, s.height() * 0.15, 200, 150));
    p.setBrush(QColor(240, 80, 60, 170));
    QPolygonF triangle;
    triangle << QPointF(s.width() * 0.55, s.height() * 0.75) << QPointF(s.width() * 0.75, s.height() * 0.3)
             << QPointF(s.width() * 0.95, s.height() * 0.75);
    p.drawPolygon(triangle);
    p.setPen(QPen(QColor(40, 40, 40), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(20, 20, s.width() - 40, s.height() - 100), 24, 24);
}

inline void skyline(QPainter& p, const QSize& s, const Random& random) {
    QLinearGradient sky(0, 0, 0, s.height());
    sky.setColorAt(0.0, QColor(60, 40, 110));
    sky.setColorAt(0.7, QColor(240, 120, 90));
    p.fillRect(QRect(QPoint(0, 0), s), sky);
    double x = 0;
    while (x < s.width()) {
        const double width = 40 + random() * 50;
        const double height = 100 + random() * 230;
        const QRectF building(x, s.height() - height, width - 4, height);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(25, 25, 40));
        p.drawRect(building);
        p.setBrush(QColor(255, 220, 120));
        for (double wy = building.top() + 10; wy < s.height() - 80; wy += 18)
            for (double wx = building.left() + 6; wx < building.right() - 8; wx += 12)
                if (random() < 0.45) p.drawRect(QRectF(wx, wy, 6, 9));
        x += width;
    }
}

struct Picture {
    const char* file_name;
    const char* caption;
    void (*draw)(QPainter&, const QSize&, const Random&);
};

// The program's picture viewer lists .jpg, .gif and .bmp; the .png is there to show that it
// leaves other files out.
inline constexpr Picture all[] = {
    {"Sunset over the lake.jpg", "Sunset over the lake", sunset},
    {"Mountains at dawn.jpg", "Mountains at dawn", mountains},
    {"Night sky.jpg", "Night sky", night_sky},
    {"Garden flowers.jpg", "Garden flowers", garden},
    {"City skyline.bmp", "City skyline", skyline},
    {"Shapes and colours.png", "Shapes and colours", shapes},
};

inline QImage render(const Picture& picture, const Random& random, QSize size = QSize(640, 480)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.draw(painter, size, random);
    draw_caption(painter, size, QString::fromUtf8(picture.caption));
    painter.end();
    return image;
}

} // namespace sample::pictures

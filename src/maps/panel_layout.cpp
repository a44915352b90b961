// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/panel_layout.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

int FontMetricsMeasure::width_twips(const QString& text, const FontSpec& font) const {
    const QString key = font.family + QLatin1Char('|') + QString::number(font.point_size) +
                        (font.bold ? QStringLiteral("|b") : QStringLiteral("|n"));
    auto found = metrics_.constFind(key);
    if (found == metrics_.constEnd()) {
        QFont qfont(font.family);
        qfont.setPointSizeF(font.point_size);
        qfont.setBold(font.bold);
        found = metrics_.insert(key, QFontMetricsF(qfont));
    }
    return static_cast<int>(std::ceil(found->horizontalAdvance(text) * layout::pixel));
}

QString panel_tool_tip(const QString& content) {
    constexpr int limit = 150;
    if (content.size() <= limit) return content;
    return content.left(limit) + QStringLiteral("...");
}

QColor panel_colour(MapKind kind, bool selected) {
    if (selected) return QColor(0xC0, 0xFF, 0xFF);
    switch (kind) {
    case MapKind::Collection:
        return QColor(0xFF, 0xFF, 0xC0);
    case MapKind::Top:
        return QColor(0xC0, 0xFF, 0xC0);
    case MapKind::Category:
        break;
    }
    return QColor(0xC0, 0xC0, 0xC0);
}

TwipsRect unmaximised_place(int main_inner_width, int main_inner_height) {
    return TwipsRect{0, 0, main_inner_width - 180, main_inner_height - 820};
}

PanelLayout Build_panels(const std::vector<MapItem>& items, const LayoutRequest& request,
                         const TextMeasure& measure) {
    using namespace layout;
    PanelLayout result;
    result.columns = std::clamp(request.columns, 1, map_max_columns);
    const int count = static_cast<int>(items.size());
    result.rows = std::max(1, (count + result.columns - 1) / result.columns);
    result.panel_count = result.rows * result.columns;
    result.content_box_height = request.content_box_visible ? content_box_height : 0;

    const double font_size = std::clamp(request.font_size, double(min_font_size), double(max_font_size));
    result.panel_font = FontSpec{panel_font, font_size, false};

    // The caption must stay readable however many columns share the window.
    const int caption_width = measure.width_twips(request.caption, FontSpec{caption_font, 10, true});
    int width = (caption_width + caption_padding) / result.columns;
    for (const MapItem& item : items)
        width = std::max(width, measure.width_twips(item.panel_text, result.panel_font));
    width = std::clamp(width, min_width, max_width);
    result.auto_width = to_pixels(width + width_padding);

    if (request.auto_size) {
        result.panel_width = result.auto_width;
        result.panel_height = standard_panel_height;
        const int around = frame_height + result.content_box_height;
        if (request.main_inner_height > 0 &&
            result.rows * result.panel_height + around > request.main_inner_height) {
            const int fitting = to_pixels((request.main_inner_height - around) / result.rows);
            result.panel_height = std::max(min_panel_height, fitting);
        }
        result.window_width = result.columns * result.panel_width + side_margin + frame_width;
        result.window_height = result.rows * result.panel_height + around;
    } else {
        const int inner_width = request.client_width - side_margin;
        result.panel_width = std::max(pixel, to_pixels(inner_width / result.columns));
        const int inner_height = request.client_height - result.content_box_height;
        result.panel_height = std::max(min_panel_height, to_pixels(inner_height / result.rows));
    }

    result.panels.reserve(static_cast<std::size_t>(result.panel_count));
    for (int k = 1; k <= result.panel_count; ++k) {
        Panel panel;
        panel.index = k;
        panel.column = (k - 1) / result.rows + 1;
        panel.row = (k - 1) % result.rows + 1;
        panel.left = (panel.column - 1) * result.panel_width;
        panel.top = (panel.row - 1) * result.panel_height;
        if (k <= count) {
            const MapItem& item = items[static_cast<std::size_t>(k - 1)];
            panel.text = item.panel_text;
            panel.tool_tip = panel_tool_tip(item.content);
            panel.item_nr = item.item_nr;
        } else {
            panel.text = QStringLiteral("-");
            panel.grid_filler = true;
        }
        panel.background = panel_colour(request.kind, k - 1 == request.selected);
        result.panels.push_back(std::move(panel));
    }
    return result;
}

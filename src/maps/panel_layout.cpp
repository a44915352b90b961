// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/panel_layout.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

int TextMeasure::line_height_twips(const FontSpec& font) const {
    return static_cast<int>(std::ceil(font.point_size * 24));
}

const QFontMetricsF& FontMetricsMeasure::metrics(const FontSpec& font) const {
    const QString key = font.family + QLatin1Char('|') + QString::number(font.point_size) +
                        (font.bold ? QStringLiteral("|b") : QStringLiteral("|n"));
    auto found = metrics_.constFind(key);
    if (found == metrics_.constEnd()) {
        QFont qfont(font.family);
        qfont.setPointSizeF(font.point_size);
        qfont.setBold(font.bold);
        found = metrics_.insert(key, QFontMetricsF(qfont));
    }
    return *found;
}

int FontMetricsMeasure::width_twips(const QString& text, const FontSpec& font) const {
    return static_cast<int>(std::ceil(metrics(font).horizontalAdvance(text) * layout::pixel));
}

int FontMetricsMeasure::line_height_twips(const FontSpec& font) const {
    return static_cast<int>(std::ceil(metrics(font).height() * layout::pixel));
}

QString panel_tool_tip(const QString& content) {
    constexpr int limit = 150;
    if (content.size() <= limit) return content;
    return content.left(limit) + QStringLiteral("...");
}

PanelText fit_panel_text(const QString& text, const QString& content, int panel_width, const FontSpec& font,
                         const TextMeasure& measure) {
    PanelText fitted{text, panel_tool_tip(content)};
    const int room = panel_width - layout::text_padding;
    if (measure.width_twips(text, font) <= room) return fitted;
    // The longest beginning that fits with "..." after it; none at all in a very narrow panel.
    qsizetype fits = 0;
    qsizetype too_long = text.size();
    while (too_long - fits > 1) {
        const qsizetype middle = fits + (too_long - fits) / 2;
        if (measure.width_twips(text.left(middle) + layout::ellipsis, font) <= room)
            fits = middle;
        else
            too_long = middle;
    }
    // A character of two UTF-16 units is not cut in half.
    if (fits > 0 && text[fits - 1].isHighSurrogate()) --fits;
    fitted.text = text.left(fits) + layout::ellipsis;
    fitted.tool_tip = fitted.tool_tip.isEmpty() ? text : text + QLatin1Char('\n') + fitted.tool_tip;
    return fitted;
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

PanelLayout lay_out_panels(const std::vector<MapItem>& items, const LayoutRequest& request,
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

    // A panel holds one whole line of its font: with its frame at the standard height, at least
    // the line itself when panels shrink.
    const int line_height = measure.line_height_twips(result.panel_font);
    const int standard_height = std::max(standard_panel_height, to_pixels_up(line_height + text_frame));
    const int lowest = std::max(min_panel_height, to_pixels_up(line_height));

    if (request.auto_size) {
        result.panel_width = result.auto_width;
        result.panel_height = standard_height;
        const int around = frame_height + result.content_box_height;
        if (request.main_inner_height > 0 &&
            result.rows * result.panel_height + around > request.main_inner_height) {
            const int fitting = to_pixels((request.main_inner_height - around) / result.rows);
            result.panel_height = std::max(lowest, fitting);
        }
        const int beside = side_margin + frame_width;
        if (request.main_inner_width > 0 &&
            result.columns * result.panel_width + beside > request.main_inner_width) {
            const int fitting = to_pixels((request.main_inner_width - beside) / result.columns);
            result.panel_width = std::max(pixel, fitting);
        }
        result.window_width = result.columns * result.panel_width + beside;
        result.window_height = result.rows * result.panel_height + around;
        // Whatever the panels need, the window stays inside the main window, so that its frame
        // and close box can be reached.
        if (request.main_inner_width > 0)
            result.window_width = std::min(result.window_width, request.main_inner_width);
        if (request.main_inner_height > 0)
            result.window_height = std::min(result.window_height, request.main_inner_height);
    } else {
        const int inner_width = request.client_width - side_margin;
        result.panel_width = std::max(pixel, to_pixels(inner_width / result.columns));
        const int inner_height = request.client_height - result.content_box_height;
        result.panel_height = std::max(lowest, to_pixels(inner_height / result.rows));
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
            PanelText fitted =
                fit_panel_text(item.panel_text, item.content, result.panel_width, result.panel_font, measure);
            panel.text = std::move(fitted.text);
            panel.tool_tip = std::move(fitted.tool_tip);
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

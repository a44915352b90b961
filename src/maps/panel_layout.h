// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry.h"
#include "maps/map_items.h"
#include "maps/map_parameters.h"

#include <QColor>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <memory>
#include <vector>

// The font a text is measured in.
struct FontSpec {
    QString family;
    double point_size = 10;
    bool bold = false;
};

// Measures texts in twips. The layout needs widths and the height of a line, so tests can hand
// in fixed ones.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int width_twips(const QString& text, const FontSpec& font) const = 0;
    // The height of one line of text. By default the usual line spacing of 1.2 times the point
    // size (20 twips to the point).
    virtual int line_height_twips(const FontSpec& font) const;
};

// Measures with Qt's font metrics on the screen's resolution (one pixel is 15 twips). Needs a
// QGuiApplication. Each font is built once per family, size and weight.
class FontMetricsMeasure final : public TextMeasure {
public:
    int width_twips(const QString& text, const FontSpec& font) const override;
    int line_height_twips(const FontSpec& font) const override;

private:
    const QFontMetricsF& metrics(const FontSpec& font) const;
    mutable QHash<QString, QFontMetricsF> metrics_;
};

// Lengths of the grid, in twips, each a whole number of pixels.
namespace layout {
inline constexpr int pixel = 15;
inline constexpr int standard_panel_height = 300;
inline constexpr int min_panel_height = 195; // 200 rounded down to whole pixels
inline constexpr int min_width = 1300;       // the measured width is clamped to 1300..8000
inline constexpr int max_width = 8000;
inline constexpr int width_padding = 200;   // added to the clamped width
inline constexpr int caption_padding = 800; // added to the caption's width
inline constexpr int frame_height = 465;    // title bar and borders of a map window
inline constexpr int frame_width = 120;     // the two side borders
inline constexpr int side_margin = 50;      // left free beside the panels
inline constexpr int text_frame = 60;       // a panel's frame above and below its text
// What a panel keeps free beside its text: the width padding less what rounding the width down
// to whole pixels may take, so that the text that set the width always fits.
inline constexpr int text_padding = width_padding - (pixel - 1);
inline const QString ellipsis = QStringLiteral("...");
inline constexpr int min_font_size = 8;
inline constexpr int max_font_size = 14;
inline const QString caption_font = QStringLiteral("Arial");
inline const QString panel_font = QStringLiteral("MS Sans Serif");

// Rounds down to a whole number of pixels.
constexpr int to_pixels(int twips) {
    return twips >= 0 ? twips / pixel * pixel : -((-twips + pixel - 1) / pixel * pixel);
}
// Rounds up to a whole number of pixels.
constexpr int to_pixels_up(int twips) {
    return -to_pixels(-twips);
}
} // namespace layout

// What the layout needs to know besides the items.
struct LayoutRequest {
    QString caption;       // the window caption, measured in bold Arial 10
    int columns = 1;       // taken into 1..10
    double font_size = 10; // the preferred size; taken into 8..14
    bool auto_size = true;
    bool content_box_visible = false;
    int client_width = 0; // the window's inner area (used with auto size off)
    int client_height = 0;
    int main_inner_width = 0;         // the main window's inner area: a map window never exceeds it
    int main_inner_height = 0;        // (0: not known)
    MapKind kind = MapKind::Category; // chooses the panel colour
    int selected = -1;                // 0-based index of the selected panel, -1 for none
};

struct Panel {
    int index = 0;  // 1-based, in column-by-column order
    int column = 0; // 1-based
    int row = 0;    // 1-based
    int left = 0;   // inside the panel area
    int top = 0;
    QString text;       // the panel text, elided at its end to fit the panel, or "-" for a grid filler
    QString tool_tip;   // the whole panel text first when it was elided, then the content
    qint64 item_nr = 0; // 0 for entries that are no database item
    bool grid_filler = false;
    QColor background;
};

struct PanelLayout {
    int columns = 1;
    int rows = 1;
    int panel_count = 0;
    int panel_width = 0;
    int panel_height = 0;
    int auto_width = 0;         // the width measured from the texts, whatever the mode
    int content_box_height = 0; // 0 when the box is hidden
    FontSpec panel_font;
    // With auto size on: the outer size the window takes. With it off both stay 0 and the
    // window keeps its size.
    int window_width = 0;
    int window_height = 0;
    std::vector<Panel> panels;
};

// Lays out the panels of `items` as a grid filled column by column. Pure computation: the
// caller creates, moves and removes the panel widgets from the result.
//
// Columns, rows (at least 1) and panels = rows x columns; panels past the last item are grid
// fillers "-". The width starts at (caption width + 800) / columns and widens to the widest
// panel text; clamped to 1300..8000, plus 200. Panels hold a line of their font: the standard
// height 300 grows to a line with its frame, the smallest height 195 to a line. With auto
// size on the panels take that width and the standard height and the window fits around them
// (frame 465 high, 120 wide, 50 margin, plus the content box); when it would be taller than the
// main window the panels shrink to fit, never below the smallest height, and when it would be
// wider they narrow to fit; the window never exceeds the main window's area. With auto size off
// the panels share the inner area (less the 50 margin beside and the content box below), never
// lower than the smallest height. Every length is a whole number of pixels. A panel text wider
// than its panel is elided (see fit_panel_text).
PanelLayout lay_out_panels(const std::vector<MapItem>& items, const LayoutRequest& request,
                           const TextMeasure& measure);

// The panel's tool tip: its content cut to 150 characters, "..." appended when longer.
QString panel_tool_tip(const QString& content);

// The text and tool tip a panel of `panel_width` twips shows for an entry: a text wider than the
// panel (less its text padding) is cut at its end and ends in "..."; its tool tip then
// gives the whole text, on a line before the content's tool tip.
struct PanelText {
    QString text;
    QString tool_tip;
};
PanelText fit_panel_text(const QString& text, const QString& content, int panel_width, const FontSpec& font,
                         const TextMeasure& measure);

// Background of a panel: selected light cyan; otherwise light yellow in a collection map, light
// green in the top map and grey in a category map.
QColor panel_colour(MapKind kind, bool selected);

// A maximised map window is set back to normal size in the top-left corner of the main
// window, 180 twips narrower and 820 twips lower than the main window's inner area.
TwipsRect unmaximised_place(int main_inner_width, int main_inner_height);

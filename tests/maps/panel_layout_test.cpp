// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps/panel_layout.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Every character is `per_char` twips wide; bold captions measure `caption` whatever their text.
// Records the fonts it was asked for.
class FixedMeasure final : public TextMeasure {
public:
    int per_char = 100;
    int caption = 0;
    mutable std::vector<FontSpec> fonts;
    int width_twips(const QString& text, const FontSpec& font) const override {
        fonts.push_back(font);
        if (font.bold) return caption;
        return static_cast<int>(text.size()) * per_char;
    }
};

std::vector<MapItem> items_titled(const QStringList& texts) {
    std::vector<MapItem> items;
    qint64 nr = 100;
    for (const QString& text : texts) {
        MapItem item;
        item.item_nr = nr++;
        item.title = text;
        item.panel_text = text;
        item.content = u"content of "_s + text;
        items.push_back(item);
    }
    return items;
}

std::vector<MapItem> items_count(int count) {
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts.append(u"t%1"_s.arg(i));
    return items_titled(texts);
}

LayoutRequest request(int columns) {
    LayoutRequest r;
    r.caption = u"Caption"_s;
    r.columns = columns;
    return r;
}

} // namespace

// ---------------------------------------------------------------- grid

TEST(BuildPanels, SevenItemsInThreeColumnsFillThreeRowsColumnByColumnWithTwoGridFillers) {
    FixedMeasure measure;
    const PanelLayout layout = lay_out_panels(items_count(7), request(3), measure);
    EXPECT_EQ(layout.columns, 3);
    EXPECT_EQ(layout.rows, 3);
    EXPECT_EQ(layout.panel_count, 9);
    ASSERT_EQ(layout.panels.size(), 9U);
    for (int k = 7; k < 9; ++k) {
        EXPECT_TRUE(layout.panels[k].grid_filler);
        EXPECT_EQ(layout.panels[k].text, u"-"_s);
        EXPECT_EQ(layout.panels[k].item_nr, 0);
        EXPECT_TRUE(layout.panels[k].tool_tip.isEmpty());
    }
    EXPECT_FALSE(layout.panels[6].grid_filler);
    EXPECT_EQ(layout.panels[6].item_nr, 106);

    // Panels fill the grid column by column.
    const int w = layout.panel_width;
    const int h = layout.panel_height;
    struct Expected {
        int column, row;
    };
    const Expected expected[] = {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {3, 1}, {3, 2}, {3, 3}};
    for (int k = 0; k < 9; ++k) {
        const Panel& panel = layout.panels[static_cast<std::size_t>(k)];
        EXPECT_EQ(panel.index, k + 1);
        EXPECT_EQ(panel.column, expected[k].column) << k;
        EXPECT_EQ(panel.row, expected[k].row) << k;
        EXPECT_EQ(panel.left, (expected[k].column - 1) * w);
        EXPECT_EQ(panel.top, (expected[k].row - 1) * h);
    }
    EXPECT_EQ(layout.panels[3].text, u"t4"_s);
}

TEST(BuildPanels, RowsAndColumnsAtTheirLimits) {
    FixedMeasure measure;
    PanelLayout layout = lay_out_panels({}, request(4), measure);
    EXPECT_EQ(layout.rows, 1);
    EXPECT_EQ(layout.panel_count, 4);
    layout = lay_out_panels(items_count(1), request(0), measure);
    EXPECT_EQ(layout.columns, 1);
    layout = lay_out_panels(items_count(25), request(11), measure);
    EXPECT_EQ(layout.columns, 10);
    EXPECT_EQ(layout.rows, 3);
    layout = lay_out_panels(items_count(500), request(1), measure);
    EXPECT_EQ(layout.rows, 500);
    EXPECT_EQ(layout.panels.back().top, 499 * layout.panel_height);
}

// ---------------------------------------------------------------- width

TEST(BuildPanels, WidthStartsFromTheCaptionSharedByTheColumnsAndIsClamped) {
    FixedMeasure measure;
    measure.per_char = 10;
    measure.caption = 5200; // (5200 + 800) / 2 = 3000, plus 200
    PanelLayout layout = lay_out_panels(items_count(4), request(2), measure);
    EXPECT_EQ(layout.auto_width, 3195); // 3200 rounded down to whole pixels
    // A wider text widens it.
    measure.per_char = 100;
    layout = lay_out_panels(items_titled({"short", u"x"_s.repeated(35)}), request(2), measure);
    EXPECT_EQ(layout.auto_width, 3690); // 3500 + 200, rounded down
    // It is clamped between 1300 and 8000 before its padding.
    measure.per_char = 1;
    layout = lay_out_panels(items_count(3), request(10), measure);
    EXPECT_EQ(layout.auto_width, 1500);
    measure.per_char = 100;
    layout = lay_out_panels(items_titled({u"é"_s.repeated(300)}), request(1), measure);
    EXPECT_EQ(layout.auto_width, 8190); // 8200 rounded down to whole pixels
}

TEST(BuildPanels, TextsAreMeasuredInThePreferredSizeFrom8To14AndTheCaptionInBoldArial10) {
    FixedMeasure measure;
    LayoutRequest r = request(1);
    r.font_size = 20;
    lay_out_panels(items_count(2), r, measure);
    ASSERT_GE(measure.fonts.size(), 3U);
    EXPECT_EQ(measure.fonts[0].family, u"Arial"_s);
    EXPECT_TRUE(measure.fonts[0].bold);
    EXPECT_EQ(measure.fonts[0].point_size, 10);
    for (std::size_t i = 1; i < measure.fonts.size(); ++i) {
        EXPECT_EQ(measure.fonts[i].family, u"MS Sans Serif"_s);
        EXPECT_FALSE(measure.fonts[i].bold);
        EXPECT_EQ(measure.fonts[i].point_size, 14);
    }
    r.font_size = 6;
    EXPECT_EQ(lay_out_panels(items_count(2), r, measure).panel_font.point_size, 8);
    r.font_size = 11;
    EXPECT_EQ(lay_out_panels(items_count(2), r, measure).panel_font.point_size, 11);
}

// ---------------------------------------------------------------- auto size

TEST(BuildPanels, AutoSizeFitsTheWindowAroundItsPanels) {
    FixedMeasure measure;
    measure.per_char = 1;
    LayoutRequest r = request(3);
    r.main_inner_height = 20000;
    PanelLayout layout = lay_out_panels(items_count(7), r, measure);
    EXPECT_EQ(layout.panel_width, 1500);
    EXPECT_EQ(layout.panel_height, 300);
    EXPECT_EQ(layout.window_height, 3 * 300 + 465);
    EXPECT_EQ(layout.window_width, 3 * 1500 + 50 + 120);
    EXPECT_EQ(layout.content_box_height, 0);
    r.content_box_visible = true;
    layout = lay_out_panels(items_count(7), r, measure);
    EXPECT_EQ(layout.content_box_height, 990);
    EXPECT_EQ(layout.window_height, 3 * 300 + 465 + 990);
}

TEST(BuildPanels, AutoSizeShrinksPanelsToFitTheMainWindowButNotBelow195) {
    FixedMeasure measure;
    LayoutRequest r = request(1);
    r.font_size = 8;            // a line of 192 twips: the floor is 195
    r.main_inner_height = 6000; // 20 rows of 300 and the frame would need 6465
    PanelLayout layout = lay_out_panels(items_count(20), r, measure);
    EXPECT_EQ(layout.panel_height, 270); // (6000 - 465) / 20 = 276, down to whole pixels
    EXPECT_LE(layout.window_height, 6000);
    // Exactly fitting keeps the standard height.
    r.main_inner_height = 20 * 300 + 465;
    EXPECT_EQ(lay_out_panels(items_count(20), r, measure).panel_height, 300);
    // Far too small: the panels stop at 195, and the window still ends inside the main window.
    r.main_inner_height = 3000;
    layout = lay_out_panels(items_count(20), r, measure);
    EXPECT_EQ(layout.panel_height, 195);
    EXPECT_EQ(layout.window_height, 3000);
    // The content box counts in the fitting.
    r.main_inner_height = 6465;
    r.content_box_visible = true;
    EXPECT_EQ(lay_out_panels(items_count(20), r, measure).panel_height, 240); // (6465 - 465 - 990) / 20 = 250
}

TEST(BuildPanels, WithoutAutoSizeThePanelsShareTheInnerArea) {
    FixedMeasure measure;
    LayoutRequest r = request(3);
    r.auto_size = false;
    r.client_width = 9050;
    r.client_height = 3000;
    PanelLayout layout = lay_out_panels(items_count(7), r, measure);
    EXPECT_EQ(layout.panel_width, 3000);
    EXPECT_EQ(layout.panel_height, 990); // 1000 rounded down to whole pixels
    EXPECT_EQ(layout.window_width, 0);
    EXPECT_EQ(layout.window_height, 0);

    // Heights never go below 195.
    r = request(1);
    r.font_size = 8;
    r.auto_size = false;
    r.client_width = 2000;
    r.client_height = 1200;
    r.content_box_visible = true; // leaves 210 for 2 rows
    EXPECT_EQ(lay_out_panels(items_count(2), r, measure).panel_height, 195);
    r.content_box_visible = false;
    EXPECT_EQ(lay_out_panels(items_count(2), r, measure).panel_height, 600);
    r.client_width = 10;
    EXPECT_EQ(lay_out_panels(items_count(2), r, measure).panel_width, 15);
}

TEST(BuildPanels, AutoSizeNeverMakesTheWindowWiderThanTheMainWindow) {
    FixedMeasure measure;
    LayoutRequest r = request(3);
    r.main_inner_width = 12000;
    r.main_inner_height = 9000;
    // Three columns of 8190 would need 24740 twips.
    const std::vector<MapItem> items = items_titled({u"x"_s.repeated(200), u"y"_s, u"z"_s});
    PanelLayout layout = lay_out_panels(items, r, measure);
    EXPECT_LE(layout.window_width, 12000);
    EXPECT_EQ(layout.panel_width, 3930); // (12000 - 170) / 3 = 3943, down to whole pixels
    EXPECT_EQ(layout.window_width, 3 * 3930 + 170);
    // Even panels of one pixel would not fit: the window takes the main window's width.
    r.columns = 10;
    r.main_inner_width = 200;
    EXPECT_EQ(lay_out_panels(items, r, measure).window_width, 200);
    // A window that fits keeps its measured size.
    r.columns = 3;
    r.main_inner_width = 30000;
    EXPECT_EQ(lay_out_panels(items, r, measure).panel_width, 8190);
}

TEST(BuildPanels, TextsWiderThanTheirPanelEndInAnEllipsisAndShowWholeInTheToolTip) {
    FixedMeasure measure;
    const QString title = u"abcdefghij"_s.repeated(10); // 10000 twips against a panel of 8190
    std::vector<MapItem> items = items_titled({title, u"short"_s});
    items[1].content.clear();
    PanelLayout layout = lay_out_panels(items, request(1), measure);
    // 8190 less the padding of 186 leaves 8004: 77 characters and "..." take 8000.
    EXPECT_EQ(layout.panels[0].text, title.left(77) + u"..."_s);
    EXPECT_EQ(layout.panels[0].tool_tip, title + u"\ncontent of "_s + title);
    EXPECT_EQ(layout.panels[1].text, u"short"_s);
    EXPECT_EQ(layout.panels[1].tool_tip, QString());
    // Without a content the tool tip is the text alone; a panel too narrow for any character
    // shows the ellipsis alone.
    EXPECT_EQ(fit_panel_text(title, {}, 2000, layout.panel_font, measure).tool_tip, title);
    EXPECT_EQ(fit_panel_text(title, {}, 300, layout.panel_font, measure).text, u"..."_s);
    // The text that set the auto width always fits whole.
    items = items_titled({u"w"_s.repeated(45)});
    layout = lay_out_panels(items, request(1), measure);
    EXPECT_EQ(layout.panels[0].text, u"w"_s.repeated(45));
    // Tool tips cut the content at 150 characters.
    EXPECT_EQ(panel_tool_tip(u"x"_s.repeated(150)), u"x"_s.repeated(150));
    EXPECT_EQ(panel_tool_tip(u"é"_s.repeated(151)), u"é"_s.repeated(150) + "...");
    EXPECT_EQ(panel_tool_tip(QString()), QString());
    items = items_count(1);
    items[0].content = u"y"_s.repeated(1 << 20);
    EXPECT_EQ(lay_out_panels(items, request(1), measure).panels[0].tool_tip.size(), 153);
}

TEST(BuildPanels, PanelsAreHighEnoughForALineOfTheirFont) {
    FixedMeasure measure; // a line is 1.2 times the point size: 240 twips at 10 points
    LayoutRequest r = request(1);
    EXPECT_EQ(lay_out_panels(items_count(2), r, measure).panel_height, 300);
    r.font_size = 14; // 336 + 60 of frame, up to whole pixels
    EXPECT_EQ(lay_out_panels(items_count(2), r, measure).panel_height, 405);
    // Shrinking to fit the main window stops at a whole line: 336, up to whole pixels.
    r.main_inner_height = 1000;
    EXPECT_EQ(lay_out_panels(items_count(20), r, measure).panel_height, 345);
    r.auto_size = false;
    r.client_width = 3000;
    r.client_height = 1000;
    EXPECT_EQ(lay_out_panels(items_count(20), r, measure).panel_height, 345);
}

// ---------------------------------------------------------------- looks

TEST(BuildPanels, ColoursByKindAndSelection) {
    FixedMeasure measure;
    LayoutRequest r = request(2);
    r.kind = MapKind::Collection;
    r.selected = 1;
    const PanelLayout layout = lay_out_panels(items_count(3), r, measure);
    EXPECT_EQ(layout.panels[0].background, QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(layout.panels[1].background, QColor(0xC0, 0xFF, 0xFF));
    EXPECT_NE(panel_colour(MapKind::Top, false), panel_colour(MapKind::Category, false));
}

TEST(BuildPanels, UnmaximisedWindowsSitInTheCornerOfTheMainWindow) {
    EXPECT_EQ(unmaximised_place(20000, 12000), (TwipsRect{0, 0, 19820, 11180}));
}

// ---------------------------------------------------------------- real fonts

TEST(BuildPanels, RealFontMetricsMeasureTexts) {
    const FontMetricsMeasure measure;
    const FontSpec normal{u"MS Sans Serif"_s, 10, false};
    const int one = measure.width_twips(u"Meeting"_s, normal);
    const int two = measure.width_twips(u"Meeting Meeting"_s, normal);
    EXPECT_GT(one, 0);
    EXPECT_GT(two, one);
    EXPECT_EQ(measure.width_twips(QString(), normal), 0);
    EXPECT_GT(measure.width_twips(u"Meeting"_s, FontSpec{u"MS Sans Serif"_s, 14, false}), one);
    EXPECT_GE(measure.width_twips(u"Meeting"_s, FontSpec{u"Arial"_s, 10, true}),
              measure.width_twips(u"Meeting"_s, FontSpec{u"Arial"_s, 10, false}));

    const PanelLayout layout = lay_out_panels(
        items_titled({u"A title that is rather long for one panel, really"_s}), request(1), measure);
    EXPECT_EQ(layout.auto_width % 15, 0);
    EXPECT_GT(layout.auto_width, 1500);
    EXPECT_LE(layout.auto_width, 8190);
    // Large letters get panels that hold a whole line of them.
    for (const double size : {8.0, 10.0, 14.0}) {
        LayoutRequest r = request(1);
        r.font_size = size;
        const FontSpec font{u"MS Sans Serif"_s, size, false};
        EXPECT_GE(lay_out_panels(items_count(1), r, measure).panel_height,
                  measure.line_height_twips(font) + layout::text_frame)
            << size;
    }
}

// Layout units. The windows are laid out in twips (1/1440 inch): 15 twips are one pixel at 96
// DPI, and every rectangle and font is scaled for the screen's DPI.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace qv::ui {

// A rectangle in twips: left, top, width, height.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A twip rectangle inside a frame: measured from the frame's top-left corner.
TwipRect inside(const TwipRect& frame, const TwipRect& rect);

int twips_to_pixels(int twips, int dpi);
RECT twips_to_pixels(const TwipRect& rect, int dpi);
// The font height (negative: character height) of a point size given in hundredths.
int points_to_font_height(int centipoints, int dpi);

// QV_DPI, when it holds a number from 48 to 480, stands in for the screen's DPI, so the scaling
// can be looked at on a 96 DPI screen or under Wine.
std::optional<int> parse_dpi_override(std::string_view text);

// The DPI the windows are laid out for: the override, else the screen's.
int layout_dpi();

}  // namespace qv::ui

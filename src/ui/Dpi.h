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
TwipRect Inside(const TwipRect& frame, const TwipRect& rect);

int TwipsToPixels(int twips, int dpi);
RECT TwipsToPixels(const TwipRect& rect, int dpi);
// The font height (negative: character height) of a point size given in hundredths.
int PointsToFontHeight(int centipoints, int dpi);

// QV_DPI, when it holds a number from 48 to 480, stands in for the screen's DPI, so the scaling
// can be looked at on a 96 DPI screen or under Wine.
std::optional<int> ParseDpiOverride(std::string_view text);

// The DPI the windows are laid out for: the override, else the screen's.
int LayoutDpi();

}  // namespace qv::ui

// Layout units. The windows are laid out in pixels at 96 DPI, and every rectangle and font is
// scaled for the screen's DPI.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace qv::ui {

// A rectangle in pixels at 96 DPI: left, top, width, height.
struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A rectangle inside a group box: measured from the group box's top-left corner.
LayoutRect inside(const LayoutRect& group, const LayoutRect& rect);

// Pixels at 96 DPI as pixels at `dpi`.
int scaled(int pixels, int dpi);
RECT scaled(const LayoutRect& rect, int dpi);

// The spacing every window keeps: around its edges and between controls.
inline constexpr int kMargin = 8;
// The heights of one line of text, a one-line box and a push button in the default font.
inline constexpr int kLineHeight = 17;
inline constexpr int kBoxHeight = 21;
inline constexpr int kButtonHeight = 33;
inline constexpr int kTwoLinesHeight = 33;  // a label of two lines
// What the list boxes leave free at their edge beside their text.
inline constexpr int kListTextMargin = 6;
// The font height (negative: character height) of a point size given in hundredths.
int points_to_font_height(int centipoints, int dpi);

// QV_DPI, when it holds a number from 48 to 480, stands in for the screen's DPI, so the scaling
// can be looked at on a 96 DPI screen or under Wine.
std::optional<int> parse_dpi_override(std::string_view text);

// The DPI the windows are laid out for: the override, else the screen's.
int layout_dpi();

}  // namespace qv::ui

#include "ui/win32/Dpi.h"

#include <charconv>
#include <cstdlib>

#include "ui/win32/Handles.h"

namespace qv::ui {

LayoutRect inside(const LayoutRect& group, const LayoutRect& rect) {
    return {group.left + rect.left, group.top + rect.top, rect.width, rect.height};
}

int scaled(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

RECT scaled(const LayoutRect& rect, int dpi) {
    const int left = scaled(rect.left, dpi);
    const int top = scaled(rect.top, dpi);
    return {left, top, left + scaled(rect.width, dpi), top + scaled(rect.height, dpi)};
}

int points_to_font_height(int centipoints, int dpi) {
    return -MulDiv(centipoints, dpi, 7200);
}

std::optional<int> parse_dpi_override(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < 48 || value > 480) return std::nullopt;
    return value;
}

int layout_dpi() {
    static const int dpi = [] {
        if (const char* text = std::getenv("QV_DPI")) {
            if (const auto value = parse_dpi_override(text)) return *value;
        }
        ScreenDc screen;
        const int screen_dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
        return screen_dpi > 0 ? screen_dpi : 96;
    }();
    return dpi;
}

}  // namespace qv::ui

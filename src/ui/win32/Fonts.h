// The fonts of the windows: "MS Sans Serif" in the sizes and styles of the layout.
#pragma once

#include "ui/win32/Handles.h"

namespace qv::ui {

struct FontSpec {
    int centipoints = 825;  // 8.25 pt, the windows' default font
    bool bold = false;
    bool italic = false;
};

inline constexpr FontSpec kDefaultFont{};

UniqueFont make_font(const FontSpec& spec, int dpi);

}  // namespace qv::ui

#include "ui/win32/Fonts.h"

#include <cwchar>

#include "ui/win32/Dpi.h"

namespace qv::ui {

UniqueFont make_font(const FontSpec& spec, int dpi) {
    LOGFONTW font{};
    font.lfHeight = points_to_font_height(spec.centipoints, dpi);
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = spec.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::wcsncpy(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace qv::ui

#include "ui/win32/WideText.h"

#include <windows.h>

#include "platform/Text.h"

namespace qv::ui {

namespace {

std::wstring utf8_to_wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string wide_to_utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

}  // namespace

std::wstring widen(std::string_view cp1252) {
    return utf8_to_wide(cp1252_to_utf8(cp1252));
}

std::string narrow(std::wstring_view wide, bool* lossless) {
    // A lone surrogate has no UTF-8 form; the Windows converter writes U+FFFD for it, which
    // then becomes "?" like any other character without a single-byte form.
    return utf8_to_cp1252(wide_to_utf8(wide), lossless);
}

std::wstring window_text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

}  // namespace qv::ui

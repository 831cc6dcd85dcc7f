// The core keeps Windows-1252 bytes; the window system draws UTF-16. These convert at that edge.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::ui {

std::wstring widen(std::string_view cp1252);
// `lossless` (when given) tells whether every character had a single-byte form; the others
// become "?".
std::string narrow(std::wstring_view wide, bool* lossless = nullptr);

// The whole text of a window or control.
std::wstring window_text(HWND window);

}  // namespace qv::ui

#include "ui/win32/TextFit.h"

#include <algorithm>
#include <string>

#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

// How the control draws its text, or 0 for a control whose text is not fitted.
UINT draw_flags(HWND control, bool& label) {
    wchar_t class_name[16] = {};
    GetClassNameW(control, class_name, 16);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    label = _wcsicmp(class_name, L"Static") == 0;
    if (label) {
        switch (style & SS_TYPEMASK) {
            case SS_LEFT:
            case SS_CENTER:
            case SS_RIGHT:
                return DT_WORDBREAK | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
            case SS_LEFTNOWORDWRAP:
                return DT_SINGLELINE | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
            default:
                return 0;
        }
    }
    if (_wcsicmp(class_name, L"Button") != 0) return 0;
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
            return DT_SINGLELINE;
        default:
            return 0;
    }
}

bool is_radio_button(HWND control) {
    switch (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) {
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
            return true;
        default:
            return false;
    }
}

}  // namespace

RECT placed_rect(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void fit_to_text(HWND control) {
    bool label = false;
    UINT flags = draw_flags(control, label);
    const std::wstring text = window_text(control);
    if (flags == 0 || text.empty()) return;

    MemoryDc dc;
    SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    const int line = metrics.tmHeight + metrics.tmExternalLeading;
    const RECT placed = placed_rect(control);
    int width = placed.right - placed.left;
    int height = placed.bottom - placed.top;

    // A label of one line stays one line: wrapping would put its second line out of sight.
    if (label && (flags & DT_WORDBREAK) != 0 && height < 2 * line) {
        flags = (flags & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE;
    }
    RECT needed{0, 0, width, 0};
    DrawTextW(dc.get(), text.c_str(), -1, &needed, flags | DT_CALCRECT);
    int needed_width = needed.right;
    if (!label) {
        // Room for the frame of a button, or for the check mark of a radio button and its gap, as
        // the system draws them at its own DPI.
        const int system_dpi = GetDeviceCaps(dc.get(), LOGPIXELSX);
        needed_width += is_radio_button(control)
                            ? MulDiv(19, system_dpi, 96)
                            : 2 * GetSystemMetrics(SM_CXEDGE) + metrics.tmAveCharWidth;
    }
    if ((flags & DT_WORDBREAK) != 0) {
        height = std::max(height, static_cast<int>(needed.bottom));
    } else {
        width = std::max(width, needed_width);
        height = std::max(height, line);
    }
    if (width != placed.right - placed.left || height != placed.bottom - placed.top) {
        SetWindowPos(control, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void fit_client_to_controls(HWND window, int margin) {
    RECT client{};
    GetClientRect(window, &client);
    int right = client.right;
    int bottom = client.bottom;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        const RECT placed = placed_rect(child);
        right = std::max(right, static_cast<int>(placed.right) + margin);
        bottom = std::max(bottom, static_cast<int>(placed.bottom) + margin);
    }
    if (right == client.right && bottom == client.bottom) return;
    RECT frame{};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + right - client.right,
                 frame.bottom - frame.top + bottom - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace qv::ui

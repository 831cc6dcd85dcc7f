#include "ui/ProgressWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr FontSpec kHeadingFont{1350, true, true};
constexpr FontSpec kStatusFont{1200, true, true};

void PaintNow(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

void ProgressWindow::Open(HWND owner) {
    if (IsOpen()) return;
    FrameSpec frame;
    frame.class_name = L"QuorvaneForm4";
    frame.caption = Widen(texts::kProgressCaption);
    // No system menu: the window has no close box, since no operation may be cut off by the
    // user; CloseProgressWindow alone unloads it.
    frame.style = WS_POPUP | WS_CAPTION;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width_twips = 5340;
    frame.client_height_twips = 1740;
    frame.owner = owner;
    CreateFrame(frame);

    AddControl(PROGRESS_CLASSW, L"", 0, {120, 600, 5055, 255}, ids::kProgressBar);
    AddControl(L"STATIC", Widen(texts::kProgressNoStatus), SS_LEFT, {1680, 960, 3495, 615},
               ids::kProgressStatus, kStatusFont);
    AddControl(L"STATIC", Widen(texts::kProgressStatusLabel), SS_LEFT, {120, 960, 1455, 375},
               ids::kProgressLabel2, kHeadingFont);
    AddControl(L"STATIC", Widen(texts::kProgressHeading), SS_LEFT, {120, 120, 5055, 495},
               ids::kProgressLabel1, kHeadingFont);

    min_ = 0.0f;
    max_ = 100.0f;
    value_ = 0.0f;
    SendMessageW(Control(ids::kProgressBar), PBM_SETRANGE32, 0, 100);
    SendMessageW(Control(ids::kProgressBar), PBM_SETPOS, 0, 0);

    ShowCentred();
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ProgressWindow::SetRange(int steps) {
    if (!IsOpen()) return;
    min_ = 0.0f;
    max_ = static_cast<float>(steps);
    value_ = 0.0f;
    ShowBarValue();
}

void ProgressWindow::SetStatus(const std::wstring& text) {
    if (!IsOpen()) return;
    const HWND status = Control(ids::kProgressStatus);
    SetWindowTextW(status, text.c_str());
    PaintNow(status);
}

void ProgressWindow::Step() {
    if (!IsOpen()) return;
    value_ = value_ + 1.0f;
    ShowBarValue();
}

void ProgressWindow::ShowBarValue() {
    const HWND bar = Control(ids::kProgressBar);
    const int position = static_cast<int>(std::lround(std::clamp(value_, min_, max_)));
    // The themed bar of Windows glides towards a higher position over a few hundred ms, but
    // jumps to a lower one; the operation gives no time to glide, so go one past and back.
    const int top = static_cast<int>(std::lround(max_));
    SendMessageW(bar, PBM_SETRANGE32, 0, top + 1);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position + 1), 0);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    SendMessageW(bar, PBM_SETRANGE32, 0, top);
    PaintNow(bar);
}

LRESULT ProgressWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) return 0;  // Alt+F4 included: only the operation closes it
    return Window::OnMessage(message, wparam, lparam);
}

}  // namespace qv::ui

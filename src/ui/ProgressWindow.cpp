#include "ui/ProgressWindow.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

constexpr FontSpec kHeadingFont{.centipoints = 1350, .bold = true, .italic = true};
constexpr FontSpec kStatusFont{.centipoints = 1200, .bold = true, .italic = true};

void paint_now(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

void ProgressWindow::open(HWND owner) {
    if (is_open()) return;
    FrameSpec frame;
    frame.class_name = L"QuorvaneProgressWindow";
    frame.caption = widen(texts::kProgressCaption);
    // No system menu: the window has no close box, since no operation may be cut off by the
    // user; close_progress alone destroys it.
    frame.style = WS_POPUP | WS_CAPTION;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width = 356;
    frame.client_height = 116;
    frame.owner = owner;
    create_frame(frame);

    add_control(PROGRESS_CLASSW, L"", 0, {kMargin, 40, 337, kLineHeight}, ids::kProgressBar);
    add_control(L"STATIC", widen(texts::kProgressNoStatus), SS_LEFT, {112, 64, 233, 41},
                ids::kProgressStatus, kStatusFont);
    add_control(L"STATIC", widen(texts::kProgressStatusLabel), SS_LEFT, {kMargin, 64, 97, 25},
                ids::kProgressStatusLabel, kHeadingFont);
    add_control(L"STATIC", widen(texts::kProgressHeading), SS_LEFT,
                {kMargin, kMargin, 337, kTwoLinesHeight}, ids::kProgressHeading, kHeadingFont);

    max_ = 100;
    value_ = 0;
    SendMessageW(control(ids::kProgressBar), PBM_SETRANGE32, 0, 100);
    SendMessageW(control(ids::kProgressBar), PBM_SETPOS, 0, 0);
    finish_layout();

    show_centred();
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ProgressWindow::set_range(int steps) {
    if (!is_open()) return;
    max_ = steps;
    value_ = 0;
    show_bar_value();
}

void ProgressWindow::set_status(const std::wstring& text) {
    if (!is_open()) return;
    set_control_text(ids::kProgressStatus, text);
    paint_now(control(ids::kProgressStatus));
}

void ProgressWindow::step() {
    if (!is_open()) return;
    ++value_;
    show_bar_value();
}

void ProgressWindow::show_bar_value() {
    const HWND bar = control(ids::kProgressBar);
    const int position = std::clamp(value_, 0, max_);
    // The themed bar of Windows glides towards a higher position over a few hundred ms, but
    // jumps to a lower one; the operation gives no time to glide, so go one past and back.
    SendMessageW(bar, PBM_SETRANGE32, 0, max_ + 1);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position + 1), 0);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    SendMessageW(bar, PBM_SETRANGE32, 0, max_);
    paint_now(bar);
}

LRESULT ProgressWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) return 0;  // Alt+F4 included: only the operation closes it
    return Window::on_message(message, wparam, lparam);
}

}  // namespace qv::ui

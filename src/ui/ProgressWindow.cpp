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
    add_control(L"STATIC", widen(texts::kProgressNoStatus), SS_LEFT | SS_NOPREFIX,
                {112, 64, 233, 41}, ids::kProgressStatus, kStatusFont);
    add_control(L"STATIC", widen(texts::kProgressStatusLabel), SS_LEFT, {kMargin, 64, 97, 25},
                ids::kProgressStatusLabel, kHeadingFont);
    add_control(L"STATIC", widen(texts::kProgressHeading), SS_LEFT,
                {kMargin, kMargin, 337, kTwoLinesHeight}, ids::kProgressHeading, kHeadingFont);

    // Hidden until a batch offers it, in the room the window then grows by.
    add_control(L"BUTTON", widen(texts::kStop), BS_PUSHBUTTON | WS_TABSTOP,
                {356 - kMargin - 88, 116, 88, kButtonHeight}, ids::kProgressStop);
    ShowWindow(control(ids::kProgressStop), SW_HIDE);

    max_ = 100;
    value_ = 0;
    creep_ = 0;
    pulsed_ = 0;
    stop_offered_ = false;
    stop_asked_ = false;
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
    creep_ = 0;
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
    creep_ = 0;
    show_bar_value();
}

void ProgressWindow::pulse() {
    if (!is_open() || value_ >= max_) return;
    // A few moves a second: Wine's marquee bar, redrawn by a timer 25 times a second, slowed a
    // walk of the collection by a third.
    const ULONGLONG now = GetTickCount64();
    if (now - pulsed_ < kPulseInterval) return;
    pulsed_ = now;
    // Each move covers a twentieth of what is left of the step: the bar creeps towards the next
    // step without reaching it, however long the walk.
    creep_ += (kFine - creep_) / 20;
    show_bar_value();
}

void ProgressWindow::offer_stop(bool offered) {
    if (!is_open() || offered == stop_offered_) return;
    stop_offered_ = offered;
    const HWND stop = control(ids::kProgressStop);
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    const int room = scaled(kButtonHeight + kMargin, dpi()) * (offered ? 1 : -1);
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + room,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnableWindow(stop, TRUE);
    ShowWindow(stop, offered ? SW_SHOW : SW_HIDE);
    if (offered) SetFocus(stop);
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ProgressWindow::show_bar_value() {
    const HWND bar = control(ids::kProgressBar);
    // In finer units than steps, for the creep between two steps.
    const int top = max_ * kFine;
    const int position = std::clamp(value_ * kFine + creep_, 0, top);
    // The themed bar of Windows glides towards a higher position over a few hundred ms, but
    // jumps to a lower one; the operation gives no time to glide, so go one past and back.
    SendMessageW(bar, PBM_SETRANGE32, 0, top + 1);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position + 1), 0);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    SendMessageW(bar, PBM_SETRANGE32, 0, top);
    paint_now(bar);
}

LRESULT ProgressWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) return 0;  // Alt+F4 included: only the operation closes it
    if (message == WM_COMMAND && LOWORD(wparam) == ids::kProgressStop && stop_offered_) {
        stop_asked_ = true;
        EnableWindow(control(ids::kProgressStop), FALSE);
        set_status(widen(texts::kStopping));
        return 0;
    }
    return Window::on_message(message, wparam, lparam);
}

}  // namespace qv::ui

#include "ui/AboutWindow.h"

#include "ui/App.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr TwipRect kCreditsFrameRect{120, 1440, 4935, 2895};

}  // namespace

void AboutWindow::open() {
    if (is_open()) {
        bring_to_front();
        return;
    }
    FrameSpec frame;
    frame.class_name = L"QuorvaneAboutWindow";
    frame.caption = widen(texts::kAboutCaption);
    frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width_twips = 5205;
    frame.client_height_twips = 5220;
    frame.owner = app_.owner();
    create_frame(frame);

    // Created in tab order: the first control is the first to get the focus.
    add_control(L"BUTTON", widen(texts::kOk), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {3120, 4560, 1935, 495}, ids::kAboutOk);
    const HWND credits = add_control(L"BUTTON", widen(texts::kCredits), BS_GROUPBOX | WS_GROUP,
                                     kCreditsFrameRect, ids::kAboutCredits, {1200, true, false});
    add_control(L"STATIC", widen(texts::kOriginLine), SS_LEFT,
                inside(kCreditsFrameRect, {3240, 2520, 1575, 255}), ids::kAboutOrigin,
                {825, true, true});
    add_control(L"STATIC", widen(texts::kContactLine), SS_LEFT,
                inside(kCreditsFrameRect, {120, 1440, 4695, 975}), ids::kAboutContact,
                {1200, true, false});
    add_control(L"STATIC", widen(texts::kCallSignLine), SS_LEFT,
                inside(kCreditsFrameRect, {120, 840, 3975, 375}), ids::kAboutCallSign,
                {1200, true, true});
    add_control(L"STATIC", widen(texts::kAuthorLine), SS_LEFT,
                inside(kCreditsFrameRect, {120, 480, 3015, 255}), ids::kAboutAuthor,
                {1200, true, true});
    add_control(L"STATIC", widen(texts::kBanner), SS_CENTER, {120, 120, 4935, 1215},
                ids::kAboutBanner, {1350, true, true});
    // The frame is drawn beneath the labels it holds.
    SetWindowPos(credits, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    finish_layout();

    show_centred();
    SetFocus(control(ids::kAboutOk));
}

LRESULT AboutWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    // "OK", or Esc (which the dialog keys turn into IDCANCEL).
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED &&
        (LOWORD(wparam) == ids::kAboutOk || LOWORD(wparam) == IDCANCEL)) {
        close();
        return 0;
    }
    return Window::on_message(message, wparam, lparam);
}

void AboutWindow::on_closed() {
    app_.on_window_closed();
}

}  // namespace qv::ui

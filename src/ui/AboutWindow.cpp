#include "ui/AboutWindow.h"

#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

constexpr LayoutRect kCreditsGroupRect{kMargin, 96, 329, 193};

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
    frame.client_width = 347;
    frame.client_height = 348;
    frame.owner = host_.owner();
    create_frame(frame);

    // Created in tab order: the first control is the first to get the focus.
    add_control(L"BUTTON", widen(texts::kOk), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {208, 304, 129, kButtonHeight}, ids::kAboutOk);
    const HWND credits =
        add_control(L"BUTTON", widen(texts::kCredits), BS_GROUPBOX | WS_GROUP, kCreditsGroupRect,
                    ids::kAboutCredits, {.centipoints = 1200, .bold = true});
    add_control(L"STATIC", widen(texts::kOriginLine), SS_LEFT,
                inside(kCreditsGroupRect, {216, 168, 105, kLineHeight}), ids::kAboutOrigin,
                {.centipoints = 825, .bold = true, .italic = true});
    add_control(L"STATIC", widen(texts::kContactLine), SS_LEFT,
                inside(kCreditsGroupRect, {kMargin, 96, 313, 65}), ids::kAboutContact,
                {.centipoints = 1200, .bold = true});
    add_control(L"STATIC", widen(texts::kCallSignLine), SS_LEFT,
                inside(kCreditsGroupRect, {kMargin, 56, 265, 25}), ids::kAboutCallSign,
                {.centipoints = 1200, .bold = true, .italic = true});
    add_control(L"STATIC", widen(texts::kAuthorLine), SS_LEFT,
                inside(kCreditsGroupRect, {kMargin, 32, 201, kLineHeight}), ids::kAboutAuthor,
                {.centipoints = 1200, .bold = true, .italic = true});
    add_control(L"STATIC", widen(texts::kBanner), SS_CENTER, {kMargin, kMargin, 329, 81},
                ids::kAboutBanner, {.centipoints = 1350, .bold = true, .italic = true});
    // The group box is drawn beneath the labels it holds.
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
    host_.window_closed();
}

}  // namespace qv::ui

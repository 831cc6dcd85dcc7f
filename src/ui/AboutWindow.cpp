#include "ui/AboutWindow.h"

#include "ui/App.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr TwipRect kFrame1{120, 1440, 4935, 2895};

}  // namespace

void AboutWindow::Open() {
    if (IsOpen()) {
        BringToFront();
        return;
    }
    FrameSpec frame;
    frame.class_name = L"QuorvaneForm5";
    frame.caption = Widen(texts::kAboutCaption);
    frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width_twips = 5205;
    frame.client_height_twips = 5220;
    frame.owner = app_.owner();
    CreateFrame(frame);

    // Created in tab order: the first control is the first to get the focus.
    AddControl(L"BUTTON", Widen(texts::kOk), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {3120, 4560, 1935, 495}, ids::kAboutOk);
    const HWND credits = AddControl(L"BUTTON", Widen(texts::kCredits), BS_GROUPBOX | WS_GROUP,
                                    kFrame1, ids::kAboutFrame1, {1200, true, false});
    AddControl(L"STATIC", Widen(texts::kOriginLine), SS_LEFT,
               Inside(kFrame1, {3240, 2520, 1575, 255}), ids::kAboutLabel5, {825, true, true});
    AddControl(L"STATIC", Widen(texts::kContactLine), SS_LEFT,
               Inside(kFrame1, {120, 1440, 4695, 975}), ids::kAboutLabel4, {1200, true, false});
    AddControl(L"STATIC", Widen(texts::kCallSignLine), SS_LEFT,
               Inside(kFrame1, {120, 840, 3975, 375}), ids::kAboutLabel3, {1200, true, true});
    AddControl(L"STATIC", Widen(texts::kAuthorLine), SS_LEFT,
               Inside(kFrame1, {120, 480, 3015, 255}), ids::kAboutLabel2, {1200, true, true});
    AddControl(L"STATIC", Widen(texts::kBanner), SS_CENTER, {120, 120, 4935, 1215},
               ids::kAboutLabel1, {1350, true, true});
    // The frame is drawn beneath the labels it holds.
    SetWindowPos(credits, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    ShowCentred();
    SetFocus(Control(ids::kAboutOk));
}

LRESULT AboutWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && LOWORD(wparam) == ids::kAboutOk && HIWORD(wparam) == BN_CLICKED) {
        Close();
        return 0;
    }
    return Window::OnMessage(message, wparam, lparam);
}

void AboutWindow::OnClosed() {
    app_.OnWindowClosed();
}

}  // namespace qv::ui

#include "ui/SplashWindow.h"

#include "ui/App.h"
#include "ui/SplashPicture.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 3000;

constexpr TwipRect kLabel1{120, 120, 8655, 1095};
constexpr TwipRect kLabel2{240, 3960, 1455, 375};
constexpr FontSpec kLabel1Font{1800, true, false};
constexpr FontSpec kLabel2Font{1350, true, true};
constexpr COLORREF kLabel1Colour = RGB(192, 0, 0);
constexpr COLORREF kLabel2Background = RGB(0, 0, 255);

}  // namespace

void SplashWindow::Open() {
    FrameSpec frame;
    frame.class_name = L"QuorvaneForm1";
    frame.caption = Widen(texts::kSplashCaption);
    // No system menu, so no close box: the start-up sequence closes the window.
    frame.style = WS_POPUP | WS_CAPTION;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width_twips = 8865;
    frame.client_height_twips = 4725;
    frame.owner = app_.owner();
    picture_ = LoadSplashPicture();
    CreateFrame(frame);
    SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
    ShowCentred();
}

void SplashWindow::Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_) {
        // Drawn unscaled from the top-left corner, whatever the DPI.
        BITMAP info{};
        GetObjectW(picture_.get(), sizeof info, &info);
        const HDC memory = CreateCompatibleDC(dc);
        {
            SelectedObject selected(memory, picture_.get());
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        }
        DeleteDC(memory);
    }

    // The banner has a transparent background: only its text is drawn over the picture.
    RECT banner = TwipsToPixels(kLabel1, dpi());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabel1Colour);
    {
        SelectedObject font(dc, Font(kLabel1Font));
        const std::wstring text = Widen(texts::kBanner);
        DrawTextW(dc, text.c_str(), -1, &banner, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    }

    RECT loading = TwipsToPixels(kLabel2, dpi());
    UniqueBrush blue(CreateSolidBrush(kLabel2Background));
    FillRect(dc, &loading, blue.get());
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    {
        SelectedObject font(dc, Font(kLabel2Font));
        const std::wstring text = Widen(texts::kSplashLoading);
        DrawTextW(dc, text.c_str(), -1, &loading, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
}

LRESULT SplashWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(hwnd(), &paint);
            Paint(dc);
            EndPaint(hwnd(), &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_TIMER:
            if (wparam == kTimer1) {
                // One tick only: the sequence closes this window, and the timer with it.
                KillTimer(hwnd(), kTimer1);
                app_.OnSplashTick();
                return 0;
            }
            break;
        case WM_CLOSE:
            return 0;
        default:
            break;
    }
    return Window::OnMessage(message, wparam, lparam);
}

void SplashWindow::OnClosed() {
    picture_.reset();
    app_.OnWindowClosed();
}

}  // namespace qv::ui

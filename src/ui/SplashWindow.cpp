#include "ui/SplashWindow.h"

#include "ui/SplashPicture.h"
#include "ui/UiTexts.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartTimerInterval = 3000;

constexpr LayoutRect kBannerRect{kMargin, kMargin, 577, 73};
constexpr LayoutRect kLoadingRect{16, 264, 97, 25};
constexpr FontSpec kBannerFont{.centipoints = 1800, .bold = true};
constexpr FontSpec kLoadingFont{.centipoints = 1350, .bold = true, .italic = true};
constexpr COLORREF kBannerColour = RGB(192, 0, 0);
constexpr COLORREF kLoadingBackground = RGB(0, 0, 255);

}  // namespace

void SplashWindow::open() {
    FrameSpec frame;
    frame.class_name = L"QuorvaneSplashWindow";
    frame.caption = widen(texts::kSplashCaption);
    // No system menu, so no close box: the start-up sequence closes the window.
    frame.style = WS_POPUP | WS_CAPTION;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width = 591;
    frame.client_height = 315;
    frame.owner = host_.owner();
    create_frame(frame);
    RECT client{};
    GetClientRect(hwnd(), &client);
    picture_ = scale_to_width(load_splash_picture(), client.right);
    SetTimer(hwnd(), kStartTimer, kStartTimerInterval, nullptr);
    show_centred();
}

void SplashWindow::paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_) {
        // From the top-left corner, as wide as the window (see scale_to_width).
        BITMAP info{};
        GetObjectW(picture_.get(), sizeof info, &info);
        MemoryDc memory(dc);
        SelectedObject selected(memory.get(), picture_.get());
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
    }

    // The banner has a transparent background: only its text is drawn over the picture.
    RECT banner = scaled(kBannerRect, dpi());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBannerColour);
    {
        SelectedObject selected_font(dc, font(kBannerFont));
        const std::wstring text = widen(texts::kBanner);
        DrawTextW(dc, text.c_str(), -1, &banner, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    }

    RECT loading = scaled(kLoadingRect, dpi());
    UniqueBrush blue(CreateSolidBrush(kLoadingBackground));
    FillRect(dc, &loading, blue.get());
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    {
        SelectedObject selected_font(dc, font(kLoadingFont));
        const std::wstring text = widen(texts::kSplashLoading);
        DrawTextW(dc, text.c_str(), -1, &loading, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
}

LRESULT SplashWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            const HDC dc = BeginPaint(hwnd(), &ps);
            paint(dc);
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers the whole client area
        case WM_TIMER:
            if (wparam == kStartTimer) {
                // One tick only: the sequence closes this window, and the timer with it.
                KillTimer(hwnd(), kStartTimer);
                host_.start();
                return 0;
            }
            break;
        case WM_CLOSE:
            return 0;
        default:
            break;
    }
    return Window::on_message(message, wparam, lparam);
}

void SplashWindow::on_closed() {
    picture_.reset();
    host_.window_closed();
}

}  // namespace qv::ui

#include "ui/Window.h"

#include <exception>

#include "ui/ControlIds.h"
#include "ui/StopProgram.h"

namespace qv::ui {

namespace {

void RegisterFrameClass(const wchar_t* class_name, WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, class_name, &existing)) return;

    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
    window_class.hIconSm = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    RegisterClassExW(&window_class);
}

bool FontSpecEquals(const FontSpec& a, const FontSpec& b) {
    return a.centipoints == b.centipoints && a.bold == b.bold && a.italic == b.italic;
}

}  // namespace

HICON LoadProgramIcon(int size) {
    // Shared icons are owned by the system: nothing to free.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(ids::kProgramIcon), IMAGE_ICON, size,
                                         size, LR_SHARED));
}

Window::~Window() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::Close() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void Window::ShowCentred() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    SetWindowPos(hwnd_, nullptr, left > work.left ? left : work.left,
                 top > work.top ? top : work.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Window::BringToFront() {
    if (hwnd_ == nullptr) return;
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
}

void Window::CreateFrame(const FrameSpec& spec) {
    RegisterFrameClass(spec.class_name, &Window::Procedure);
    dpi_ = LayoutDpi();
    RECT frame{0, 0, TwipsToPixels(spec.client_width_twips, dpi_),
               TwipsToPixels(spec.client_height_twips, dpi_)};
    AdjustWindowRectEx(&frame, spec.style, spec.menu != nullptr, spec.ex_style);
    const HWND created = CreateWindowExW(spec.ex_style, spec.class_name, spec.caption.c_str(),
                                         spec.style, CW_USEDEFAULT, CW_USEDEFAULT,
                                         frame.right - frame.left, frame.bottom - frame.top,
                                         spec.owner, spec.menu, GetModuleHandleW(nullptr), this);
    if (created == nullptr) {
        if (spec.menu != nullptr) DestroyMenu(spec.menu);
        throw std::runtime_error("A window could not be created (error " +
                                 std::to_string(GetLastError()) + ").");
    }
    // A menu bar that wraps onto a second line takes client height: grow the window so the
    // client area keeps its laid-out size.
    RECT client{};
    GetClientRect(created, &client);
    const int missing = TwipsToPixels(spec.client_height_twips, dpi_) - client.bottom;
    if (missing > 0) {
        SetWindowPos(created, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + missing, SWP_NOMOVE | SWP_NOZORDER);
    }
}

HFONT Window::Font(const FontSpec& spec) {
    for (const auto& [known, font] : fonts_) {
        if (FontSpecEquals(known, spec)) return font.get();
    }
    fonts_.emplace_back(spec, MakeFont(spec, dpi_));
    return fonts_.back().second.get();
}

HWND Window::AddControl(const wchar_t* class_name, const std::wstring& text, DWORD style,
                        const TwipRect& rect, int id, const FontSpec& font, DWORD ex_style) {
    const RECT pixels = TwipsToPixels(rect, dpi_);
    const HWND control = CreateWindowExW(
        ex_style, class_name, text.c_str(), WS_CHILD | WS_VISIBLE | style, pixels.left, pixels.top,
        pixels.right - pixels.left, pixels.bottom - pixels.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) {
        throw std::runtime_error("A window control could not be created (error " +
                                 std::to_string(GetLastError()) + ").");
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font(font)), FALSE);
    return control;
}

LRESULT Window::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);

    try {
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            self->fonts_.clear();
            self->OnClosed();
            return DefWindowProcW(hwnd, message, wparam, lparam);
        }
        return self->OnMessage(message, wparam, lparam);
    } catch (const std::exception& error) {
        StopProgram(error.what());
    } catch (...) {
        StopProgram("An unexpected failure occurred.");
    }
}

}  // namespace qv::ui

#include "ui/win32/Window.h"

#include <exception>

#include "core/OperationError.h"
#include "ui/win32/StopProgram.h"
#include "ui/win32/TextFit.h"

namespace qv::ui {

namespace {

void register_frame_class(const wchar_t* class_name, WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, class_name, &existing)) return;

    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = load_program_icon(GetSystemMetrics(SM_CXICON));
    window_class.hIconSm = load_program_icon(GetSystemMetrics(SM_CXSMICON));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    RegisterClassExW(&window_class);
}

bool font_spec_equals(const FontSpec& a, const FontSpec& b) {
    return a.centipoints == b.centipoints && a.bold == b.bold && a.italic == b.italic;
}

}  // namespace

void Window::use_icon(int resource) {
    icon_resource_ = resource;
}

HICON load_program_icon(int size) {
    // Shared icons are owned by the system: nothing to free.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(Window::icon_resource()), IMAGE_ICON,
                                         size, size, LR_SHARED));
}

Window::~Window() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::close() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void Window::show_centred() {
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

void Window::bring_to_front() {
    if (hwnd_ == nullptr) return;
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
}

void Window::create_frame(const FrameSpec& spec) {
    register_frame_class(spec.class_name, &Window::procedure);
    dpi_ = layout_dpi();
    RECT frame{0, 0, scaled(spec.client_width, dpi_), scaled(spec.client_height, dpi_)};
    AdjustWindowRectEx(&frame, spec.style, spec.menu != nullptr, spec.ex_style);
    const HWND created = CreateWindowExW(spec.ex_style, spec.class_name, spec.caption.c_str(),
                                         spec.style, CW_USEDEFAULT, CW_USEDEFAULT,
                                         frame.right - frame.left, frame.bottom - frame.top,
                                         spec.owner, spec.menu, GetModuleHandleW(nullptr), this);
    if (created == nullptr) {
        if (spec.menu != nullptr) DestroyMenu(spec.menu);
        throw OperationError("A window could not be created (error " +
                             std::to_string(GetLastError()) + ").");
    }
    // A menu bar that wraps onto a second line takes client height: grow the window so the
    // client area keeps its laid-out size.
    RECT client{};
    GetClientRect(created, &client);
    const int missing = scaled(spec.client_height, dpi_) - client.bottom;
    if (missing > 0) {
        SetWindowPos(created, nullptr, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top + missing, SWP_NOMOVE | SWP_NOZORDER);
    }
}

HFONT Window::font(const FontSpec& spec) {
    for (const auto& [known, font] : fonts_) {
        if (font_spec_equals(known, spec)) return font.get();
    }
    fonts_.emplace_back(spec, make_font(spec, dpi_));
    return fonts_.back().second.get();
}

HWND Window::add_control(const wchar_t* class_name, const std::wstring& text, DWORD style,
                         const LayoutRect& rect, int id, const FontSpec& font_spec,
                         DWORD ex_style) {
    const RECT pixels = scaled(rect, dpi_);
    const HWND created = CreateWindowExW(
        ex_style, class_name, text.c_str(), WS_CHILD | WS_VISIBLE | style, pixels.left, pixels.top,
        pixels.right - pixels.left, pixels.bottom - pixels.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (created == nullptr) {
        throw OperationError("A window control could not be created (error " +
                             std::to_string(GetLastError()) + ").");
    }
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font(font_spec)), FALSE);
    fit_to_text(created);
    return created;
}

void Window::set_control_text(int id, const std::wstring& text) {
    const HWND target = control(id);
    SetWindowTextW(target, text.c_str());
    fit_to_text(target);
    finish_layout();
}

void Window::finish_layout() {
    fit_client_to_controls(hwnd_, scaled(kMargin, dpi_));
}

LRESULT Window::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ACTIVATE:
            // As in a dialog, the control that had the focus gets it back when the window is
            // active again (the system would give it to the window itself).
            if (LOWORD(wparam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd_, focus)) focus_ = focus;
            }
            break;
        case WM_SETFOCUS: {
            HWND target = focus_;
            if (target == nullptr || !IsWindow(target) || !IsChild(hwnd_, target) ||
                !IsWindowEnabled(target) || !IsWindowVisible(target)) {
                // Never focused yet: the first control in the tab order.
                target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
                if (target != nullptr && (GetWindowLongPtrW(target, GWL_STYLE) & WS_TABSTOP) == 0)
                    target = nullptr;
            }
            if (target != nullptr) SetFocus(target);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
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
            self->focus_ = nullptr;
            self->fonts_.clear();
            self->on_closed();
            return DefWindowProcW(hwnd, message, wparam, lparam);
        }
        if (message == WM_SETCURSOR && busy_cursor_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            // A click on a window that takes no input is answered, as the system answers it.
            const UINT mouse = HIWORD(lparam);
            if (LOWORD(lparam) == static_cast<WORD>(HTERROR) &&
                (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN))
                MessageBeep(0);
            return TRUE;
        }
        return self->on_message(message, wparam, lparam);
    } catch (const std::exception& error) {
        stop_program(error.what());
    } catch (...) {
        stop_program("An unexpected failure occurred.");
    }
}

}  // namespace qv::ui

// qv-hello-window: the smallest windowed program, for Wine's own start time. It shows one
// window (the title and class bench/run waits for), keeps it up for the given milliseconds
// (default 1000) so the waiting side can see it, and ends.
//
//   qv-hello-window [MS]
#include <windows.h>

#include <cwchar>

namespace {

constexpr UINT_PTR kTimer = 1;

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_TIMER:
            ::DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
    const long ms = command_line && *command_line ? std::wcstol(command_line, nullptr, 10) : 1000;
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = L"QvBenchHello";
    if (!::RegisterClassW(&window_class)) return 1;
    HWND hwnd = ::CreateWindowExW(0, L"QvBenchHello", L"Quorvane bench hello", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr,
                                  instance, nullptr);
    if (!hwnd) return 1;
    ::ShowWindow(hwnd, show);
    ::UpdateWindow(hwnd);
    ::SetTimer(hwnd, kTimer, static_cast<UINT>(ms > 0 ? ms : 1000), nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}

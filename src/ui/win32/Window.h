// A top-level window of the program and the controls on it. One static window procedure binds
// the object when the window is created and hands every message to OnMessage; no exception
// leaves it into the window system.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/win32/Dpi.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Handles.h"

namespace qv::ui {

struct FrameSpec {
    const wchar_t* class_name = nullptr;
    std::wstring caption;
    DWORD style = 0;
    DWORD ex_style = 0;
    int client_width = 0;
    int client_height = 0;
    HWND owner = nullptr;
    HMENU menu = nullptr;  // the window takes it over
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool is_open() const { return hwnd_ != nullptr; }
    // Destroys the window; the object stays to create it again.
    void close();
    // Shows the window centred on the screen's work area and gives it the focus.
    void show_centred();
    void bring_to_front();

    // While an operation runs every window of the program shows the wait cursor.
    static void show_busy_cursor(bool busy) { busy_cursor_ = busy; }
    // The icon resource every window shows (set once, before the first window is created).
    static void use_icon(int resource);
    static int icon_resource() { return icon_resource_; }

  protected:
    // Registers the class (once) and creates the window with the client size given in pixels at
    // 96 DPI.
    void create_frame(const FrameSpec& spec);
    // Creates a control; a label or button grows to fit its text (see TextFit.h).
    HWND add_control(const wchar_t* class_name, const std::wstring& text, DWORD style,
                     const LayoutRect& rect, int id, const FontSpec& font_spec = kDefaultFont,
                     DWORD ex_style = 0);
    // Sets a control's text after the window has been laid out, growing the control when the
    // text needs it.
    void set_control_text(int id, const std::wstring& text);
    // Once the controls are laid out: a window whose controls grew past its client area grows
    // to hold them.
    void finish_layout();
    HWND control(int id) const { return GetDlgItem(hwnd_, id); }
    int dpi() const { return dpi_; }
    HFONT font(const FontSpec& spec);

    virtual LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);
    // Runs after the window is gone (WM_NCDESTROY); the object may create it again later.
    virtual void on_closed() {}

  private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    static inline bool busy_cursor_ = false;
    static inline int icon_resource_ = 1;

    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was last active
    int dpi_ = 96;
    std::vector<std::pair<FontSpec, UniqueFont>> fonts_;
};

// The windows' icon from the resources (see Window::use_icon), at the given size.
HICON load_program_icon(int size);

}  // namespace qv::ui

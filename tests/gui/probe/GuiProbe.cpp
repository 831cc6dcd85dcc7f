// qv-gui-probe: the GUI tests' hands and eyes inside Wine. It reads one command per line from
// standard input (fields separated by tabs, UTF-8) and answers with one line: "ok ..." or
// "error ...". Window handles travel as decimal numbers.
//
//   wait TITLE CLASS MS [HWND]  a visible top-level window (other than HWND), once it exists
//                               -> ok HWND
//   gone HWND MS                until the window is gone -> ok
//   count TITLE CLASS           visible top-level windows of that title and class -> ok N
//   msgbox MS                   the program's message box -> ok HWND TAB TEXT TAB BUTTONS TAB
//                               icon|none
//   press HWND BUTTON           presses the button captioned BUTTON in that window
//   defbutton HWND              the caption of the window's default push button -> ok CAPTION
//   owner HWND                  the window that owns it -> ok HWND
//   control HWND ID             a control's own window handle -> ok HWND
//   prop HWND NAME              the number a window keeps as its property NAME -> ok N
//   click HWND ID               the command a click on control ID sends
//   menu HWND ID                the command of menu item ID
//   menus HWND                  the captions of the menu bar and its items -> ok A>B|C>D...
//   text HWND ID                a control's text -> ok TEXT
//   items HWND ID               a list box's items -> ok A TAB B ...; of a report list, each
//                               row's columns joined by a tab (escaped inside the row)
//   select HWND ID INDEX[,INDEX...]
//                               selects list box or report list items (-1: none; several in a
//                               list that takes them), with the notification a click sends
//   tabs HWND ID                a tab control's chosen tab and captions -> ok N TAB A TAB B ...
//   tab HWND ID N               chooses tab N, as a click on it does
//   header HWND ID COLUMN       a click on a report list's column header
//   rows HWND ID                a report list's rows that fit on one page -> ok N
//   widths HWND ID              a report list's column widths in pixels -> ok W W ...
//   status HWND ID PART         a status bar part's text -> ok TEXT
//   barpos HWND ID              a progress bar's position -> ok N
//   settext HWND ID TEXT        sets a control's text, as typing it does
//   ctlrect HWND ID             a control's rectangle in its window's client area -> ok L T R B
//   resize HWND W H             gives the window that size, as dragging its edge does
//   focus HWND                  the id of the control that has the focus in that window's thread
//   client HWND                 the client area's size -> ok W H
//   rect HWND                   the window's rectangle on the desktop -> ok L T R B
//   move HWND X Y               moves the window (the screenshots keep boxes apart)
//   close HWND                  asks the window to close (as its close box does)
//   dblclick HWND ID            the notification a double click on list box ID sends
//   checked HWND ID             whether a button is checked -> ok 1|0
//   dpi N                       sets Wine's DPI (LogPixels) for the programs started after it
//   clientrect HWND             the client area on the desktop -> ok L T R B
//   fits HWND ID DPI CP B I     how much room the control's text needs in MS Sans Serif of CP
//                               hundredths of a point (B bold, I italic: 1|0) at DPI, drawn as
//                               the control draws it -> ok WIDTH HEIGHT NEEDED_W NEEDED_H
//   textwidth DPI CP B I TEXT   the size of TEXT on one line in that font -> ok W H
//   listbox HWND ID             a list box's horizontal extent, item height, whether it has a
//                               horizontal scroll bar, and its width inside -> ok E H 1|0 W
//   enabled HWND                ok 1|0
//   above HWND OTHER            whether HWND is above OTHER among the top-level windows -> ok 1|0
//   menumode HWND               whether a menu of the window's thread is open -> ok 1|0
//   foreground                  the foreground window -> ok HWND
//   activate HWND               brings the window to the front, as a click on it does
//   show HWND min|restore       minimizes or restores the window
//   iconic HWND                 ok 1|0
//   keys KEY+KEY...             presses the keys in order and lets them go in reverse, as the
//                               user's keyboard does (alt, ctrl, delete, down, f3, f4, f5, f10,
//                               escape, return, tab, a-z)
//   mouse down|up|click X Y     the left mouse button at that point of the desktop
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cwchar>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

// Tabs and line breaks inside a reply would break the line protocol; a backslash is doubled so
// that a path's "\t" stays two characters.
std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        const char escaped = c == '\r'   ? 'r'
                             : c == '\n' ? 'n'
                             : c == '\t' ? 't'
                             : c == '\\' ? '\\'
                                         : '\0';
        if (escaped != '\0') {
            out.push_back('\\');
            out.push_back(escaped);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::wstring window_text(HWND hwnd) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 2000,
                        nullptr);
    return buffer;
}

std::wstring class_of(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

HWND handle(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(text)));
}

std::string number(HWND hwnd) {
    return std::to_string(reinterpret_cast<INT_PTR>(hwnd));
}

struct TopLevelSearch {
    std::wstring title, class_name;
    std::vector<HWND> found;
};

// A named CALLBACK function: a lambda converts to a pointer of the default calling convention,
// which on 32-bit Windows is not the stdcall that EnumWindows calls.
BOOL CALLBACK match_top_level(HWND hwnd, LPARAM data) {
    auto& s = *reinterpret_cast<TopLevelSearch*>(data);
    if (IsWindowVisible(hwnd) && class_of(hwnd) == s.class_name) {
        wchar_t text[512] = {};
        GetWindowTextW(hwnd, text, 512);
        if (s.title == text) s.found.push_back(hwnd);
    }
    return TRUE;
}

std::vector<HWND> top_level(const std::wstring& title, const std::wstring& class_name) {
    TopLevelSearch search{title, class_name, {}};
    EnumWindows(match_top_level, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <typename Test>
bool wait_for(int ms, Test test) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!test()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::string strip_ampersand(std::wstring text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c != L'&') out += c;
    }
    return utf8(out);
}

// Whether the box shows an icon. (Which one can't be told from here: under Wine the icon
// handle of another process can't be read.)
std::string icon_name(HWND box) {
    for (HWND child : children(box)) {
        if (class_of(child) != L"Static" || !IsWindowVisible(child)) continue;
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        if (SendMessageW(child, STM_GETICON, 0, 0) != 0) return "icon";
    }
    return "none";
}

std::string message_box_reply(HWND box) {
    std::string text;
    std::string buttons;
    for (HWND child : children(box)) {
        const std::wstring kind = class_of(child);
        if (kind == L"Static" && GetDlgCtrlID(child) == 0xFFFF) text = utf8(window_text(child));
        if (kind == L"Button" && IsWindowVisible(child)) {
            if (!buttons.empty()) buttons += ",";
            buttons += strip_ampersand(window_text(child));
        }
    }
    return "ok " + number(box) + "\t" + escape(text) + "\t" + buttons + "\t" + icon_name(box);
}

std::string menu_captions(HWND hwnd) {
    const HMENU bar = GetMenu(hwnd);
    if (bar == nullptr) return "error no menu";
    std::string out;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        wchar_t caption[256] = {};
        GetMenuStringW(bar, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
        if (!out.empty()) out += "|";
        out += utf8(caption);
        const HMENU popup = GetSubMenu(bar, i);
        for (int j = 0; popup != nullptr && j < GetMenuItemCount(popup); ++j) {
            GetMenuStringW(popup, static_cast<UINT>(j), caption, 256, MF_BYPOSITION);
            out.push_back('>');
            out += utf8(caption);
            out.push_back('#');
            out += std::to_string(GetMenuItemID(popup, j));
        }
    }
    out.insert(0, "ok ");
    return out;
}

HFONT layout_font(int dpi, int centipoints, bool bold, bool italic) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(centipoints, dpi, 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"MS Sans Serif");
    return CreateFontIndirectW(&font);
}

// Measures in a font of the layout, with the font selected for as long as the object lives.
class Measure {
  public:
    Measure(int dpi, int centipoints, bool bold, bool italic)
        : dc_(CreateCompatibleDC(nullptr)), font_(layout_font(dpi, centipoints, bold, italic)) {
        previous_ = SelectObject(dc_, font_);
    }
    ~Measure() {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    // The rectangle DrawText needs for `text` with `flags`, at most `width` wide when wrapping.
    RECT needed(const std::wstring& text, UINT flags, int width) const {
        RECT rect{0, 0, width, 0};
        DrawTextW(dc_, text.c_str(), -1, &rect, flags | DT_CALCRECT);
        return rect;
    }
    int line_height() const {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        return metrics.tmHeight;
    }

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

// The room a control's text needs, as the control draws it: a label wraps its words within its
// width (or stays on one line), a button centres one line inside its frame, an option puts its
// check mark before the text, a frame puts its caption on its top edge between two indents.
std::string fits(HWND control, int dpi, int centipoints, bool bold, bool italic) {
    const Measure measure(dpi, centipoints, bold, italic);
    RECT client{};
    GetClientRect(control, &client);
    const std::wstring text = window_text(control);
    const std::wstring kind = class_of(control);
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    RECT needed{};
    if (kind == L"Static") {
        const bool one_line = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
        needed = measure.needed(text, (one_line ? DT_SINGLELINE : DT_WORDBREAK) | DT_EXPANDTABS,
                                client.right);
    } else if (kind == L"Button") {
        needed = measure.needed(text, DT_SINGLELINE, 0);
        const LONG_PTR type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) {
            needed.right += MulDiv(16, dpi, 96);
            needed.bottom = 0;  // the caption sits on the frame's edge
        } else if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON) {
            needed.right += MulDiv(17, dpi, 96);
        } else {
            needed.right += MulDiv(6, dpi, 96);
        }
    } else {
        return "error no text to fit in a " + utf8(kind);
    }
    return "ok " + std::to_string(client.right) + " " + std::to_string(client.bottom) + " " +
           std::to_string(needed.right) + " " + std::to_string(needed.bottom);
}

WORD key_code(const std::string& name) {
    if (name == "alt") return VK_MENU;
    if (name == "f4") return VK_F4;
    if (name == "f5") return VK_F5;
    if (name == "f3") return VK_F3;
    if (name == "delete") return VK_DELETE;
    if (name == "down") return VK_DOWN;
    if (name == "ctrl") return VK_CONTROL;
    if (name == "f10") return VK_F10;
    if (name == "escape") return VK_ESCAPE;
    if (name == "return") return VK_RETURN;
    if (name == "tab") return VK_TAB;
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return static_cast<WORD>(name[0] - 'a' + 'A');
    throw std::runtime_error("unknown key " + name);
}

void send_keys(const std::string& spec) {
    std::vector<WORD> keys;
    std::stringstream stream(spec);
    std::string name;
    while (std::getline(stream, name, '+')) keys.push_back(key_code(name));
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void send_mouse(const std::string& action, int x, int y) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(x, 65536, width);
    move.mi.dy = MulDiv(y, 65536, height);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs{move};
    INPUT button = move;
    if (action == "down" || action == "click") {
        button.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(button);
    }
    if (action == "up" || action == "click") {
        button.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(button);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

struct MenuSearch {
    DWORD thread = 0;
    bool open = false;
};

BOOL CALLBACK match_open_menu(HWND hwnd, LPARAM data) {
    auto& s = *reinterpret_cast<MenuSearch*>(data);
    if (IsWindowVisible(hwnd) && class_of(hwnd) == L"#32768" &&
        GetWindowThreadProcessId(hwnd, nullptr) == s.thread)
        s.open = true;
    return TRUE;
}

bool menu_open(HWND hwnd) {
    MenuSearch search{GetWindowThreadProcessId(hwnd, nullptr), false};
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(search.thread, &info) &&
        (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)) != 0)
        return true;
    EnumWindows(match_open_menu, reinterpret_cast<LPARAM>(&search));
    return search.open;
}

bool above(HWND hwnd, HWND other) {
    for (HWND below = GetWindow(hwnd, GW_HWNDNEXT); below != nullptr;
         below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == other) return true;
    }
    return false;
}

// A block of memory inside the process that owns `window`: a list view or status bar reads and
// writes its structures in its own process, which a message from this one can't reach.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, std::size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ == nullptr) throw std::runtime_error("can't open the window's process");
        at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (at_ == nullptr) {
            CloseHandle(process_);
            throw std::runtime_error("can't allocate in the window's process");
        }
    }
    ~RemoteMemory() {
        VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    char* at(std::size_t offset) const { return static_cast<char*>(at_) + offset; }
    void write(std::size_t offset, const void* bytes, std::size_t n) const {
        WriteProcessMemory(process_, at(offset), bytes, n, nullptr);
    }
    void read(std::size_t offset, void* bytes, std::size_t n) const {
        ReadProcessMemory(process_, at(offset), bytes, n, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    void* at_ = nullptr;
    std::size_t size_ = 0;
};

bool is_report_list(HWND list) {
    return class_of(list) == L"SysListView32";
}

constexpr std::size_t kRemoteText = 1024;  // characters of one cell or status part

std::string report_rows(HWND list) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const LRESULT columns = header ? SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 1;
    const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    RemoteMemory remote(list, sizeof(LVITEMW) + kRemoteText * sizeof(wchar_t));
    std::string out = "ok";
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring row;
        for (LRESULT c = 0; c < columns; ++c) {
            LVITEMW item{};
            item.iSubItem = static_cast<int>(c);
            item.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof(LVITEMW)));
            item.cchTextMax = static_cast<int>(kRemoteText);
            remote.write(0, &item, sizeof item);
            const LRESULT n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i),
                                           reinterpret_cast<LPARAM>(remote.at(0)));
            std::wstring cell(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
            if (n > 0) remote.read(sizeof(LVITEMW), cell.data(), cell.size() * sizeof(wchar_t));
            row += (c > 0 ? L"\t" : L"") + cell;
        }
        out += "\t" + escape(utf8(row));
    }
    return out;
}

// The captions of a tab control's tabs, and which one is chosen.
std::string tab_captions(HWND tabs) {
    const LRESULT count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    RemoteMemory remote(tabs, sizeof(TCITEMW) + kRemoteText * sizeof(wchar_t));
    std::string out = "ok " + std::to_string(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    for (LRESULT i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof(TCITEMW)));
        item.cchTextMax = static_cast<int>(kRemoteText);
        remote.write(0, &item, sizeof item);
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(remote.at(0)));
        std::wstring text(kRemoteText, L'\0');
        remote.read(sizeof(TCITEMW), text.data(), text.size() * sizeof(wchar_t));
        text.resize(wcsnlen(text.c_str(), text.size()));
        out += "\t" + escape(utf8(text));
    }
    return out;
}

void select_rows(HWND list, const std::vector<int>& rows) {
    RemoteMemory remote(list, sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    remote.write(0, &item, sizeof item);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(remote.at(0)));
    bool first = true;
    for (int row : rows) {
        if (row < 0) continue;
        item.state = LVIS_SELECTED | (first ? LVIS_FOCUSED : 0);
        remote.write(0, &item, sizeof item);
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(remote.at(0)));
        if (first) SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        first = false;
    }
}

// The header of a report list clicked in the middle of `column`, as the mouse does it.
void click_header(HWND list, int column) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)) /
         2;
    RECT rect{};
    GetClientRect(header, &rect);
    const LPARAM at = MAKELPARAM(x, rect.bottom / 2);
    SendMessageW(header, WM_MOUSEMOVE, 0, at);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(header, WM_LBUTTONUP, 0, at);
}

std::string status_text(HWND bar, int part) {
    RemoteMemory remote(bar, kRemoteText * sizeof(wchar_t));
    const LRESULT length =
        LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    if (length <= 0 || static_cast<std::size_t>(length) >= kRemoteText) return "ok ";
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(remote.at(0)));
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    remote.read(0, text.data(), text.size() * sizeof(wchar_t));
    return "ok " + escape(utf8(text));
}

std::string run(const std::vector<std::string>& f) {
    const std::string& command = f.at(0);
    if (command == "wait") {
        const HWND besides = f.size() > 4 ? handle(f.at(4)) : nullptr;
        HWND found = nullptr;
        const bool ok = wait_for(std::stoi(f.at(3)), [&] {
            found = nullptr;
            for (HWND hwnd : top_level(wide(f.at(1)), wide(f.at(2)))) {
                if (hwnd != besides && found == nullptr) found = hwnd;
            }
            return found != nullptr;
        });
        return ok ? "ok " + number(found) : "error timeout";
    }
    if (command == "gone") {
        const HWND hwnd = handle(f.at(1));
        return wait_for(std::stoi(f.at(2)),
                        [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); })
                   ? "ok"
                   : "error timeout";
    }
    if (command == "count") {
        return "ok " + std::to_string(top_level(wide(f.at(1)), wide(f.at(2))).size());
    }
    if (command == "msgbox") {
        HWND box = nullptr;
        const bool ok = wait_for(std::stoi(f.at(1)), [&] {
            const auto boxes = top_level(L"Quorvane v4.0 - Message", L"#32770");
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        });
        if (!ok) return "error timeout";
        // Give the box a moment to finish laying out its controls.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        return message_box_reply(box);
    }
    if (command == "defbutton") {
        for (HWND child : children(handle(f.at(1))))
            if (class_of(child) == L"Button" &&
                (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                return "ok " + strip_ampersand(window_text(child));
        return "error no default button";
    }
    if (command == "control")
        return "ok " + number(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))));
    if (command == "prop")
        return "ok " + std::to_string(reinterpret_cast<std::uintptr_t>(
                           GetPropW(handle(f.at(1)), wide(f.at(2)).c_str())));
    if (command == "owner") return "ok " + number(GetWindow(handle(f.at(1)), GW_OWNER));
    if (command == "press") {
        const HWND box = handle(f.at(1));
        for (HWND child : children(box)) {
            if (class_of(child) == L"Button" && strip_ampersand(window_text(child)) == f.at(2)) {
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                             reinterpret_cast<LPARAM>(child));
                return "ok";
            }
        }
        return "error no such button";
    }
    if (command == "click" || command == "dblclick") {
        // The notification the control sends its window.
        const HWND hwnd = handle(f.at(1));
        const int id = std::stoi(f.at(2));
        const WORD code = command == "click" ? BN_CLICKED : LBN_DBLCLK;
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, id)));
        return "ok";
    }
    if (command == "menu") {
        PostMessageW(handle(f.at(1)), WM_COMMAND, MAKEWPARAM(std::stoi(f.at(2)), 0), 0);
        return "ok";
    }
    if (command == "menus") return menu_captions(handle(f.at(1)));
    if (command == "text") {
        return "ok " + escape(utf8(window_text(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))))));
    }
    if (command == "items") {
        const HWND list = GetDlgItem(handle(f.at(1)), std::stoi(f.at(2)));
        if (is_report_list(list)) return report_rows(list);
        const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        std::string out = "ok";
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t item[1024] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            out += "\t" + escape(utf8(item));
        }
        return out;
    }
    if (command == "select") {
        const HWND window = handle(f.at(1));
        const int id = std::stoi(f.at(2));
        const HWND list = GetDlgItem(window, id);
        std::vector<int> indices;
        std::stringstream stream(f.at(3));
        std::string index;
        while (std::getline(stream, index, ',')) indices.push_back(std::stoi(index));
        if (is_report_list(list)) {
            select_rows(list, indices);
            return "ok";
        }
        if ((GetWindowLongPtrW(list, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0) {
            SendMessageW(list, LB_SETSEL, FALSE, -1);
            for (int i : indices) {
                if (i >= 0) SendMessageW(list, LB_SETSEL, TRUE, i);
            }
            if (!indices.empty() && indices.front() >= 0)
                SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(indices.front()), FALSE);
        } else {
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(indices.at(0)), 0);
        }
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        return "ok";
    }
    if (command == "tabs") return tab_captions(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))));
    if (command == "tab") {
        // As a click on the tab does: the tab control tells its window of the change.
        SendMessageW(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))), TCM_SETCURFOCUS,
                     static_cast<WPARAM>(std::stoi(f.at(3))), 0);
        return "ok";
    }
    if (command == "header") {
        click_header(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))), std::stoi(f.at(3)));
        return "ok";
    }
    if (command == "rows") {
        const HWND list = GetDlgItem(handle(f.at(1)), std::stoi(f.at(2)));
        return "ok " + std::to_string(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    }
    if (command == "widths") {
        const HWND list = GetDlgItem(handle(f.at(1)), std::stoi(f.at(2)));
        const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
        std::string out = "ok";
        for (LRESULT c = 0; c < SendMessageW(header, HDM_GETITEMCOUNT, 0, 0); ++c)
            out += " " + std::to_string(
                             SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
        return out;
    }
    if (command == "barpos")
        return "ok " + std::to_string(SendMessageW(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))),
                                                   PBM_GETPOS, 0, 0));
    if (command == "status")
        return status_text(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))), std::stoi(f.at(3)));
    if (command == "settext") {
        const std::wstring text = wide(f.size() > 3 ? f.at(3) : "");
        SendMessageW(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(text.c_str()));
        return "ok";
    }
    if (command == "ctlrect") {
        const HWND control = GetDlgItem(handle(f.at(1)), std::stoi(f.at(2)));
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return "ok " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
               std::to_string(rect.right) + " " + std::to_string(rect.bottom);
    }
    if (command == "resize") {
        SetWindowPos(handle(f.at(1)), nullptr, 0, 0, std::stoi(f.at(2)), std::stoi(f.at(3)),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return "ok";
    }
    if (command == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = GetWindowThreadProcessId(handle(f.at(1)), nullptr);
        if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return "ok none";
        return "ok " + std::to_string(GetDlgCtrlID(info.hwndFocus));
    }
    if (command == "client") {
        RECT client{};
        GetClientRect(handle(f.at(1)), &client);
        return "ok " + std::to_string(client.right) + " " + std::to_string(client.bottom);
    }
    if (command == "rect") {
        RECT frame{};
        GetWindowRect(handle(f.at(1)), &frame);
        return "ok " + std::to_string(frame.left) + " " + std::to_string(frame.top) + " " +
               std::to_string(frame.right) + " " + std::to_string(frame.bottom);
    }
    if (command == "move") {
        SetWindowPos(handle(f.at(1)), nullptr, std::stoi(f.at(2)), std::stoi(f.at(3)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return "ok";
    }
    if (command == "close") {
        PostMessageW(handle(f.at(1)), WM_CLOSE, 0, 0);
        return "ok";
    }
    if (command == "checked") {
        const HWND button = GetDlgItem(handle(f.at(1)), std::stoi(f.at(2)));
        return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? "ok 1" : "ok 0";
    }
    if (command == "dpi") {
        const DWORD dpi = static_cast<DWORD>(std::stoul(f.at(1)));
        const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop",
                                               L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        return status == ERROR_SUCCESS ? "ok" : "error " + std::to_string(status);
    }
    if (command == "clientrect") {
        const HWND hwnd = handle(f.at(1));
        RECT client{};
        GetClientRect(hwnd, &client);
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return "ok " + std::to_string(client.left) + " " + std::to_string(client.top) + " " +
               std::to_string(client.right) + " " + std::to_string(client.bottom);
    }
    if (command == "fits") {
        return fits(GetDlgItem(handle(f.at(1)), std::stoi(f.at(2))), std::stoi(f.at(3)),
                    std::stoi(f.at(4)), f.at(5) == "1", f.at(6) == "1");
    }
    if (command == "textwidth") {
        const Measure measure(std::stoi(f.at(1)), std::stoi(f.at(2)), f.at(3) == "1",
                              f.at(4) == "1");
        const RECT needed = measure.needed(wide(f.at(5)), DT_SINGLELINE, 0);
        return "ok " + std::to_string(needed.right) + " " + std::to_string(needed.bottom);
    }
    if (command == "listbox") {
        const HWND list = GetDlgItem(handle(f.at(1)), std::stoi(f.at(2)));
        const auto extent = SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
        const auto item = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
        const bool scroll = (GetWindowLongPtrW(list, GWL_STYLE) & WS_HSCROLL) != 0;
        RECT client{};
        GetClientRect(list, &client);
        return "ok " + std::to_string(extent) + " " + std::to_string(item) + " " +
               (scroll ? "1" : "0") + " " + std::to_string(client.right);
    }
    if (command == "enabled") return IsWindowEnabled(handle(f.at(1))) ? "ok 1" : "ok 0";
    if (command == "above") return above(handle(f.at(1)), handle(f.at(2))) ? "ok 1" : "ok 0";
    if (command == "menumode") return menu_open(handle(f.at(1))) ? "ok 1" : "ok 0";
    if (command == "foreground") return "ok " + number(GetForegroundWindow());
    if (command == "activate") {
        return SetForegroundWindow(handle(f.at(1))) ? "ok" : "error not brought to the front";
    }
    if (command == "show") {
        ShowWindow(handle(f.at(1)), f.at(2) == "min" ? SW_MINIMIZE : SW_RESTORE);
        return "ok";
    }
    if (command == "iconic") return IsIconic(handle(f.at(1))) ? "ok 1" : "ok 0";
    if (command == "keys") {
        send_keys(f.at(1));
        return "ok";
    }
    if (command == "mouse") {
        send_mouse(f.at(1), std::stoi(f.at(2)), std::stoi(f.at(3)));
        return "ok";
    }
    return "error unknown command";
}

}  // namespace

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "quit") break;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t')) fields.push_back(field);
        std::string reply;
        try {
            reply = fields.empty() ? "error empty" : run(fields);
        } catch (const std::exception& error) {
            reply = std::string("error ") + error.what();
        }
        std::cout << reply << std::endl;
    }
    return 0;
}

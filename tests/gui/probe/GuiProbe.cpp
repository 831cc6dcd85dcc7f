// qv-gui-probe: the GUI tests' hands and eyes inside Wine. It reads one command per line from
// standard input (fields separated by tabs, UTF-8) and answers with one line: "ok ..." or
// "error ...". Window handles travel as decimal numbers.
//
//   wait TITLE CLASS MS         a visible top-level window, once it exists -> ok HWND
//   gone HWND MS                until the window is gone -> ok
//   count TITLE CLASS           visible top-level windows of that title and class -> ok N
//   msgbox MS                   the program's message box -> ok HWND TAB TEXT TAB BUTTONS TAB
//                               icon|none
//   press HWND BUTTON           presses the button captioned BUTTON in that window
//   click HWND ID               the command a click on control ID sends
//   menu HWND ID                the command of menu item ID
//   menus HWND                  the captions of the menu bar and its items -> ok A>B|C>D...
//   text HWND ID                a control's text -> ok TEXT
//   items HWND ID               a list box's items -> ok A TAB B ...
//   select HWND ID INDEX        selects a list box item (-1: none)
//   focus HWND                  the id of the control that has the focus in that window's thread
//   client HWND                 the client area's size -> ok W H
//   rect HWND                   the window's rectangle on the desktop -> ok L T R B
//   move HWND X Y               moves the window (the screenshots keep boxes apart)
//   close HWND                  asks the window to close (as its close box does)
#include <windows.h>

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

// Tabs and line breaks inside a reply would break the line protocol.
std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        const char escaped = c == '\r' ? 'r' : c == '\n' ? 'n' : c == '\t' ? 't' : '\0';
        if (escaped != '\0') {
            out.push_back('\\');
            out.push_back(escaped);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 2000,
                        nullptr);
    return buffer;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

HWND Handle(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(text)));
}

std::string Number(HWND hwnd) {
    return std::to_string(reinterpret_cast<INT_PTR>(hwnd));
}

struct TopLevelSearch {
    std::wstring title, class_name;
    std::vector<HWND> found;
};

// A named CALLBACK function: a lambda converts to a pointer of the default calling convention,
// which on 32-bit Windows is not the stdcall that EnumWindows calls.
BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM data) {
    auto& s = *reinterpret_cast<TopLevelSearch*>(data);
    if (IsWindowVisible(hwnd) && ClassOf(hwnd) == s.class_name) {
        wchar_t text[512] = {};
        GetWindowTextW(hwnd, text, 512);
        if (s.title == text) s.found.push_back(hwnd);
    }
    return TRUE;
}

std::vector<HWND> TopLevel(const std::wstring& title, const std::wstring& class_name) {
    TopLevelSearch search{title, class_name, {}};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <typename Test>
bool WaitFor(int ms, Test test) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!test()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::string StripAmpersand(std::wstring text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c != L'&') out += c;
    }
    return Utf8(out);
}

// Whether the box shows an icon. (Which one can't be told from here: under Wine the icon
// handle of another process can't be read.)
std::string IconName(HWND box) {
    for (HWND child : Children(box)) {
        if (ClassOf(child) != L"Static" || !IsWindowVisible(child)) continue;
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        if (SendMessageW(child, STM_GETICON, 0, 0) != 0) return "icon";
    }
    return "none";
}

std::string MessageBoxReply(HWND box) {
    std::string text;
    std::string buttons;
    for (HWND child : Children(box)) {
        const std::wstring kind = ClassOf(child);
        if (kind == L"Static" && GetDlgCtrlID(child) == 0xFFFF) text = Utf8(WindowText(child));
        if (kind == L"Button" && IsWindowVisible(child)) {
            if (!buttons.empty()) buttons += ",";
            buttons += StripAmpersand(WindowText(child));
        }
    }
    return "ok " + Number(box) + "\t" + Escape(text) + "\t" + buttons + "\t" + IconName(box);
}

std::string MenuCaptions(HWND hwnd) {
    const HMENU bar = GetMenu(hwnd);
    if (bar == nullptr) return "error no menu";
    std::string out;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        wchar_t caption[256] = {};
        GetMenuStringW(bar, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
        if (!out.empty()) out += "|";
        out += Utf8(caption);
        const HMENU popup = GetSubMenu(bar, i);
        for (int j = 0; popup != nullptr && j < GetMenuItemCount(popup); ++j) {
            GetMenuStringW(popup, static_cast<UINT>(j), caption, 256, MF_BYPOSITION);
            out.push_back('>');
            out += Utf8(caption);
            out.push_back('#');
            out += std::to_string(GetMenuItemID(popup, j));
        }
    }
    out.insert(0, "ok ");
    return out;
}

std::string Run(const std::vector<std::string>& f) {
    const std::string& command = f.at(0);
    if (command == "wait") {
        HWND found = nullptr;
        const bool ok = WaitFor(std::stoi(f.at(3)), [&] {
            const auto windows = TopLevel(Wide(f.at(1)), Wide(f.at(2)));
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        });
        return ok ? "ok " + Number(found) : "error timeout";
    }
    if (command == "gone") {
        const HWND hwnd = Handle(f.at(1));
        return WaitFor(std::stoi(f.at(2)),
                       [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); })
                   ? "ok"
                   : "error timeout";
    }
    if (command == "count") {
        return "ok " + std::to_string(TopLevel(Wide(f.at(1)), Wide(f.at(2))).size());
    }
    if (command == "msgbox") {
        HWND box = nullptr;
        const bool ok = WaitFor(std::stoi(f.at(1)), [&] {
            const auto boxes = TopLevel(L"Quorvane v4.0 - Message", L"#32770");
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        });
        if (!ok) return "error timeout";
        // Give the box a moment to finish laying out its controls.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        return MessageBoxReply(box);
    }
    if (command == "press") {
        const HWND box = Handle(f.at(1));
        for (HWND child : Children(box)) {
            if (ClassOf(child) == L"Button" && StripAmpersand(WindowText(child)) == f.at(2)) {
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                             reinterpret_cast<LPARAM>(child));
                return "ok";
            }
        }
        return "error no such button";
    }
    if (command == "click") {
        const HWND hwnd = Handle(f.at(1));
        const int id = std::stoi(f.at(2));
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwnd, id)));
        return "ok";
    }
    if (command == "menu") {
        PostMessageW(Handle(f.at(1)), WM_COMMAND, MAKEWPARAM(std::stoi(f.at(2)), 0), 0);
        return "ok";
    }
    if (command == "menus") return MenuCaptions(Handle(f.at(1)));
    if (command == "text") {
        return "ok " + Escape(Utf8(WindowText(GetDlgItem(Handle(f.at(1)), std::stoi(f.at(2))))));
    }
    if (command == "items") {
        const HWND list = GetDlgItem(Handle(f.at(1)), std::stoi(f.at(2)));
        const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        std::string out = "ok";
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t item[1024] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            out += "\t" + Escape(Utf8(item));
        }
        return out;
    }
    if (command == "select") {
        const HWND list = GetDlgItem(Handle(f.at(1)), std::stoi(f.at(2)));
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::stoi(f.at(3))), 0);
        return "ok";
    }
    if (command == "focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = GetWindowThreadProcessId(Handle(f.at(1)), nullptr);
        if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return "ok none";
        return "ok " + std::to_string(GetDlgCtrlID(info.hwndFocus));
    }
    if (command == "client") {
        RECT client{};
        GetClientRect(Handle(f.at(1)), &client);
        return "ok " + std::to_string(client.right) + " " + std::to_string(client.bottom);
    }
    if (command == "rect") {
        RECT frame{};
        GetWindowRect(Handle(f.at(1)), &frame);
        return "ok " + std::to_string(frame.left) + " " + std::to_string(frame.top) + " " +
               std::to_string(frame.right) + " " + std::to_string(frame.bottom);
    }
    if (command == "move") {
        SetWindowPos(Handle(f.at(1)), nullptr, std::stoi(f.at(2)), std::stoi(f.at(3)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return "ok";
    }
    if (command == "close") {
        PostMessageW(Handle(f.at(1)), WM_CLOSE, 0, 0);
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
            reply = fields.empty() ? "error empty" : Run(fields);
        } catch (const std::exception& error) {
            reply = std::string("error ") + error.what();
        }
        std::cout << reply << std::endl;
    }
    return 0;
}

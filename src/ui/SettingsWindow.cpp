#include "ui/SettingsWindow.h"

#include <cwctype>
#include <iterator>

#include "core/Settings.h"
#include "platform/Text.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

constexpr LayoutRect kVersionGroupRect{kMargin, kMargin, 297, 121};
constexpr LayoutRect kFolderGroupRect{kMargin, 136, 297, 209};
constexpr int kVersionRadioIds[4] = {ids::kSettingsFs98, ids::kSettingsFs2000, ids::kSettingsFs2002,
                                     ids::kSettingsCfs2};

HMENU build_menu_bar() {
    const HMENU bar = CreateMenu();
    const HMENU about = CreatePopupMenu();
    AppendMenuW(about, MF_STRING, ids::kMenuAboutFromSettings, widen(texts::kAboutItem).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(about), widen(texts::kAboutMenu).c_str());
    return bar;
}

// A folder sign for the folder list, `size` pixels square, drawn with plain GDI so it looks the
// same everywhere. Its parts are laid out in sixteenths of its size.
void draw_folder_sign(HDC dc, int left, int top, int size, bool open) {
    const auto at = [size](int sixteenths) { return MulDiv(sixteenths, size, 16); };
    UniqueBrush fill(CreateSolidBrush(open ? RGB(255, 255, 160) : RGB(240, 200, 80)));
    UniqueBrush edge(CreateSolidBrush(RGB(128, 96, 0)));
    const RECT tab{left + at(1), top + at(3), left + at(7), top + at(5)};
    const RECT body{left + at(1), top + at(4), left + at(15), top + at(14)};
    FillRect(dc, &tab, fill.get());
    FrameRect(dc, &tab, edge.get());
    FillRect(dc, &body, fill.get());
    FrameRect(dc, &body, edge.get());
    if (open) {
        const RECT flap{left + at(3), top + at(7), left + at(16), top + at(14)};
        FrameRect(dc, &flap, edge.get());
    }
}

// `folder` itself, or the nearest folder above it that can be listed; empty when none can.
std::wstring nearest_listed_folder(const std::wstring& folder) {
    const std::vector<FolderEntry> path = build_folder_entries(folder, {});
    std::vector<std::wstring> subfolders;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (list_subfolders(it->path, subfolders)) return it->path;
    }
    return {};
}

}  // namespace

void SettingsWindow::create(Purpose purpose, const std::wstring& folder, std::uint8_t version,
                            HWND owner) {
    if (is_open()) return;
    purpose_ = purpose;
    FrameSpec frame;
    frame.class_name = L"QuorvaneSettingsWindow";
    frame.caption = widen(texts::kSettingsCaption);
    frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width = 316;
    frame.client_height = 405;
    frame.owner = owner;
    frame.menu = build_menu_bar();
    create_frame(frame);

    // Created in tab order, top to bottom, every control that starts a tab group marked.
    const HWND version_group =
        add_control(L"BUTTON", widen(texts::kVersionGroup), BS_GROUPBOX | WS_GROUP,
                    kVersionGroupRect, ids::kSettingsVersionGroup);
    add_control(L"BUTTON", widen(texts::kVersionChoices[0]),
                BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
                inside(kVersionGroupRect, {kMargin, 24, 153, kLineHeight}), ids::kSettingsFs98);
    add_control(L"BUTTON", widen(texts::kVersionChoices[1]), BS_AUTORADIOBUTTON,
                inside(kVersionGroupRect, {kMargin, 48, 169, kLineHeight}), ids::kSettingsFs2000);
    add_control(L"BUTTON", widen(texts::kVersionChoices[2]), BS_AUTORADIOBUTTON,
                inside(kVersionGroupRect, {kMargin, 72, 169, kLineHeight}), ids::kSettingsFs2002);
    add_control(L"BUTTON", widen(texts::kVersionChoices[3]), BS_AUTORADIOBUTTON,
                inside(kVersionGroupRect, {kMargin, 96, 193, 13}), ids::kSettingsCfs2);
    const HWND folder_group =
        add_control(L"BUTTON", widen(texts::kFolderGroup), BS_GROUPBOX | WS_GROUP, kFolderGroupRect,
                    ids::kSettingsFolderGroup);
    // A drop-down list's height is that of the list when open; the closed box takes the
    // height of its font, as a drive list does.
    LayoutRect drive_rect = inside(kFolderGroupRect, {16, 24, 137, kBoxHeight});
    drive_rect.height = 160;
    add_control(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, drive_rect,
                ids::kSettingsDriveList);
    add_control(L"LISTBOX", L"",
                LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                    WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                inside(kFolderGroupRect, {16, 48, 241, 81}), ids::kSettingsFolderList, kDefaultFont,
                WS_EX_CLIENTEDGE);
    add_control(L"STATIC", widen(texts::kCurrentDirectory), SS_LEFT | WS_GROUP,
                inside(kFolderGroupRect, {16, 136, 89, kLineHeight}),
                ids::kSettingsCurrentFolderLabel);
    // The folder list's path, or a path typed or pasted over it: NEXT STEP saves its text.
    add_control(L"EDIT", widen(texts::kFolderNone),
                ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                inside(kFolderGroupRect, {16, 152, 273, 19}), ids::kSettingsFolderBox, kDefaultFont,
                WS_EX_CLIENTEDGE);
    // One line, clipped at the edge when the font is wider than the laid-out one, rather than
    // a second line cut off by the label's height.
    add_control(L"STATIC", widen(texts::kFolderExample), SS_LEFTNOWORDWRAP | WS_GROUP,
                inside(kFolderGroupRect, {16, 184, 265, kLineHeight}), ids::kSettingsExample);
    add_control(L"BUTTON", widen(texts::kNextStep), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {kMargin, 360, 145, kButtonHeight}, ids::kSettingsNextStep);
    add_control(L"BUTTON", widen(texts::kExit), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {160, 360, 145, kButtonHeight}, ids::kSettingsExit);
    // Group boxes are drawn beneath the controls they hold (they take no focus, so the tab order
    // of the rest is unchanged).
    for (const HWND group_box : {folder_group, version_group}) {
        SetWindowPos(group_box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // The drive list on the folder's drive, the folder list on the folder, the folder box and
    // the chosen folder following, the version's radio button selected.
    std::wstring start = nearest_listed_folder(folder);
    if (start.empty()) start = current_folder();
    drives_ = list_drives();
    drive_index_ = -1;
    const HWND drive_list = control(ids::kSettingsDriveList);
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        const DriveInfo& drive = drives_[i];
        SendMessageW(drive_list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(drive_list_text(drive.letter, drive.label).c_str()));
        if (start.size() >= 2 && start[1] == L':' &&
            std::towupper(static_cast<wint_t>(start[0])) == static_cast<wint_t>(drive.letter)) {
            drive_index_ = static_cast<int>(i);
        }
    }
    SendMessageW(drive_list, CB_SETCURSEL, static_cast<WPARAM>(drive_index_), 0);
    move_folder_list(start, true);
    follow_folder_list();
    settings_saved_ = false;
    chosen_version_ = version;
    if (version >= 1 && version <= 4) {
        CheckRadioButton(hwnd(), ids::kSettingsFs98, ids::kSettingsCfs2,
                         kVersionRadioIds[version - 1]);
    }
    finish_layout();
}

bool SettingsWindow::move_folder_list(const std::wstring& folder, bool even_unlisted) {
    std::vector<std::wstring> subfolders;
    if (!list_subfolders(folder, subfolders) && !even_unlisted) return false;
    folder_ = folder;
    entries_ = build_folder_entries(folder_, subfolders);
    const HWND list = control(ids::kSettingsFolderList);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : entries_) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    }
    const std::size_t current = current_entry_index(entries_);
    SendMessageW(list, LB_SETCURSEL, current, 0);
    SendMessageW(list, LB_SETTOPINDEX, current, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return true;
}

void SettingsWindow::follow_folder_list() {
    const std::wstring text = trim_root(folder_);
    SetWindowTextW(control(ids::kSettingsFolderBox), text.c_str());
}

void SettingsWindow::on_drive_change() {
    const LRESULT chosen = SendMessageW(control(ids::kSettingsDriveList), CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR || static_cast<int>(chosen) == drive_index_) return;
    std::wstring folder;
    if (!drive_current_folder(drives_[static_cast<std::size_t>(chosen)].letter, folder) ||
        !move_folder_list(folder, false)) {
        // The drive list goes back to the drive the folder list is still on.
        SendMessageW(control(ids::kSettingsDriveList), CB_SETCURSEL,
                     static_cast<WPARAM>(drive_index_), 0);
        show_warning(hwnd(), texts::kDriveNotReady);
        return;
    }
    drive_index_ = static_cast<int>(chosen);
    follow_folder_list();
}

void SettingsWindow::open_folder_entry() {
    const LRESULT chosen = SendMessageW(control(ids::kSettingsFolderList), LB_GETCURSEL, 0, 0);
    if (chosen == LB_ERR || static_cast<std::size_t>(chosen) >= entries_.size()) return;
    const std::wstring target = entries_[static_cast<std::size_t>(chosen)].path;
    if (target == folder_) return;
    if (!move_folder_list(target, false)) {
        move_folder_list(folder_, true);
        show_warning(hwnd(), texts::kFolderNotOpened);
        return;
    }
    follow_folder_list();
}

void SettingsWindow::on_next_step() {
    SimChoice choice;
    choice.folder = narrow(window_text(control(ids::kSettingsFolderBox)), &choice.lossless);
    choice.version = chosen_version_;
    // Saved, the window closes: its going no longer ends the program.
    settings_saved_ = true;
    if (!host_.choose_settings(choice, hwnd())) settings_saved_ = false;
}

void SettingsWindow::leave() {
    if (purpose_ == Purpose::change) {
        host_.leave_settings();
    } else {
        host_.end_program();
    }
}

void SettingsWindow::focus_start() {
    if (is_open()) SetFocus(control(ids::kSettingsFolderList));
}

void SettingsWindow::on_command(int id, int code) {
    // Esc, which the dialog keys turn into IDCANCEL, does what EXIT does.
    if (id == IDCANCEL) {
        leave();
        return;
    }
    for (int i = 0; i < 4; ++i) {
        if (id == kVersionRadioIds[i] && code == BN_CLICKED) {
            chosen_version_ = static_cast<std::uint8_t>(i + 1);
            return;
        }
    }
    switch (id) {
        case ids::kSettingsNextStep:
            if (code == BN_CLICKED) on_next_step();
            return;
        case ids::kSettingsExit:
            if (code == BN_CLICKED) leave();
            return;
        case ids::kSettingsDriveList:
            if (code == CBN_SELCHANGE) on_drive_change();
            return;
        case ids::kSettingsFolderList:
            if (code == LBN_DBLCLK) open_folder_entry();
            return;
        case ids::kMenuAboutFromSettings:
            host_.open(WindowHost::Opens::about);
            return;
        default:
            return;
    }
}

void SettingsWindow::measure_folder_item(MEASUREITEMSTRUCT& item) {
    // As tall as a line of the list's text with a little room, so the signs, drawn as tall as
    // the entry, match the text at any DPI. (Asked before the list has its font.)
    MemoryDc dc;
    SelectedObject list_font(dc.get(), font(kDefaultFont));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    item.itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading +
                                        scaled(kListTextMargin, dpi()));
}

void SettingsWindow::draw_folder_item(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) return;
    const FolderEntry& entry = entries_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int height = item.rcItem.bottom - item.rcItem.top;
    const int indent = scaled(kMargin, dpi());
    const int sign_size = height - 2;
    const int sign_left = item.rcItem.left + 2 + entry.level * indent;
    draw_folder_sign(item.hDC, sign_left, item.rcItem.top + 1, sign_size, entry.open);

    RECT text = item.rcItem;
    text.left = sign_left + sign_size + 3;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, entry.name.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT SettingsWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            on_command(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_MEASUREITEM:
            measure_folder_item(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_DRAWITEM:
            draw_folder_item(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_CLOSE:
            leave();
            return 0;
        case WM_DESTROY:
            // Gone before the settings were saved while the program needs them: the run ends.
            if (!settings_saved_ && purpose_ == Purpose::choose) host_.end_program();
            break;
        default:
            break;
    }
    return Window::on_message(message, wparam, lparam);
}

void SettingsWindow::on_closed() {
    host_.window_closed();
}

}  // namespace qv::ui

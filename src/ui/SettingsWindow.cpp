#include "ui/SettingsWindow.h"

#include <cwctype>
#include <iterator>

#include "core/Settings.h"
#include "ui/App.h"
#include "ui/ControlIds.h"
#include "ui/MessageBoxes.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr TwipRect kFrame1{120, 120, 4455, 1815};
constexpr TwipRect kFrame2{120, 2040, 4455, 3135};
constexpr int kOptionIds[4] = {ids::kSettingsOption1, ids::kSettingsOption2, ids::kSettingsOption3,
                               ids::kSettingsOption4};

HMENU BuildMenuBar() {
    const HMENU bar = CreateMenu();
    const HMENU about = CreatePopupMenu();
    AppendMenuW(about, MF_STRING, ids::kMenuAboutFromSettings, Widen(texts::kAboutItem).c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(about), Widen(texts::kAboutMenu).c_str());
    return bar;
}

// A folder sign for the folder list, drawn with plain GDI so it looks the same everywhere.
void DrawFolderSign(HDC dc, int left, int top, int size, bool open) {
    const int unit = size > 15 ? size / 16 : 1;
    UniqueBrush fill(CreateSolidBrush(open ? RGB(255, 255, 160) : RGB(240, 200, 80)));
    UniqueBrush edge(CreateSolidBrush(RGB(128, 96, 0)));
    const RECT tab{left + unit, top + 3 * unit, left + 7 * unit, top + 5 * unit};
    const RECT body{left + unit, top + 4 * unit, left + 15 * unit, top + 14 * unit};
    FillRect(dc, &tab, fill.get());
    FrameRect(dc, &tab, edge.get());
    FillRect(dc, &body, fill.get());
    FrameRect(dc, &body, edge.get());
    if (open) {
        const RECT flap{left + 3 * unit, top + 7 * unit, left + 16 * unit, top + 14 * unit};
        FrameRect(dc, &flap, edge.get());
    }
}

}  // namespace

void SettingsWindow::Create() {
    if (IsOpen()) return;
    FrameSpec frame;
    frame.class_name = L"QuorvaneForm2";
    frame.caption = Widen(texts::kSettingsCaption);
    frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    frame.ex_style = WS_EX_DLGMODALFRAME;
    frame.client_width_twips = 4740;
    frame.client_height_twips = 6075;
    frame.owner = app_.owner();
    frame.menu = BuildMenuBar();
    CreateFrame(frame);

    // Created in tab order (EXIT first), every control that starts a tab group marked.
    AddControl(L"BUTTON", Widen(texts::kExit), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {2400, 5400, 2175, 495}, ids::kSettingsExit);
    AddControl(L"BUTTON", Widen(texts::kNextStep), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {120, 5400, 2175, 495}, ids::kSettingsNextStep);
    const HWND folder_frame = AddControl(L"BUTTON", Widen(texts::kFolderFrame),
                                         BS_GROUPBOX | WS_GROUP, kFrame2, ids::kSettingsFrame2);
    // Read-only: the box always shows the folder list's path, the text that is saved.
    AddControl(L"EDIT", Widen(texts::kFolderNone),
               ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP | WS_GROUP,
               Inside(kFrame2, {240, 2280, 4095, 285}), ids::kSettingsText1, kDefaultFont,
               WS_EX_CLIENTEDGE);
    AddControl(L"LISTBOX", L"",
               LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                   WS_VSCROLL | WS_TABSTOP | WS_GROUP,
               Inside(kFrame2, {240, 720, 3615, 1215}), ids::kSettingsFolder, kDefaultFont,
               WS_EX_CLIENTEDGE);
    // A drop-down list's height is that of the list when open; the closed box takes the
    // height of its font, as a drive list does.
    TwipRect drive_rect = Inside(kFrame2, {240, 360, 2055, 315});
    drive_rect.height = 2400;
    AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, drive_rect,
               ids::kSettingsDrive);
    // One line, clipped at the edge when the font is wider than the laid-out one, rather than
    // a second line cut off by the label's height.
    AddControl(L"STATIC", Widen(texts::kFolderExample), SS_LEFTNOWORDWRAP | WS_GROUP,
               Inside(kFrame2, {240, 2760, 3975, 255}), ids::kSettingsLabel2);
    AddControl(L"STATIC", Widen(texts::kCurrentDirectory), SS_LEFT | WS_GROUP,
               Inside(kFrame2, {240, 2040, 1335, 255}), ids::kSettingsLabel1);
    const HWND version_frame = AddControl(L"BUTTON", Widen(texts::kVersionFrame),
                                          BS_GROUPBOX | WS_GROUP, kFrame1, ids::kSettingsFrame1);
    AddControl(L"BUTTON", Widen(texts::kVersionChoices[2]),
               BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, Inside(kFrame1, {120, 1080, 2535, 255}),
               ids::kSettingsOption3);
    AddControl(L"BUTTON", Widen(texts::kVersionChoices[1]), BS_AUTORADIOBUTTON,
               Inside(kFrame1, {120, 720, 2535, 255}), ids::kSettingsOption2);
    AddControl(L"BUTTON", Widen(texts::kVersionChoices[0]), BS_AUTORADIOBUTTON,
               Inside(kFrame1, {120, 360, 2295, 255}), ids::kSettingsOption1);
    AddControl(L"BUTTON", Widen(texts::kVersionChoices[3]), BS_AUTORADIOBUTTON,
               Inside(kFrame1, {120, 1440, 2895, 195}), ids::kSettingsOption4);
    // Frames are drawn beneath the controls they hold (they take no focus, so the tab order
    // of the rest is unchanged).
    for (const HWND frame_control : {folder_frame, version_frame}) {
        SetWindowPos(frame_control, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // Form_Load: the drive list on the current drive, the folder list on its current folder
    // (the start-up folder), Text1 and fs_main_dir following, version 1.
    const std::wstring start = CurrentFolder();
    drives_ = ListDrives();
    drive_index_ = -1;
    const HWND drive_list = Control(ids::kSettingsDrive);
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        const DriveInfo& drive = drives_[i];
        SendMessageW(drive_list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(DriveListText(drive.letter, drive.label).c_str()));
        if (start.size() >= 2 && start[1] == L':' &&
            std::towupper(static_cast<wint_t>(start[0])) == static_cast<wint_t>(drive.letter)) {
            drive_index_ = static_cast<int>(i);
        }
    }
    SendMessageW(drive_list, CB_SETCURSEL, static_cast<WPARAM>(drive_index_), 0);
    MoveFolderList(start, true);
    FollowFolderList();
    settings_saved_ = false;
    app_.values().fs_version = 1;
    CheckRadioButton(hwnd(), ids::kSettingsOption1, ids::kSettingsOption4, ids::kSettingsOption1);
}

bool SettingsWindow::MoveFolderList(const std::wstring& folder, bool even_unlisted) {
    std::vector<std::wstring> subfolders;
    if (!ListSubfolders(folder, subfolders) && !even_unlisted) return false;
    folder_ = folder;
    entries_ = BuildFolderEntries(folder_, subfolders);
    const HWND list = Control(ids::kSettingsFolder);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : entries_) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    }
    const std::size_t current = CurrentEntryIndex(entries_);
    SendMessageW(list, LB_SETCURSEL, current, 0);
    SendMessageW(list, LB_SETTOPINDEX, current, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return true;
}

void SettingsWindow::FollowFolderList() {
    const std::wstring text = TrimRoot(folder_);
    SetWindowTextW(Control(ids::kSettingsText1), text.c_str());
    app_.values().fs_main_dir = Narrow(text, &text1_lossless_);
}

void SettingsWindow::OnDriveChange() {
    const LRESULT chosen = SendMessageW(Control(ids::kSettingsDrive), CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR || static_cast<int>(chosen) == drive_index_) return;
    std::wstring folder;
    if (!DriveCurrentFolder(drives_[static_cast<std::size_t>(chosen)].letter, folder) ||
        !MoveFolderList(folder, false)) {
        // The drive list goes back to the drive the folder list is still on.
        SendMessageW(Control(ids::kSettingsDrive), CB_SETCURSEL, static_cast<WPARAM>(drive_index_),
                     0);
        ShowMessage(texts::kDriveNotReady, kWarningStyle);
        return;
    }
    drive_index_ = static_cast<int>(chosen);
    FollowFolderList();
}

void SettingsWindow::OpenFolderEntry() {
    const LRESULT chosen = SendMessageW(Control(ids::kSettingsFolder), LB_GETCURSEL, 0, 0);
    if (chosen == LB_ERR || static_cast<std::size_t>(chosen) >= entries_.size()) return;
    const std::wstring target = entries_[static_cast<std::size_t>(chosen)].path;
    if (target == folder_) return;
    if (!MoveFolderList(target, false)) {
        MoveFolderList(folder_, true);
        ShowMessage(texts::kFolderNotOpened, kWarningStyle);
        return;
    }
    FollowFolderList();
}

void SettingsWindow::OnNextStep() {
    wchar_t buffer[32768] = {};
    GetWindowTextW(Control(ids::kSettingsText1), buffer, static_cast<int>(std::size(buffer)));
    bool lossless = true;
    const std::string folder_text = Narrow(buffer, &lossless);
    if (!WriteSettingsFile(app_.fs(), app_.values(), folder_text, app_.ui(),
                           lossless && text1_lossless_)) {
        return;
    }
    settings_saved_ = true;
    app_.OnSettingsSaved();
}

void SettingsWindow::OnCommand(int id, int code) {
    for (int i = 0; i < 4; ++i) {
        if (id == kOptionIds[i] && code == BN_CLICKED) {
            app_.values().fs_version = static_cast<std::uint8_t>(i + 1);
            return;
        }
    }
    switch (id) {
        case ids::kSettingsNextStep:
            if (code == BN_CLICKED) OnNextStep();
            return;
        case ids::kSettingsExit:
            if (code == BN_CLICKED) app_.EndProgram();
            return;
        case ids::kSettingsDrive:
            if (code == CBN_SELCHANGE) OnDriveChange();
            return;
        case ids::kSettingsFolder:
            if (code == LBN_DBLCLK) OpenFolderEntry();
            return;
        case ids::kMenuAboutFromSettings:
            app_.ShowAbout();
            return;
        default:
            return;
    }
}

void SettingsWindow::MeasureFolderItem(MEASUREITEMSTRUCT& item) const {
    item.itemHeight = static_cast<UINT>(MulDiv(18, LayoutDpi(), 96));
}

void SettingsWindow::DrawFolderItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) return;
    const FolderEntry& entry = entries_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int height = item.rcItem.bottom - item.rcItem.top;
    const int indent = MulDiv(8, dpi(), 96);
    const int sign_size = height - 2;
    const int sign_left = item.rcItem.left + 2 + entry.level * indent;
    DrawFolderSign(item.hDC, sign_left, item.rcItem.top + 1, sign_size, entry.open);

    RECT text = item.rcItem;
    text.left = sign_left + sign_size + 3;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, entry.name.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT SettingsWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_MEASUREITEM:
            MeasureFolderItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_DRAWITEM:
            DrawFolderItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            // Text1's background: the system colour of an inactive window border.
            if (reinterpret_cast<HWND>(lparam) == Control(ids::kSettingsText1)) {
                const HDC dc = reinterpret_cast<HDC>(wparam);
                SetBkColor(dc, GetSysColor(COLOR_INACTIVEBORDER));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INACTIVEBORDER));
            }
            break;
        case WM_DESTROY:
            // Closed before the settings were saved ("EXIT" or the close box): the run ends.
            if (!settings_saved_) app_.EndProgram();
            break;
        default:
            break;
    }
    return Window::OnMessage(message, wparam, lparam);
}

void SettingsWindow::OnClosed() {
    app_.OnWindowClosed();
}

}  // namespace qv::ui

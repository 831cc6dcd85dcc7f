#include "ui/SettingsWindow.h"

#include <cwctype>
#include <iterator>

#include "core/Settings.h"
#include "platform/Text.h"
#include "ui/App.h"
#include "ui/ControlIds.h"
#include "ui/MessageBoxes.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr TwipRect kVersionFrameRect{120, 120, 4455, 1815};
constexpr TwipRect kFolderFrameRect{120, 2040, 4455, 3135};
constexpr int kOptionIds[4] = {ids::kSettingsFs98, ids::kSettingsFs2000, ids::kSettingsFs2002,
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
    frame.client_width_twips = 4740;
    frame.client_height_twips = 6075;
    frame.owner = owner;
    frame.menu = build_menu_bar();
    create_frame(frame);

    // Created in tab order (EXIT first), every control that starts a tab group marked.
    add_control(L"BUTTON", widen(texts::kExit), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {2400, 5400, 2175, 495}, ids::kSettingsExit);
    add_control(L"BUTTON", widen(texts::kNextStep), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {120, 5400, 2175, 495}, ids::kSettingsNextStep);
    const HWND folder_frame =
        add_control(L"BUTTON", widen(texts::kFolderFrame), BS_GROUPBOX | WS_GROUP, kFolderFrameRect,
                    ids::kSettingsFolderFrame);
    // Read-only: the box always shows the folder list's path, the text that is saved.
    add_control(L"EDIT", widen(texts::kFolderNone),
                ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP | WS_GROUP,
                inside(kFolderFrameRect, {240, 2280, 4095, 285}), ids::kSettingsFolderBox,
                kDefaultFont, WS_EX_CLIENTEDGE);
    add_control(L"LISTBOX", L"",
                LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                    WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                inside(kFolderFrameRect, {240, 720, 3615, 1215}), ids::kSettingsFolderList,
                kDefaultFont, WS_EX_CLIENTEDGE);
    // A drop-down list's height is that of the list when open; the closed box takes the
    // height of its font, as a drive list does.
    TwipRect drive_rect = inside(kFolderFrameRect, {240, 360, 2055, 315});
    drive_rect.height = 2400;
    add_control(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, drive_rect,
                ids::kSettingsDriveList);
    // One line, clipped at the edge when the font is wider than the laid-out one, rather than
    // a second line cut off by the label's height.
    add_control(L"STATIC", widen(texts::kFolderExample), SS_LEFTNOWORDWRAP | WS_GROUP,
                inside(kFolderFrameRect, {240, 2760, 3975, 255}), ids::kSettingsExample);
    add_control(L"STATIC", widen(texts::kCurrentDirectory), SS_LEFT | WS_GROUP,
                inside(kFolderFrameRect, {240, 2040, 1335, 255}), ids::kSettingsCurrentFolderLabel);
    const HWND version_frame =
        add_control(L"BUTTON", widen(texts::kVersionFrame), BS_GROUPBOX | WS_GROUP,
                    kVersionFrameRect, ids::kSettingsVersionFrame);
    add_control(L"BUTTON", widen(texts::kVersionChoices[2]),
                BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
                inside(kVersionFrameRect, {120, 1080, 2535, 255}), ids::kSettingsFs2002);
    add_control(L"BUTTON", widen(texts::kVersionChoices[1]), BS_AUTORADIOBUTTON,
                inside(kVersionFrameRect, {120, 720, 2535, 255}), ids::kSettingsFs2000);
    add_control(L"BUTTON", widen(texts::kVersionChoices[0]), BS_AUTORADIOBUTTON,
                inside(kVersionFrameRect, {120, 360, 2295, 255}), ids::kSettingsFs98);
    add_control(L"BUTTON", widen(texts::kVersionChoices[3]), BS_AUTORADIOBUTTON,
                inside(kVersionFrameRect, {120, 1440, 2895, 195}), ids::kSettingsCfs2);
    // Frames are drawn beneath the controls they hold (they take no focus, so the tab order
    // of the rest is unchanged).
    for (const HWND frame_control : {folder_frame, version_frame}) {
        SetWindowPos(frame_control, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // The drive list on the folder's drive, the folder list on the folder, the folder box and
    // the chosen folder following, the version's option selected.
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
        CheckRadioButton(hwnd(), ids::kSettingsFs98, ids::kSettingsCfs2, kOptionIds[version - 1]);
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
    chosen_folder_ = narrow(text, &folder_box_lossless_);
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
    wchar_t buffer[32768] = {};
    GetWindowTextW(control(ids::kSettingsFolderBox), buffer, static_cast<int>(std::size(buffer)));
    bool lossless = true;
    const std::string folder_text = narrow(buffer, &lossless);
    lossless = lossless && folder_box_lossless_;
    // A folder one level too deep, or an unrelated one, would give an empty list or a walk of
    // everything below it: the user says whether that is really meant.
    if (!folder_text.empty() && lossless &&
        check_sim_folder(app_.fs(), folder_text) != SimFolderState::usable &&
        !ask_question(hwnd(), replace_first(texts::kUseFolderWithoutAircraft, "%1", folder_text))) {
        return;
    }
    Workspace chosen = app_.workspace();
    chosen.sim_main_dir = chosen_folder_;
    chosen.sim_version = chosen_version_;
    if (!write_settings_file(app_.fs(), chosen, folder_text, app_.ui(), lossless)) return;
    settings_saved_ = true;
    app_.on_settings_saved(chosen, purpose_);
}

void SettingsWindow::leave() {
    if (purpose_ == Purpose::change) {
        app_.on_settings_left();
    } else {
        app_.end_program();
    }
}

void SettingsWindow::on_command(int id, int code) {
    for (int i = 0; i < 4; ++i) {
        if (id == kOptionIds[i] && code == BN_CLICKED) {
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
            app_.show_about();
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
    item.itemHeight =
        static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading + MulDiv(6, dpi(), 96));
}

void SettingsWindow::draw_folder_item(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= entries_.size()) return;
    const FolderEntry& entry = entries_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int height = item.rcItem.bottom - item.rcItem.top;
    const int indent = MulDiv(8, dpi(), 96);
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
        case WM_CTLCOLORSTATIC:
            // The folder box's background: the system colour of an inactive window border.
            if (reinterpret_cast<HWND>(lparam) == control(ids::kSettingsFolderBox)) {
                const HDC dc = reinterpret_cast<HDC>(wparam);
                SetBkColor(dc, GetSysColor(COLOR_INACTIVEBORDER));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INACTIVEBORDER));
            }
            break;
        case WM_CLOSE:
            leave();
            return 0;
        case WM_DESTROY:
            // Gone before the settings were saved while the program needs them: the run ends.
            if (!settings_saved_ && purpose_ == Purpose::choose) app_.end_program();
            break;
        default:
            break;
    }
    return Window::on_message(message, wparam, lparam);
}

void SettingsWindow::on_closed() {
    app_.on_window_closed();
}

}  // namespace qv::ui

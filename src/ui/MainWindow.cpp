#include "ui/MainWindow.h"

#include "operations/Emptying.h"
#include "operations/Removal.h"
#include "ui/App.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr TwipRect kFrame1{120, 600, 5175, 2775};

HMENU build_menu_bar() {
    const HMENU bar = CreateMenu();
    const auto add_menu = [bar](const char* caption, int item_id, const char* item) {
        const HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item_id), widen(item).c_str());
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), widen(caption).c_str());
    };
    add_menu(texts::kTempFolderMenu, ids::kMenuEmptyTempPath, texts::kEmptyFolderItem);
    add_menu(texts::kUnusedGaugesMenu, ids::kMenuEmptyUnusedGauges, texts::kEmptyFolderItem);
    add_menu(texts::kSettingsMenu, ids::kMenuChangeSimFolder, texts::kChangeSimFolderItem);
    add_menu(texts::kAboutMenu, ids::kMenuAboutFromMain, texts::kAboutItem);
    return bar;
}

}  // namespace

void MainWindow::create() {
    if (is_open()) return;
    close_asked_ = false;
    FrameSpec frame;
    frame.class_name = L"QuorvaneMainWindow";
    frame.caption = widen(texts::kMainCaption);
    // Sizeable, but without maximize: the controls keep their places whatever the size.
    frame.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    frame.ex_style = WS_EX_APPWINDOW;
    frame.client_width_twips = 5520;
    frame.client_height_twips = 4320;
    frame.menu = build_menu_bar();
    create_frame(frame);

    add_control(L"BUTTON", widen(texts::kRemoveSelected), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {2520, 3600, 2775, 495}, ids::kMainRemove);
    const HWND list_frame = add_control(L"BUTTON", widen(texts::kAircraftList),
                                        BS_GROUPBOX | WS_GROUP, kFrame1, ids::kMainListFrame);
    list_.attach(add_control(L"LISTBOX", L"",
                             LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                                 WS_TABSTOP | WS_GROUP,
                             inside(kFrame1, {120, 240, 4935, 2400}), ids::kMainList, kDefaultFont,
                             WS_EX_CLIENTEDGE),
                 dpi());
    add_control(L"STATIC", widen(texts::kMainInstruction), SS_LEFT, {120, 120, 5175, 495},
                ids::kMainInstruction);
    SetWindowPos(list_frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    finish_layout();
}

void MainWindow::show_loaded() {
    if (!is_open()) return;
    if (!IsWindowVisible(hwnd())) {
        show_centred();
        SetFocus(control(ids::kMainRemove));
    }
}

void MainWindow::clear() {
    list_.clear();
}

void MainWindow::add(const std::string& title) {
    list_.add(title);
}

std::ptrdiff_t MainWindow::selected_position() const {
    return list_.selected_position();
}

void MainWindow::begin_operation() {
    if (!is_open()) return;
    const HWND focus = GetFocus();
    focus_before_operation_ = focus != nullptr && IsChild(hwnd(), focus) ? focus : nullptr;
    EnableWindow(hwnd(), FALSE);
}

void MainWindow::end_operation() {
    if (!is_open()) return;
    EnableWindow(hwnd(), TRUE);
    if (focus_before_operation_ != nullptr && IsWindow(focus_before_operation_) &&
        GetActiveWindow() == hwnd())
        SetFocus(focus_before_operation_);
    focus_before_operation_ = nullptr;
}

void MainWindow::close_if_asked() {
    if (close_asked_) close();
}

void MainWindow::on_command(int id, int code) {
    switch (id) {
        case ids::kMainRemove:
            if (code != BN_CLICKED) return;
            app_.run_command([this](App& app) {
                const RemovalOutcome outcome = remove_aircraft(
                    app.fs(), app.workspace(), app.ui(), app.catalogue(), selected_position());
                if (outcome.reload) app.reload_catalogue();
            });
            return;
        case ids::kMenuEmptyTempPath:
            app_.run_command(
                [](App& app) { empty_temp_path(app.fs(), app.workspace(), app.ui()); });
            return;
        case ids::kMenuEmptyUnusedGauges:
            app_.run_command(
                [](App& app) { empty_unused_gauges(app.fs(), app.workspace(), app.ui()); });
            return;
        case ids::kMenuChangeSimFolder:
            app_.change_sim_folder();
            return;
        case ids::kMenuAboutFromMain:
            if (!app_.busy()) app_.show_about();
            return;
        default:
            return;
    }
}

LRESULT MainWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            on_command(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_CLOSE:
            // Closing under a running operation would pull its tables and list away: the
            // window closes when the operation has ended.
            if (app_.busy()) {
                close_asked_ = true;
                return 0;
            }
            break;
        default:
            break;
    }
    return Window::on_message(message, wparam, lparam);
}

void MainWindow::on_closed() {
    list_.detach();
    app_.on_window_closed();
}

}  // namespace qv::ui

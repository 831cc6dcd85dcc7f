#include "ui/MainWindow.h"

#include "operations/EmptyHoldingFolder.h"
#include "operations/RemoveAircraft.h"
#include "ui/App.h"
#include "ui/ControlIds.h"
#include "ui/UiTexts.h"
#include "ui/WideText.h"

namespace qv::ui {

namespace {

constexpr TwipRect kFrame1{120, 600, 5175, 2775};

HMENU BuildMenuBar() {
    const HMENU bar = CreateMenu();
    const auto add_menu = [bar](const char* caption, int item_id, const char* item) {
        const HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item_id), Widen(item).c_str());
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Widen(caption).c_str());
    };
    add_menu(texts::kTempFolderMenu, ids::kMenuEmptyTempPath, texts::kEmptyFolderItem);
    add_menu(texts::kUnusedGaugesMenu, ids::kMenuEmptyUnusedGauges, texts::kEmptyFolderItem);
    add_menu(texts::kAboutMenu, ids::kMenuAboutFromMain, texts::kAboutItem);
    return bar;
}

}  // namespace

void MainWindow::Create() {
    if (IsOpen()) return;
    close_asked_ = false;
    FrameSpec frame;
    frame.class_name = L"QuorvaneForm3";
    frame.caption = Widen(texts::kMainCaption);
    // Sizeable, but without maximize: the controls keep their places whatever the size.
    frame.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    frame.ex_style = WS_EX_APPWINDOW;
    frame.client_width_twips = 5520;
    frame.client_height_twips = 4320;
    frame.menu = BuildMenuBar();
    CreateFrame(frame);

    AddControl(L"BUTTON", Widen(texts::kRemoveSelected), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
               {2520, 3600, 2775, 495}, ids::kMainRemove);
    const HWND list_frame = AddControl(L"BUTTON", Widen(texts::kAircraftList),
                                       BS_GROUPBOX | WS_GROUP, kFrame1, ids::kMainFrame1);
    AddControl(
        L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
        Inside(kFrame1, {120, 240, 4935, 2400}), ids::kMainList, kDefaultFont, WS_EX_CLIENTEDGE);
    AddControl(L"STATIC", Widen(texts::kMainInstruction), SS_LEFT, {120, 120, 5175, 495},
               ids::kMainLabel1);
    SetWindowPos(list_frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::ShowLoaded() {
    if (!IsOpen()) return;
    if (!IsWindowVisible(hwnd())) {
        ShowCentred();
        SetFocus(Control(ids::kMainRemove));
    }
}

void MainWindow::ClearList() {
    if (IsOpen()) SendMessageW(Control(ids::kMainList), LB_RESETCONTENT, 0, 0);
}

void MainWindow::AddListEntry(const std::wstring& title) {
    if (IsOpen()) {
        SendMessageW(Control(ids::kMainList), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(title.c_str()));
    }
}

std::ptrdiff_t MainWindow::SelectedPosition() const {
    if (!IsOpen()) return -1;
    const LRESULT selected = SendMessageW(Control(ids::kMainList), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<std::ptrdiff_t>(selected);
}

void MainWindow::CloseIfAsked() {
    if (close_asked_) Close();
}

void MainWindow::OnCommand(int id, int code) {
    switch (id) {
        case ids::kMainRemove:
            if (code != BN_CLICKED) return;
            app_.RunCommand([this](App& app) {
                RemoveAircraft(app.fs(), app.values(), app.ui(), app.catalogue(),
                               SelectedPosition());
            });
            return;
        case ids::kMenuEmptyTempPath:
            app_.RunCommand([](App& app) { EmptyTempPath(app.fs(), app.values(), app.ui()); });
            return;
        case ids::kMenuEmptyUnusedGauges:
            app_.RunCommand([](App& app) { EmptyUnusedGauges(app.fs(), app.values(), app.ui()); });
            return;
        case ids::kMenuAboutFromMain:
            if (!app_.Busy()) app_.ShowAbout();
            return;
        default:
            return;
    }
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_CLOSE:
            // Closing under a running operation would pull its tables and list away: the
            // window closes when the operation has ended.
            if (app_.Busy()) {
                close_asked_ = true;
                return 0;
            }
            break;
        default:
            break;
    }
    return Window::OnMessage(message, wparam, lparam);
}

void MainWindow::OnClosed() {
    app_.OnWindowClosed();
}

}  // namespace qv::ui

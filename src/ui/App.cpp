#include "ui/App.h"

#include <string_view>

#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "ui/StopProgram.h"

namespace qv::ui {

void OwnerWindow::Create() {
    FrameSpec frame;
    frame.class_name = L"QuorvaneOwner";
    frame.style = WS_POPUP;
    CreateFrame(frame);
}

App::App()
    : fs_(make_native_file_system()),
      splash_(*this),
      settings_(*this),
      main_(*this),
      about_(*this),
      ui_(
          progress_, main_, [this] { return owner(); }, [this] { PumpMessages(); }) {}

App::~App() {
    // The windows go before the objects they call back into.
    ending_ = true;
    about_.Close();
    progress_.Close();
    main_.Close();
    settings_.Close();
    splash_.Close();
    owner_.Close();
}

int App::Run() {
    owner_.Create();
    splash_.Open();
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return static_cast<int>(message.wParam);
}

void App::OnSplashTick() {
    try {
        SetBaseDir(*fs_, values_);
        CreateHoldingFolders(*fs_, values_);
        if (SettingsFileExists(*fs_, values_)) {
            ReadSettingsFile(*fs_, values_);
            OpenMainWindow(splash_);
        } else {
            // Loaded before the splash goes, so that the program always has a window.
            settings_.Create();
            splash_.Close();
            settings_.ShowCentred();
            SetFocus(GetNextDlgTabItem(settings_.hwnd(), nullptr, FALSE));
        }
    } catch (const OperationError& error) {
        StopProgram(error.what());
    }
}

void App::OnSettingsSaved() {
    OpenMainWindow(settings_);
}

void App::OpenMainWindow(Window& closing) {
    main_.Create();
    closing.Close();
    RunCommand([](App& app) { LoadCatalogue(app.fs(), app.values(), app.ui(), app.catalogue()); });
    main_.ShowLoaded();
}

void App::RunCommand(const std::function<void(App&)>& command) {
    if (busy_ || ending_) return;
    busy_ = true;
    try {
        command(*this);
    } catch (const OperationError& error) {
        StopProgram(error.what());
    }
    busy_ = false;
    if (main_.IsOpen() && IsWindowVisible(main_.hwnd())) SetForegroundWindow(main_.hwnd());
    main_.CloseIfAsked();
}

void App::ShowAbout() {
    if (!ending_) about_.Open();
}

void App::EndProgram() {
    if (ending_) return;
    ending_ = true;
    for (Window* window :
         std::initializer_list<Window*>{&about_, &progress_, &main_, &settings_, &splash_}) {
        if (window->IsOpen()) ShowWindow(window->hwnd(), SW_HIDE);
    }
    PostQuitMessage(0);
}

void App::OnWindowClosed() {
    if (ending_) return;
    if (!splash_.IsOpen() && !settings_.IsOpen() && !main_.IsOpen() && !about_.IsOpen()) {
        ending_ = true;
        PostQuitMessage(0);
    }
}

void App::PumpMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which ends the program once the operation is over.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

bool App::PreTranslate(MSG& message) {
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root == nullptr) return false;
    wchar_t class_name[32] = {};
    GetClassNameW(root, class_name, 32);
    if (std::wstring_view(class_name).substr(0, 12) != L"QuorvaneForm") return false;

    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        // Enter acts on the control that has the focus: a button is pressed, a folder list
        // entry is opened. No button is the windows' default button.
        const HWND focus = GetFocus();
        if (focus != nullptr && GetParent(focus) == root) {
            wchar_t focus_class[16] = {};
            GetClassNameW(focus, focus_class, 16);
            const LONG_PTR style = GetWindowLongPtrW(focus, GWL_STYLE);
            if (_wcsicmp(focus_class, L"Button") == 0 &&
                (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
                SendMessageW(focus, BM_CLICK, 0, 0);
                return true;
            }
            if (_wcsicmp(focus_class, L"ListBox") == 0) {
                SendMessageW(root, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), LBN_DBLCLK),
                             reinterpret_cast<LPARAM>(focus));
                return true;
            }
        }
        return false;
    }
    return IsDialogMessageW(root, &message) != FALSE;
}

void App::Dispatch(MSG& message) {
    if (ending_) return;
    if (PreTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace qv::ui

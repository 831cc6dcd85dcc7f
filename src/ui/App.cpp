#include "ui/App.h"

#include "core/OperationError.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "operations/Recovery.h"
#include "operations/WorkingFolderLock.h"
#include "ui/StopProgram.h"

namespace qv::ui {

void OwnerWindow::create() {
    FrameSpec frame;
    frame.class_name = L"QuorvaneOwner";
    frame.style = WS_POPUP;
    create_frame(frame);
}

App::App()
    : fs_(make_native_file_system()),
      splash_(*this),
      settings_(*this),
      main_(*this),
      about_(*this),
      ui_(
          progress_, [this] { return owner(); }, [this] { pump_messages(); }) {}

App::~App() {
    // The windows go before the objects they call back into.
    ending_ = true;
    about_.close();
    progress_.close();
    main_.close();
    settings_.close();
    splash_.close();
    owner_.close();
}

int App::run() {
    owner_.create();
    splash_.open();
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
    return static_cast<int>(message.wParam);
}

void App::on_splash_tick() {
    try {
        set_base_dir(*fs_, workspace_);
        create_holding_folders(*fs_, workspace_);
        if (settings_file_exists(*fs_, workspace_)) {
            read_settings_file(*fs_, workspace_);
            finish_interrupted_removals();
            open_main_window(splash_);
        } else {
            // Loaded before the splash goes, so that the program always has a window.
            settings_.create();
            splash_.close();
            settings_.show_centred();
            SetFocus(GetNextDlgTabItem(settings_.hwnd(), nullptr, FALSE));
        }
    } catch (const OperationError& error) {
        stop_program(error.what());
    }
}

void App::finish_interrupted_removals() {
    if (interrupted_removals(*fs_, workspace_).empty()) return;
    // A command at work in the folder finishes them itself; the next start tries again.
    std::string busy;
    const auto lock = WorkingFolderLock::take(*fs_, workspace_, busy);
    if (lock) finish_interrupted(*fs_, workspace_, ui_);
}

void App::on_settings_saved() {
    open_main_window(settings_);
}

void App::open_main_window(Window& closing) {
    main_.create();
    closing.close();
    run_command([](App& app) {
        load_catalogue(app.fs(), app.workspace(), app.ui(), app.catalogue(), &app.main_);
    });
    main_.show_loaded();
}

void App::run_command(const std::function<void(App&)>& command) {
    if (busy_ || ending_) return;
    busy_ = true;
    try {
        command(*this);
    } catch (const OperationError& error) {
        stop_program(error.what());
    }
    busy_ = false;
    if (main_.is_open() && IsWindowVisible(main_.hwnd())) SetForegroundWindow(main_.hwnd());
    main_.close_if_asked();
}

void App::reload_catalogue() {
    try {
        load_catalogue(*fs_, workspace_, ui_, catalogue_, &main_);
    } catch (const OperationError& error) {
        ui_.warning(error.what());
    }
}

void App::show_about() {
    if (!ending_) about_.open();
}

void App::end_program() {
    if (ending_) return;
    ending_ = true;
    for (Window* window :
         std::initializer_list<Window*>{&about_, &progress_, &main_, &settings_, &splash_}) {
        if (window->is_open()) ShowWindow(window->hwnd(), SW_HIDE);
    }
    PostQuitMessage(0);
}

void App::on_window_closed() {
    if (ending_) return;
    if (!splash_.is_open() && !settings_.is_open() && !main_.is_open() && !about_.is_open()) {
        ending_ = true;
        PostQuitMessage(0);
    }
}

void App::pump_messages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which ends the program once the operation is over.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

bool App::is_own_window(HWND hwnd) const {
    if (hwnd == nullptr) return false;
    for (const Window* window :
         std::initializer_list<const Window*>{&splash_, &settings_, &main_, &progress_, &about_}) {
        if (window->hwnd() == hwnd) return true;
    }
    return false;
}

bool App::pre_translate(MSG& message) {
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!is_own_window(root)) return false;

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

void App::dispatch(MSG& message) {
    if (ending_) return;
    if (pre_translate(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace qv::ui

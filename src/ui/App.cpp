#include "ui/App.h"

#include "core/OperationError.h"
#include "core/Settings.h"
#include "operations/CatalogueLoad.h"
#include "operations/FolderSize.h"
#include "operations/Recovery.h"
#include "operations/WorkingFolderLock.h"
#include "platform/Path.h"
#include "platform/Text.h"
#include "ui/ControlIds.h"
#include "ui/DiskQueries.h"
#include "ui/RunningInstance.h"
#include "ui/UiTexts.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/StopProgram.h"
#include "ui/win32/WideText.h"

namespace qv::ui {

namespace {

// Keys, mouse buttons and moves, on the client area or the frame.
bool is_user_input(const MSG& message) {
    const UINT m = message.message;
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK) || m == WM_INPUT;
}

void drop_pending_input() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    }
}

BOOL CALLBACK find_message_box(HWND hwnd, LPARAM found) {
    wchar_t class_name[8] = {};
    GetClassNameW(hwnd, class_name, 8);
    if (IsWindowVisible(hwnd) && wcscmp(class_name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void OwnerWindow::create(const std::wstring& title) {
    FrameSpec frame;
    frame.class_name = kOwnerWindowClass;
    frame.caption = title;
    frame.style = WS_POPUP;
    create_frame(frame);
}

LRESULT OwnerWindow::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kComeToFrontMessage) {
        app_.come_to_front();
        return 0;
    }
    return Window::on_message(message, wparam, lparam);
}

App::App(std::wstring instance_title)
    : fs_(make_native_file_system()),
      instance_title_(std::move(instance_title)),
      owner_(*this),
      splash_(*this),
      settings_(*this),
      main_(*this),
      about_(*this),
      restore_(*this),
      check_(*this),
      ui_(
          progress_,
          // The window the operation came from owns the progress window (which stays above it)
          // and the message boxes (it takes the focus back when they close).
          [this] { return message_owner(); }, [this] { pump_messages(); }) {}

App::~App() {
    // The windows go before the objects they call back into.
    ending_ = true;
    about_.close();
    restore_.close();
    check_.close();
    progress_.close();
    settings_.close();
    main_.close();
    splash_.close();
    owner_.close();
}

int App::run() {
    owner_.create(instance_title_);
    splash_.open();
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
    return static_cast<int>(message.wParam);
}

void App::start() {
    try {
        set_base_dir(*fs_, workspace_);
        create_holding_folders(*fs_, workspace_);
        if (!settings_file_exists(*fs_, workspace_)) {
            choose_sim_folder(current_folder(), 1, {});
            return;
        }
        read_settings_file(*fs_, workspace_);
        // A moved or reinstalled simulator, or a folder that never was one: chosen again
        // before anything is loaded from it.
        const SimFolderState state = check_sim_folder(*fs_, workspace_.sim_main_dir);
        if (state != SimFolderState::usable) {
            choose_sim_folder(widen(workspace_.sim_main_dir), workspace_.sim_version,
                              sim_folder_problem(state, workspace_.sim_main_dir) + " " +
                                  texts::kChooseSimFolderAgain);
            return;
        }
        open_main_window(splash_);
    } catch (const OperationError& error) {
        stop_program(error.what());
    }
}

void App::choose_sim_folder(const std::wstring& folder, std::uint8_t version,
                            const std::string& problem) {
    // Loaded before the splash goes, so that the program always has a window.
    settings_.create(SettingsWindow::Purpose::choose, folder, version, owner());
    splash_.close();
    if (!problem.empty()) show_warning(settings_.hwnd(), problem);
    settings_.show_centred();
    settings_.focus_start();
}

void App::finish_interrupted_removals() {
    if (interrupted_removals(*fs_, workspace_).empty()) return;
    // A command at work in the folder finishes them itself; the next start tries again.
    std::string busy;
    const auto lock = WorkingFolderLock::take(*fs_, workspace_, busy);
    if (lock) finish_interrupted(*fs_, workspace_, ui_);
}

void App::on_settings_saved(const Workspace& chosen, SettingsWindow::Purpose purpose) {
    workspace_ = chosen;
    if (purpose == SettingsWindow::Purpose::choose) {
        open_main_window(settings_);
        return;
    }
    leave_settings();
    run_command([this] { reload_catalogue(); }, main_.hwnd());
}

void App::leave_settings() {
    // The main window takes input again before the settings window goes, so that it, and not
    // another program's window, becomes the active one.
    if (main_.is_open()) EnableWindow(main_.hwnd(), TRUE);
    settings_.close();
}

void App::change_sim_folder() {
    if (busy_ || ending_ || settings_.is_open() || !main_.is_open()) return;
    settings_.create(SettingsWindow::Purpose::change, widen(workspace_.sim_main_dir),
                     workspace_.sim_version, main_.hwnd());
    EnableWindow(main_.hwnd(), FALSE);
    settings_.show_centred();
    settings_.focus_start();
}

void App::open_main_window(Window& closing) {
    finish_interrupted_removals();
    main_.create();
    closing.close();
    run_command(
        [this] {
            load_catalogue(*fs_, workspace_, ui_, catalogue_, &main_);
            main_.show_walks(catalogue_.walks);
        },
        main_.hwnd());
    main_.show_loaded();
}

HWND App::message_owner() const {
    if (command_origin_ != nullptr && IsWindow(command_origin_)) return command_origin_;
    const HWND active = GetActiveWindow();
    if (is_own_window(active) && active != progress_.hwnd()) return active;
    return main_.is_open() ? main_.hwnd() : owner();
}

void App::run_operation(const std::function<void(Operation&)>& operation, HWND origin) {
    run_command(
        [this, &operation] {
            Operation op{context(), catalogue_, [this](const std::vector<std::string>& touched) {
                             update_catalogue(touched);
                         }};
            operation(op);
        },
        origin);
}

void App::open(Opens window) {
    switch (window) {
        case Opens::about:
            if (!busy_) show_about();
            return;
        case Opens::restore:
            show_restore();
            return;
        case Opens::check:
            show_check();
            return;
        case Opens::change_settings:
            change_sim_folder();
            return;
    }
}

bool App::choose_settings(const SimChoice& typed, HWND origin) {
    // A typed folder is saved as the folder list gives one: no separator at its end, a drive
    // root as "X:".
    SimChoice choice = typed;
    while (choice.folder.size() > 1 && path::is_separator(choice.folder.back()))
        choice.folder.pop_back();
    // A folder one level too deep, or an unrelated one, would give an empty list or a walk of
    // everything below it: the user says whether that is really meant.
    if (!choice.folder.empty() && choice.lossless &&
        check_sim_folder(*fs_, choice.folder) != SimFolderState::usable &&
        !ask_question(origin, replace_first(texts::kUseFolderWithoutAircraft, "%1", choice.folder)))
        return false;
    Workspace chosen = workspace_;
    chosen.sim_main_dir = choice.folder;
    chosen.sim_version = choice.version;
    if (!write_settings_file(*fs_, chosen, choice.folder, ui_, choice.lossless)) return false;
    on_settings_saved(chosen, settings_.purpose());
    return true;
}

void App::run_command(const std::function<void()>& command, HWND origin) {
    if (busy_ || ending_ || settings_.is_open()) return;
    busy_ = true;
    command_origin_ = origin != nullptr ? origin : (main_.is_open() ? main_.hwnd() : nullptr);
    main_.begin_operation();
    Window::show_busy_cursor(true);
    try {
        // What a killed command left is finished first, as quorvane-cli does.
        finish_interrupted_removals();
        command();
    } catch (const OperationError& error) {
        stop_program(error.what());
    }
    // What was clicked or typed while the operation ran was meant for a window that took no
    // input: it must not act now.
    drop_pending_input();
    // What the command held or put back shows in the restore window, the check window and the
    // status bar at once.
    restore_.refresh();
    check_.refresh();
    show_held();
    Window::show_busy_cursor(false);
    main_.end_operation();
    busy_ = false;
    // The window the command came from takes the keyboard again: the restore window after a
    // restore, else the main window.
    HWND back = main_.hwnd();
    for (const Window* window : std::initializer_list<const Window*>{&restore_, &check_})
        if (command_origin_ == window->hwnd() && window->is_open()) back = window->hwnd();
    command_origin_ = nullptr;
    if (main_.is_open() && IsWindowVisible(main_.hwnd())) SetForegroundWindow(back);
    main_.close_if_asked();
}

void App::show_held() {
    if (main_.is_open()) main_.show_held(measure_folder(*fs_, workspace_.temp_path_dir));
}

void App::reload() {
    if (main_.is_open()) run_command([this] { reload_catalogue(); }, main_.hwnd());
}

void App::update_catalogue(const std::vector<std::string>& touched) {
    try {
        refresh_catalogue(*fs_, workspace_, ui_, catalogue_, touched, &main_);
    } catch (const OperationError& error) {
        ui_.warning(error.what());
    }
    main_.show_walks(catalogue_.walks);
}

void App::reload_catalogue() {
    try {
        load_catalogue(*fs_, workspace_, ui_, catalogue_, &main_);
    } catch (const OperationError& error) {
        ui_.warning(error.what());
    }
    main_.show_walks(catalogue_.walks);
}

void App::show_about() {
    if (!ending_) about_.open();
}

void App::show_restore() {
    if (!busy_ && !ending_ && main_.is_open()) restore_.open(main_.hwnd());
}

void App::show_check() {
    if (busy_ || ending_ || !main_.is_open()) return;
    check_.show_in_list = [this](std::size_t position) {
        main_.show_position(position);
        SetForegroundWindow(main_.hwnd());
    };
    check_.open(main_.hwnd());
}

void App::come_to_front() {
    if (ending_) return;
    if (main_.is_open() && IsIconic(main_.hwnd())) ShowWindow(main_.hwnd(), SW_RESTORE);
    // The window the user would answer first: a message box, then the window of the moment.
    HWND front = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_message_box, reinterpret_cast<LPARAM>(&front));
    for (const Window* window : std::initializer_list<const Window*>{
             &progress_, &settings_, &restore_, &check_, &main_, &splash_, &about_}) {
        if (front == nullptr && window->is_open() && IsWindowVisible(window->hwnd()))
            front = window->hwnd();
    }
    if (front != nullptr) SetForegroundWindow(front);
}

void App::end_program() {
    if (ending_) return;
    ending_ = true;
    for (Window* window : std::initializer_list<Window*>{&about_, &restore_, &check_, &progress_,
                                                         &main_, &settings_, &splash_}) {
        if (window->is_open()) ShowWindow(window->hwnd(), SW_HIDE);
    }
    PostQuitMessage(0);
}

void App::window_closed() {
    if (ending_) return;
    if (!splash_.is_open() && !settings_.is_open() && !main_.is_open() && !about_.is_open() &&
        !restore_.is_open() && !check_.is_open()) {
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
        // A click or key would reach a window that takes none, or start moving a window or
        // open a menu, which holds the operation until the mouse is let go or the menu closed.
        // The one exception: a batch's Stop button, and only that window's input.
        if (busy_ && is_user_input(message) &&
            !(progress_.stop_offered() && GetAncestor(message.hwnd, GA_ROOT) == progress_.hwnd()))
            continue;
        dispatch(message);
    }
}

bool App::is_own_window(HWND hwnd) const {
    if (hwnd == nullptr) return false;
    for (const Window* window : std::initializer_list<const Window*>{
             &splash_, &settings_, &main_, &progress_, &about_, &restore_, &check_}) {
        if (window->hwnd() == hwnd) return true;
    }
    return false;
}

bool App::pre_translate(MSG& message) {
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!is_own_window(root)) return false;

    if (message.message == WM_KEYDOWN && root == main_.hwnd() && !busy_ &&
        main_.on_key(message.wParam))
        return true;
    if (message.message == WM_KEYDOWN && root == check_.hwnd() && check_.on_key(message.wParam))
        return true;
    // F5 in the main window loads the list again, as its menu item does.
    if (message.message == WM_KEYDOWN && message.wParam == VK_F5 && root == main_.hwnd()) {
        SendMessageW(root, WM_COMMAND, MAKEWPARAM(ids::kMenuReload, 0), 0);
        return true;
    }
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
            if (_wcsicmp(focus_class, L"ListBox") == 0 ||
                _wcsicmp(focus_class, WC_LISTVIEWW) == 0) {
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

// The program: its windows (one object each for the whole run), the workspace, the
// catalogue, the start-up sequence and the message loop. The program ends when its last window
// closes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/Workspace.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"
#include "ui/AboutWindow.h"
#include "ui/CheckWindow.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/RestoreWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/SplashWindow.h"
#include "ui/Win32UiPort.h"
#include "ui/WindowHost.h"

namespace qv::ui {

class App;

// The hidden window that owns the windows without a task-bar entry. Its title names the working
// folder, so that a second start in the same folder finds it (see RunningInstance.h).
class OwnerWindow : public Window {
  public:
    explicit OwnerWindow(App& app) : app_(app) {}
    void create(const std::wstring& title);

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    App& app_;
};

class App final : public WindowHost {
  public:
    // `instance_title`: the owner window's title, which names the working folder.
    explicit App(std::wstring instance_title);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Shows the splash window and runs the message loop; returns the exit code.
    int run();

    // What the windows may ask (see WindowHost.h).
    void run_operation(const std::function<void(Operation&)>& operation, HWND origin) override;
    bool busy() const override { return busy_; }
    OperationContext context() override { return {*fs_, workspace_, ui_}; }
    const Catalogue& catalogue() const override { return catalogue_; }
    HWND owner() const override { return owner_.hwnd(); }
    void open(Opens window) override;
    void reload() override;
    void start() override;
    bool choose_settings(const SimChoice& choice, HWND origin) override;
    void leave_settings() override;
    // Ends the program at once: no further event of any window runs.
    void end_program() override;
    void window_closed() override;

    // A second start in the working folder asks for the program: its front window comes up.
    void come_to_front();

    // One pass of the message loop, inside an operation: every message waiting now is handled,
    // except the user's input, which is dropped.
    void pump_messages();

  private:
    // Runs one command, unless one is running already. While it runs the main window takes no
    // input and closing it waits (the walk's yields let messages through). A failure that stops
    // the program ends it here. `origin`: the window the command comes from.
    void run_command(const std::function<void()>& command, HWND origin);
    // Loads the catalogue again (after a removal, or for another simulator folder); a failure is
    // shown as a warning, and the list keeps what the load could read.
    void reload_catalogue();
    // The update after an operation changed `touched` (see update_catalogue).
    void update_catalogue(const std::vector<std::string>& touched);
    // "NEXT STEP" has saved `chosen`: the program goes on with it, in the main window.
    void on_settings_saved(const Workspace& chosen, SettingsWindow::Purpose purpose);
    // The status bar's count of what the holding folder holds.
    void show_held();
    // The main window's menu command: the settings window on the current folder and version.
    void change_sim_folder();
    void show_about();
    // The main window's menu command: the held removals, to put one back.
    void show_restore();
    // The main window's menu command: what in the collection is broken or wasted.
    void show_check();
    // The settings window, to choose the simulator folder before the program can go on;
    // `problem` (when not empty) is shown first, saying why.
    void choose_sim_folder(const std::wstring& folder, std::uint8_t version,
                           const std::string& problem);
    void open_main_window(Window& closing);
    // Finishes what a removal killed halfway left, before the list is loaded.
    void finish_interrupted_removals();
    // The window that owns the message boxes of the moment.
    HWND message_owner() const;
    // Whether `hwnd` is one of the program's own top-level windows.
    bool is_own_window(HWND hwnd) const;
    // Keyboard handling of the windows; true when the message has been dealt with.
    bool pre_translate(MSG& message);
    void dispatch(MSG& message);

    std::unique_ptr<FileSystem> fs_;
    Workspace workspace_;
    Catalogue catalogue_;
    std::wstring instance_title_;
    OwnerWindow owner_;
    SplashWindow splash_;
    SettingsWindow settings_;
    MainWindow main_;
    ProgressWindow progress_;
    AboutWindow about_;
    RestoreWindow restore_;
    CheckWindow check_;
    Win32UiPort ui_;
    bool busy_ = false;
    bool ending_ = false;
    HWND command_origin_ = nullptr;
};

}  // namespace qv::ui

// The program: its windows (one object each for the whole run), the workspace, the
// catalogue, the start-up sequence and the message loop. The program ends when its last window
// closes.
#pragma once

#include <functional>
#include <memory>

#include "core/Workspace.h"
#include "platform/FileSystem.h"
#include "simfiles/Catalogue.h"
#include "ui/AboutWindow.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/SplashWindow.h"
#include "ui/Win32UiPort.h"

namespace qv::ui {

// The hidden window that owns the windows without a task-bar entry.
class OwnerWindow : public Window {
  public:
    void create();
};

class App {
  public:
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Shows the splash window and runs the message loop; returns the exit code.
    int run();

    FileSystem& fs() { return *fs_; }
    Workspace& workspace() { return workspace_; }
    UiPort& ui() { return ui_; }
    Catalogue& catalogue() { return catalogue_; }
    HWND owner() const { return owner_.hwnd(); }

    // The start-up sequence, run by the splash window's one timer tick.
    void on_splash_tick();
    // The first-run hand-over, once "NEXT STEP" has written the settings file.
    void on_settings_saved();
    // Runs one command of the main window, unless one is running already: the walk's yields
    // let input through, and a second command must not start on half-built tables. A failure
    // that stops the program ends it here.
    void run_command(const std::function<void(App&)>& command);
    bool busy() const { return busy_; }
    // Loads the catalogue again after a removal; a failure is shown as a warning, and the list
    // keeps what the load could read.
    void reload_catalogue();
    void show_about();

    // Ends the program at once: no further event of any window runs.
    void end_program();
    void on_window_closed();

    // One pass of the message loop: every message waiting now is handled.
    void pump_messages();

  private:
    void open_main_window(Window& closing);
    // Finishes what a removal killed halfway left, before the list is loaded.
    void finish_interrupted_removals();
    // Whether `hwnd` is one of the program's own top-level windows.
    bool is_own_window(HWND hwnd) const;
    // Keyboard handling of the windows; true when the message has been dealt with.
    bool pre_translate(MSG& message);
    void dispatch(MSG& message);

    std::unique_ptr<FileSystem> fs_;
    Workspace workspace_;
    Catalogue catalogue_;
    OwnerWindow owner_;
    SplashWindow splash_;
    SettingsWindow settings_;
    MainWindow main_;
    ProgressWindow progress_;
    AboutWindow about_;
    Win32UiPort ui_;
    bool busy_ = false;
    bool ending_ = false;
};

}  // namespace qv::ui

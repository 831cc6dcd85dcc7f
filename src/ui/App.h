// The program: its windows (one object each for the whole run), the shared values, the
// catalogue, the start-up sequence and the message loop. The program ends when its last window
// closes.
#pragma once

#include <functional>
#include <memory>

#include "core/SharedValues.h"
#include "platform/FileSystem.h"
#include "simfiles/Records.h"
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
    void Create();
};

class App {
  public:
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Shows the splash window and runs the message loop; returns the exit code.
    int Run();

    FileSystem& fs() { return *fs_; }
    SharedValues& values() { return values_; }
    UiPort& ui() { return ui_; }
    Catalogue& catalogue() { return catalogue_; }
    HWND owner() const { return owner_.hwnd(); }

    // The start-up sequence, run by the splash window's one timer tick.
    void OnSplashTick();
    // The first-run hand-over, once "NEXT STEP" has written the settings file.
    void OnSettingsSaved();
    // Runs one command of the main window, unless one is running already: the walk's yields
    // let input through, and a second command must not start on half-built tables. A failure
    // that stops the program ends it here.
    void RunCommand(const std::function<void(App&)>& command);
    bool Busy() const { return busy_; }
    void ShowAbout();

    // Ends the program at once: no further event of any window runs.
    void EndProgram();
    void OnWindowClosed();

    // One pass of the message loop: every message waiting now is handled.
    void PumpMessages();

  private:
    void OpenMainWindow(Window& closing);
    // Keyboard handling of the windows; true when the message has been dealt with.
    bool PreTranslate(MSG& message);
    void Dispatch(MSG& message);

    std::unique_ptr<FileSystem> fs_;
    SharedValues values_;
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

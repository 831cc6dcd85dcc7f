// The UI port of the windows: real message boxes, the progress window painted at once, the main
// window's list, and the walk's yield as one pass of the message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/UiPort.h"

namespace qv::ui {

class MainWindow;
class ProgressWindow;

class Win32UiPort : public UiPort {
  public:
    // `owner` gives the window that owns the progress window; `pump` runs one pass of the
    // message loop.
    Win32UiPort(ProgressWindow& progress, MainWindow& main, std::function<HWND()> owner,
                std::function<void()> pump);

    bool question(const std::string& prompt) override;
    void notice(const std::string& prompt) override;
    void warning(const std::string& prompt) override;

    void ShowProgressWindow() override;
    void SetProgressRange(int steps) override;
    void SetProgressStatus(const std::string& text) override;
    void StepProgress() override;
    void CloseProgressWindow() override;

    void ClearAircraftList() override;
    void AddAircraftListEntry(const std::string& title) override;

    void yield() override;

  private:
    ProgressWindow& progress_;
    MainWindow& main_;
    std::function<HWND()> owner_;
    std::function<void()> pump_;
};

}  // namespace qv::ui

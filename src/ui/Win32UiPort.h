// The UI port of the windows: real message boxes, the progress window painted at once, and the
// walk's yield as one pass of the message loop, at most every kPumpInterval.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/UiPort.h"

namespace qv::ui {

class ProgressWindow;

class Win32UiPort : public UiPort {
  public:
    // `owner` gives the window an operation comes from, which owns the progress window and the
    // message boxes; `pump` runs one pass of the message loop.
    Win32UiPort(ProgressWindow& progress, std::function<HWND()> owner, std::function<void()> pump);

    void notice(const std::string& text) override;
    void warning(const std::string& text) override;

    void show_progress() override;
    void set_progress_range(int steps) override;
    void set_progress_status(const std::string& text) override;
    void step_progress() override;
    void close_progress() override;
    void offer_stop(bool offered) override;
    bool stop_asked() override;

    void yield() override;

  protected:
    bool on_ask(Question question, const std::string& text) override;
    bool on_ask_about(Question question, const std::string& text,
                      const std::string& subject) override;

  private:
    HWND message_owner() const;

    ProgressWindow& progress_;
    std::function<HWND()> owner_;
    std::function<void()> pump_;
    // Milliseconds between two passes of the message loop: often enough for the windows to
    // repaint and answer, rarely enough to cost the walk nothing.
    static constexpr ULONGLONG kPumpInterval = 30;
    ULONGLONG pumped_ = 0;  // GetTickCount64 at the last pass, 0 before the first
};

}  // namespace qv::ui

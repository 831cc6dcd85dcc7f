// Form4, the progress window every long operation reports through: a fixed heading, a bar and
// one status text. Each change is painted at once, since the operation keeps the thread.
#pragma once

#include <string>

#include "ui/Window.h"

namespace qv::ui {

class ProgressWindow : public Window {
  public:
    // Loads the window with its laid-out values (status "-None-", bar 0 of 100) unless it is
    // already open, and shows it. It is owned by `owner`, so it has no task-bar entry.
    void Open(HWND owner);
    void SetRange(int steps);
    void SetStatus(const std::wstring& text);
    void Step();

    float value() const { return value_; }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    void ShowBarValue();

    // The bar's Min, Max and Value, single precision as the control defines them.
    float min_ = 0.0f;
    float max_ = 100.0f;
    float value_ = 0.0f;
};

}  // namespace qv::ui

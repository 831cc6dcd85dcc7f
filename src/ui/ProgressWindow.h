// The progress window every long operation reports through: a fixed heading, a bar and one
// status text. Each change is painted at once, since the operation keeps the thread.
#pragma once

#include <string>

#include "ui/win32/Window.h"

namespace qv::ui {

class ProgressWindow : public Window {
  public:
    // Creates the window with its laid-out values (status "-None-", bar 0 of 100) unless it is
    // already open, and shows it. It is owned by `owner`, so it has no task-bar entry.
    void open(HWND owner);
    void set_range(int steps);
    void set_status(const std::wstring& text);
    void step();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    void show_bar_value();

    // The bar counts steps from 0 up to the operation's number of steps.
    int max_ = 100;
    int value_ = 0;
};

}  // namespace qv::ui

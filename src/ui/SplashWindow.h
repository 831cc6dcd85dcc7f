// The splash window: the picture, the banner and "Loading...". Its one timer tick, 3000 ms
// after the window was created, starts the program's start-up sequence.
#pragma once

#include "ui/WindowHost.h"
#include "ui/win32/Window.h"

namespace qv::ui {

class SplashWindow : public Window {
  public:
    explicit SplashWindow(WindowHost& host) : host_(host) {}
    void open();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    void paint(HDC dc);

    WindowHost& host_;
    UniqueBitmap picture_;
};

}  // namespace qv::ui

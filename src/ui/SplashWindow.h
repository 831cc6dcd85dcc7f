// The splash window: the picture, the banner and "Loading...". Its one timer tick, 3000 ms
// after the window has loaded, starts the program's start-up sequence.
#pragma once

#include "ui/Window.h"

namespace qv::ui {

class App;

class SplashWindow : public Window {
  public:
    explicit SplashWindow(App& app) : app_(app) {}
    void open();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    void paint(HDC dc);

    App& app_;
    UniqueBitmap picture_;
};

}  // namespace qv::ui

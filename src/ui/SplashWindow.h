// Form1, the splash window: the picture, the banner and "Loading...". Its one timer tick, 3000 ms
// after the window has loaded, starts the program's start-up sequence.
#pragma once

#include "ui/Window.h"

namespace qv::ui {

class App;

class SplashWindow : public Window {
  public:
    explicit SplashWindow(App& app) : app_(app) {}
    void Open();

  protected:
    LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void OnClosed() override;

  private:
    void Paint(HDC dc);

    App& app_;
    UniqueBitmap picture_;
};

}  // namespace qv::ui

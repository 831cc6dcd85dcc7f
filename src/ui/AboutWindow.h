// The About window: the banner and the credits; "OK" closes it.
#pragma once

#include "ui/Window.h"

namespace qv::ui {

class App;

class AboutWindow : public Window {
  public:
    explicit AboutWindow(App& app) : app_(app) {}
    // Loads and shows the window, or brings it to the front when it is already open: there is
    // never more than one.
    void open();

  protected:
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void on_closed() override;

  private:
    App& app_;
};

}  // namespace qv::ui
